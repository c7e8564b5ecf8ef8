#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>


namespace bc::test {
namespace {

using json = nlohmann::json;

// Through the real program's standard input: megabyte lines and bytes no text
// has each get one short error answer (random bytes are the fuzzer's);
// carriage returns end lines; the run ends with the state and stack it began with.
TEST(DriverAbuse, EachBadLineIsRefusedAndChangesNothing)
{
    const std::vector<std::string> bad{"tap " + std::string(1 << 20, 'a'), std::string(1 << 20, ' ') + "x",
                                 "set coins " + std::string(1 << 20, '9'), std::string("\0\0\0", 3),
                                 std::string("tap \0cheat", 10), "tap \xc3\x28", "\x1b[2Jtap cheat", "tap\tcheat\tnow",
                                 "wait 1e400", "wait 0x10", "wait 1,5", "set coins 12abc", "set coins 1 2", "\r", "  \r"};
    std::string input = "state\r\nstack\n";
    for (const auto& line : bad) {
        input += line + "\n";
    }
    const auto o = runGame({"--headless", "--seed", "3"}, input + "tap cheat\r\nstate\nstack\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), bad.size() + 5) << "one answer per line";
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const auto answer = json::parse(lines[i + 2], nullptr, false);
        EXPECT_TRUE(!answer.is_discarded() && answer.contains("error")) << bad[i].substr(0, 80) << " -> " << lines[i + 2];
        EXPECT_LT(lines[i + 2].size(), 10000u) << "an answer does not echo a whole megabyte back";
    }
    EXPECT_EQ(lines[bad.size() + 2], "{\"ok\":true}");
    auto state = json::parse(lines[0]);
    state["coins"] = 50;
    EXPECT_EQ(json::parse(lines[bad.size() + 3]), state) << "only the cheat changed the state";
    EXPECT_EQ(lines[bad.size() + 4], lines[1]) << "the stack changed";
}

} // namespace
} // namespace bc::test
