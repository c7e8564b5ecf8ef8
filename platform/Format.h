#pragma once

#include <string>

namespace bc {

// printf-style formatting into a string; floats are passed at double precision.
std::string stringWithFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace bc
