#pragma once

#include "support/Game.h"

#include <map>
#include <string>
#include <vector>

namespace bc::test {

// What one run of the real program did.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> outLines() const;
    std::vector<std::string> errLines() const;
};

// Runs the buddycare program with the arguments, feeding `input` on standard
// input, with extra environment variables; gives up after a minute.
Outcome runGame(const std::vector<std::string>& args, const std::string& input = "",
                const std::map<std::string, std::string>& env = {});

// A copy of the shipped resources (pictures linked, not copied) in which a
// test may remove or replace files.
class ResourceCopy {
public:
    ResourceCopy();
    const std::string& path() const { return folder_.path(); }
    void remove(const std::string& name) const;
    void write(const std::string& name, const std::string& content) const;
    std::string storyboard() const; // the shipped interface description's text

private:
    ScratchFolder folder_;
};

std::string readFile(const std::string& path);

} // namespace bc::test
