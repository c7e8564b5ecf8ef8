#include "monkey/Monkey.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace bc::monkey {

namespace {

void flatten(const ControlLayout& c, std::vector<ModelControl>& out)
{
    out.push_back({&c, c.on, c.value});
    for (const auto& child : c.children) {
        flatten(child, out);
    }
}

// The screens whose bar goes as they load.
const std::set<std::string> kHideBarOnLoad = {
    "BloodSugarViewController", "GoodResultsViewController", "BadResultsViewController", "AskForBloodViewController",
    "BloodSugarCheckInProgressViewController", "TrendsViewController", "CarbCounterMainViewController",
    "CarbCounterAddViewController", "InsulinFoodViewController", "InsulinExerciseViewController",
    "InsulinSuggestionViewController", "InsulinGivingViewController", "InsulinCompleteViewController",
    "InsulinStoppedViewController", "BuddyCentralViewController", "ItemViewController", "ClosetViewController", "CarbGameViewController",
    "CarbGameResultsViewController", "LowResultsViewController", "TreatLowViewController", "LowWaitViewController",
    "LowRecheckViewController", "JobsViewController", "StickerBookViewController", "PracticeViewController"};
constexpr double kLowWait = 15.0;
constexpr double kFirstMorning = 8 * 3600.0, kDay = 86400.0;

// The foods with carbs, as a care team answers; every other food has hardly any.
const std::set<std::string> kCarbFoods = {"Bread", "Rice", "Pasta", "A potato", "An apple", "A banana", "Milk",
                                          "Juice", "Fruit yogurt", "Cereal", "Pizza", "An orange"};

} // namespace

ModelControl& ModelScreen::control(const std::string& name)
{
    const auto it = std::find_if(controls.begin(), controls.end(), [&](auto& c) { return c.layout->name == name; });
    static ModelControl nowhere;
    return it != controls.end() ? *it : (nowhere = ModelControl{});
}

ReferenceModel::ReferenceModel(const Storyboard& storyboard) : storyboard_(storyboard) { push(storyboard.initial()); }

