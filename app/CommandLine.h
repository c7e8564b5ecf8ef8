#pragma once

#include "platform/Result.h"
#include "state/Calendar.h"
#include "state/Preferences.h"

#include <cstdint>
#include <optional>
#include <string>

namespace bc {

struct LaunchOptions {
    bool headless = false;
    bool fullscreen = false;
    std::optional<std::uint64_t> seed;
    std::string resources; // empty: where the program finds its own
    GlucoseUnit units = GlucoseUnit::MgPerDl;
    bool unitsChosen = false; // on the command line, over the kept unit
    // The file the progress is kept in; the window's default when not given,
    // and for the driver none at all (it keeps nothing unless asked).
    std::optional<std::string> progress;
    std::string language;  // empty: from the environment
    Date date = kFirstPlayDay; // the headless driver's first day, from 08:00
    // Set when the command line only asked for help or the version, already printed.
    std::optional<int> finished;
};

Result<LaunchOptions> parseCommandLine(int argc, const char* const* argv);

// A whole number from 0 to 2^64-1 written in decimal, nothing else.
std::optional<std::uint64_t> parseSeed(const std::string& text);

} // namespace bc
