#include "faults/Process.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace bc::test {

namespace {

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

} // namespace

std::vector<std::string> Outcome::outLines() const { return splitLines(out); }
std::vector<std::string> Outcome::errLines() const { return splitLines(err); }

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Outcome runGame(const std::vector<std::string>& args, const std::string& input,
                const std::map<std::string, std::string>& env)
{
    ScratchFolder io;
    io.write("in", input);
    std::string command = "env";
    for (const auto& [k, v] : env) {
        command += " " + quote(k + "=" + v);
    }
    command += " timeout 60 " + quote(BUDDYCARE_BINARY);
    for (const auto& a : args) {
        command += " " + quote(a);
    }
    command += " <" + quote(io.path() + "/in") + " >" + quote(io.path() + "/out") + " 2>" + quote(io.path() + "/err");
    const int raw = std::system(command.c_str());
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    o.out = readFile(io.path() + "/out");
    o.err = readFile(io.path() + "/err");
    return o;
}

ResourceCopy::ResourceCopy()
{
    for (const auto& entry : std::filesystem::directory_iterator(BUDDYCARE_RESOURCES)) {
        if (entry.is_regular_file()) {
            std::filesystem::create_symlink(entry.path(), std::filesystem::path(folder_.path()) / entry.path().filename());
        }
    }
}

void ResourceCopy::remove(const std::string& name) const { std::filesystem::remove(std::filesystem::path(path()) / name); }

void ResourceCopy::write(const std::string& name, const std::string& content) const
{
    remove(name);
    folder_.write(name, content);
}

std::string ResourceCopy::storyboard() const { return readFile(std::string(BUDDYCARE_RESOURCES) + "/storyboard.json"); }

} // namespace bc::test
