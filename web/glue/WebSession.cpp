#include "web/glue/WebSession.h"

#include "app/CareStateAccess.h"
#include "app/GameRegistry.h"
#include "app/ProgressKeeper.h"
#include "platform/Driver.h"
#include "platform/Look.h"
#include "state/AppState.h"
#include "web/glue/PageStorage.h"

#include <algorithm>
#include <iostream>

namespace bc {

namespace {

using json = WebSession::json;

json pictureName(const Picture& picture)
{
    return picture.empty() ? json(nullptr) : json(picture.name());
}

// The driver's description of a control, with what the page needs to place it.
json describe(const ScreenController::Slot& slot, std::size_t index)
{
    const Control& c = *slot.control;
    json j = describeControl(c);
    j["i"] = index;
    j["outlet"] = slot.outlet;
    j["frame"] = rectJson(c.canvasFrame());
    j["label"] = c.accessibilityLabel;
    if (c.kind() == ControlKind::Button) {
        j["icon"] = pictureName(static_cast<const Button&>(c).icon);
    } else if (c.kind() == ControlKind::Stepper) {
        const auto& stepper = static_cast<const Stepper&>(c);
        j["min"] = stepper.minimumValue;
        j["max"] = stepper.maximumValue;
        j["step"] = stepper.stepValue;
    }
    j["look"] = lookJson(lookOf(c));
    return j;
}

// The number the page knows a screen by (0 for none).
std::uint32_t idOf(const ScreenController* screen) { return screen != nullptr ? screen->stackId() : 0; }

} // namespace

Result<std::unique_ptr<WebSession>> WebSession::start(const std::string& resources, RunLoop::ClockKind clock,
                                                      std::optional<std::uint64_t> seed,
                                                      std::unique_ptr<const Translator> translator,
                                                      std::optional<std::string> kept)
{
    auto state = std::make_unique<AppState>();
    auto registry = std::make_unique<Registry>(gameRegistry(*state));
    auto storage = std::make_unique<PageStorage>(std::move(kept));
    auto keeper = std::make_unique<ProgressKeeper>(*state, *storage, [](const std::string& line) {
        // The page shows the game's error stream on its console.
        std::cerr << "buddycare: " << line << std::endl;
    });
    keeper->start();
    BC_TRY_LET(app, Application::create(resources, *registry, clock, seed, nullptr, std::move(translator)));
    return std::unique_ptr<WebSession>(new WebSession(std::move(state), std::move(registry), std::move(app),
                                                      std::move(storage), std::move(keeper)));
}

WebSession::WebSession(std::unique_ptr<AppState> state, std::unique_ptr<Registry> registry,
                       std::unique_ptr<Application> app, std::unique_ptr<PageStorage> storage,
                       std::unique_ptr<ProgressKeeper> keeper)
    : state_(std::move(state)), registry_(std::move(registry)), app_(std::move(app)),
      inspector_(std::make_unique<CareStateAccess>(*state_, app_->runLoop())), storage_(std::move(storage)),
      keeper_(std::move(keeper))
{
    keepProgress(*app_, *keeper_);
    wasAnimating_ = app_->navigation().isAnimating();
}

WebSession::~WebSession()
{
    inspector_.reset();
    app_.reset();
    keeper_.reset();
}

WebSession::json WebSession::takeProgress() { return storage_->take(); }

json WebSession::describeScreen(const ScreenController& screen)
{
    json controls = json::array();
    const auto& slots = screen.slots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        controls.push_back(describe(slots[i], i));
    }
    json tabs = json::array();
    for (const Control* c : touchableInReadingOrder(screen)) {
        tabs.push_back(std::find_if(slots.begin(), slots.end(), [&](const auto& s) { return s.control.get() == c; }) -
                       slots.begin());
    }
    return json{{"id", idOf(&screen)},
                {"class", screen.className()},
                {"title", screen.title()},
                {"background", cssColor(withAlpha(screen.backgroundColor, 255))},
                {"controls", controls},
                {"tabs", tabs}};
}

