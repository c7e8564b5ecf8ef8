#pragma once

#include "monkey/ReferenceModel.h"
#include "app/GameRegistry.h"
#include "platform/Application.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace bc::monkey {

// A child let loose on the shipped game: random taps on any control of the top
// screen (hidden and disabled ones too), toggles, steps, the bar's back
// control and waits, on the virtual clock. After every step the game is
// compared with the reference model and checked against the game's rules.
// The same seed gives the same run.
class Monkey {
public:
    explicit Monkey(std::uint64_t seed);
    ~Monkey();
    Monkey(const Monkey&) = delete;
    Monkey& operator=(const Monkey&) = delete;

    // One random step and its checks; false once something is wrong.
    bool step();
    // Runs up to `steps` steps; false on the first failure.
    bool run(long steps);

    // What went wrong, with the steps that led there.
    const std::string& failure() const { return failure_; }
    long steps() const { return steps_; }
    // A digest of everything the run did, to show that a seed replays.
    std::uint64_t trace() const { return trace_; }
    const ReferenceModel::Counts& counts() const { return model_->counts(); }
    std::size_t deepest() const { return deepest_; }
    std::size_t longestRoute() const { return longestRoute_; }
    std::size_t mostTimers() const { return mostTimers_; }

    Application& app() { return *app_; }
    ReferenceModel& model() { return *model_; }

    // Checks everything once more without a step (after a test tampers).
    bool check();

private:
    std::string describeStep(const std::string& what);
    void fail(const std::string& why);
    void compareScreens(std::vector<std::string>& problems);
    void compareState(std::vector<std::string>& problems);
    void checkRules(std::vector<std::string>& problems);

    std::mt19937_64 random_;
    GameSetup game_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<ReferenceModel> model_;
    std::vector<std::string> consoleLines_;
    std::vector<std::string> pushProblems_;
    std::deque<std::string> recent_;
    std::string failure_;
    long steps_ = 0;
    std::uint64_t trace_ = 1469598103934665603ull;
    std::size_t longestRoute_ = 0;
    std::size_t deepest_ = 0;
    std::size_t mostTimers_ = 0;
    long completePushes_ = 0;
    long goodPushes_ = 0;
    long cheats_ = 0;
};

} // namespace bc::monkey
