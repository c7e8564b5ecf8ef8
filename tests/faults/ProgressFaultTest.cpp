#include "app/Progress.h"
#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <thread>

namespace bc::test {
namespace {

namespace fs = std::filesystem;

TEST(ProgressFaults, RememberedCoinsAndSettingsComeBackButTheReadingStartsAgain)
{
    ScratchFolder work;
    const std::string file = work.path() + "/kept/progress.json";
    const auto first = runGame(
        {"--headless", "--progress", file},
        script({"tap cheat", "tap settingsPlace", "tap lockPressed", "toggle rememberSwitch", "toggle readToMeSwitch",
                "set bloodSugarLevel 90", "quit"}));
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "");
    const auto second = runGame({"--headless", "--progress", file},
                                script({"heard", "state", "screen", "tap settingsPlace", "tap lockPressed", "screen",
                                        "toggle rememberSwitch", "quit"}));
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.outLines().at(0), R"({"heard":[]})") << "with \"Read to me\" kept off, no greeting";
    const auto state = nlohmann::json::parse(second.outLines().at(1));
    // Which fields are kept is the progress record's own test; here, that the program keeps and restores them.
    EXPECT_EQ(state["coins"], 50);
    EXPECT_EQ(state["bloodSugarLevel"], 150);
    const auto home = second.outLines().at(2);
    EXPECT_NE(home.find(R"("text":"50")"), std::string::npos) << "the first screen shows the kept coins: " << home;
    const auto settings = second.outLines().at(5);
    for (const char* shown : {R"("name":"rememberSwitch","kind":"switch","hidden":false,"enabled":true,"on":true)",
                              R"("name":"readToMeSwitch","kind":"switch","hidden":false,"enabled":true,"on":false)"}) {
        EXPECT_NE(settings.find(shown), std::string::npos) << settings;
    }
    EXPECT_FALSE(fs::exists(file)) << "switching remembering off forgets";
}

TEST(ProgressFaults, ADamagedFileGivesOneLineAFreshStartAndADamagedCopy)
{
    ScratchFolder work;
    work.write("progress.json", R"({"version":1,"coins":1e9})");
    const auto o = runGame({"--headless", "--progress", work.path() + "/progress.json"}, "state\nquit\n");
    EXPECT_EQ(o.status, 0);
    ASSERT_EQ(o.errLines().size(), 1u) << o.err;
    EXPECT_NE(o.err.find("\"coins\" is past 1,000,000"), std::string::npos) << o.err;
    EXPECT_EQ(nlohmann::json::parse(o.outLines().at(0))["coins"], 0);
    EXPECT_EQ(readFile(work.path() + "/progress.json.damaged"), R"({"version":1,"coins":1e9})");
}

// The game keeping into `progress`, reading its commands from `input`.
pid_t spawnGame(const std::string& progress, int input)
{
    posix_spawn_file_actions_t io;
    posix_spawn_file_actions_init(&io);
    posix_spawn_file_actions_adddup2(&io, input, 0);
    posix_spawn_file_actions_addopen(&io, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&io, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args{BUDDYCARE_BINARY, "--headless", "--progress", progress};
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, BUDDYCARE_BINARY, &io, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&io);
    return pid;
}

void killAfter(const std::string& progress, const std::string& inputFile, std::chrono::microseconds delay)
{
    const int input = ::open(inputFile.c_str(), O_RDONLY | O_CLOEXEC);
    const pid_t pid = spawnGame(progress, input);
    ::close(input);
    std::this_thread::sleep_for(delay);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

TEST(ProgressFaults, AKillAtAnyInstantDuringAThousandSavesLeavesAFileThatLoads)
{
    ScratchFolder work;
    const std::string file = work.path() + "/progress.json";
    ASSERT_EQ(runGame({"--headless", "--progress", file},
                      script({"tap settingsPlace", "tap lockPressed", "toggle rememberSwitch", "quit"}))
                  .status,
              0);
    std::vector<std::string> saves;
    for (int i = 1; i <= 1000; ++i) {
        saves.push_back("set coins " + std::to_string(i));
    }
    work.write("saves", script(saves));
    // How long the thousand saves take here, so the kills land all along them.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(runGame({"--headless", "--progress", file}, script(saves)).status, 0);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(parseProgress(readFile(file))->at("coins"), 1000);

    const auto seed = std::random_device{}();
    std::mt19937 draw(seed);
    std::uniform_int_distribution<long> instant(0, whole.count());
    for (int kill = 0; kill < 8; ++kill) {
        const auto at = std::chrono::microseconds(instant(draw));
        killAfter(file, work.path() + "/saves", at);
        const auto kept = parseProgress(readFile(file));
        ASSERT_TRUE(kept.ok()) << "killed after " << at.count() << " us (seed " << seed << "): " << kept.error().message;
    }
}

} // namespace
} // namespace bc::test
