#include "monkey/Monkey.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace bc::monkey {

namespace {

void flatten(const ControlLayout& c, int parent, std::vector<ModelControl>& out)
{
    out.push_back({&c, parent, c.hidden, c.kind != ControlKind::Button || c.enabled, c.on, c.value,
                   c.kind == ControlKind::Label ? c.text : c.picture});
    const int self = static_cast<int>(out.size()) - 1;
    for (const auto& child : c.children) {
        flatten(child, self, out);
    }
}

bool inBand(float reading) { return reading > 70.0f && reading < 140.0f; }

// Per screen: 'h' hides the bar when loaded, 'l' refreshes when loaded, 'a'
// refreshes each time it is about to appear.
const std::map<std::string, std::string> kHooks = {
    {"ViewController", "la"}, {"BloodSugarViewController", "hl"}, {"GoodResultsViewController", "hl"},
    {"BadResultsViewController", "hl"}, {"AskForBloodViewController", "hl"},
    {"BloodSugarCheckInProgressViewController", "hl"}, {"TrendsViewController", "hl"},
    {"CarbCounterMainViewController", "hl"}, {"CarbCounterAddViewController", "hl"},
    {"ClosetItemSelectedViewController", "l"}, {"InsulinFoodViewController", "ha"},
    {"InsulinExerciseViewController", "hl"}, {"InsulinSuggestionViewController", "hla"},
    {"InsulinGivingViewController", "hla"}, {"InsulinCompleteViewController", "hla"},
    {"InsulinStoppedViewController", "hla"}, {"nomNomViewController", "a"}, {"BuddyCentralViewController", "hla"},
    {"GamesScreenViewController", "a"}, {"ItemViewController", "hl"}, {"ClosetViewController", "hl"},
    {"SettingsMainViewController", "a"}, {"BloodSugarCheckInstructionsViewController", ""},
    {"BloodSugarResultsViewController", ""},
};

} // namespace

ModelControl& ModelScreen::control(const std::string& name)
{
    for (auto& c : controls) {
        if (c.layout->name == name) {
            return c;
        }
    }
    static ModelControl nowhere;
    return nowhere = ModelControl{};
}

bool ModelScreen::effectivelyHidden(std::size_t i) const
{
    return controls[i].hidden || (controls[i].parent >= 0 && effectivelyHidden(static_cast<std::size_t>(controls[i].parent)));
}

ReferenceModel::ReferenceModel(const Storyboard& storyboard) : storyboard_(storyboard) { push(storyboard.initial()); }

// Hooks in the platform's order: (l)oad, (w)ill and (d)id appear, (W)ill and (D)id disappear.
void ReferenceModel::push(const std::string& className)
{
    auto next = std::make_shared<ModelScreen>(ModelScreen{className, nextId_++, {}});
    if (const ScreenLayout* layout = storyboard_.find(className)) {
        for (const auto& c : layout->controls) {
            flatten(c, -1, next->controls);
        }
    }
    counts_.goodArrivals += className == "GoodResultsViewController";
    counts_.stoppedDoses += className == "InsulinStoppedViewController";
    auto old = stack_.empty() ? nullptr : stack_.back();
    stack_.push_back(next);
    hook(*next, 'l');
    for (auto [screen, which] : {std::pair{old, 'W'}, {next, 'w'}, {old, 'D'}, {next, 'd'}}) {
        if (screen) {
            hook(*screen, which);
        }
    }
}

void ReferenceModel::popTo(std::size_t index)
{
    if (index + 1 < stack_.size()) {
        auto leaving = stack_.back();
        stack_.resize(index + 1);
        for (auto [screen, which] : {std::pair{leaving, 'W'}, {stack_.back(), 'w'}, {leaving, 'D'}, {stack_.back(), 'd'}}) {
            hook(*screen, which);
        }
    }
}

void ReferenceModel::hook(ModelScreen& s, char which)
{
    const std::string& k = s.className;
    const auto rules = kHooks.find(k);
    if (rules == kHooks.end()) {
        problems_.push_back("the model has no rules for " + k);
        return;
    }
    const auto has = [&](char flag) { return rules->second.find(flag) != std::string::npos; };
    const bool results = k == "BloodSugarResultsViewController";
    if (which == 'l') {
        barHidden_ = barHidden_ || has('h');
        state_.coins += k == "GoodResultsViewController" ? 5.0f : 0.0f;
        s.control("stepper").value = 1; // the exercise screen's hours
    } else if (which == 'w') {
        barHidden_ = barHidden_ || !results;
        if (k == "InsulinSuggestionViewController") {
            state_.bolusTarget = state_.carbsNotAddressed / 15.0f;
            state_.bolusGiven = state_.bolusJustGiven = 0;
        } else if (k == "InsulinCompleteViewController") {
            state_.coins = state_.coins + 5.0f;
            ++counts_.completeAppearances;
        }
        s.control("doneButton").hidden = true; // the delivery screen's
        s.control("carbStepper").value = static_cast<double>(state_.carbRatio);
        s.control("basalRateStepper").value = static_cast<double>(state_.basalRate);
    } else if (which == 'd') {
        barHidden_ = barHidden_ || results || k == "ViewController";
        if (k == "InsulinGivingViewController") {
            timers_.emplace_back(now_ + 2.0, s.id);
        }
    } else {
        barHidden_ = barHidden_ && k != (which == 'W' ? "BloodSugarCheckInstructionsViewController" : "BloodSugarResultsViewController");
    }
    if ((which == 'l' && has('l')) || (which == 'w' && has('a'))) {
        updateUI(s);
    }
}

