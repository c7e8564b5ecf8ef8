#include "platform/Console.h"
#include "platform/Driver.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <sstream>

namespace bc {
namespace {

using test::Game;

TEST(DriverErrors, MalformedCommandsAnswerAnErrorAndChangeNothing)
{
    Game game;
    const auto before = game.run("state");
    const std::vector<std::string> bad{
        "",
        "tap",
        "tap cheat extra",
        "toggle",
        "step cheat sideways",
        "wait",
        "wait soon",
        "wait -3",
        "wait nan",
        "wait inf",
        "wait 31536000",
        "set coins",
        "set coins 1e999",
        "set items bowtie",
        "set settingsLocked maybe",
        "set nothing 1",
        "shot picture.jpg",
        "stack now",
        "dance",
        std::string("tap \xff\xfe\x00\x01", 8),
        std::string(5000, 'x'),
    };
    for (const auto& line : bad) {
        const auto answer = game.run(line);
        EXPECT_TRUE(answer.contains("error")) << line << " -> " << answer.dump();
    }
    EXPECT_EQ(game.run("state"), before);
    EXPECT_EQ(game.stack(), (std::vector<std::string>{"ViewController"}));
}

TEST(DriverErrors, ControlsThatCannotBeTouchedAreRefused)
{
    Game game;
    auto answer = game.run("tap coinsLabel");
    EXPECT_NE(answer["error"].get<std::string>().find("label"), std::string::npos) << answer.dump();
    EXPECT_TRUE(game.run("toggle cheat").contains("error"));
    EXPECT_TRUE(game.run("step cheat up").contains("error"));
    EXPECT_TRUE(game.run("tap itemWorn").contains("error"));
}

TEST(DriverOutput, ConsoleLinesComeBeforeTheAnswerAsLogObjects)
{
    Game game;
    std::ostringstream out;
    CareStateAccess inspector(game.state());
    // A console line written while a command runs.
    auto previous = setConsoleObserver(nullptr);
    game.app().runLoop().schedule(1.0, false, nullptr, [] { NSLog("%s", "tick"); });
    driverCommand(game.app(), inspector, nullptr, "wait 1", out);
    setConsoleObserver(std::move(previous));
    EXPECT_EQ(out.str(), "{\"log\":\"tick\"}\n{\"ok\":true}\n");
}

TEST(DriverOutput, StateNumbersAreShortestFloatDecimals)
{
    Game game;
    game.play({"set bolusTarget 1.6666666", "set carbRatio 12", "set bloodSugarLevel 70.1"});
    auto state = game.run("state");
    EXPECT_EQ(state["bolusTarget"].dump(), "1.6666666");
    EXPECT_EQ(state["carbRatio"].dump(), "12");
    EXPECT_EQ(state["bloodSugarLevel"].dump(), "70.1");
}

TEST(DriverOutput, QuitEndsTheRunWithStatusZero)
{
    Game game;
    CareStateAccess inspector(game.state());
    std::istringstream in("tap cheat\nquit\ntap cheat\n");
    std::ostringstream out;
    EXPECT_EQ(runDriver(game.app(), inspector, nullptr, in, out), 0);
    EXPECT_EQ(out.str(), "{\"ok\":true}\n{\"ok\":true}\n");
    EXPECT_EQ(game.state().coins(), 50.0f);
}

} // namespace
} // namespace bc
