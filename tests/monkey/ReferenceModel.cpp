#include "monkey/ReferenceModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace bc::monkey {

namespace {

std::string format(const char* pattern, double value)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string coinText(float coins) { return format("%.0f", static_cast<double>(coins)); }

void flatten(const ControlLayout& layout, int parent, std::vector<ModelControl>& out)
{
    ModelControl c;
    c.name = layout.name;
    c.kind = layout.kind;
    c.parent = parent;
    c.hidden = layout.hidden;
    c.enabled = layout.kind == ControlKind::Button ? layout.enabled : true;
    c.on = layout.on;
    c.text = layout.text;
    c.title = layout.title;
    c.picture = layout.picture;
    c.value = layout.value;
    c.minimum = layout.minimum;
    c.maximum = layout.maximum;
    c.step = layout.step;
    c.actions = layout.actions;
    c.transition = layout.transition;
    out.push_back(c);
    const int self = static_cast<int>(out.size()) - 1;
    for (const auto& child : layout.children) {
        flatten(child, self, out);
    }
}

bool inBand(float reading) { return reading > 70.0f && reading < 140.0f; }

constexpr double kDeliverySeconds = 2.0;
constexpr float kPrice = 200.0f;

// A number shown beside a counted word: the word agrees with the number as
// shown ("1 unit", "2 units"); the rest of the word's label stays.
void showCounted(ModelScreen& s, const char* number, double value, const char* wordLabel, const char* one,
                 const char* many)
{
    const std::string shown = format("%.0f", value);
    s.control(number).text = shown;
    std::string& words = s.control(wordLabel).text;
    const auto space = words.find(' ');
    words = (shown == "1" ? one : many) + (space == std::string::npos ? std::string() : words.substr(space));
}

std::string carbs(double grams)
{
    const std::string shown = format("%.0f", grams);
    return shown + (shown == "1" ? " carb" : " carbs");
}

} // namespace

float ModelState::bloodSugarLevel()
{
    if (bloodSugarStored == 0.0f) {
        bloodSugarStored = 150.0f;
    }
    return bloodSugarStored;
}

void ModelState::clearState()
{
    bolusTarget = 0;
    bolusJustGiven = 0;
    bolusGiven = 0;
    carbsMostRecentMeal = 0;
    carbsNotAddressed = 0;
    carbsFromCounter = 0;
    aboutToExercise = false;
    includeMostRecentMeal = true;
}

ModelControl& ModelScreen::control(const std::string& name)
{
    for (auto& c : controls) {
        if (c.name == name) {
            return c;
        }
    }
    static ModelControl nowhere;
    nowhere = ModelControl{};
    return nowhere;
}

bool ModelScreen::effectivelyHidden(std::size_t index) const
{
    for (int i = static_cast<int>(index); i >= 0; i = controls[static_cast<std::size_t>(i)].parent) {
        if (controls[static_cast<std::size_t>(i)].hidden) {
            return true;
        }
    }
    return false;
}

ReferenceModel::ReferenceModel(const Storyboard& storyboard) : storyboard_(storyboard)
{
    // The home screen makes the state with its starting values on first use.
    state_.includeMostRecentMeal = true;
    state_.carbsMostRecentMeal = 25;
    state_.carbsNotAddressed = 25;
    state_.basalRate = 15;
    state_.carbRatio = 15;
    state_.settingsLocked = true;
    auto home = make(storyboard.initial());
    stack_.push_back(home);
    load(*home);
    willAppear(*home);
    didAppear(*home);
}

std::vector<std::string> ReferenceModel::takeLogs() { return std::exchange(logs_, {}); }

std::vector<std::string> ReferenceModel::takeProblems() { return std::exchange(problems_, {}); }

std::shared_ptr<ModelScreen> ReferenceModel::make(const std::string& className)
{
    auto screen = std::make_shared<ModelScreen>();
    screen->className = className;
    screen->id = nextId_++;
    if (const ScreenLayout* layout = storyboard_.find(className)) {
        for (const auto& c : layout->controls) {
            flatten(c, -1, screen->controls);
        }
    } else {
        problems_.push_back("no layout for " + className);
    }
    return screen;
}

// ---- navigation, in the platform's order of hooks ----