bool ReferenceModel::input(std::size_t i, ControlKind kind, bool up)
{
    auto screen = stack_.back();
    ModelControl& c = i < screen->controls.size() ? screen->controls[i] : screen->control("");
    const ControlKind actual = c.layout ? c.layout->kind : ControlKind::View;
    // A tap on a switch toggles it.
    if (!c.layout || screen->effectivelyHidden(i) || !c.enabled ||
        (actual != kind && !(kind == ControlKind::Button && actual == ControlKind::Switch))) {
        ++counts_.refused;
        return false;
    }
    c.on = actual == ControlKind::Switch ? !c.on : c.on;
    const double was = c.value;
    if (actual == ControlKind::Stepper) {
        c.value = up ? std::min(c.value + c.layout->step, c.layout->maximum) : std::max(c.value - c.layout->step, c.layout->minimum);
    }
    if (actual == ControlKind::Stepper && c.value == was) {
        return true; // at its end: nothing changed, nothing runs
    }
    for (const auto& a : c.layout->actions) {
        runAction(*screen, a);
    }
    const Transition& t = c.layout->transition;
    if (stack_.back() != screen || t.kind == Transition::Kind::None) {
        return true; // a screen no longer on top moves nothing
    }
    if (t.kind == Transition::Kind::Push) {
        push(t.target);
    } else if (t.kind == Transition::Kind::Unwind) {
        std::size_t target = stack_.size() - 1;
        while (target > 0 && stack_[--target]->className != t.target) {
        }
        popTo(target);
    } else {
        popTo(t.kind == Transition::Kind::Pop ? stack_.size() - 2 : 0);
    }
    return true;
}

bool ReferenceModel::navBack()
{
    if (barHidden_ || stack_.size() < 2) {
        ++counts_.refused;
        return false;
    }
    popTo(stack_.size() - 2);
    return true;
}

void ReferenceModel::wait(double seconds)
{
    const double until = now_ + std::max(seconds, 0.0);
    // The earliest due first, the first scheduled among equals.
    for (auto next = std::min_element(timers_.begin(), timers_.end(), [](auto& a, auto& b) { return a.first < b.first; });
         next != timers_.end() && next->first <= until;
         next = std::min_element(timers_.begin(), timers_.end(), [](auto& a, auto& b) { return a.first < b.first; })) {
        now_ = std::max(now_, next->first);
        const int id = next->second;
        timers_.erase(next);
        ++counts_.timersFired;
        // The delivery screen moves on by itself, but only while it is on top.
        logs_.push_back("Hello");
        if (stack_.back()->id == id) {
            push("InsulinCompleteViewController");
        }
    }
    now_ = until;
}

void ReferenceModel::updateUI(ModelScreen& s)
{
    const std::string& k = s.className;
    ModelState& st = state_;
    char coins[32];
    std::snprintf(coins, sizeof coins, "%.0f", static_cast<double>(st.coins));
    s.control("coinsLabel").shows = coins;
    s.control("itemWorn").hidden = st.items == 0 || st.wearing == 0;
    for (const char* name : {"carbsLabel", "yesSwitch", "yesNoLabel", "mealNote"}) {
        s.control(name).hidden = st.carbsMostRecentMeal == 0.0f;
    }
    s.control("stepper").value = std::min(s.control("stepper").value, 4.0);
    s.control("containerView").hidden = !s.control("eSwitch").on;
    s.control("basalRateStepper").hidden = s.control("carbStepper").hidden = st.settingsLocked;
    s.control("itemButton").enabled = st.items > 0;
    // The backdrop of these screens shows whether the reading is in the band.
    static const std::map<std::string, std::pair<const char*, const char*>> kMoods = {
        {"ViewController", {"homescreen.jpg", "sadhomescreen.jpg"}}, {"BloodSugarViewController", {"checkgreen.jpg", "checkred.jpg"}},
        {"BuddyCentralViewController", {"happybudycentral.jpg", "sadbuddycentral.jpg"}},
        {"GamesScreenViewController", {"games.png", "sadgame.png"}}};
    if (const auto mood = kMoods.find(k); mood != kMoods.end()) {
        s.control("screenBackground").shows = inBand(st.bloodSugarLevel()) ? mood->second.first : mood->second.second;
    } else if (k == "ItemViewController") {
        s.control("screenBackground").shows = st.items > 0 ? "boughtbowtie.jpg" : "buybowtie.jpg";
        s.control("buyButton").enabled = st.items == 0;
        s.control("closetButton").enabled = st.items > 0;
    } else if (k == "ClosetViewController") {
        s.control("screenBackground").shows = st.items > 0 ? "closet.jpg" : "emptycloset.jpg";
    } else if (k == "ClosetItemSelectedViewController") {
        s.control("wornPicture").hidden = s.control("wornLine").hidden = st.items == 0 || st.wearing == 0;
        s.control("bowTiePicture").hidden = s.control("hint").hidden = !s.control("wornLine").hidden;
    }
}

