#include "app/CommandLine.h"

#include "platform/Console.h"
#include "platform/Gettext.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>

#ifndef BUDDYCARE_VERSION
#define BUDDYCARE_VERSION "0.0.0"
#endif

namespace bc {

std::optional<std::uint64_t> parseSeed(const std::string& text)
{
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

Result<LaunchOptions> parseCommandLine(int argc, const char* const* argv)
{
    CLI::App cli{"buddycare: look after a buddy who lives with type-1 diabetes (a practice game)", kProgramName};
    LaunchOptions options;
    std::string seed;
    cli.add_flag("--headless", options.headless,
                 "play without a window: commands on standard input, one JSON answer per line");
    auto* seedOption = cli.add_option("--seed", seed, "seed the random readings, for a reproducible run (0 to 2^64-1)");
    auto* resourcesOption = cli.add_option("--resources", options.resources, "folder with storyboard.json and the pictures");
    std::string units;
    auto* unitsOption = cli.add_option("--units", units, "show blood sugar in mg (mg/dL, the default) or mmol (mmol/L)");
    cli.add_option("--language", options.language,
                   "the language to play in (es, fr, ...); default from LANGUAGE, LC_ALL, LC_MESSAGES, LANG");
    std::string date;
    auto* dateOption = cli.add_option("--date", date,
                                      "the day the headless driver's clock starts on, at 08:00 (YYYY-MM-DD; default " +
                                          formatDate(kFirstPlayDay) + ")");
    std::string progress;
    auto* progressOption = cli.add_option("--progress", progress,
                                          "keep the progress (once a grown-up switches remembering on) in this file; "
                                          "default $XDG_DATA_HOME/buddycare/progress.json, none for --headless");
    cli.add_flag("--fullscreen", options.fullscreen, "fill the screen (for a tablet on a stand); Ctrl+Q quits");
    cli.set_version_flag("--version", std::string(kProgramName) + " " + BUDDYCARE_VERSION, "print the version and exit");
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() != 0) {
            return Error{std::string(e.what()) + " (see --help)"};
        }
        options.finished = cli.exit(e);
        return options;
    }
    if (*seedOption) {
        options.seed = parseSeed(seed);
        if (!options.seed) {
            return Error{"--seed: \"" + seed + "\" is not a whole number from 0 to 18446744073709551615"};
        }
    }
    // Asked for and empty is a mistake, not a wish for the folder the program would find itself.
    if (*resourcesOption && options.resources.empty()) {
        return Error{"--resources: an empty name is not a folder"};
    }
    if (*unitsOption) {
        if (units != "mg" && units != "mmol") {
            std::replace_if(units.begin(), units.end(), [](unsigned char c) { return c < 0x20; }, '?'); // stays one line
            return Error{"--units: \"" + units + "\" is neither mg nor mmol"};
        }
        options.units = units == "mg" ? GlucoseUnit::MgPerDl : GlucoseUnit::MmolPerL;
        options.unitsChosen = true;
    }
    if (*progressOption) {
        if (progress.empty() || progress.back() == '/') {
            return Error{"--progress: \"" + progress + "\" is not a file name"};
        }
        options.progress = progress;
    }
    if (*dateOption) {
        const auto day = parseDate(date);
        if (!day) {
            std::replace_if(date.begin(), date.end(), [](unsigned char c) { return c < 0x20; }, '?'); // stays one line
            return Error{"--date: \"" + date + "\" is not a day written YYYY-MM-DD"};
        }
        options.date = *day;
    }
    if (!options.language.empty() && !isLanguageCode(options.language)) {
        return Error{"--language: \"" + options.language + "\" is not a language code such as es or fr"};
    }
    return options;
}

} // namespace bc
