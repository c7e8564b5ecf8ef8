#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <regex>
#include <sstream>

namespace bc::test {
namespace {

// A tour of every screen, both endings of a dose, a purchase and the settings,
// with a screenshot in the middle: the one file the game may write.
std::vector<std::string> tour(const std::string& shot)
{
    return {
        "tap cheat", "tap cheat", "tap cheat", "tap cheat",
        "tap checkPlace", "tap ->TrendsViewController", "tap backButtonPressed",
        "tap ->BloodSugarCheckInstructionsViewController", "tap ->AskForBloodViewController",
        "tap ->BloodSugarCheckInProgressViewController", "tap goodButtonPressed",
        "tap ->BloodSugarResultsViewController", "tap allDone",
        "tap insulinPlace", "tap carbCounterButtonPressed", "tap ->CarbCounterAddViewController",
        "tap addButtonPressed", "tap done", "tap continueButtonClicked", "toggle eSwitch", "step stepper up",
        "tap continueButtonPressed", "tap ->InsulinGivingViewController", "shot " + shot, "wait 2",
        "tap done",
        "tap insulinPlace", "tap continueButtonClicked", "tap continueButtonPressed",
        "tap ->InsulinGivingViewController", "tap stop", "tap doneButtonPressed",
        "tap eatPlace", "tap countCarbsButton", "tap homeButtonPressed",
        "tap buddyPlace", "tap shopButton", "tap tryToBuy", "tap closetButton", "tap itemButton",
        "tap wearButtonPressed", "tap homeButtonPressed", "tap buddyPlace", "tap gamesButton", "tap homeButtonPressed",
        "tap settingsPlace", "tap lockPressed", "step carbStepper up", "step basalRateStepper down",
        "tap backButtonPressed", "quit",
    };
}

TEST(NoNetworkNoFiles, TheGameOpensNoSocketAndWritesOnlyItsScreenshot)
{
    if (std::system("command -v strace >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "strace is not installed (scripts/setup.sh installs it)";
    }
    ScratchFolder work;
    const std::string shot = work.path() + "/frame.png";
    std::string input;
    for (const auto& c : tour(shot)) {
        input += c + "\n";
    }
    work.write("in", input);
    const std::string trace = work.path() + "/trace";
    // The leak checker stops the world with ptrace, which strace already holds.
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 HOME='" + work.path() +
                                "' strace -f -qq -e trace=network,openat,open,creat,rename,renameat,renameat2,unlink,"
                                "unlinkat,mkdir,mkdirat -o '" + trace + "' '" + BUDDYCARE_BINARY +
                                "' --headless --seed 5 <'" + work.path() + "/in' >'" + work.path() + "/out' 2>'" +
                                work.path() + "/err'";
    ASSERT_EQ(std::system(command.c_str()), 0) << readFile(work.path() + "/err");

    std::istringstream answers(readFile(work.path() + "/out"));
    std::string line;
    int count = 0;
    while (std::getline(answers, line)) {
        if (nlohmann::json::parse(line).contains("log")) {
            continue;
        }
        ++count;
        EXPECT_FALSE(nlohmann::json::parse(line).contains("error")) << "the tour went wrong at answer " << count << ": "
                                                                      << line;
    }
    EXPECT_EQ(count, static_cast<int>(tour(shot).size())) << "one answer per command";

    static const std::regex network(R"(\b(socket|socketpair|connect|bind|listen|accept4?|sendto|sendmsg|recvfrom)\()");
    static const std::regex writes(R"(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)");
    static const std::regex changes(R"(\b(creat|rename|renameat2?|unlink|unlinkat|mkdir|mkdirat)\()");
    std::istringstream calls(readFile(trace));
    int opens = 0;
    bool shotWritten = false;
    while (std::getline(calls, line)) {
        EXPECT_FALSE(std::regex_search(line, network)) << line;
        const bool touchesShot = line.find("\"" + shot + "\"") != std::string::npos;
        if (line.find("open") != std::string::npos) {
            ++opens;
            if (std::regex_search(line, writes)) {
                EXPECT_TRUE(touchesShot) << "a file opened for writing: " << line;
                shotWritten = shotWritten || touchesShot;
            }
        }
        if (std::regex_search(line, changes)) {
            EXPECT_TRUE(touchesShot) << line;
        }
    }
    EXPECT_GT(opens, 10) << "strace saw the program open its pictures";
    EXPECT_TRUE(shotWritten) << "the screenshot was written, and seen";
}

} // namespace
} // namespace bc::test
