#include "monkey/Monkey.h"

#include "app/GameRegistry.h"
#include "platform/Console.h"
#include "screens/home/ViewController.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#ifndef BUDDYCARE_RESOURCES
#error "BUDDYCARE_RESOURCES names the shipped resource folder"
#endif

namespace bc::monkey {

namespace {

constexpr std::size_t kRecentSteps = 40;
constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();

// The deepest stack the interface description's forward moves allow, home
// included: the longest path of pushes and named transitions from home.
std::size_t longestRouteOf(const Storyboard& storyboard)
{
    std::map<std::string, std::set<std::string>> next;
    std::function<void(const std::string&, const ControlLayout&)> collect = [&](const std::string& from,
                                                                              const ControlLayout& c) {
        if (c.transition.kind == Transition::Kind::Push) {
            next[from].insert(c.transition.target);
        }
        for (const auto& child : c.children) {
            collect(from, child);
        }
    };
    for (const auto& screen : storyboard.screens()) {
        for (const auto& c : screen.controls) {
            collect(screen.className, c);
        }
        for (const auto& [identifier, target] : screen.segues) {
            next[screen.className].insert(target);
        }
    }
    std::map<std::string, std::size_t> memo;
    std::set<std::string> onPath;
    bool cycle = false;
    std::function<std::size_t(const std::string&)> depth = [&](const std::string& s) -> std::size_t {
        if (auto it = memo.find(s); it != memo.end()) {
            return it->second;
        }
        if (!onPath.insert(s).second) {
            cycle = true;
            return 0;
        }
        std::size_t best = 0;
        for (const auto& n : next[s]) {
            best = std::max(best, depth(n));
        }
        onPath.erase(s);
        return memo[s] = best + 1;
    };
    const std::size_t found = depth(storyboard.initial());
    return cycle ? kUnbounded : found;
}

bool isConsoleLine(const std::string& line)
{
    // The three kinds: the meal question's "%f", the delivery timer's "Hello",
    // and the basal rate's "%.1f".
    static const std::regex sixDecimals(R"(-?[0-9]+\.[0-9]{6})");
    static const std::regex oneDecimal(R"(-?[0-9]+\.[0-9])");
    return line == "Hello" || std::regex_match(line, sixDecimals) || std::regex_match(line, oneDecimal);
}

AppState& realState(Application& app)
{
    return static_cast<ViewController*>(app.navigation().viewControllers().front())->appState();
}

std::string number(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9g", v);
    return buffer;
}

} // namespace

Monkey::Monkey(std::uint64_t seed) : random_(seed)
{
    auto created = Application::create(BUDDYCARE_RESOURCES, gameRegistry(), RunLoop::ClockKind::Virtual, seed);
    if (auto* error = std::get_if<LoadError>(&created)) {
        failure_ = "the game does not start: " + error->message;
        return;
    }
    app_ = std::move(std::get<std::unique_ptr<Application>>(created));
    app_->console().setEcho(false);
    app_->console().setObserver([this](const std::string& line) { consoleLines_.push_back(line); });
    consoleLines_.clear();
    app_->navigation().onPush = [this](const ScreenController* from, const ScreenController* pushed) {
        const auto stack = app_->navigation().viewControllers();
        if (pushed->className() == "GoodResultsViewController") {
            ++goodPushes_;
        }
        if (pushed->className() == "InsulinCompleteViewController") {
            ++completePushes_;
            const bool fromDeliveryOnTop = from != nullptr && from->className() == "InsulinGivingViewController" &&
                                           stack.size() >= 2 && stack[stack.size() - 2] == from;
            if (!fromDeliveryOnTop) {
                pushProblems_.push_back("the dose-complete screen was pushed by " +
                                        (from == nullptr ? std::string("a control's transition") : from->className()) +
                                        ", not by the delivery screen on top");
            }
        }
    };
    model_ = std::make_unique<ReferenceModel>(app_->storyboard());
    model_->drawReading = [this](float) { return realState(*app_).bloodSugarLevel(); };
    longestRoute_ = longestRouteOf(app_->storyboard());
    check();
}

Monkey::~Monkey() = default;

std::string Monkey::describeStep(const std::string& what)
{
    for (char c : what) {
        trace_ = (trace_ ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    recent_.push_back(what);
    if (recent_.size() > kRecentSteps) {
        recent_.pop_front();
    }
    return what;
}

void Monkey::fail(const std::string& why)
{
    std::ostringstream out;
    out << "after step " << steps_ << ": " << why << "\nthe last steps, as driver commands:\n";
    for (const auto& s : recent_) {
        out << "  " << s << '\n';
    }
    failure_ = out.str();
}

bool Monkey::run(long count)
{
    for (long i = 0; i < count; ++i) {
        if (!step()) {
            return false;
        }
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
    std::vector<std::size_t> touchable, switches, steppers;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        switch (slots[i].control->kind()) {
        case ControlKind::Button: touchable.push_back(i); break;
        case ControlKind::Switch:
            touchable.push_back(i);
            switches.push_back(i);
            break;
        case ControlKind::Stepper:
            touchable.push_back(i);
            steppers.push_back(i);
            break;
        default: break;
        }
    }
    auto pick = [&](const std::vector<std::size_t>& preferred) -> std::size_t {
        std::uniform_int_distribution<int> percent(0, 99);
        if (!preferred.empty() && percent(random_) < 75) {
            return preferred[std::uniform_int_distribution<std::size_t>(0, preferred.size() - 1)(random_)];
        }
        return std::uniform_int_distribution<std::size_t>(0, slots.size() - 1)(random_);
    };

    const int roll = std::uniform_int_distribution<int>(0, 99)(random_);
    std::optional<std::string> refused;
    bool expected = true;
    std::string what;
    if (roll < 55 && !slots.empty()) {
        const std::size_t i = pick(touchable);
        Control* c = slots[i].control.get();
        what = describeStep("tap " + c->name());
        const bool cheat = std::find(slots[i].actionNames.begin(), slots[i].actionNames.end(), "cheat") !=
                           slots[i].actionNames.end();
        refused = app_->tap(c);
        expected = model_->tap(i);
        if (cheat && !refused) {
            ++cheats_;
        }
    } else if (roll < 63 && !slots.empty()) {
        const std::size_t i = pick(switches);
        Control* c = slots[i].control.get();
        what = describeStep("toggle " + c->name());
        refused = app_->toggle(c);
        expected = model_->toggle(i);
    } else if (roll < 73 && !slots.empty()) {
        const std::size_t i = pick(steppers);
        const bool up = std::uniform_int_distribution<int>(0, 1)(random_) == 1;
        Control* c = slots[i].control.get();
        what = describeStep("step " + c->name() + (up ? " up" : " down"));
        refused = app_->step(c, up);
        expected = model_->step(i, up);
    } else if (roll < 80) {
        what = describeStep("tap navBack");
        refused = app_->navBack();
        expected = model_->navBack();
    } else {
        // Waits from nothing to three seconds; the delivery timer's own two
        // seconds, and a hair either side of it, come up often on purpose.
        static constexpr double kEdges[] = {0.0, 1.999, 2.0, 2.001, 3.0};
        const double seconds = std::uniform_int_distribution<int>(0, 2)(random_) == 0
                                   ? kEdges[std::uniform_int_distribution<int>(0, 4)(random_)]
                                   : std::uniform_real_distribution<double>(0.0, 3.0)(random_);
        what = describeStep("wait " + number(seconds));
        app_->runLoop().advance(seconds);
        app_->afterEvent();
        model_->wait(seconds);
    }
    trace_ = (trace_ ^ (refused ? 1u : 2u)) * 1099511628211ull;
    if (refused.has_value() == expected) {
        fail(what + ": the game " + (refused ? "refused it (" + *refused + ")" : std::string("accepted it")) +
             ", the model " + (expected ? "accepts it" : "refuses it"));
        return false;
    }
    return check();
}

bool Monkey::check()
{
    if (!failure_.empty()) {
        return false;
    }
    std::vector<std::string> problems = std::move(pushProblems_);
    pushProblems_.clear();
    for (auto& p : model_->takeProblems()) {
        problems.push_back("model: " + p);
    }
    const auto expectedLogs = model_->takeLogs();
    if (expectedLogs != consoleLines_) {
        std::string got, want;
        for (const auto& l : consoleLines_) {
            got += "[" + l + "]";
        }
        for (const auto& l : expectedLogs) {
            want += "[" + l + "]";
        }
        problems.push_back("console lines " + got + ", expected " + want);
    }
    for (const auto& line : consoleLines_) {
        if (!isConsoleLine(line)) {
            problems.push_back("console line of no known kind: [" + line + "]");
        }
    }
    consoleLines_.clear();
    compareScreens(problems);
    compareState(problems);
    checkRules(problems);
    if (!problems.empty()) {
        std::string all;
        for (const auto& p : problems) {
            all += "\n  - " + p;
        }
        fail(all);
        return false;
    }
    trace_ = (trace_ ^ static_cast<std::uint64_t>(realState(*app_).coins())) * 1099511628211ull;
    trace_ = (trace_ ^ app_->navigation().depth()) * 1099511628211ull;
    return true;
}

void Monkey::compareScreens(std::vector<std::string>& problems)
{
    const auto real = app_->navigation().viewControllers();
    const auto& modelled = model_->stack();
    std::string realNames, modelNames;
    for (auto* s : real) {
        realNames += s->className() + " ";
    }
    for (const auto& s : modelled) {
        modelNames += s->className + " ";
    }
    if (realNames != modelNames) {
        problems.push_back("stack [" + realNames + "], expected [" + modelNames + "]");
        return;
    }
    if (app_->navigation().isNavigationBarHidden() != model_->barHidden()) {
        problems.push_back(std::string("navigation bar ") +
                           (model_->barHidden() ? "shows, expected hidden" : "hidden, expected showing"));
    }
    const ScreenController& top = *app_->top();
    const ModelScreen& expected = *modelled.back();
    const auto& slots = top.slots();
    if (slots.size() != expected.controls.size()) {
        problems.push_back(top.className() + " has " + std::to_string(slots.size()) + " controls, expected " +
                           std::to_string(expected.controls.size()));
        return;
    }
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Control& c = *slots[i].control;
        const ModelControl& m = expected.controls[i];
        const std::string where = top.className() + "." + c.name();
        auto differ = [&](const std::string& what, const std::string& got, const std::string& want) {
            if (got != want) {
                problems.push_back(where + " " + what + " is \"" + got + "\", expected \"" + want + "\"");
            }
        };
        differ("name", c.name(), m.name);
        differ("hidden", c.isEffectivelyHidden() ? "yes" : "no", expected.effectivelyHidden(i) ? "yes" : "no");
        differ("enabled", c.isEnabled() ? "yes" : "no", m.enabled ? "yes" : "no");
        switch (c.kind()) {
        case ControlKind::Label: differ("text", static_cast<const Label&>(c).text(), m.text); break;
        case ControlKind::Button: differ("title", static_cast<const Button&>(c).title(), m.title); break;
        case ControlKind::Image: differ("picture", static_cast<const ImageView&>(c).image().name(), m.picture); break;
        case ControlKind::Switch: differ("on", static_cast<const Switch&>(c).isOn() ? "yes" : "no", m.on ? "yes" : "no"); break;
        case ControlKind::Stepper: differ("value", number(static_cast<const Stepper&>(c).value()), number(m.value)); break;
        case ControlKind::View: break;
        }
    }
}

void Monkey::compareState(std::vector<std::string>& problems)
{
    AppState& real = realState(*app_);
    ModelState& m = model_->state();
    auto same = [&](const char* field, double got, double want) {
        if (got != want) {
            problems.push_back(std::string(field) + " is " + number(got) + ", expected " + number(want));
        }
    };
    same("bloodSugarLevel", real.bloodSugarLevel(), m.bloodSugarLevel());
    same("carbsMostRecentMeal", real.carbsMostRecentMeal(), m.carbsMostRecentMeal);
    same("coins", real.coins(), m.coins);
    same("bolusGiven", real.bolusGiven(), m.bolusGiven);
    same("bolusTarget", real.bolusTarget(), m.bolusTarget);
    same("carbsNotAddressed", real.carbsNotAddressed(), m.carbsNotAddressed);
    same("carbsFromCounter", real.carbsFromCounter(), m.carbsFromCounter);
    same("bolusJustGiven", real.bolusJustGiven(), m.bolusJustGiven);
    same("includeMostRecentMeal", real.includeMostRecentMeal(), m.includeMostRecentMeal);
    same("fromInsulinScreen", real.fromInsulinScreen(), m.fromInsulinScreen);
    same("aboutToExercise", real.aboutToExercise(), m.aboutToExercise);
    same("carbRatio", real.carbRatio(), m.carbRatio);
    same("basalRate", real.basalRate(), m.basalRate);
    same("settingsLocked", real.settingsLocked(), m.settingsLocked);
    // The lists only ever grow at the end, so their length and last entry
    // tell them apart without walking a list that may hold thousands.
    auto sameList = [&](const char* field, const std::vector<std::string>& got, const std::vector<std::string>& want) {
        if (got.size() != want.size() || (!got.empty() && got.back() != want.back())) {
            problems.push_back(std::string(field) + " holds " + std::to_string(got.size()) + " entries ending \"" +
                               (got.empty() ? "" : got.back()) + "\", expected " + std::to_string(want.size()));
        }
    };
    sameList("items", real.items(), m.items);
    sameList("wearing", real.wearing(), m.wearing);
}

void Monkey::checkRules(std::vector<std::string>& problems)
{
    AppState& real = realState(*app_);
    // Every coin has a reason: good checks, completed doses, cheats, less purchases.
    const double earned = 5.0 * static_cast<double>(goodPushes_) + 5.0 * static_cast<double>(completePushes_) +
                          50.0 * static_cast<double>(cheats_) - 200.0 * static_cast<double>(real.items().size());
    if (static_cast<double>(real.coins()) != earned) {
        problems.push_back("coins " + number(real.coins()) + " but the coin rules give " + number(earned));
    }
    if (real.coins() < 0) {
        problems.push_back("coins went negative: " + number(real.coins()));
    }
    if (real.items().size() > 1) {
        problems.push_back("items holds " + std::to_string(real.items().size()) + " entries; the bow tie sells once");
    }
    const auto stack = app_->navigation().viewControllers();
    if (stack.empty() || stack.front()->className() != app_->storyboard().initial()) {
        problems.push_back("the home screen is no longer at the bottom");
    }
    deepest_ = std::max(deepest_, stack.size());
    if (stack.size() > longestRoute_) {
        problems.push_back("the stack is " + std::to_string(stack.size()) + " deep; the routes allow " +
                           std::to_string(longestRoute_));
    }
    const std::size_t timers = app_->runLoop().pendingTimers();
    mostTimers_ = std::max(mostTimers_, timers);
    if (timers != model_->pendingTimers()) {
        problems.push_back(std::to_string(timers) + " timers pending, expected " +
                           std::to_string(model_->pendingTimers()));
    }
    // A screen off the stack lingers only while a timer still means to call it.
    if (app_->navigation().retiredCount() > timers) {
        problems.push_back(std::to_string(app_->navigation().retiredCount()) + " departed screens kept with only " +
                           std::to_string(timers) + " timers pending");
    }
}

} // namespace bc::monkey
