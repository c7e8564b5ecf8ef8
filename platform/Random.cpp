#include "platform/Random.h"

#include <chrono>

namespace bc {

namespace {
std::uint64_t systemSeed()
{
    try {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device();
    } catch (const std::exception&) {
        // No entropy source: the readings are practice, the clock will do.
        return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
}
} // namespace

Random::Random(std::optional<std::uint64_t> seed) : engine_(seed ? *seed : systemSeed()) {}

std::uint32_t Random::uniform(std::uint32_t bound)
{
    if (bound < 2) {
        return 0;
    }
    std::uniform_int_distribution<std::uint32_t> pick(0, bound - 1);
    return pick(engine_);
}

} // namespace bc
