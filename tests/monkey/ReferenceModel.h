#pragma once

#include "platform/Storyboard.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace bc::monkey {

// The care state as the rules of the game say it should be, kept apart from
// the game's own AppState so that the two can be compared after every step.
struct ModelState {
    float bloodSugarStored = 0;
    float carbsMostRecentMeal = 0;
    float coins = 0;
    std::vector<std::string> items;
    std::vector<std::string> wearing;
    float bolusGiven = 0;
    float bolusTarget = 0;
    float carbsNotAddressed = 0;
    float carbsFromCounter = 0;
    float bolusJustGiven = 0;
    bool includeMostRecentMeal = false;
    bool fromInsulinScreen = false;
    bool aboutToExercise = false;
    float carbRatio = 0;
    float basalRate = 0;
    bool settingsLocked = false;

    // Reads 150 while nothing was stored, and keeps it.
    float bloodSugarLevel();
    void clearState();
};

// One control as the model expects it to look.
struct ModelControl {
    std::string name;
    ControlKind kind = ControlKind::View;
    int parent = -1;
    bool hidden = false;
    bool enabled = true;
    bool on = false;
    std::string text;
    std::string title;
    std::string picture;
    double value = 0, minimum = 0, maximum = 100, step = 1;
    std::vector<std::string> actions;
    Transition transition;
};

struct ModelScreen {
    std::string className;
    int id = 0; // which instance: a push always makes a new one
    std::vector<ModelControl> controls;

    ModelControl& control(const std::string& name);
    bool effectivelyHidden(std::size_t index) const;
};

// A small model of the game, written from its rules rather than from its
// code: the stack, each screen's controls, the care state, the navigation
// bar, the delivery timers and the console lines. It is told only what it
// cannot know (the random reading a check draws).
class ReferenceModel {
public:
    explicit ReferenceModel(const Storyboard& storyboard);

    // Each returns whether the game should accept the input; a refused input
    // changes nothing.
    bool tap(std::size_t control);
    bool toggle(std::size_t control);
    bool step(std::size_t control, bool up);
    bool navBack();
    void wait(double seconds);

    // Given the base of the range (70 or 120), answers the reading the game
    // drew; the model checks the rest.
    std::function<float(float base)> drawReading;

    const std::vector<std::shared_ptr<ModelScreen>>& stack() const { return stack_; }
    ModelState& state() { return state_; }
    bool barHidden() const { return barHidden_; }
    std::size_t pendingTimers() const { return timers_.size(); }
    // Console lines written since the last call.
    std::vector<std::string> takeLogs();
    // What the model could not follow (a screen or action it has no rule for,
    // a reading outside its range) since the last call.
    std::vector<std::string> takeProblems();

    // What happened so far, counted from the inputs the model saw.
    struct Counts {
        long goodArrivals = 0;
        long completeAppearances = 0;
        long cheats = 0;
        long purchases = 0;
        long refused = 0;
        long stoppedDoses = 0;
        long wears = 0;
        long timersFired = 0;
    };
    const Counts& counts() const { return counts_; }

private:
    struct Timer {
        double due = 0;
        long order = 0;
        int screenId = 0;
    };

    ModelScreen& top() { return *stack_.back(); }
    std::shared_ptr<ModelScreen> make(const std::string& className);
    void push(const std::string& className);
    void popTo(std::size_t index);
    void popOne();
    void popToRoot();
    void perform(int fromId, const Transition& transition);
    void runAction(const std::shared_ptr<ModelScreen>& screen, const std::string& action);
    bool isTop(int id) const { return !stack_.empty() && stack_.back()->id == id; }

    void load(ModelScreen& s);
    void willAppear(ModelScreen& s);
    void didAppear(ModelScreen& s);
    void willDisappear(ModelScreen& s);
    void didDisappear(ModelScreen& s);
    void updateUI(ModelScreen& s);
    void showCoins(ModelScreen& s);
    void checkBowTie(ModelScreen& s);
    void reasons(ModelScreen& s);

    const Storyboard& storyboard_;
    std::vector<std::shared_ptr<ModelScreen>> stack_;
    ModelState state_;
    bool barHidden_ = false;
    double now_ = 0;
    long nextOrder_ = 0;
    int nextId_ = 1;
    std::vector<Timer> timers_;
    std::vector<std::string> logs_;
    std::vector<std::string> problems_;
    Counts counts_;
};

} // namespace bc::monkey
