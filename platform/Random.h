#pragma once

#include <cstdint>

namespace bc {

// A uniform, unbiased whole number from 0 up to, not including, bound.
std::uint32_t randomUniform(std::uint32_t bound);

// Seeds from the system unless a run asks for a reproducible seed.
void seedRandom(std::uint64_t seed);
void seedRandomFromSystem();

} // namespace bc
