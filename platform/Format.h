#pragma once

#include <cstdarg>
#include <string>

namespace bc {

// printf-style formatting into a string; floats are passed at double precision.
std::string stringWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vstringWithFormat(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

} // namespace bc
