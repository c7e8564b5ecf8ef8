#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>

namespace bc::test {
namespace {

using json = nlohmann::json;

std::string shipped() { return readFile(std::string(BUDDYCARE_RESOURCES) + "/storyboard.json"); }

struct StartupFault {
    const char* name;
    std::function<void(const ResourceCopy&)> plant;
    std::vector<std::string> mentions; // "@" stands for the copy's folder
};

const StartupFault kFaults[] = {
    {"missing interface description", [](auto& c) { c.remove("storyboard.json"); }, {"@/storyboard.json"}},
    {"truncated description", [](auto& c) { c.write("storyboard.json", shipped().substr(0, 300)); },
     {"storyboard.json", "not valid JSON"}},
    // Well-formed JSON the parser cannot hold once ended the program with an uncaught exception.
    {"a number too large", [](auto& c) { c.write("storyboard.json", "888888E9991900"); },
     {"storyboard.json", "not valid JSON", "number"}},
    {"line breaks in a quoted name stay on one line",
     [](auto& c) {
         std::string text = shipped();
         c.write("storyboard.json", text.replace(text.find("\"kind\": \"label\""), 15, R"("kind": "label\nsecond line\r\u0001")"));
     },
     {"storyboard.json", "ViewController", "unknown kind", "label\\nsecond line"}},
    // The home screen's layout names the sad background itself.
    {"a picture the description names is missing", [](auto& c) { c.remove("sadhomescreen.jpg"); },
     {"storyboard.json", "sadhomescreen.jpg"}},
};

// A start that cannot go ahead: status 2, nothing on standard output (the
// driver never answered), and exactly one line saying why.
void expectCleanRefusal(const Outcome& o, const std::string& folder, const std::vector<std::string>& mentions)
{
    EXPECT_EQ(o.status, 2) << o.err;
    EXPECT_EQ(o.out, "") << "nothing may start before the problem is found";
    ASSERT_EQ(o.errLines().size(), 1u) << o.err;
    const std::string line = o.errLines()[0];
    EXPECT_EQ(line.rfind("buddycare: ", 0), 0u) << line;
    for (std::string m : mentions) {
        m = m[0] == '@' ? folder + m.substr(1) : m;
        EXPECT_NE(line.find(m), std::string::npos) << "\"" << m << "\" missing from: " << line;
    }
}

TEST(StartupFaults, EachBrokenResourceStopsTheStartWithOneLine)
{
    for (const auto& f : kFaults) {
        SCOPED_TRACE(f.name);
        ResourceCopy copy;
        f.plant(copy);
        expectCleanRefusal(runGame({"--headless", "--resources", copy.path()}, "state\nquit\n"), copy.path(), f.mentions);
    }
    const std::string nowhere = "/nonexistent/buddycare-resources";
    expectCleanRefusal(runGame({"--headless", "--resources", nowhere}, "state\n"), "", {nowhere, "not found"});
    // A day that is not on the calendar is refused like any bad option.
    expectCleanRefusal(runGame({"--headless", "--date", "2026-02-30"}, "state\n"), "", {"--date", "2026-02-30"});
}

// With no font at all the window cannot show words, so it does not start;
// the headless driver plays on and only its screenshots are refused.
TEST(StartupFaults, NoUsableFont)
{
    ScratchFolder fonts, shots;
    fonts.write("fonts.conf", "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig><cachedir>" +
                                  fonts.path() + "/cache</cachedir></fontconfig>\n");
    const std::map<std::string, std::string> env{{"FONTCONFIG_FILE", fonts.path() + "/fonts.conf"}};
    auto window = env;
    window["SDL_VIDEODRIVER"] = "offscreen"; // stands in for a display
    const auto o = runGame({}, "", window);
    EXPECT_EQ(o.status, 2) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("no usable font"), std::string::npos) << o.err;

    const auto headless = runGame({"--headless"}, "tap cheat\nshot " + shots.path() + "/x.png\nstate\n", env);
    EXPECT_EQ(headless.status, 0) << headless.err;
    const auto lines = headless.outLines();
    ASSERT_EQ(lines.size(), 3u) << headless.out;
    EXPECT_EQ(lines[0], "{\"ok\":true}");
    EXPECT_NE(json::parse(lines[1]).value("error", "").find("no usable font"), std::string::npos) << lines[1];
    EXPECT_EQ(json::parse(lines[2])["coins"], 50);
    EXPECT_FALSE(std::filesystem::exists(shots.path() + "/x.png"));
}

} // namespace
} // namespace bc::test
