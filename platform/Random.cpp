#include "platform/Random.h"

#include <random>

namespace bc {

namespace {
std::mt19937_64& generator()
{
    static std::mt19937_64 engine{std::random_device{}()};
    return engine;
}
} // namespace

std::uint32_t randomUniform(std::uint32_t bound)
{
    if (bound < 2) {
        return 0;
    }
    std::uniform_int_distribution<std::uint32_t> pick(0, bound - 1);
    return pick(generator());
}

void seedRandom(std::uint64_t seed) { generator().seed(seed); }

void seedRandomFromSystem() { generator().seed(std::random_device{}()); }

} // namespace bc
