#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>

namespace bc::test {
namespace {

using json = nlohmann::json;

// Through the real program's standard input: every bad line gets exactly one
// short error answer, and the run ends with the state and stack it began with.
TEST(DriverAbuse, EachBadLineIsRefusedAndChangesNothing)
{
    std::vector<std::string> bad{
        "tap " + std::string(1 << 20, 'a'), std::string(1 << 20, ' ') + "x", "set coins " + std::string(1 << 20, '9'),
        std::string("\0\0\0", 3), std::string("tap \0cheat", 10), "tap \xc3\x28", "\xff\xfe\xfd", "\x1b[2Jtap cheat",
        "tap\tcheat\tnow", "wait 86400.5", "wait 1e400", "wait -1e-300", "wait 0x10", "wait 1,5", "wait 2s",
        "wait 1 2", "set coins true", "set coins 1e40", "set coins 12abc", "set settingsLocked 1",
        "set bloodSugarLevel", "set wearing []", "set coins 1 2", "toggle yesSwitch", "quit now", "screen please"};
    std::mt19937 random(7);
    for (int i = 0; i < 30; ++i) {
        // Random bytes, led by one no command starts with.
        std::string line = "\x7f";
        for (int k = std::uniform_int_distribution<int>(1, 300)(random); k > 0; --k) {
            const char c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
            line += c == '\n' ? '\x01' : c;
        }
        bad.push_back(line);
    }
    std::string input = "state\nstack\n";
    for (const auto& line : bad) {
        input += line + "\n";
    }
    const auto o = runGame({"--headless", "--seed", "3"}, input + "state\nstack\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), bad.size() + 4) << "one answer per line";
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const auto answer = json::parse(lines[i + 2], nullptr, false);
        EXPECT_TRUE(!answer.is_discarded() && answer.contains("error")) << bad[i].substr(0, 80) << " -> " << lines[i + 2];
        EXPECT_LT(lines[i + 2].size(), 10000u) << "an answer does not echo a whole megabyte back";
    }
    EXPECT_EQ(lines[bad.size() + 2], lines[0]) << "the state changed";
    EXPECT_EQ(lines[bad.size() + 3], lines[1]) << "the stack changed";
}

TEST(DriverAbuse, CarriageReturnsEndLinesAndBlankLinesAreErrors)
{
    const auto o = runGame({"--headless"}, "tap cheat\r\n\r\n   \r\nstate\r\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), 4u) << o.out;
    EXPECT_EQ(lines[0], "{\"ok\":true}");
    EXPECT_TRUE(json::parse(lines[1]).contains("error") && json::parse(lines[2]).contains("error"));
    EXPECT_EQ(json::parse(lines[3])["coins"], 50);
}

} // namespace
} // namespace bc::test
