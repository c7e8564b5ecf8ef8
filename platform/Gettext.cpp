#include "platform/Gettext.h"

#include <libintl.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <string_view>

// glibc's count of catalogue changes: raising it makes the next lookup see a
// new LANGUAGE instead of what it found before.
extern "C" int _nl_msg_cat_cntr;

namespace bc {

namespace {

// "fr_FR.UTF-8" names the language fr_FR; "C" and "POSIX" name none.
std::string languageOfLocale(std::string locale)
{
    locale = locale.substr(0, locale.find_first_of(".@"));
    return locale == "C" || locale == "POSIX" ? std::string() : locale;
}

bool isEnglishOnly(const std::string& languages)
{
    return languages.empty() || languages == "C" || languages == "POSIX";
}

} // namespace

bool isLanguageCode(const std::string& code)
{
    return !code.empty() && code.size() <= 64 && std::all_of(code.begin(), code.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      std::string_view("_.@:-").find(c) != std::string_view::npos;
           });
}

std::string chosenLanguages(const std::string& chosen, const Environment& environment)
{
    if (!chosen.empty()) {
        return isEnglishOnly(chosen) ? std::string() : chosen;
    }
    if (const char* list = environment("LANGUAGE"); list != nullptr && *list != '\0') {
        return isEnglishOnly(list) ? std::string() : list;
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* locale = environment(name); locale != nullptr && *locale != '\0') {
            return languageOfLocale(locale);
        }
    }
    return {};
}

GettextTranslator::GettextTranslator(const std::filesystem::path& folder, const std::string& languages)
{
    if (isEnglishOnly(languages)) {
        return;
    }
    // glibc reads LANGUAGE only when the messages locale is not plain C; the
    // built-in C.UTF-8 is not plain C and needs no generated locale.
    if (std::setlocale(LC_MESSAGES, "C.UTF-8") == nullptr) {
        std::setlocale(LC_MESSAGES, "");
    }
    setenv("LANGUAGE", languages.c_str(), 1);
    ++_nl_msg_cat_cntr;
    bindtextdomain(kTextDomain, folder.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
    active_ = true;
}

std::string GettextTranslator::translate(const char* english) const
{
    return active_ ? dgettext(kTextDomain, english) : english;
}

std::string GettextTranslator::translatePlural(const char* one, const char* many, unsigned long count) const
{
    return active_ ? dngettext(kTextDomain, one, many, count) : Translator::translatePlural(one, many, count);
}

std::string GettextTranslator::language() const
{
    // Every catalogue's header, the translation of the empty text, names its language.
    const std::string header = active_ ? dgettext(kTextDomain, "") : "";
    constexpr std::string_view kField = "\nLanguage: ";
    const auto at = header.find(kField);
    if (at == std::string::npos) {
        return {};
    }
    const auto from = at + kField.size();
    return header.substr(from, header.find('\n', from) - from);
}

} // namespace bc
