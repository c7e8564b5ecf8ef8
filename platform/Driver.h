#pragma once

#include "platform/Result.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>

namespace bc {

class Application;
class Control;

// The game's own data, seen by the driver without the toolkit knowing it.
class StateAccess {
public:
    virtual ~StateAccess() = default;
    virtual nlohmann::ordered_json snapshot() = 0;
    // Stores a number or a flag through the setter; says why not otherwise.
    virtual Result<void> set(const std::string& field, const std::string& value) = 0;
};

// Draws the current frame into a PNG file; says why not otherwise.
class FrameShooter {
public:
    virtual ~FrameShooter() = default;
    virtual Result<void> shoot(Application& app, const std::string& path) = 0;
};

// The headless driver: one command per input line, one JSON answer per line.
// Console lines appear before the answer as {"log": ...}. Returns the exit
// status: 0, or 1 when the answers could not be written.
int runDriver(Application& app, StateAccess& state, FrameShooter* shooter, std::istream& in, std::ostream& out);

// One command, for tests and fuzzing; writes the log lines and the answer.
// Returns false once the command was "quit".
bool driverCommand(Application& app, StateAccess& state, FrameShooter* shooter, const std::string& line,
                   std::ostream& out);

// One control as the `screen` command lists it: name, kind, hidden, enabled
// and what the kind shows (text, title, on, value or picture).
nlohmann::ordered_json describeControl(const Control& control);

// The answer of the `heard` command: what the recorder kept since it was last
// asked, in order, or an error when the game plays its audio itself.
nlohmann::ordered_json takeHeard(Application& app);

// The screen and control listing of the `screen` command.
nlohmann::ordered_json describeTopScreen(const Application& app);

} // namespace bc