void ReferenceModel::push(const std::string& className)
{
    auto old = stack_.back();
    auto next = make(className);
    stack_.push_back(next);
    if (className == "GoodResultsViewController") {
        ++counts_.goodArrivals;
    }
    if (className == "InsulinStoppedViewController") {
        ++counts_.stoppedDoses;
    }
    load(*next);
    willDisappear(*old);
    willAppear(*next);
    didDisappear(*old);
    didAppear(*next);
}

void ReferenceModel::popTo(std::size_t index)
{
    if (index + 1 >= stack_.size()) {
        return;
    }
    auto leaving = stack_.back();
    auto target = stack_[index];
    stack_.resize(index + 1);
    willDisappear(*leaving);
    willAppear(*target);
    didDisappear(*leaving);
    didAppear(*target);
}

void ReferenceModel::popOne()
{
    if (stack_.size() >= 2) {
        popTo(stack_.size() - 2);
    }
}

void ReferenceModel::popToRoot() { popTo(0); }

void ReferenceModel::perform(int fromId, const Transition& transition)
{
    if (!isTop(fromId)) {
        return;
    }
    switch (transition.kind) {
    case Transition::Kind::None: return;
    case Transition::Kind::Push: push(transition.target); return;
    case Transition::Kind::Pop: popOne(); return;
    case Transition::Kind::PopToRoot: popToRoot(); return;
    case Transition::Kind::Unwind: {
        std::size_t target = 0;
        for (std::size_t i = stack_.size() - 1; i-- > 0;) {
            if (stack_[i]->className == transition.target) {
                target = i;
                break;
            }
        }
        popTo(target);
        return;
    }
    }
}

// ---- inputs ----

bool ReferenceModel::tap(std::size_t index)
{
    auto screen = stack_.back();
    if (index >= screen->controls.size()) {
        return false;
    }
    ModelControl& c = screen->controls[index];
    if (screen->effectivelyHidden(index) || !c.enabled) {
        ++counts_.refused;
        return false;
    }
    if (c.kind == ControlKind::Switch) {
        return toggle(index);
    }
    if (c.kind != ControlKind::Button) {
        ++counts_.refused;
        return false;
    }
    const auto actions = c.actions;
    const auto transition = c.transition;
    for (const auto& a : actions) {
        runAction(screen, a);
    }
    perform(screen->id, transition);
    return true;
}

bool ReferenceModel::toggle(std::size_t index)
{
    auto screen = stack_.back();
    ModelControl& c = screen->controls[index];
    if (screen->effectivelyHidden(index) || !c.enabled || c.kind != ControlKind::Switch) {
        ++counts_.refused;
        return false;
    }
    c.on = !c.on;
    const auto actions = c.actions;
    for (const auto& a : actions) {
        runAction(screen, a);
    }
    return true;
}

bool ReferenceModel::step(std::size_t index, bool up)
{
    auto screen = stack_.back();
    ModelControl& c = screen->controls[index];
    if (screen->effectivelyHidden(index) || !c.enabled || c.kind != ControlKind::Stepper) {
        ++counts_.refused;
        return false;
    }
    const double next = up ? std::min(c.value + c.step, c.maximum) : std::max(c.value - c.step, c.minimum);
    if (next != c.value) {
        c.value = next;
        const auto actions = c.actions;
        for (const auto& a : actions) {
            runAction(screen, a);
        }
    }
    return true;
}

bool ReferenceModel::navBack()
{
    if (barHidden_ || stack_.size() < 2) {
        ++counts_.refused;
        return false;
    }
    popOne();
    return true;
}

void ReferenceModel::wait(double seconds)
{
    const double until = now_ + std::max(seconds, 0.0);
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->due <= until &&
                (next == timers_.end() || it->due < next->due || (it->due == next->due && it->order < next->order))) {
                next = it;
            }
        }
        if (next == timers_.end()) {
            break;
        }
        now_ = std::max(now_, next->due);
        const int id = next->screenId;
        timers_.erase(next);
        ++counts_.timersFired;
        // The delivery screen moves on by itself, but only while it is on top.
        logs_.push_back("Hello");
        if (isTop(id)) {
            push("InsulinCompleteViewController");
        }
    }
    now_ = until;
}

// ---- what each screen does ----

void ReferenceModel::showCoins(ModelScreen& s) { s.control("coinsLabel").text = coinText(state_.coins); }

void ReferenceModel::checkBowTie(ModelScreen& s)
{
    s.control("itemWorn").hidden = state_.items.empty() || state_.wearing.empty();
}

