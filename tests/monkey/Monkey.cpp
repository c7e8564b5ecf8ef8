#include "monkey/Monkey.h"

#include "app/GameRegistry.h"
#include "platform/Console.h"
#include "state/Jobs.h"

#include <algorithm>
#include <cstdio>
#include <set>

#ifndef BUDDYCARE_RESOURCES
#error "BUDDYCARE_RESOURCES names the shipped resource folder"
#endif

namespace bc::monkey {

namespace {

std::string joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const auto& l : lines) {
        all += "[" + l + "]";
    }
    return all;
}

} // namespace

Monkey::Monkey(std::uint64_t seed) : random_(seed)
{
    auto created = Application::create(BUDDYCARE_RESOURCES, game_.registry, RunLoop::ClockKind::Virtual, seed);
    if (!created) {
        std::fprintf(stderr, "the game does not start: %s\n", created.error().message.c_str());
        std::abort();
    }
    app_ = std::move(*created);
    app_->console().setEcho(false);
    app_->console().setObserver([this](const std::string& line) { consoleLines_.push_back(line); });
    app_->navigation().onPush = [this](const ScreenController* from, const ScreenController* pushed) {
        goodPushes_ += pushed->className() == "GoodResultsViewController";
        // A treated low pays once, when its recheck is out of the low.
        fastSugarTaken_ = fastSugarTaken_ || pushed->className() == "LowWaitViewController";
        if (pushed->className() == "LowRecheckViewController") {
            treatedLows_ += fastSugarTaken_ && state().bloodSugarLevel() > 70.0f;
            fastSugarTaken_ = false;
        }
        if (pushed->className() == "InsulinCompleteViewController") {
            ++completePushes_;
            const auto stack = app_->navigation().viewControllers();
            if (from == nullptr || from->className() != "InsulinGivingViewController" || stack.end()[-2] != from) {
                pushProblems_.push_back("the dose-complete screen was pushed by " +
                                        (from ? from->className() : std::string("a control's transition")) +
                                        ", not by the delivery screen on top");
            }
        }
    };
    model_ = std::make_unique<ReferenceModel>(app_->storyboard());
    model_->drawReading = [this](float) { return state().bloodSugarLevel(); };
    model_->todaysJobs = [this] {
        std::vector<std::string> names;
        for (const Job job : jobsOn(state().jobs(), app_->runLoop().today()).jobs) {
            names.push_back(jobName(job));
        }
        return names;
    };
    model_->shownFood = [this] {
        const auto* food = dynamic_cast<const Label*>(app_->top()->controlNamed("foodLabel"));
        return food != nullptr ? food->text() : std::string();
    };
    check();
}

Monkey::~Monkey() = default;

AppState& Monkey::state() { return game_.state; }

