// buddycare_monkey --steps N --seed S [--max-growth-mb M]: a seeded random run
// of the shipped game with every step checked; prints what it did and the
// memory it took.
#include "monkey/Monkey.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// Kilobytes of a /proc/self/status line (VmRSS, VmHWM).
long statusKb(const std::string& key)
{
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key + ":", 0) == 0) {
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    long steps = 100000, maxGrowthMb = -1;
    unsigned long long seed = 1;
    CLI::App cli{"a seeded random run of the shipped game with every step checked", "buddycare_monkey"};
    cli.add_option("--steps", steps)->check(CLI::NonNegativeNumber);
    cli.add_option("--seed", seed)->check(CLI::NonNegativeNumber);
    cli.add_option("--max-growth-mb", maxGrowthMb);
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return cli.exit(e) == 0 ? 0 : 2;
    }

    const auto start = std::chrono::steady_clock::now();
    bc::monkey::Monkey monkey(seed);
    // Memory after the first tenth, when every screen has been made at least
    // once, against memory at the end: only the worn bow ties may take more.
    const long warmup = steps / 10;
    bool ok = monkey.run(warmup);
    const long rssAfterWarmup = statusKb("VmRSS");
    ok = ok && monkey.run(steps - warmup);
    const long rssAtEnd = statusKb("VmRSS");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto& c = monkey.counts();
    std::printf("monkey seed %llu: %ld steps in %.1f s, %s\n", seed, monkey.steps(), seconds,
                ok ? "all checks held" : "FAILED");
    std::printf("  good checks %ld, doses completed %ld, doses stopped %ld, cheats %ld, purchases %ld, bow ties worn "
                "%ld, carb answers right %ld, carb games finished %ld, days of jobs done %ld\n  inputs refused %ld, timers fired "
                "%ld, deepest stack %zu\n",
                c.goodArrivals, c.completeAppearances, c.stoppedDoses, c.cheats, c.purchases, c.wears, c.rightAnswers,
                c.gamesFinished, c.daysDone, c.refused, c.timersFired, monkey.deepest());
    std::printf("  memory: %ld kB after %ld steps, %ld kB at the end, peak %ld kB; trace %016llx\n", rssAfterWarmup,
                warmup, rssAtEnd, statusKb("VmHWM"), static_cast<unsigned long long>(monkey.trace()));
    // A long run that never reached the far ends of the game proved little.
    const bool everyEnding = c.goodArrivals > 0 && c.completeAppearances > 0 && c.stoppedDoses > 0 && c.wears > 0;
    const long grownKb = rssAtEnd - rssAfterWarmup;
    const std::string why = !ok ? "failed " + monkey.failure()
                            : steps >= 100000 && !everyEnding ? "the run never got to every ending\n"
                            : maxGrowthMb >= 0 && grownKb > maxGrowthMb * 1024
                                ? "memory grew by " + std::to_string(grownKb) + " kB after the warm-up\n"
                                : "";
    if (!why.empty()) {
        std::fprintf(stderr, "monkey seed %llu: %s", seed, why.c_str());
    }
    return why.empty() ? 0 : 1;
}