void ReferenceModel::reasons(ModelScreen& s)
{
    std::string text;
    if (state_.carbsNotAddressed > 0) {
        text += "Because you ate " + carbs(state_.carbsNotAddressed) + "\n";
    }
    if (state_.aboutToExercise) {
        text += "\nYou're about to exercise";
    }
    s.control("reasonsLabel").text = text;
}

void ReferenceModel::updateUI(ModelScreen& s)
{
    const std::string& k = s.className;
    if (k == "ViewController") {
        s.control("cgmReadingLabel").text = format("%.1f", static_cast<double>(state_.bloodSugarLevel()));
        showCoins(s);
        checkBowTie(s);
        s.control("screenBackground").picture = inBand(state_.bloodSugarLevel()) ? "homescreen.jpg" : "sadhomescreen.jpg";
    } else if (k == "BloodSugarViewController") {
        showCoins(s);
        s.control("bloodSugarLabel").text = format("%.0f", static_cast<double>(state_.bloodSugarLevel()));
        s.control("screenBackground").picture = inBand(state_.bloodSugarLevel()) ? "checkgreen.jpg" : "checkred.jpg";
    } else if (k == "GoodResultsViewController" || k == "BadResultsViewController") {
        showCoins(s);
        s.control("bloodSugarLabel").text = format("%.1f", static_cast<double>(state_.bloodSugarLevel()));
    } else if (k == "AskForBloodViewController" || k == "BloodSugarCheckInProgressViewController" ||
               k == "TrendsViewController" || k == "CarbCounterMainViewController" ||
               k == "CarbCounterAddViewController" || k == "ClosetItemSelectedViewController") {
        showCoins(s);
    } else if (k == "InsulinFoodViewController") {
        showCoins(s);
        s.control("carbsLabel").text = "Include the " + carbs(state_.carbsMostRecentMeal) + " you ate?";
        const bool none = state_.carbsMostRecentMeal == 0.0f;
        s.control("carbsLabel").hidden = none;
        s.control("yesSwitch").hidden = none;
        s.control("yesNoLabel").hidden = none;
        if (state_.fromInsulinScreen) {
            s.control("carbCounterLabel").text = "Including 50g of carbs you're eating";
        }
    } else if (k == "InsulinExerciseViewController") {
        ModelControl& stepper = s.control("stepper");
        if (stepper.value > 4) {
            stepper.value = 4;
        }
        showCoins(s);
        showCounted(s, "hourLabel", s.control("stepper").value, "hoursUnit", "hour", "hours");
        s.control("containerView").hidden = !s.control("eSwitch").on;
    } else if (k == "InsulinSuggestionViewController") {
        showCoins(s);
        showCounted(s, "suggestedBolusLabel", state_.bolusTarget, "doseUnit", "unit", "units");
        reasons(s);
    } else if (k == "InsulinGivingViewController") {
        showCoins(s);
        const float remaining = state_.bolusTarget - state_.bolusGiven;
        showCounted(s, "givingDoseLabel", remaining, "doseUnit", "unit", "units");
    } else if (k == "InsulinCompleteViewController") {
        showCoins(s);
        showCounted(s, "doseGivenLabel", state_.bolusTarget, "doseUnit", "unit", "units");
        reasons(s);
    } else if (k == "InsulinStoppedViewController") {
        showCoins(s);
        showCounted(s, "partialDoseLabel", state_.bolusJustGiven, "doseUnit", "unit", "units");
    } else if (k == "nomNomViewController") {
        showCoins(s);
        checkBowTie(s);
    } else if (k == "BuddyCentralViewController") {
        showCoins(s);
        checkBowTie(s);
        s.control("screenBackground").picture =
            inBand(state_.bloodSugarLevel()) ? "happybudycentral.jpg" : "sadbuddycentral.jpg";
    } else if (k == "GamesScreenViewController") {
        showCoins(s);
        s.control("screenBackground").picture = inBand(state_.bloodSugarLevel()) ? "games.png" : "sadgame.png";
        checkBowTie(s);
    } else if (k == "ItemViewController") {
        const bool owned = !state_.items.empty();
        s.control("screenBackground").picture = owned ? "boughtbowtie.jpg" : "buybowtie.jpg";
        s.control("buyButton").enabled = !owned;
        s.control("closetButton").enabled = owned;
        showCoins(s);
    } else if (k == "ClosetViewController") {
        const bool owned = !state_.items.empty();
        s.control("screenBackground").picture = owned ? "closet.jpg" : "emptycloset.jpg";
        s.control("itemButton").enabled = owned;
        showCoins(s);
    } else if (k == "SettingsMainViewController") {
        showCoins(s);
        s.control("carbLabel").text = format("%.0f", s.control("carbStepper").value);
        s.control("basalLabel").text = format("%.1f", s.control("basalRateStepper").value / 10.0);
        s.control("basalRateStepper").hidden = state_.settingsLocked;
        s.control("carbStepper").hidden = state_.settingsLocked;
    } else if (k == "BloodSugarCheckInstructionsViewController" || k == "BloodSugarResultsViewController") {
        // Their content is all layout.
    } else {
        problems_.push_back("the model has no rules for " + k);
    }
}

