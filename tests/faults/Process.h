#pragma once

#include "support/Game.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace bc::test {

// Driver commands, a line each.
inline std::string script(const std::vector<std::string>& commands)
{
    std::string input;
    for (const auto& c : commands) {
        input += c + "\n";
    }
    return input;
}

// Single quotes for a POSIX shell.
inline std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        all.push_back(line);
    }
    return all;
}

// What one run of the real program did.
struct Outcome {
    int status = -1;
    std::string out, err;
    std::vector<std::string> outLines() const { return linesOf(out); }
    std::vector<std::string> errLines() const { return linesOf(err); }
};

// Runs the buddycare program (under `wrapper`, a command line, if given) with
// the arguments, `input` on standard input and extra environment variables;
// gives up after a minute.
inline Outcome runGame(const std::vector<std::string>& args, const std::string& input = "",
                       const std::map<std::string, std::string>& env = {}, const std::string& wrapper = "")
{
    ScratchFolder io;
    io.write("in", input);
    std::string command = "env";
    for (const auto& [k, v] : env) {
        command += " " + quote(k + "=" + v);
    }
    command += " timeout 60 " + wrapper + " " + quote(BUDDYCARE_BINARY);
    for (const auto& a : args) {
        command += " " + quote(a);
    }
    const std::string at = io.path() + "/";
    const int raw = std::system((command + " <" + quote(at + "in") + " >" + quote(at + "out") + " 2>" + quote(at + "err")).c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(at + "out"), readFile(at + "err")};
}

// A copy of the shipped resources (files linked, not copied) in which a test
// may remove or replace files.
class ResourceCopy : public ScratchFolder {
public:
    ResourceCopy()
    {
        for (const auto& entry : std::filesystem::directory_iterator(BUDDYCARE_RESOURCES)) {
            std::filesystem::create_symlink(entry.path(), std::filesystem::path(path()) / entry.path().filename());
        }
    }
    void remove(const std::string& name) const { std::filesystem::remove(std::filesystem::path(path()) / name); }
    void write(const std::string& name, const std::string& content) const
    {
        remove(name);
        ScratchFolder::write(name, content);
    }
};

} // namespace bc::test