json WebSession::frame()
{
    const NavigationController& nav = app_->navigation();
    const double now = app_->runLoop().now();
    json screens = json::array();
    json slide = nullptr;
    if (const auto& s = nav.slide(); s && s->from != nullptr && s->to != nullptr) {
        // The one arriving is drawn over the one leaving on a push, under it on a pop.
        const ScreenController* under = s->push ? s->from : s->to;
        const ScreenController* over = s->push ? s->to : s->from;
        screens.push_back(describeScreen(*under));
        screens.push_back(describeScreen(*over));
        slide = json{{"push", s->push},
                     {"from", idOf(s->from)},
                     {"to", idOf(s->to)},
                     {"elapsed", std::max(0.0, now - s->start)},
                     {"duration", NavigationController::kSlideSeconds}};
    } else if (const ScreenController* top = app_->top()) {
        screens.push_back(describeScreen(*top));
    }
    json fade = nullptr;
    if (const auto& f = nav.barFade()) {
        fade = json{{"fromHidden", f->fromHidden},
                    {"elapsed", std::max(0.0, now - f->start)},
                    {"duration", NavigationController::kBarSeconds}};
    }
    const ScreenController* top = app_->top();
    json bar{{"hidden", nav.isNavigationBarHidden()},
             {"title", top != nullptr ? top->title() : std::string()},
             {"backTitle", app_->translator().translate("Back")},
             {"back", nav.depth() > 1},
             {"height", Application::kBarHeight},
             {"fade", fade},
             {"look", barLookJson()}};
    wasAnimating_ = nav.isAnimating();
    app_->displayed();
    return json{{"top", idOf(top)},
                {"depth", nav.depth()},
                {"animating", wasAnimating_},
                {"screens", screens},
                {"slide", slide},
                {"bar", bar}};
}

Result<Control*> WebSession::refuse(std::uint32_t screen, std::size_t index)
{
    ScreenController* top = app_->top();
    if (top == nullptr || screen == 0 || screen != idOf(top)) {
        return Error{"that screen is not on top any more"};
    }
    if (app_->navigation().isAnimating()) {
        return Error{"the screen is still moving"};
    }
    if (index >= top->slots().size()) {
        return Error{"no control #" + std::to_string(index) + " on " + top->className()};
    }
    return top->slots()[index].control.get();
}

Result<void> WebSession::tap(std::uint32_t screen, std::size_t index)
{
    BC_TRY_LET(control, refuse(screen, index));
    auto outcome = control->kind() == ControlKind::Stepper ? app_->step(control, true) : app_->tap(control);
    return outcome;
}

Result<void> WebSession::step(std::uint32_t screen, std::size_t index, bool up)
{
    BC_TRY_LET(control, refuse(screen, index));
    auto outcome = app_->step(control, up);
    return outcome;
}

Result<void> WebSession::navBack()
{
    if (app_->navigation().isAnimating()) {
        return Error{"the screen is still moving"};
    }
    auto outcome = app_->navBack();
    return outcome;
}

bool WebSession::tick()
{
    app_->runLoop().fireDue();
    app_->afterEvent();
    return app_->needsDisplay() || app_->navigation().isAnimating() != wasAnimating_;
}

std::optional<double> WebSession::secondsToNextWake() const
{
    const NavigationController& nav = app_->navigation();
    const double now = app_->runLoop().now();
    std::optional<double> wake;
    auto consider = [&](double at) { wake = std::max(0.0, wake ? std::min(*wake, at - now) : at - now); };
    if (auto due = app_->runLoop().nextDue()) {
        consider(*due);
    }
    if (const auto& s = nav.slide()) {
        consider(s->start + NavigationController::kSlideSeconds);
    }
    if (const auto& f = nav.barFade()) {
        consider(f->start + NavigationController::kBarSeconds);
    }
    return wake;
}

json WebSession::words() const
{
    const Translator& words = app_->translator();
    return json{{"minus", words.translate("minus")},
                {"plus", words.translate("plus")},
                {"turn", words.translate("Turn me upright!")},
                {"navigation", words.translate("Navigation")}};
}

json WebSession::state() { return inspector_->snapshot(); }

json WebSession::heard() { return takeHeard(*app_); }

void WebSession::focused(std::uint32_t screen, const std::string& name)
{
    ScreenController* top = app_->top();
    if (top == nullptr || screen != idOf(top)) {
        return;
    }
    if (name.empty()) {
        top->focused(nullptr);
    } else if (const Control* control = top->controlNamed(name)) {
        top->focused(control);
    }
}

} // namespace bc