void ReferenceModel::load(ModelScreen& s)
{
    const std::string& k = s.className;
    const bool hidesBarOnLoad =
        k != "ViewController" && k != "BloodSugarCheckInstructionsViewController" &&
        k != "BloodSugarResultsViewController" && k != "nomNomViewController" &&
        k != "ClosetItemSelectedViewController" && k != "GamesScreenViewController" &&
        k != "SettingsMainViewController";
    if (hidesBarOnLoad) {
        barHidden_ = true;
    }
    if (k == "GoodResultsViewController") {
        state_.coins = state_.coins + 5.0f;
    }
    if (k == "InsulinExerciseViewController") {
        s.control("stepper").value = 1;
    }
    const bool refreshesOnLoad = k != "BloodSugarCheckInstructionsViewController" &&
                                 k != "BloodSugarResultsViewController" && k != "InsulinFoodViewController" &&
                                 k != "nomNomViewController" && k != "GamesScreenViewController" &&
                                 k != "SettingsMainViewController";
    if (refreshesOnLoad) {
        updateUI(s);
    }
}

void ReferenceModel::willAppear(ModelScreen& s)
{
    const std::string& k = s.className;
    // Every screen hides the bar as it is about to appear.
    if (k != "BloodSugarResultsViewController") {
        barHidden_ = true;
    }
    if (k == "InsulinSuggestionViewController") {
        state_.bolusTarget = state_.carbsNotAddressed / 15.0f;
        state_.bolusGiven = 0;
        state_.bolusJustGiven = 0;
        updateUI(s);
    } else if (k == "InsulinGivingViewController") {
        s.control("doneButton").hidden = true;
        updateUI(s);
    } else if (k == "InsulinCompleteViewController") {
        state_.coins = state_.coins + 5.0f;
        ++counts_.completeAppearances;
        updateUI(s);
    } else if (k == "SettingsMainViewController") {
        s.control("carbStepper").value = static_cast<double>(state_.carbRatio);
        s.control("basalRateStepper").value = static_cast<double>(state_.basalRate);
        updateUI(s);
    } else if (k == "ViewController" || k == "InsulinFoodViewController" || k == "InsulinStoppedViewController" ||
               k == "nomNomViewController" || k == "BuddyCentralViewController" ||
               k == "GamesScreenViewController") {
        updateUI(s);
    }
}

void ReferenceModel::didAppear(ModelScreen& s)
{
    const std::string& k = s.className;
    if (k == "ViewController" || k == "BloodSugarResultsViewController") {
        barHidden_ = true;
    }
    if (k == "InsulinGivingViewController") {
        timers_.push_back(Timer{now_ + kDeliverySeconds, nextOrder_++, s.id});
    }
}

void ReferenceModel::willDisappear(ModelScreen& s)
{
    if (s.className == "BloodSugarCheckInstructionsViewController") {
        barHidden_ = false;
    }
}

void ReferenceModel::didDisappear(ModelScreen& s)
{
    if (s.className == "BloodSugarResultsViewController") {
        barHidden_ = false;
    }
}

