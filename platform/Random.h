#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace bc {

// The game's random source: seeded from the system unless a run asks for a
// reproducible seed.
class Random {
public:
    explicit Random(std::optional<std::uint64_t> seed = std::nullopt);

    // A uniform, unbiased whole number from 0 up to, not including, bound.
    std::uint32_t uniform(std::uint32_t bound);
    void seed(std::uint64_t seed) { engine_.seed(seed); }

private:
    std::mt19937_64 engine_;
};

} // namespace bc
