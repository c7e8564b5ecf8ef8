#include "platform/Gettext.h"
#include "state/CareRules.h"

#include <gtest/gtest.h>

#include <map>

namespace bc {
namespace {

TEST(GettextTest, ChoosesTheLanguageByTheUsualPrecedence)
{
    const struct {
        const char* chosen;
        std::map<std::string, std::string> environment;
        const char* languages;
    } rows[] = {
        {"", {}, ""},
        {"", {{"LANG", "es_ES.UTF-8"}}, "es_ES"},
        {"", {{"LANG", "es_ES.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, "fr_FR"},
        {"", {{"LC_MESSAGES", "fr_FR.UTF-8"}, {"LC_ALL", "de_DE@euro"}}, "de_DE"},
        {"", {{"LC_ALL", "de_DE"}, {"LANGUAGE", "fr:es"}}, "fr:es"},
        // LANGUAGE counts even beside a plain C locale.
        {"", {{"LC_ALL", "C"}, {"LANGUAGE", "es"}}, "es"},
        {"", {{"LANG", "C.UTF-8"}}, ""},
        {"", {{"LANG", "POSIX"}}, ""},
        {"", {{"LANGUAGE", ""}, {"LANG", "fr_CA.UTF-8"}}, "fr_CA"},
        {"es", {{"LANGUAGE", "fr"}, {"LC_ALL", "fr_FR.UTF-8"}}, "es"},
        {"C", {{"LANGUAGE", "fr"}}, ""},
    };
    for (const auto& row : rows) {
        const auto lookup = [&](const char* name) -> const char* {
            auto it = row.environment.find(name);
            return it == row.environment.end() ? nullptr : it->second.c_str();
        };
        EXPECT_EQ(chosenLanguages(row.chosen, lookup), row.languages) << row.chosen << " " << row.environment.size();
    }
    EXPECT_TRUE(isLanguageCode("es_AR.UTF-8"));
    EXPECT_TRUE(isLanguageCode("Zz_09@x-y:fr"));
    EXPECT_TRUE(isLanguageCode("ca_AD")) << "every letter from a";
    EXPECT_FALSE(isLanguageCode("es;rm"));
    EXPECT_FALSE(isLanguageCode("../es"));
}

TEST(GettextTest, PluralsFollowEachLanguagesRulesAndMissingTextsStayEnglish)
{
    const struct { const char* language; Counted word; const char* shown; const char* form; } rows[] = {
        {"es", Counted::Unit, "1", "unidad"},  {"es", Counted::Unit, "0", "unidades"},
        {"es", Counted::Hour, "4", "horas"},   {"fr", Counted::Unit, "1", "unité"},
        {"fr", Counted::Unit, "0", "unité"},   {"fr", Counted::Unit, "2", "unités"},
        {"fr", Counted::Hour, "1", "heure"},   {"fr_CA", Counted::Hour, "3", "heures"},
        {"de", Counted::Unit, "1", "unit"},    {"de", Counted::Hour, "2", "hours"},
        {"", Counted::Unit, "0", "units"},
    };
    for (const auto& row : rows) {
        const GettextTranslator words(BUDDYCARE_CATALOGUES, row.language);
        EXPECT_EQ(countedWord(row.word, row.shown, words), row.form) << row.language << " " << row.shown;
    }
    const GettextTranslator spanish(BUDDYCARE_CATALOGUES, "es");
    EXPECT_EQ(spanish.translate("Yes"), "Sí");
    EXPECT_EQ(spanish.language(), "es");
    EXPECT_EQ(spanish.translate("A text no catalogue has"), "A text no catalogue has");
    const GettextTranslator missing("/nonexistent", "fr");
    EXPECT_EQ(missing.translate("Yes"), "Yes");
    EXPECT_EQ(missing.language(), "") << "no catalogue: the English voice";
    EXPECT_EQ(GettextTranslator(BUDDYCARE_CATALOGUES, "fr_CA").language(), "fr");
}

} // namespace
} // namespace bc
