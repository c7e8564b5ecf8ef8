#pragma once

#include <functional>
#include <string>

namespace bc {

constexpr const char* kProgramName = "buddycare";

// The game's console log: one line per call on standard error, with a
// timestamp and the program name. Only the game's own lines go through here.
void NSLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Problems with resources (a missing picture, say): standard error only,
// never mixed with the game's console lines.
void warn(const std::string& message);

// Sees every console line (without timestamp) after it is written; the
// headless driver and tests use it. Returns the previous observer.
using ConsoleObserver = std::function<void(const std::string&)>;
ConsoleObserver setConsoleObserver(ConsoleObserver observer);

// Silences standard error for tests and tools that read the observer instead.
void setConsoleEcho(bool echo);

} // namespace bc
