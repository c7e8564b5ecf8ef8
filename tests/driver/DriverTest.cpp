#include "platform/Console.h"
#include "platform/Driver.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <sstream>

namespace bc {
namespace {

using test::Game;

// The refusals the home transcript makes (an unknown command, control or field, a
// negative wait, the home screen's back) are left to it.
TEST(DriverErrors, EachRefusalAnswersItsOwnErrorAndChangesNothing)
{
    Game game;
    const auto before = game.run("state");
    const std::string number = "wait needs a number of seconds, 0 or more";
    const std::pair<std::string, std::string> rows[] = {
        {"", "empty command"},
        {std::string(5000, 'x'), "line longer than 4096 bytes"},
        {"tap", "usage: tap NAME"},
        {"stack now", "usage: stack"},
        {"toggle nothing", "no control \"nothing\" on ViewController"},
        {"tap coinsLabel", "\"coinsLabel\" is a label, which is not tapped"},
        {"toggle cheat", "\"cheat\" is not a switch"},
        {"step cheat up", "\"cheat\" is not a stepper"},
        {"step cheat sideways", "step direction must be up or down"},
        {"wait soon", number},
        {"wait nan", number},
        {"wait inf", number},
        {"wait 31536000", "wait is limited to one day (86400 seconds) at a time"},
        {"set coins 1e999", "set coins needs a finite number, not \"1e999\""},
        {"set items bowtie", "items is a list and cannot be set"},
        {"set settingsLocked maybe", "set settingsLocked needs true or false, not \"maybe\""},
        {"shot picture.jpg", "shot writes a .png file"},
        {"shot picture.png", "this build cannot draw frames"},
    };
    for (const auto& [line, why] : rows) {
        const auto answer = game.run(line);
        EXPECT_EQ(answer, (nlohmann::json{{"error", why}})) << line;
    }
    EXPECT_EQ(game.run("state"), before);
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
}

TEST(DriverOutput, ConsoleLinesComeBeforeTheAnswerAsLogObjects)
{
    Game game;
    std::ostringstream out;
    CareStateAccess inspector(game.state(), game.app().runLoop());
    Console& console = game.app().console();
    game.app().runLoop().schedule(1.0, false, nullptr, [&console] { console.log("tick"); });
    driverCommand(game.app(), inspector, nullptr, "wait 86400", out); // the longest wait allowed
    console.log("after the command");
    EXPECT_EQ(out.str(), "{\"log\":\"tick\"}\n{\"ok\":true}\n");
}

TEST(DriverOutput, QuitEndsTheRunWithStatusZeroButNotWithArguments)
{
    Game game;
    CareStateAccess inspector(game.state(), game.app().runLoop());
    std::istringstream in("tap cheat\r\nquit now\nquit\ntap cheat\n");
    std::ostringstream out;
    EXPECT_EQ(runDriver(game.app(), inspector, nullptr, in, out), 0);
    EXPECT_EQ(out.str(), "{\"ok\":true}\n{\"error\":\"usage: quit\"}\n{\"ok\":true}\n");
    EXPECT_EQ(game.state().coins(), 50.0f);
}

} // namespace
} // namespace bc
