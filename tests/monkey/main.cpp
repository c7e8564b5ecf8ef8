// buddycare_monkey --steps N --seed S: a seeded random run of the shipped game
// with every step checked; prints what it did and the peak memory it took.
#include "monkey/Monkey.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// Kilobytes of a /proc/self/status line (VmRSS, VmHWM).
long statusKb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(in, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
        }
    }
    return -1;
}

int usage()
{
    std::fprintf(stderr, "usage: buddycare_monkey [--steps N] [--seed S] [--max-growth-mb M]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    long steps = 100000;
    unsigned long long seed = 1;
    long maxGrowthKb = -1;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        char* end = nullptr;
        if (std::strcmp(argv[i], "--steps") == 0 && hasValue) {
            steps = std::strtol(argv[++i], &end, 10);
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            seed = std::strtoull(argv[++i], &end, 10);
        } else if (std::strcmp(argv[i], "--max-growth-mb") == 0 && hasValue) {
            maxGrowthKb = std::strtol(argv[++i], &end, 10) * 1024;
        } else {
            return usage();
        }
        if (end == nullptr || *end != '\0' || steps < 0) {
            return usage();
        }
    }

    const auto start = std::chrono::steady_clock::now();
    bc::monkey::Monkey monkey(seed);
    // Memory after the first tenth, when every screen has been made at least
    // once, against memory at the end: only the lists the game lets grow
    // (the worn bow ties) may take more.
    const long warmup = steps / 10;
    bool ok = monkey.run(warmup);
    const long rssAfterWarmup = statusKb("VmRSS");
    if (ok) {
        ok = monkey.run(steps - warmup);
    }
    const long rssAtEnd = statusKb("VmRSS");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto& c = monkey.counts();
    std::printf("monkey seed %llu: %ld steps in %.1f s, %s\n", seed, monkey.steps(), seconds, ok ? "all checks held" : "FAILED");
    std::printf("  good checks %ld, doses completed %ld, doses stopped %ld, cheats %ld, purchases %ld, bow ties worn %ld\n",
                c.goodArrivals, c.completeAppearances, c.stoppedDoses, c.cheats, c.purchases, c.wears);
    std::printf("  inputs refused %ld, delivery timers fired %ld, deepest stack %zu of %zu, most timers pending %zu\n",
                c.refused, c.timersFired, monkey.deepest(), monkey.longestRoute(), monkey.mostTimers());
    std::printf("  memory: %ld kB after %ld steps, %ld kB at the end, peak %ld kB; trace %016llx\n", rssAfterWarmup, warmup,
                rssAtEnd, statusKb("VmHWM"), static_cast<unsigned long long>(monkey.trace()));
    if (!ok) {
        std::fprintf(stderr, "monkey seed %llu failed %s", seed, monkey.failure().c_str());
        return 1;
    }
    if (maxGrowthKb >= 0 && rssAtEnd - rssAfterWarmup > maxGrowthKb) {
        std::fprintf(stderr, "monkey seed %llu: memory grew by %ld kB after the warm-up (limit %ld kB)\n", seed,
                     rssAtEnd - rssAfterWarmup, maxGrowthKb);
        return 1;
    }
    return 0;
}
