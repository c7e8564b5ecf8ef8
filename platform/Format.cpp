#include "platform/Format.h"

#include <cstdio>

namespace bc {

std::string vstringWithFormat(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    // A negative size is an encoding error: the line comes out empty rather than garbled.
    if (size > 0) {
        out.resize(static_cast<std::size_t>(size));
        if (std::vsnprintf(out.data(), out.size() + 1, format, args) != size) {
            out.clear();
        }
    }
    return out;
}

std::string stringWithFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string out = vstringWithFormat(format, args);
    va_end(args);
    return out;
}

} // namespace bc
