#pragma once

#include "platform/Result.h"
#include "state/Translator.h"

#include <filesystem>
#include <functional>
#include <string>

namespace bc {

inline constexpr const char* kTextDomain = "buddycare";

// The languages to read in, most wanted first, as a colon-separated list
// ("fr_CA:fr"); empty for the English the game is written in. A chosen code
// wins, then LANGUAGE, then the first of LC_ALL, LC_MESSAGES and LANG that is
// set. LANGUAGE counts even where the locale is plain C, so that
// `LANGUAGE=es buddycare` works on a machine that has no Spanish locale.
using Environment = std::function<const char*(const char*)>;
std::string chosenLanguages(const std::string& chosen, const Environment& environment);

// A code for --language: letters, digits and "_.@:-", such as "es", "fr_CA" or "pt_BR.UTF-8".
bool isLanguageCode(const std::string& code);

// Messages from the compiled catalogues under `folder` (folder/xx/LC_MESSAGES/buddycare.mo).
// A language with no catalogue, or a message missing from one, reads in English.
// The C library keeps one message language per process: making another of
// these switches it for both.
class GettextTranslator : public Translator {
public:
    GettextTranslator(const std::filesystem::path& folder, const std::string& languages);
    std::string translate(const char* english) const override;
    std::string translatePlural(const char* one, const char* many, unsigned long count) const override;
    // The language of the catalogue in use ("es", "fr"), empty for English:
    // the voice has to speak the words the child reads.
    std::string language() const;

private:
    bool active_ = false;
};

} // namespace bc
