#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>

namespace bc::test {
namespace {

using json = nlohmann::json;

// Each line must get exactly one JSON answer, an error for every bad one, and
// the game must end the run as it started it.
void expectEachRefused(const std::vector<std::string>& bad)
{
    std::string input = "state\nstack\n";
    for (const auto& line : bad) {
        input += line + "\n";
    }
    input += "state\nstack\n";
    const auto o = runGame({"--headless", "--seed", "3"}, input);
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), bad.size() + 4) << "one answer per line";
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const auto answer = json::parse(lines[i + 2], nullptr, false);
        ASSERT_FALSE(answer.is_discarded()) << "not JSON: " << lines[i + 2].substr(0, 200);
        EXPECT_TRUE(answer.contains("error")) << "line " << i << ": " << bad[i].substr(0, 80) << " -> " << lines[i + 2];
        EXPECT_LT(lines[i + 2].size(), 10000u) << "an answer does not echo a whole megabyte back";
    }
    EXPECT_EQ(lines[bad.size() + 2], lines[0]) << "the state changed";
    EXPECT_EQ(lines[bad.size() + 3], lines[1]) << "the stack changed";
}

TEST(DriverAbuse, LinesOfAMegabyte)
{
    expectEachRefused({"tap " + std::string(1 << 20, 'a'), std::string(1 << 20, ' ') + "x",
                       "set coins " + std::string(1 << 20, '9')});
}

TEST(DriverAbuse, BinaryGarbage)
{
    std::mt19937 random(7);
    std::vector<std::string> bad{
        std::string("\0\0\0", 3),
        std::string("tap \0cheat", 10),
        "tap \xc3\x28",
        "\xff\xfe\xfd",
        "\x1b[2Jtap cheat",
        "tap\tcheat\tnow",
    };
    for (int i = 0; i < 30; ++i) {
        std::string line;
        const int n = std::uniform_int_distribution<int>(1, 300)(random);
        for (int k = 0; k < n; ++k) {
            char c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
            line += c == '\n' ? '\x01' : c;
        }
        // A random line could spell a real command only by a miracle; start it with a byte no command has.
        bad.push_back("\x7f" + line);
    }
    expectEachRefused(bad);
}

TEST(DriverAbuse, WaitsAndSetsThatMakeNoSense)
{
    expectEachRefused({"wait 31536000", "wait 86400.5", "wait 1e400", "wait -1", "wait -1e-300", "wait 0x10",
                       "wait 1,5", "wait 2s", "wait", "wait 1 2", "set coins true", "set coins 1e40",
                       "set coins 12abc", "set settingsLocked 1", "set settingsLocked yes", "set bloodSugarLevel",
                       "set items bowtie", "set wearing []", "set nothing 1", "set coins 1 2", "step cheat up",
                       "step carbStepper sideways", "toggle yesSwitch", "tap", "quit now", "screen please"});
}

TEST(DriverAbuse, CarriageReturnsAndBlankLines)
{
    const auto o = runGame({"--headless"}, "tap cheat\r\n\r\n   \r\nstate\r\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), 4u) << o.out;
    EXPECT_EQ(lines[0], "{\"ok\":true}");
    EXPECT_TRUE(json::parse(lines[1]).contains("error"));
    EXPECT_TRUE(json::parse(lines[2]).contains("error"));
    EXPECT_EQ(json::parse(lines[3])["coins"], 50);
}

} // namespace
} // namespace bc::test
