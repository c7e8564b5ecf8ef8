#include "state/Translator.h"

namespace bc {

std::string fill(std::string pattern, std::string_view value)
{
    if (const auto at = pattern.find("%s"); at != std::string::npos) {
        pattern.replace(at, 2, value);
    }
    return pattern;
}

} // namespace bc
