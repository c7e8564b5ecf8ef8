#include "web/glue/WebSession.h"

#include "app/CareStateAccess.h"
#include "app/GameRegistry.h"
#include "app/ProgressKeeper.h"
#include "platform/Driver.h"
#include "platform/Look.h"
#include "state/AppState.h"
#include "web/glue/PageStorage.h"

#include <algorithm>
#include <cstdio>

namespace bc {

namespace {

using json = WebSession::json;

// The number the page knows a screen by (0 for none).
std::uint32_t idOf(const ScreenController* screen) { return screen != nullptr ? screen->stackId() : 0; }

} // namespace

Result<std::unique_ptr<WebSession>> WebSession::start(const std::string& resources, RunLoop::ClockKind clock,
                                                      std::optional<std::uint64_t> seed,
                                                      std::unique_ptr<const Translator> translator,
                                                      std::optional<std::string> kept,
                                                      std::unique_ptr<const TextMeasure> measure)
{
    auto state = std::make_unique<AppState>();
    auto registry = std::make_unique<Registry>(gameRegistry(*state));
    auto storage = std::make_unique<PageStorage>(std::move(kept));
    auto keeper = std::make_unique<ProgressKeeper>(*state, *storage, [](const std::string& line) {
        // The page shows the game's error stream on its console.
        std::fprintf(stderr, "buddycare: %s\n", line.c_str());
    });
    keeper->start();
    // The first screen first: the page shows it while the rest is read (finishLoading).
    BC_TRY_LET(app, Application::create(resources, *registry, clock, seed, nullptr, std::move(translator),
                                        Storyboard::Loading::InitialFirst));
    if (!measure) {
        measure = std::make_unique<const PlainMeasure>();
    }
    return std::unique_ptr<WebSession>(new WebSession(std::move(state), std::move(registry), std::move(app),
                                                      std::move(storage), std::move(keeper), std::move(measure)));
}

WebSession::WebSession(std::unique_ptr<AppState> state, std::unique_ptr<Registry> registry,
                       std::unique_ptr<Application> app, std::unique_ptr<PageStorage> storage,
                       std::unique_ptr<ProgressKeeper> keeper, std::unique_ptr<const TextMeasure> measure)
    : state_(std::move(state)), registry_(std::move(registry)), app_(std::move(app)),
      inspector_(std::make_unique<CareStateAccess>(*state_, app_->runLoop())), storage_(std::move(storage)),
      keeper_(std::move(keeper)), measure_(std::move(measure)), fitter_(*measure_)
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

Result<void> WebSession::finishLoading() { return app_->storyboard().finishLoading(); }

json WebSession::frame()
{
    const Frame frame = describeFrame(*app_, app_->runLoop().now(), fitter_);
    wasAnimating_ = frame.animating;
    app_->displayed();
    return frameJson(frame);
}

Result<Control*> WebSession::refuse(std::uint32_t screen, std::size_t index)
{
    ScreenController* top = app_->top();
    if (top == nullptr || screen == 0 || screen != idOf(top)) {
        return Error{"that screen is not on top any more"};
    }
    if (index >= top->slots().size()) {
        return Error{"no control #" + std::to_string(index) + " on " + top->className()};
    }
    return top->slots()[index].control.get();
}

Result<void> WebSession::tap(std::uint32_t screen, std::size_t index)
{
    BC_TRY_LET(control, refuse(screen, index));
    return control->kind() == ControlKind::Stepper ? app_->step(control, true) : app_->tap(control);
}

Result<void> WebSession::step(std::uint32_t screen, std::size_t index, bool up)
{
    BC_TRY_LET(control, refuse(screen, index));
    return app_->step(control, up);
}

Result<void> WebSession::navBack() { return app_->navBack(); }

void WebSession::pointer(int what, float x, float y)
{
    switch (static_cast<Pointer>(what)) {
    case Pointer::Down: app_->pointerDown(x, y); break;
    case Pointer::Move: app_->pointerMoved(x, y); break;
    case Pointer::Up: app_->pointerUp(x, y); break;
    case Pointer::Cancel: app_->pointerCancel(); break;
    }
}

void WebSession::key(int key)
{
    using Key = Application::Key;
    for (const Key known : {Key::Next, Key::Previous, Key::Activate, Key::Up, Key::Down}) {
        if (static_cast<int>(known) == key) {
            app_->key(known);
        }
    }
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
    if (app_->top() != nullptr && screen == idOf(app_->top())) {
        app_->focusOn(name);
    }
}

} // namespace bc
