#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <regex>

namespace bc::test {
namespace {

TEST(NoNetworkNoFiles, TheGameOpensNoSocketAndWritesOnlyItsScreenshot)
{
    if (std::system("command -v strace >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "strace is not installed (scripts/setup.sh installs it)";
    }
    ScratchFolder work;
    const std::string shot = work.path() + "/frame.png";
    // Every screen, both endings of a dose, a purchase and the settings, with
    // a screenshot in the middle: the one file the game may write. The driver
    // keeps nothing unless told where, whatever the grown-ups' switch says.
    const std::vector<std::string> tour{
        "tap cheat", "tap cheat", "tap cheat", "tap cheat", "tap checkPlace", "tap ->TrendsViewController",
        "tap backButtonPressed", "tap ->BloodSugarCheckInstructionsViewController", "tap ->AskForBloodViewController",
        "tap ->BloodSugarCheckInProgressViewController", "tap goodButtonPressed",
        "tap ->BloodSugarResultsViewController", "tap allDone", "tap insulinPlace", "tap carbCounterButtonPressed",
        "tap ->CarbCounterAddViewController", "tap addButtonPressed", "tap done", "tap continueButtonClicked",
        "toggle eSwitch", "step stepper up", "tap continueButtonPressed", "tap ->InsulinGivingViewController",
        "shot " + shot, "wait 2", "tap done", "tap insulinPlace", "tap continueButtonClicked",
        "tap continueButtonPressed", "tap ->InsulinGivingViewController", "tap stop", "tap doneButtonPressed",
        "tap eatPlace", "tap countCarbsButton", "tap homeButtonPressed", "tap buddyPlace", "tap shopButton",
        "tap tryToBuy", "tap closetButton", "tap itemButton", "tap wearButtonPressed", "tap homeButtonPressed",
        "tap buddyPlace", "tap gamesButton", "tap homeButtonPressed", "tap settingsPlace", "tap lockPressed",
        "toggle rememberSwitch", "step carbStepper up", "step basalRateStepper down", "tap backButtonPressed", "quit"};
    const std::string trace = work.path() + "/trace";
    // The leak checker stops the world with ptrace, which strace already holds.
    const auto o = runGame({"--headless", "--seed", "5"}, script(tour),
                           {{"ASAN_OPTIONS", "detect_leaks=0"}, {"HOME", work.path()}},
                           "strace -f -qq -o " + quote(trace) +
                               " -e trace=network,openat,open,creat,rename,renameat,renameat2,unlink,unlinkat,mkdir,mkdirat");
    ASSERT_EQ(o.status, 0) << o.err;
    std::size_t answers = 0;
    for (const auto& line : o.outLines()) {
        const auto answer = nlohmann::json::parse(line);
        answers += answer.contains("log") ? 0 : 1;
        EXPECT_FALSE(answer.contains("error")) << "the tour went wrong at answer " << answers << ": " << line;
    }
    EXPECT_EQ(answers, tour.size()) << "one answer per command";

    static const std::regex network(R"(\b(socket|socketpair|connect|bind|listen|accept4?|sendto|sendmsg|recvfrom)\()");
    static const std::regex writes(R"(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|\b(creat|rename|renameat2?|unlink|unlinkat|mkdir|mkdirat)\()");
    int opens = 0;
    bool shotWritten = false;
    for (const auto& line : linesOf(readFile(trace))) {
        EXPECT_FALSE(std::regex_search(line, network)) << line;
        const bool touchesShot = line.find("\"" + shot + "\"") != std::string::npos;
        opens += line.find("open") != std::string::npos ? 1 : 0;
        if (std::regex_search(line, writes)) {
            EXPECT_TRUE(touchesShot) << "a file written or changed: " << line;
            shotWritten = shotWritten || touchesShot;
        }
    }
    EXPECT_GT(opens, 10) << "strace saw the program open its pictures";
    EXPECT_TRUE(shotWritten) << "the screenshot was written, and seen";
}

} // namespace
} // namespace bc::test