void Monkey::mix(const std::string& what)
{
    for (char c : what) {
        trace_ = (trace_ ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
}

bool Monkey::run(long count)
{
    for (long i = 0; i < count && step(); ++i) {
    }
    return failure_.empty();
}

bool Monkey::step()
{
    if (!failure_.empty()) {
        return false;
    }
    ++steps_;
    consoleLines_.clear();
    const auto& slots = app_->top()->slots();
    const int roll = std::uniform_int_distribution<int>(0, 99)(random_);
    // Taps, toggles and steps; three in four go to a control of the kind they are for.
    const ControlKind kind = roll < 55 ? ControlKind::Button : roll < 63 ? ControlKind::Switch : ControlKind::Stepper;
    std::vector<std::size_t> preferred;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].control->kind() == kind) {
            preferred.push_back(i);
        }
    }
    std::string what;
    Result<void> taken;
    if (roll < 73 && !slots.empty()) {
        const bool any = preferred.empty() || std::uniform_int_distribution<int>(0, 3)(random_) == 0;
        std::size_t i = std::uniform_int_distribution<std::size_t>(0, (any ? slots.size() : preferred.size()) - 1)(random_);
        i = any ? i : preferred[i];
        Control* c = slots[i].control.get();
        const bool up = std::uniform_int_distribution<int>(0, 1)(random_) == 1;
        const bool cheat = std::count(slots[i].actionNames.begin(), slots[i].actionNames.end(), "cheat") > 0;
        if (kind == ControlKind::Button) {
            what = "tap " + c->name();
            // A right answer in the carb game shows its "Yes!" line where none was.
            ScreenController* before = app_->top();
            auto* line = dynamic_cast<Label*>(before->controlNamed("answerLabel"));
            const bool lineWasHidden = line != nullptr && line->isHidden();
            taken = app_->tap(c);
            cheats_ += cheat && taken;
            rightAnswers_ += lineWasHidden && app_->top() == before && !line->isHidden() && line->text().starts_with("Yes!");
        } else if (kind == ControlKind::Switch) {
            what = "toggle " + c->name();
            taken = app_->toggle(c);
        } else {
            what = "step " + c->name() + (up ? " up" : " down");
            taken = app_->step(c, up);
        }
        // Which controls take touch is the screens' business; a refused one must change nothing.
        if (taken) {
            model_->input(i, up);
        }
    } else if (roll < 80) {
        what = "tap navBack";
        taken = app_->navBack();
        if (taken.ok() != model_->navBack()) {
            pushProblems_.push_back(std::string("the bar's back was ") + (taken ? "taken" : "refused") + " against the model");
        }
    } else {
        // Waits up to three seconds; the delivery timer's two seconds, and a
        // hair either side of it, come up often on purpose.
        // The carb game's pause of two and a half seconds too.
        static constexpr double kEdges[] = {0.0, 1.999, 2.0, 2.001, 2.499, 2.5, 2.501, 3.0};
        const double seconds = std::uniform_int_distribution<int>(0, 2)(random_) == 0
                                   ? kEdges[std::uniform_int_distribution<int>(0, 7)(random_)]
                                   : std::uniform_real_distribution<double>(0.0, 3.0)(random_);
        what = "wait " + std::to_string(seconds);
        app_->runLoop().advance(seconds);
        app_->afterEvent();
        model_->wait(seconds);
    }
    model_->counts().refused += !taken.ok();
    mix(what + (taken ? "" : " refused"));
    recent_.push_back(what);
    if (recent_.size() > 40) {
        recent_.pop_front();
    }
    return check();
}

bool Monkey::check()
{
    if (!failure_.empty()) {
        return false;
    }
    const auto found = problems();
    if (found.empty()) {
        mix(std::to_string(state().coins()) + " " + std::to_string(app_->navigation().depth()));
        return true;
    }
    failure_ = "after step " + std::to_string(steps_) + ":";
    for (const auto& p : found) {
        failure_ += "\n  - " + p;
    }
    failure_ += "\nthe last steps, as driver commands:\n";
    for (const auto& s : recent_) {
        failure_ += "  " + s + "\n";
    }
    return false;
}