void ReferenceModel::runAction(ModelScreen& s, const std::string& a)
{
    const std::string& k = s.className;
    ModelState& st = state_;
    char line[64];
    if (a == "backButtonPressed" || a == "homeButtonPressed") {
        const bool home = a[0] == 'h';
        st.aboutToExercise = st.aboutToExercise && k != "InsulinExerciseViewController";
        st.fromInsulinScreen = st.fromInsulinScreen && k != "CarbCounterMainViewController" &&
                               !(home && k == "CarbCounterAddViewController");
        popTo(home || k == "InsulinCompleteViewController" || k == "InsulinStoppedViewController" ? 0 : stack_.size() - 2);
    } else if (a == "cheat") {
        st.coins = st.coins + 50.0f;
        ++counts_.cheats;
        updateUI(s);
    } else if (a == "goodButtonPressed" || a == "badButtonPressed") {
        const float base = a[0] == 'g' ? 70.0f : 120.0f;
        st.bloodSugarStored = drawReading ? drawReading(base) : base;
        const float r = st.bloodSugarStored - base;
        if (!(r >= 0 && r <= 29 && r == std::floor(r))) {
            problems_.push_back(a + " stored " + std::to_string(st.bloodSugarStored) + ", outside its range");
        }
    } else if (a == "carbCounterButtonPressed") {
        st.fromInsulinScreen = true;
    } else if (a == "continueButtonClicked") {
        st.includeMostRecentMeal = s.control("yesSwitch").on;
        if (st.fromInsulinScreen || st.includeMostRecentMeal) {
            st.carbsNotAddressed = st.carbsFromCounter + (st.includeMostRecentMeal ? st.carbsMostRecentMeal : 0.0f);
        }
        st.fromInsulinScreen = false;
        std::snprintf(line, sizeof line, "%f", static_cast<double>(st.carbsNotAddressed));
        logs_.push_back(line);
    } else if (a == "switchChanged" || a == "valueChanged") {
        updateUI(s);
    } else if (a == "continueButtonPressed") {
        st.aboutToExercise = s.control("eSwitch").on;
    } else if (a == "clearState" && k == "InsulinGivingViewController") {
        st.bolusJustGiven = (st.bolusTarget - st.bolusGiven) * 0.5f;
        st.bolusGiven = st.bolusTarget;
    } else if (a == "clearState" || (a == "doneButtonPressed" && k == "InsulinStoppedViewController")) {
        const bool stopped = a[0] == 'd';
        if (stopped) {
            popTo(0);
        }
        st.bolusTarget = st.bolusJustGiven = st.bolusGiven = st.carbsMostRecentMeal = st.carbsNotAddressed =
            st.carbsFromCounter = 0;
        st.aboutToExercise = st.aboutToExercise && stopped;
        st.includeMostRecentMeal = st.includeMostRecentMeal || !stopped;
    } else if (a == "addButtonPressed") {
        st.carbsFromCounter = 50;
        s.control("caption").hidden = true;
        s.control("countedLine").hidden = false;
    } else if (a == "tryToBuy") {
        const bool affordable = st.coins >= 200.0f;
        st.items += affordable;
        st.coins = affordable ? st.coins - 200.0f : st.coins;
        counts_.purchases += affordable;
        updateUI(s);
        if (!affordable) {
            s.control("screenBackground").shows = "cannotbuybowtie.jpg";
            s.control("buyButton").enabled = false;
            s.control("coinsNeededCard").hidden = false;
        }
    } else if (a == "wearButtonPressed") {
        ++st.wearing;
        ++counts_.wears;
        updateUI(s);
    } else if (a == "carbRatioButtonChanged") {
        st.carbRatio = static_cast<float>(s.control("carbStepper").value);
    } else if (a == "basalRateChanged") {
        std::snprintf(line, sizeof line, "%.1f", s.control("basalRateStepper").value);
        st.basalRate = static_cast<float>(s.control("basalRateStepper").value);
        logs_.insert(logs_.end(), 2, line);
    } else if (a == "lockPressed") {
        st.settingsLocked = !st.settingsLocked;
        updateUI(s);
    } else if (a != "changedSwitch") {
        problems_.push_back("the model has no rule for " + k + "." + a);
    }
}

} // namespace bc::monkey
