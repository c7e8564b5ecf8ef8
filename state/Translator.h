#pragma once

#include <string>
#include <string_view>

namespace bc {

// The words the child reads, in the child's language. This base speaks the
// English the game is written in; a catalogue-backed one overrides both calls
// and falls back to the English for any message it does not have.
class Translator {
public:
    virtual ~Translator() = default;
    virtual std::string translate(const char* english) const { return english; }
    // `one` and `many` are the English forms; `count` chooses between the
    // language's own forms, however many it has.
    virtual std::string translatePlural(const char* one, const char* many, unsigned long count) const
    {
        return count == 1 ? one : many;
    }
};

// Marks a text for the catalogues where it is written and translated later.
constexpr const char* untranslated(const char* english) { return english; }

// The pattern with its one "%s" replaced by the value (translations keep the
// mark wherever their word order puts it). No "%s": the pattern as it is.
std::string fill(std::string pattern, std::string_view value);

} // namespace bc
