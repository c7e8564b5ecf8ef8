#pragma once

#include <functional>
#include <string>

namespace bc {

constexpr const char* kProgramName = "buddycare";

// The game's console log: one line per call on standard error, with a
// timestamp and the program name. Only the game's own lines go through here.
class Console {
public:
    // Sees every console line (without timestamp) after it is written; the
    // headless driver and tests use it.
    using Observer = std::function<void(const std::string&)>;

    void log(const std::string& line);
    // Problems with resources (a missing picture, say): standard error only,
    // never mixed with the game's console lines.
    void warn(const std::string& message) const;

    // Returns the previous observer.
    Observer setObserver(Observer observer);
    // Silences standard error for tests and tools that read the observer instead.
    void setEcho(bool echo) { echo_ = echo; }

private:
    Observer observer_;
    bool echo_ = true;
};

// A resource problem met where no game console is at hand.
void warn(const std::string& message);

} // namespace bc
