#include "app/ProgressKeeper.h"
#include "platform/ProgressFile.h"
#include "state/AppState.h"
#include "state/CareRules.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace bc {
namespace {

namespace fs = std::filesystem;

// A run of the game as far as keeping goes: its care state, file and keeper.
struct KeptRun {
    explicit KeptRun(const std::string& path) : file(path)
    {
        applyStartingValues(state);
        keeper.start();
    }
    AppState state;
    ProgressFile file;
    std::vector<std::string> said;
    ProgressKeeper keeper{state, file, [this](const std::string& line) { said.push_back(line); }};
};

TEST(ProgressKeeper, KeepsOnlyWhileSwitchedOnAndForgetsWhenSwitchedOff)
{
    test::ScratchFolder work;
    const std::string path = work.path() + "/keep/progress.json";
    {
        KeptRun run(path);
        run.state.setCoins(40);
        run.keeper.changed();
        EXPECT_FALSE(fs::exists(work.path() + "/keep")) << "nothing is written, not even a folder, while off";
        run.state.preferences().remember = true;
        run.keeper.changed();
        run.state.setCoins(90);
        run.keeper.changed();
        EXPECT_TRUE(run.said.empty());
    }
    KeptRun next(path);
    EXPECT_EQ(next.state.coins(), 90.0f);
    EXPECT_TRUE(next.state.preferences().remember);
    next.state.preferences().remember = false;
    next.keeper.changed();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(next.said.empty());
}

TEST(ProgressKeeper, AnUntrustedFileIsSetAsideWithOneLineAndTheGameStartsFresh)
{
    for (const char* text : {"{\"version\":1,\"coins\":", "{\"version\":9}", "{\"version\":1,\"coins\":-5}"}) {
        test::ScratchFolder work;
        work.write("progress.json", text);
        KeptRun run(work.path() + "/progress.json");
        ASSERT_EQ(run.said.size(), 1u) << text;
        EXPECT_NE(run.said[0].find("progress.json.damaged"), std::string::npos) << run.said[0];
        EXPECT_EQ(run.said[0].find('\n'), std::string::npos);
        EXPECT_EQ(run.state.coins(), 0.0f);
        EXPECT_FALSE(run.state.preferences().remember);
        EXPECT_EQ(test::readFile(work.path() + "/progress.json.damaged"), text);
        EXPECT_FALSE(fs::exists(work.path() + "/progress.json"));
    }
}

TEST(ProgressKeeper, AFolderThatCannotBeWrittenIsSaidOnceAndTriedAgainAtTheNextChange)
{
    test::ScratchFolder work;
    work.write("data", "a file where the folder should be");
    KeptRun run(work.path() + "/data/progress.json");
    run.state.preferences().remember = true;
    run.keeper.changed();
    run.keeper.changed();
    run.state.setCoins(5);
    run.keeper.changed();
    ASSERT_EQ(run.said.size(), 1u);
    EXPECT_NE(run.said[0].find("plays on without remembering"), std::string::npos) << run.said[0];

    fs::remove(work.path() + "/data");
    run.state.setCoins(10);
    run.keeper.changed();
    EXPECT_EQ(run.said.size(), 1u);
    EXPECT_EQ(parseProgress(test::readFile(work.path() + "/data/progress.json"))->at("coins"), 10);

    // Blocked again, mended while remembering is off: switched back on, the same game is written.
    fs::remove_all(work.path() + "/data");
    work.write("data", "in the way again");
    run.state.setCoins(20);
    run.keeper.changed();
    fs::remove(work.path() + "/data");
    for (const bool remember : {false, true}) {
        run.state.preferences().remember = remember;
        run.keeper.changed();
    }
    EXPECT_EQ(parseProgress(test::readFile(work.path() + "/data/progress.json"))->at("coins"), 20);

    // What the game could not read back is not written over what it can.
    run.state.setCoins(2.5f);
    run.keeper.changed();
    ASSERT_EQ(run.said.size(), 3u);
    EXPECT_NE(run.said[2].find("\"coins\" is not a whole number"), std::string::npos) << run.said[2];
    EXPECT_EQ(parseProgress(test::readFile(work.path() + "/data/progress.json"))->at("coins"), 20);
}

TEST(ProgressKeeper, ASecondGamePlaysWithoutRememberingAndLeavesTheFirstsFileAlone)
{
    test::ScratchFolder work;
    const std::string path = work.path() + "/progress.json";
    KeptRun first(path);
    first.state.preferences().remember = true;
    first.state.setCoins(30);
    first.keeper.changed();

    KeptRun second(path);
    ASSERT_EQ(second.said.size(), 1u);
    EXPECT_NE(second.said[0].find("another buddycare game"), std::string::npos) << second.said[0];
    EXPECT_EQ(second.state.coins(), 0.0f);
    second.state.setCoins(500);
    second.keeper.changed(); // remembering is off here: the first's file stays
    second.state.preferences().remember = true;
    second.keeper.changed();
    EXPECT_EQ(second.said.size(), 2u);
    EXPECT_EQ(parseProgress(test::readFile(path))->at("coins"), 30);
}

} // namespace
} // namespace bc