void ReferenceModel::runAction(const std::shared_ptr<ModelScreen>& screen, const std::string& a)
{
    ModelScreen& s = *screen;
    const std::string& k = s.className;
    ModelState& st = state_;
    if (a == "backButtonPressed") {
        if (k == "InsulinCompleteViewController" || k == "InsulinStoppedViewController") {
            popToRoot();
            return;
        }
        if (k == "InsulinExerciseViewController") {
            st.aboutToExercise = false;
        }
        if (k == "CarbCounterMainViewController") {
            st.fromInsulinScreen = false;
        }
        popOne();
    } else if (a == "homeButtonPressed") {
        if (k == "InsulinExerciseViewController") {
            st.aboutToExercise = false;
        }
        if (k == "CarbCounterMainViewController" || k == "CarbCounterAddViewController") {
            st.fromInsulinScreen = false;
        }
        popToRoot();
    } else if (a == "cancelButtonPressed") {
        popOne();
    } else if (a == "cheat") {
        st.coins = st.coins + 50.0f;
        ++counts_.cheats;
        updateUI(s);
    } else if (a == "goodButtonPressed" || a == "badButtonPressed") {
        const float base = a == "goodButtonPressed" ? 70.0f : 120.0f;
        const float drawn = drawReading ? drawReading(base) : base;
        const float r = drawn - base;
        if (!(r >= 0 && r <= 29 && r == std::floor(r))) {
            problems_.push_back(a + " stored " + format("%g", static_cast<double>(drawn)) + ", outside " +
                                format("%.0f", static_cast<double>(base)) + " + 0..29");
        }
        st.bloodSugarStored = drawn;
    } else if (a == "changedSwitch") {
        s.control("yesNoLabel").text = s.control("yesSwitch").on ? "Yes" : "No";
    } else if (a == "carbCounterButtonPressed") {
        st.fromInsulinScreen = true;
    } else if (a == "continueButtonClicked") {
        st.includeMostRecentMeal = s.control("yesSwitch").on;
        if (st.fromInsulinScreen) {
            st.carbsNotAddressed =
                st.includeMostRecentMeal ? st.carbsMostRecentMeal + st.carbsFromCounter : st.carbsFromCounter;
        } else if (st.includeMostRecentMeal) {
            st.carbsNotAddressed = st.carbsMostRecentMeal + st.carbsFromCounter;
        }
        st.fromInsulinScreen = false;
        logs_.push_back(format("%f", static_cast<double>(st.carbsNotAddressed)));
    } else if (a == "switchChanged" || a == "valueChanged") {
        updateUI(s);
    } else if (a == "continueButtonPressed") {
        st.aboutToExercise = s.control("eSwitch").on;
    } else if (a == "clearState" && k == "InsulinGivingViewController") {
        const float target = st.bolusTarget;
        const float given = st.bolusGiven;
        st.bolusJustGiven = (target - given) * 0.5f;
        st.bolusGiven = st.bolusTarget;
    } else if (a == "clearState" && k == "InsulinCompleteViewController") {
        st.clearState();
    } else if (a == "doneButtonPressed" && k == "InsulinStoppedViewController") {
        popToRoot();
        st.carbsNotAddressed = 0;
        st.bolusJustGiven = 0;
        st.bolusGiven = 0;
        st.carbsMostRecentMeal = 0;
        st.carbsFromCounter = 0;
        st.bolusTarget = 0;
    } else if (a == "addButtonPressed") {
        st.carbsFromCounter = 50;
    } else if (a == "tryToBuy") {
        if (st.coins >= kPrice) {
            st.items.push_back("bowtie");
            st.coins = st.coins - kPrice;
            ++counts_.purchases;
            const bool owned = !st.items.empty();
            s.control("screenBackground").picture = owned ? "boughtbowtie.jpg" : "buybowtie.jpg";
            s.control("buyButton").enabled = !owned;
            s.control("closetButton").enabled = owned;
        } else {
            s.control("screenBackground").picture = "cannotbuybowtie.jpg";
            s.control("buyButton").enabled = false;
            s.control("closetButton").enabled = false;
        }
        showCoins(s);
    } else if (a == "wearButtonPressed") {
        st.wearing.push_back("bowtie.jpg");
        ++counts_.wears;
        updateUI(s);
    } else if (a == "carbRatioButtonChanged") {
        st.carbRatio = static_cast<float>(s.control("carbStepper").value);
        updateUI(s);
    } else if (a == "basalRateChanged") {
        const double value = s.control("basalRateStepper").value;
        logs_.push_back(format("%.1f", value));
        st.basalRate = static_cast<float>(value);
        logs_.push_back(format("%.1f", static_cast<double>(st.basalRate)));
        updateUI(s);
    } else if (a == "lockPressed") {
        s.control("lockButton").title = st.settingsLocked ? "Lock" : "Unlock";
        st.settingsLocked = !st.settingsLocked;
        updateUI(s);
    } else {
        problems_.push_back("the model has no rule for " + k + "." + a);
    }
}

} // namespace bc::monkey