// Hooks in the platform's order: (l)oad, (w)ill and (d)id appear, (W)ill and (D)id disappear.
void ReferenceModel::push(const std::string& className)
{
    auto next = std::make_shared<ModelScreen>(ModelScreen{className, nextId_++, {}});
    if (const ScreenLayout* layout = storyboard_.find(className)) {
        for (const auto& c : layout->controls) {
            flatten(c, next->controls);
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
    const bool results = k == "BloodSugarResultsViewController";
    if (which == 'l') {
        barHidden_ = barHidden_ || kHideBarOnLoad.contains(k);
        state_.coins += k == "GoodResultsViewController" ? 5.0f : 0.0f;
        if (k == "GoodResultsViewController" || k == "BadResultsViewController" || k == "LowResultsViewController") {
            jobDone("check");
        } else if (k == "InsulinCompleteViewController") {
            jobDone("insulin");
        }
        if (k == "CarbGameViewController") {
            carb_ = {};
            carbScreens_.insert(s.id);
        } else if (k == "LowWaitViewController") {
            timers_.emplace_back(now_ + kLowWait, -s.id); // the wait's end only enables check again
        } else if (k == "LowRecheckViewController") {
            const bool treated = state_.lowGramsTaken > 0.0f;
            state_.lowGramsTaken = 0;
            s.stillLow = state_.bloodSugarLevel() <= 70.0f;
            state_.coins += treated && !s.stillLow ? 5.0f : 0.0f;
            counts_.treatedLows += treated && !s.stillLow;
            if (treated && !s.stillLow) {
                jobDone("low");
            }
        }
    } else if (which == 'w') {
        barHidden_ = barHidden_ || !results;
        if (k == "InsulinSuggestionViewController") {
            state_.bolusTarget = state_.carbsNotAddressed / 15.0f;
            state_.bolusGiven = state_.bolusJustGiven = 0;
        } else if (k == "InsulinCompleteViewController") {
            state_.coins = state_.coins + 5.0f;
            ++counts_.completeAppearances;
        }
        s.control("carbStepper").value = static_cast<double>(state_.carbRatio);
        s.control("basalRateStepper").value = static_cast<double>(state_.basalRate);
        s.control("lowGramsStepper").value = static_cast<double>(state_.lowGrams);
    } else if (which == 'd') {
        barHidden_ = barHidden_ || results || k == "ViewController";
        if (k == "InsulinGivingViewController") {
            timers_.emplace_back(now_ + 2.0, s.id);
        }
    } else {
        if (which == 'D') {
            dropTimers(s.id);
        }
        barHidden_ = barHidden_ && k != (which == 'W' ? "BloodSugarCheckInstructionsViewController" : "BloodSugarResultsViewController");
    }
}

void ReferenceModel::input(std::size_t i, bool up)
{
    auto screen = stack_.back();
    if (i >= screen->controls.size()) {
        problems_.push_back("the game took an input on a control the model does not know");
        return;
    }
    ModelControl& c = screen->controls[i];
    const ControlKind kind = c.layout->kind;
    c.on = kind == ControlKind::Switch ? !c.on : c.on;
    const double was = c.value;
    if (kind == ControlKind::Stepper) {
        c.value = up ? std::min(c.value + c.layout->step, c.layout->maximum) : std::max(c.value - c.layout->step, c.layout->minimum);
        if (c.value == was) {
            return; // at its end: nothing changed, nothing runs
        }
    }
    for (const auto& a : c.layout->actions) {
        runAction(*screen, a);
    }
    const Transition& t = c.layout->transition;
    if (stack_.back() != screen || t.kind == Transition::Kind::None) {
        return; // a screen no longer on top moves nothing
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
}

bool ReferenceModel::navBack()
{
    if (barHidden_ || stack_.size() < 2) {
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
        if (id < 0) {
            continue;
        }
        if (carbScreens_.contains(id)) {
            nextFood(id);
            continue;
        }
        // The delivery screen moves on by itself, but only while it is on top.
        logs_.push_back("Hello");
        if (stack_.back()->id == id) {
            push("InsulinCompleteViewController");
        }
    }
    now_ = until;
}

void ReferenceModel::turnDay()
{
    const auto day = static_cast<long>(std::floor((kFirstMorning + now_) / kDay));
    if (day != day_) {
        day_ = day;
        done_.clear();
    }
}

std::vector<std::string> ReferenceModel::jobsDone()
{
    turnDay();
    return done_;
}

// One of today's jobs, once; the third pays 10 coins and a sticker, once a day.
void ReferenceModel::jobDone(const std::string& job)
{
    turnDay();
    const auto today = todaysJobs ? todaysJobs() : std::vector<std::string>{};
    if (std::find(today.begin(), today.end(), job) == today.end() ||
        std::find(done_.begin(), done_.end(), job) != done_.end()) {
        return;
    }
    done_.push_back(job);
    if (done_.size() == 3) {
        state_.coins += 10.0f;
        ++state_.stickers;
        ++counts_.daysDone;
    }
}

void ReferenceModel::dropTimers(int screen)
{
    if (carbScreens_.contains(screen)) {
        std::erase_if(timers_, [screen](const auto& t) { return t.second == screen; });
    }
}

// After an answer, the next food; after the tenth, the results, once.
void ReferenceModel::nextFood(int screen)
{
    if (!carb_.answered) {
        return;
    }
    dropTimers(screen);
    if (carb_.round < 9) {
        ++carb_.round;
        carb_.answered = false;
    } else if (!carb_.finished) {
        carb_.finished = true;
        ++counts_.gamesFinished;
        jobDone("game");
        if (stack_.back()->id == screen) {
            push("CarbGameResultsViewController");
        }
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
    } else if (a == "goodButtonPressed" || a == "badButtonPressed" || a == "lowCheckPressed") {
        const float base = a[0] == 'g' ? 70.0f : a[0] == 'b' ? 120.0f : 50.0f;
        st.previousReading = st.bloodSugarLevel();
        st.bloodSugarStored = drawReading ? drawReading(base) : base;
        const float r = st.bloodSugarStored - base;
        if (!(r >= 0 && r <= (a[0] == 'l' ? 19 : 29) && r == std::floor(r))) {
            problems_.push_back(a + " stored " + std::to_string(st.bloodSugarStored) + ", outside its range");
        }
    } else if (a == "toldGrownUpPressed") {
        push("TreatLowViewController");
    } else if (a == "fastSugarPressed") {
        st.lowGramsTaken = st.lowGrams;
    } else if (a == "checkAgainPressed") {
        st.previousReading = st.bloodSugarLevel();
        st.bloodSugarStored = st.bloodSugarLevel() + 3.0f * st.lowGramsTaken;
    } else if (a == "doneButtonPressed" && k == "LowRecheckViewController") {
        std::size_t back = 0;
        for (std::size_t i = stack_.size(); s.stillLow && i-- > 0 && back == 0;) {
            back = stack_[i]->className == "TreatLowViewController" ? i : 0;
        }
        popTo(back);
    } else if (a == "lowGramsChanged") {
        st.lowGrams = static_cast<float>(s.control("lowGramsStepper").value);
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
        if (!std::exchange(s.counted, true)) {
            jobDone("carbs");
        }
    } else if (a == "tryToBuy") {
        const bool affordable = st.coins >= 200.0f;
        st.items += affordable;
        st.coins = affordable ? st.coins - 200.0f : st.coins;
        counts_.purchases += affordable;
    } else if (a == "wearButtonPressed") {
        ++st.wearing;
        ++counts_.wears;
        jobDone("dress");
    } else if (a == "carbRatioButtonChanged") {
        st.carbRatio = static_cast<float>(s.control("carbStepper").value);
    } else if (a == "basalRateChanged") {
        std::snprintf(line, sizeof line, "%.1f", s.control("basalRateStepper").value);
        st.basalRate = static_cast<float>(s.control("basalRateStepper").value);
        logs_.insert(logs_.end(), 2, line);
    } else if ((a == "hasCarbsPressed" || a == "noCarbsPressed") && !carb_.answered) {
        carb_.answered = true;
        const bool carbs = shownFood && kCarbFoods.contains(shownFood());
        if (carbs == (a[0] == 'h')) {
            st.coins = st.coins + 1.0f;
            ++counts_.rightAnswers;
        }
        timers_.emplace_back(now_ + 2.5, s.id);
    } else if (a == "nextPressed") {
        nextFood(s.id);
    } else if (a == "playAgainPressed") {
        carb_ = {};
        popTo(stack_.size() - 2);
    } else if (a == "doneButtonPressed" && k == "CarbGameResultsViewController") {
        std::size_t games = stack_.size() - 1;
        while (games > 0 && stack_[--games]->className != "GamesScreenViewController") {
        }
        popTo(games);
    } else if (a == "lockPressed") {
        st.settingsLocked = !st.settingsLocked;
    } else if (a != "changedSwitch" && a != "switchChanged" && a != "valueChanged" && a != "unitsChanged" &&
               a != "readToMeChanged" && a != "soundChanged" && a != "rememberChanged" && a != "speakButtonPressed" && a != "hasCarbsPressed" &&
               a != "noCarbsPressed" && a != "notFastSugarPressed") {
        problems_.push_back("the model has no rule for " + k + "." + a);
    }
}

} // namespace bc::monkey
