#pragma once

#include "app/GameRegistry.h"
#include "platform/Application.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace bc::monkey {

// The care state as the rules say it should be; only the lengths of the lists are ever read.
struct ModelState {
    float bloodSugarStored = 0, carbsMostRecentMeal = 25, coins = 0, bolusGiven = 0, bolusTarget = 0;
    float carbsNotAddressed = 25, carbsFromCounter = 0, bolusJustGiven = 0, carbRatio = 15, basalRate = 15;
    bool includeMostRecentMeal = true, fromInsulinScreen = false, aboutToExercise = false, settingsLocked = true;
    std::size_t items = 0, wearing = 0;
    float previousReading = 0, lowGrams = 15, lowGramsTaken = 0;
    int stickers = 0;
    // 150 while nothing was stored, and kept.
    float bloodSugarLevel() { return bloodSugarStored = bloodSugarStored == 0.0f ? 150.0f : bloodSugarStored; }
};

// What the rules read of a control: a switch's answer, a stepper's value.
struct ModelControl { const ControlLayout* layout = nullptr; bool on = false; double value = 0; };

struct ModelScreen {
    std::string className;
    int id = 0; // which instance: a push always makes a new one
    std::vector<ModelControl> controls;
    bool stillLow = false; // a recheck's answer, settled as it loads
    bool counted = false;  // food counted on this visit to the counter
    ModelControl& control(const std::string& name);
};

// A small model of the game written from its rules rather than its code: the
// stack, the care state, the navigation bar, the delivery timers and the
// console lines. It is told what it does not decide (the reading a check
// draws, and which taps the screen took).
class ReferenceModel {
public:
    explicit ReferenceModel(const Storyboard& storyboard);
    // A control input the game took.
    void input(std::size_t control, bool up);
    // Whether the bar's back is there to take.
    bool navBack();
    void wait(double seconds);
    // Given the base of the range (70 or 120), answers the reading the game drew.
    std::function<float(float base)> drawReading;
    // The food the carb game shows now.
    std::function<std::string()> shownFood;
    // The three jobs the game drew for the day the clock is on.
    std::function<std::vector<std::string>()> todaysJobs;
    // Today's jobs done, in the order they were done; the day starts at 08:00 of the clock's first day.
    std::vector<std::string> jobsDone();

    const std::vector<std::shared_ptr<ModelScreen>>& stack() const { return stack_; }
    ModelState& state() { return state_; }
    bool barHidden() const { return barHidden_; }
    std::size_t pendingTimers() const { return timers_.size(); }
    // Console lines, and what the model could not follow, since the last call.
    std::vector<std::string> takeLogs() { return std::exchange(logs_, {}); }
    std::vector<std::string> takeProblems() { return std::exchange(problems_, {}); }

    struct Counts {
        long goodArrivals = 0, completeAppearances = 0, stoppedDoses = 0, cheats = 0, purchases = 0, wears = 0;
        long refused = 0, timersFired = 0, rightAnswers = 0, gamesFinished = 0, treatedLows = 0, daysDone = 0;
    };
    Counts& counts() { return counts_; }

private:
    void push(const std::string& className);
    void popTo(std::size_t index);
    void hook(ModelScreen& s, char which);
    void runAction(ModelScreen& s, const std::string& action);
    void nextFood(int screen);
    void dropTimers(int screen);
    void turnDay();
    void jobDone(const std::string& job);

    // The carb game both its screens share: the round, whether it is answered, whether it is over.
    struct CarbRound { int round = 0; bool answered = false, finished = false; } carb_;
    std::set<int> carbScreens_;

    const Storyboard& storyboard_;
    std::vector<std::shared_ptr<ModelScreen>> stack_;
    ModelState state_;
    bool barHidden_ = false;
    double now_ = 0;
    int nextId_ = 1;
    std::vector<std::pair<double, int>> timers_; // due, screen; in the order they were scheduled
    std::vector<std::string> logs_, problems_;
    Counts counts_;
    long day_ = 0;
    std::vector<std::string> done_;
};

// A child let loose on the shipped game: random taps on any control of the top
// screen (hidden and disabled ones too), toggles, steps, the bar's back
// control and waits, on the virtual clock. After every step the game is
// compared with the reference model and checked against the rules of coins and
// navigation. The same seed gives the same run.
class Monkey {
public:
    explicit Monkey(std::uint64_t seed);
    ~Monkey();
    // One random step and its checks (or the checks alone); false once something is wrong.
    bool step();
    bool run(long steps);
    bool check();
    // What went wrong, with the steps that led there.
    const std::string& failure() const { return failure_; }
    long steps() const { return steps_; }
    // A digest of everything the run did, to show that a seed replays.
    std::uint64_t trace() const { return trace_; }
    const ReferenceModel::Counts& counts() const { return model_->counts(); }
    std::size_t deepest() const { return deepest_; }
    Application& app() { return *app_; }
    AppState& state();

private:
    void mix(const std::string& what);
    std::vector<std::string> problems();

    std::mt19937_64 random_;
    GameSetup game_;
    std::unique_ptr<Application> app_;
    std::unique_ptr<ReferenceModel> model_;
    std::vector<std::string> consoleLines_, pushProblems_;
    std::deque<std::string> recent_;
    std::string failure_;
    long steps_ = 0, completePushes_ = 0, goodPushes_ = 0, cheats_ = 0, rightAnswers_ = 0, treatedLows_ = 0;
    bool fastSugarTaken_ = false;
    std::uint64_t trace_ = 1469598103934665603ull;
    std::size_t deepest_ = 0;
};

} // namespace bc::monkey
