#include "web/glue/JsonTranslator.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

// A rule by last digits, as in several languages: 1, 21, 31 ... but not 11
// take the first form; a count past the table follows its last two digits.
std::string catalogue()
{
    std::string forms = "1";
    for (int n = 1; n < 200; ++n) {
        forms += n % 10 == 1 && n % 100 != 11 ? ",0" : ",1";
    }
    return R"({"forms": [)" + forms + R"(], "messages": {"Yes": "Oui", "No": "", "unit": ["unité", "unités"], "hour": ["heure"]}})";
}

TEST(JsonTranslatorTest, ReadsTheBundlesCatalogueAndFallsBackToEnglish)
{
    const JsonTranslator words(catalogue());
    const struct { const char* one; unsigned long count; const char* form; } rows[] = {
        {"unit", 0, "unités"},       {"unit", 1, "unité"},         {"unit", 11, "unités"},
        {"unit", 121, "unité"},      {"unit", 1000001, "unité"},   {"unit", 1000011, "unités"},
        {"unit", 1000002, "unités"}, {"hour", 1, "heure"},         {"hour", 2, "hours"},
        {"carb", 2, "carbs"}};
    for (const auto& row : rows) {
        const std::string many = std::string(row.one) + "s";
        EXPECT_EQ(words.translatePlural(row.one, many.c_str(), row.count), row.form) << row.one << row.count;
    }
    EXPECT_EQ(words.translate("Yes"), "Oui");
    EXPECT_EQ(words.translate("No"), "No");
    EXPECT_EQ(words.translate("Home"), "Home");
    for (const char* broken : {"", "[]", R"({"messages": {"Yes": "Oui"}})", R"({"forms": [1], "messages": {}})"}) {
        const JsonTranslator none(broken);
        EXPECT_EQ(none.size(), 0u) << broken;
        EXPECT_EQ(none.translatePlural("unit", "units", 1), "unit");
    }
}

} // namespace
} // namespace bc