std::vector<std::string> Monkey::problems()
{
    std::vector<std::string> out = std::exchange(pushProblems_, {});
    for (auto& p : model_->takeProblems()) {
        out.push_back("model: " + p);
    }
    if (const auto expected = model_->takeLogs(); expected != consoleLines_) {
        out.push_back("console lines " + joined(consoleLines_) + ", expected " + joined(expected));
    }
    consoleLines_.clear();

    const auto real = app_->navigation().viewControllers();
    std::vector<std::string> realNames, modelNames;
    for (auto* s : real) {
        realNames.push_back(s->className());
    }
    for (const auto& s : model_->stack()) {
        modelNames.push_back(s->className);
    }
    if (realNames != modelNames) {
        out.push_back("stack " + joined(realNames) + ", expected " + joined(modelNames));
    } else if (app_->navigation().isNavigationBarHidden() != model_->barHidden()) {
        out.push_back(std::string("the navigation bar ") + (model_->barHidden() ? "shows" : "is hidden"));
    }

    AppState& game = state();
    ModelState& m = model_->state();
#define BUDDYCARE_SAME(f) {#f, {static_cast<double>(game.f()), static_cast<double>(m.f)}}
    const std::pair<const char*, std::pair<double, double>> fields[] = {
        {"bloodSugarLevel", {game.bloodSugarLevel(), m.bloodSugarLevel()}}, BUDDYCARE_SAME(carbsMostRecentMeal),
        BUDDYCARE_SAME(coins), BUDDYCARE_SAME(bolusGiven), BUDDYCARE_SAME(bolusTarget), BUDDYCARE_SAME(carbsNotAddressed),
        BUDDYCARE_SAME(carbsFromCounter), BUDDYCARE_SAME(bolusJustGiven), BUDDYCARE_SAME(includeMostRecentMeal),
        BUDDYCARE_SAME(fromInsulinScreen), BUDDYCARE_SAME(aboutToExercise), BUDDYCARE_SAME(carbRatio),
        BUDDYCARE_SAME(basalRate), BUDDYCARE_SAME(settingsLocked), BUDDYCARE_SAME(previousReading),
        BUDDYCARE_SAME(lowGrams), BUDDYCARE_SAME(lowGramsTaken),
        // Only ever appended to, so the length tells them apart.
        {"items", {static_cast<double>(game.items().size()), static_cast<double>(m.items)}},
        {"wearing", {static_cast<double>(game.wearing().size()), static_cast<double>(m.wearing)}},
        {"stickers", {static_cast<double>(game.jobs().stickers), static_cast<double>(m.stickers)}},
    };
#undef BUDDYCARE_SAME
    const DayJobs day = jobsOn(game.jobs(), app_->runLoop().today());
    std::vector<std::string> gameDone, modelDone = model_->jobsDone();
    for (std::size_t i = 0; i < day.jobs.size(); ++i) {
        if (day.done[i]) {
            gameDone.push_back(jobName(day.jobs[i]));
        }
    }
    // The game lists them in the day's order, the model in the order they were done; each comes once.
    if (std::set(gameDone.begin(), gameDone.end()) != std::set(modelDone.begin(), modelDone.end())) {
        out.push_back("jobs done " + joined(gameDone) + ", expected " + joined(modelDone));
    }
    for (const auto& [name, values] : fields) {
        if (values.first != values.second) {
            out.push_back(std::string(name) + " is " + std::to_string(values.first) + ", expected " + std::to_string(values.second));
        }
    }

    // Every coin has a reason, counted apart from the model: good checks and
    // completed doses (as the screens were pushed), treated lows, cheats, right answers, stickers, less purchases.
    const double earned = 5.0 * static_cast<double>(goodPushes_ + completePushes_ + treatedLows_) + 50.0 * static_cast<double>(cheats_) +
                          static_cast<double>(rightAnswers_) + 10.0 * static_cast<double>(game.jobs().stickers) -
                          200.0 * static_cast<double>(game.items().size());
    if (game.coins() != earned || game.coins() < 0) {
        out.push_back("coins " + std::to_string(game.coins()) + " but the coin rules give " + std::to_string(earned));
    }
    if (game.items().size() > 1) {
        out.push_back("items holds " + std::to_string(game.items().size()) + " entries; the bow tie sells once");
    }
    if (real.empty() || real.front()->className() != app_->storyboard().initial()) {
        out.push_back("the home screen is no longer at the bottom");
    }
    deepest_ = std::max(deepest_, real.size());
    // A screen off the stack lingers only while a timer still means to call it.
    const std::size_t timers = app_->runLoop().pendingTimers();
    if (timers != model_->pendingTimers() || app_->navigation().retiredCount() > timers) {
        out.push_back(std::to_string(timers) + " timers pending (expected " + std::to_string(model_->pendingTimers()) +
                      ") and " + std::to_string(app_->navigation().retiredCount()) + " departed screens kept");
    }
    return out;
}

} // namespace bc::monkey
