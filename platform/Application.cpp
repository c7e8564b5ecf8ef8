#include "platform/Application.h"

#include "platform/Frame.h"

#include <algorithm>
#include <cmath>

namespace bc {

Result<std::unique_ptr<Application>> Application::create(const std::filesystem::path& resources,
                                                         const Registry& registry, RunLoop::ClockKind clock,
                                                         std::optional<std::uint64_t> seed,
                                                         std::unique_ptr<Audio> audio,
                                                         std::unique_ptr<const Translator> translator,
                                                         Storyboard::Loading loading)
{
    BC_TRY_LET(opened, PictureCatalog::open(resources));
    // Where the storyboard finds it for the rest of its load, for as long as the application lives.
    auto pictures = std::make_unique<PictureCatalog>(std::move(opened));
    BC_TRY_LET(loaded, Storyboard::loadFile((resources / kStoryboardFile).string(), registry, *pictures, loading));
    return std::unique_ptr<Application>(new Application(std::move(loaded), std::move(pictures), clock, seed,
                                                        std::move(audio), std::move(translator)));
}

Application::Application(Storyboard storyboard, std::unique_ptr<PictureCatalog> pictures, RunLoop::ClockKind clock,
                         std::optional<std::uint64_t> seed, std::unique_ptr<Audio> audio,
                         std::unique_ptr<const Translator> translator)
    : pictures_(std::move(pictures)),
      translator_(translator ? std::move(translator) : std::make_unique<const Translator>()),
      storyboard_(std::move(storyboard)), random_(seed), runLoop_(std::make_unique<RunLoop>(clock)),
      audio_(audio ? std::move(audio) : std::make_unique<AudioRecorder>()),
      services_{*runLoop_, console_, random_, *pictures_, *audio_, *translator_}
{
    navigation_ = std::make_unique<NavigationController>(
        [this](const std::string& name) { return storyboard_.instantiate(name, services_); });
    navigation_->setAnimationsEnabled(clock == RunLoop::ClockKind::Real);
    navigation_->setClock([this] { return runLoop_->now(); });
    runLoop_->afterEachFire = [this] {
        dirty_ = true;
        navigation_->drain();
    };
    navigation_->setRoot(storyboard_.instantiate(storyboard_.initial(), services_));
}

Application::~Application()
{
    // Pending timers let go of their screens (a delivery screen left before
    // its timer fired) before the screens go; the loop itself outlives them.
    runLoop_->cancelAll();
    navigation_.reset();
}

void Application::afterEvent()
{
    navigation_->tick();
    navigation_->drain();
    // A press held on a screen that is no longer on top can never tap, and
    // its control may go with that screen.
    if (pressed_ != nullptr && pressedOn_ != top()) {
        pointerCancel();
    }
    resetFocusIfScreenChanged();
    if (afterEventObserver_) {
        afterEventObserver_();
    }
}

namespace {
Result<void> refuse(const Control* control, const ScreenController* top)
{
    if (control == nullptr) {
        return Error{"no such control on the top screen"};
    }
    if (top == nullptr || top->slotOf(control) == nullptr) {
        return Error{"\"" + control->name() + "\" is not on the top screen"};
    }
    if (control->isEffectivelyHidden()) {
        return Error{"\"" + control->name() + "\" is hidden"};
    }
    if (!control->isEnabled()) {
        return Error{"\"" + control->name() + "\" is disabled"};
    }
    return done();
}
} // namespace

Result<ScreenController*> Application::touch(Control* control, ControlKind kind)
{
    ScreenController* screen = top();
    BC_TRY(refuse(control, screen));
    // A screen on its way in or out takes nothing, whichever front end asks.
    if (navigation_->isAnimating()) {
        return Error{"the screen is still moving"};
    }
    if (control->kind() != kind) {
        return Error{"\"" + control->name() + "\" " +
                     (kind == ControlKind::Button ? std::string("is a ") + kindName(control->kind()) + ", which is not tapped"
                                                  : std::string("is not a ") + kindName(kind))};
    }
    dirty_ = true;
    screen->touched(control);
    return screen;
}

Result<void> Application::tap(Control* control)
{
    if (control != nullptr && control->kind() == ControlKind::Switch) {
        return toggle(control);
    }
    BC_TRY_LET(screen, touch(control, ControlKind::Button));
    screen->sendActions(control);
    navigation_->performTransition(screen, screen->slotOf(control)->transition);
    afterEvent();
    return done();
}

Result<void> Application::toggle(Control* control)
{
    BC_TRY_LET(screen, touch(control, ControlKind::Switch));
    auto* sw = static_cast<Switch*>(control);
    sw->setOn(!sw->isOn());
    screen->sendActions(control);
    afterEvent();
    return done();
}

namespace {
std::vector<std::pair<const Control*, std::string>> shownLabels(const ScreenController& screen)
{
    std::vector<std::pair<const Control*, std::string>> out;
    for (const auto& slot : screen.slots()) {
        if (slot.control->kind() == ControlKind::Label && !slot.control->isEffectivelyHidden()) {
            out.emplace_back(slot.control.get(), static_cast<const Label&>(*slot.control).text());
        }
    }
    return out;
}

// As a person reads it: "3", "0.5", never "3.0".
std::string spokenValue(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    return nlohmann::json(value).dump();
}
} // namespace

Result<void> Application::step(Control* control, bool up)
{
    BC_TRY_LET(screen, touch(control, ControlKind::Stepper));
    const auto before = shownLabels(*screen);
    auto* stepper = static_cast<Stepper*>(control);
    if (up ? stepper->increment() : stepper->decrement()) {
        screen->sendActions(control);
    }
    announceStep(*screen, *control, before);
    afterEvent();
    return done();
}

void Application::announceStep(const ScreenController& screen, const Control& stepper,
                               const std::vector<std::pair<const Control*, std::string>>& labelsBefore)
{
    std::string said;
    for (const auto& shown : shownLabels(screen)) {
        const Control* label = shown.first;
        const std::string& text = shown.second;
        const auto was = std::find_if(labelsBefore.begin(), labelsBefore.end(),
                                      [label](const auto& before) { return before.first == label; });
        if (was == labelsBefore.end() || was->second == text || text.empty()) {
            continue;
        }
        // The words that say what the number is; the number itself follows.
        const std::string& outlet = screen.slotOf(label)->outlet;
        const std::string name = !label->accessibilityLabel.empty() ? label->accessibilityLabel
                                 : !outlet.empty()                  ? outlet
                                                                    : label->name();
        said += (said.empty() ? "" : ". ") + name + ": " + text;
    }
    // At a bound nothing changes: what it said last, as shown (a rate's
    // "0.0", not the tenths it keeps), else its own value.
    const auto key = std::make_pair(screen.stackId(), stepper.name());
    if (said.empty()) {
        const auto last = lastSaid_.find(key);
        said = last != lastSaid_.end() ? last->second
                                       : accessibleName(stepper, screen.slotOf(&stepper)->outlet) + ": " +
                                             spokenValue(static_cast<const Stepper&>(stepper).value());
    }
    lastSaid_[key] = said;
    announcement_.text = said;
    ++announcement_.count;
}

bool Application::navBackAvailable() const
{
    return !navigation_->isNavigationBarHidden() && navigation_->depth() > 1;
}

Result<void> Application::navBack()
{
    if (!navBackAvailable()) {
        return Error{navigation_->depth() > 1 ? "the navigation bar is hidden"
                                              : "the home screen has nothing to go back to"};
    }
    if (navigation_->isAnimating()) {
        return Error{"the screen is still moving"};
    }
    dirty_ = true;
    navigation_->popViewControllerAnimated(true);
    afterEvent();
    return done();
}

Control* Application::hitTest(float x, float y) const
{
    ScreenController* screen = top();
    if (screen == nullptr) {
        return nullptr;
    }
    const auto& slots = screen->slots();
    // Later controls are drawn over earlier ones, so they are hit first.
    for (auto it = slots.rbegin(); it != slots.rend(); ++it) {
        Control* c = it->control.get();
        if (takesTaps(c->kind()) && !c->isEffectivelyHidden() && c->canvasFrame().contains(x, y)) {
            return c;
        }
    }
    return nullptr;
}

void Application::pointerDown(float x, float y)
{
    pointerCancel();
    if (navigation_->isAnimating()) {
        return;
    }
    if (navBackAvailable() && kBarBackRect.contains(x, y)) {
        pressedBarBack_ = true;
        dirty_ = true;
        return;
    }
    Control* hit = hitTest(x, y);
    if (hit != nullptr && hit->acceptsTouch()) {
        pressed_ = hit;
        pressedOn_ = top();
        dirty_ = true;
    }
}

void Application::pointerUp(float x, float y)
{
    Control* pressed = pressed_;
    ScreenController* on = pressedOn_;
    const bool barBack = pressedBarBack_;
    pointerCancel();
    if (navigation_->isAnimating()) {
        return;
    }
    if (barBack) {
        if (kBarBackRect.contains(x, y)) {
            navBack();
        }
        return;
    }
    if (pressed == nullptr || on != top() || !pressed->canvasFrame().contains(x, y) || !pressed->acceptsTouch()) {
        return;
    }
    if (pressed->kind() == ControlKind::Stepper) {
        const Rect f = pressed->canvasFrame();
        step(pressed, x >= f.x + f.w / 2);
    } else {
        tap(pressed);
    }
}

void Application::pointerMoved(float x, float y)
{
    if (pressed_ == nullptr && !pressedBarBack_) {
        return;
    }
    const bool inside = (pressedBarBack_ ? kBarBackRect : pressed_->canvasFrame()).contains(x, y);
    dirty_ = dirty_ || inside != pressedInside_;
    pressedInside_ = inside;
}

void Application::pointerCancel()
{
    if (pressed_ != nullptr || pressedBarBack_) {
        dirty_ = true;
    }
    pressed_ = nullptr;
    pressedOn_ = nullptr;
    pressedBarBack_ = false;
    pressedInside_ = true;
}

std::vector<Control*> touchableInReadingOrder(const ScreenController& screen)
{
    std::vector<Control*> out;
    for (const auto& slot : screen.slots()) {
        if (slot.control->acceptsTouch()) {
            out.push_back(slot.control.get());
        }
    }
    // A control whose middle lies within the height of a row's first control is in it.
    const auto middle = [](const Control* c) { return c->canvasFrame().y + c->canvasFrame().h / 2; };
    std::stable_sort(out.begin(), out.end(), [&](const Control* a, const Control* b) { return middle(a) < middle(b); });
    for (auto row = out.begin(); row != out.end();) {
        const Rect first = (*row)->canvasFrame();
        const auto end = std::find_if(row, out.end(), [&](const Control* c) { return middle(c) >= first.y + first.h; });
        std::stable_sort(row, end, [](const Control* a, const Control* b) { return a->canvasFrame().x < b->canvasFrame().x; });
        row = end;
    }
    return out;
}

std::vector<Control*> Application::focusable() const
{
    return top() != nullptr ? touchableInReadingOrder(*top()) : std::vector<Control*>{};
}

const Control* Application::focusedControl() const
{
    if (focusName_.empty() || top() == nullptr) {
        return nullptr;
    }
    const Control* c = top()->controlNamed(focusName_);
    return (c != nullptr && c->acceptsTouch()) ? c : nullptr;
}

void Application::resetFocusIfScreenChanged()
{
    if (focusOn_ != top()) {
        focusOn_ = top();
        focusName_.clear();
        focusBarBack_ = false;
    }
}

void Application::focusNext(bool backwards)
{
    if (navigation_->isAnimating()) {
        return;
    }
    resetFocusIfScreenChanged();
    dirty_ = true;
    // The ring: the bar's back control (when shown), then the screen's controls.
    std::vector<std::string> ring;
    if (navBackAvailable()) {
        ring.emplace_back();
    }
    for (Control* c : focusable()) {
        ring.push_back(c->name());
    }
    if (ring.empty()) {
        focusName_.clear();
        focusBarBack_ = false;
        return;
    }
    auto current = ring.end();
    if (focusBarBack_ && navBackAvailable()) {
        current = ring.begin();
    } else if (focusedControl() != nullptr) {
        current = std::find(ring.begin(), ring.end(), focusName_);
    }
    std::size_t index = 0;
    if (current == ring.end()) {
        index = backwards ? ring.size() - 1 : 0;
    } else {
        const auto at = static_cast<std::size_t>(current - ring.begin());
        index = backwards ? (at + ring.size() - 1) % ring.size() : (at + 1) % ring.size();
    }
    focusBarBack_ = ring[index].empty();
    focusName_ = ring[index];
    top()->focused(focusBarBack_ ? nullptr : focusedControl());
}

void Application::key(Key key)
{
    switch (key) {
    case Key::Next: focusNext(false); break;
    case Key::Previous: focusNext(true); break;
    case Key::Activate: activateFocus(); break;
    case Key::Up: stepFocus(true); break;
    case Key::Down: stepFocus(false); break;
    }
}

void Application::focusOn(const std::string& name)
{
    resetFocusIfScreenChanged();
    ScreenController* screen = top();
    if (screen == nullptr) {
        return;
    }
    if (name.empty()) {
        if (!navBackAvailable()) {
            return;
        }
        focusBarBack_ = true;
        focusName_.clear();
        dirty_ = true;
        screen->focused(nullptr);
        return;
    }
    const Control* control = screen->controlNamed(name);
    if (control == nullptr || !control->acceptsTouch()) {
        return;
    }
    focusBarBack_ = false;
    focusName_ = name;
    dirty_ = true;
    screen->focused(control);
}

void Application::activateFocus()
{
    if (navigation_->isAnimating()) {
        return;
    }
    if (focusBarBack_ && navBackAvailable()) {
        navBack();
        return;
    }
    if (const Control* c = focusedControl()) {
        Control* target = top()->controlNamed(c->name());
        if (target->kind() == ControlKind::Stepper) {
            step(target, true);
        } else {
            tap(target);
        }
        sayNewValue(target);
    }
}

void Application::sayNewValue(Control* control)
{
    // A switch or a stepper keeps the focus where it was; its new value is
    // said the way focus says it, or a child on the keyboard would not know.
    if (control->kind() != ControlKind::Button && focusedControl() == control) {
        top()->focused(control);
    }
}

void Application::stepFocus(bool up)
{
    if (navigation_->isAnimating()) {
        return;
    }
    if (const Control* c = focusedControl(); c != nullptr && c->kind() == ControlKind::Stepper) {
        Control* target = top()->controlNamed(c->name());
        step(target, up);
        sayNewValue(target);
    }
}

} // namespace bc
