#include "platform/NavigationController.h"

#include <algorithm>

namespace bc {

NavigationController::~NavigationController()
{
    // Screens may look down the stack while they go; keep it whole until the end.
    retired_.clear();
    while (!stack_.empty()) {
        stack_.pop_back();
    }
}

void NavigationController::attach(ScreenController& screen)
{
    screen.navigation_ = this;
    screen.stackId_ = ++lastId_;
}

void NavigationController::setRoot(std::unique_ptr<ScreenController> root)
{
    attach(*root);
    stack_.push_back(std::move(root));
    ScreenController* home = stack_.back().get();
    // Nothing is on screen yet: whatever the first screen sets up (hiding the
    // bar, say) is simply how the first frame looks, not a fade that would
    // redraw the window for its first quarter second.
    const bool animations = animationsEnabled_;
    animationsEnabled_ = false;
    home->loadViewIfNeeded();
    home->viewWillAppear(false);
    home->viewDidAppear(false);
    animationsEnabled_ = animations;
}

std::vector<ScreenController*> NavigationController::viewControllers() const
{
    std::vector<ScreenController*> out;
    out.reserve(stack_.size());
    for (const auto& s : stack_) {
        out.push_back(s.get());
    }
    return out;
}

ScreenController* NavigationController::topViewController() const
{
    return stack_.empty() ? nullptr : stack_.back().get();
}

void NavigationController::pushViewController(std::unique_ptr<ScreenController> screen, bool animated)
{
    if (slide_) {
        finishSlide();
    }
    ScreenController* old = topViewController();
    ScreenController* next = screen.get();
    attach(*next);
    stack_.push_back(std::move(screen));
    ++pushes_;
    next->loadViewIfNeeded();
    if (old != nullptr) {
        old->viewWillDisappear(animated);
    }
    next->viewWillAppear(animated);
    if (animated && animationsEnabled_ && old != nullptr) {
        slide_ = Slide{true, old, next, now()};
        return;
    }
    if (old != nullptr) {
        old->viewDidDisappear(animated);
    }
    next->viewDidAppear(animated);
}

void NavigationController::retire(std::unique_ptr<ScreenController> screen)
{
    retired_.push_back(std::move(screen));
}

void NavigationController::leave(ScreenController* top, ScreenController* below, bool animated)
{
    top->viewWillDisappear(animated);
    below->viewWillAppear(animated);
    if (animated && animationsEnabled_) {
        slide_ = Slide{false, top, below, now()};
        return;
    }
    top->viewDidDisappear(animated);
    below->viewDidAppear(animated);
}

void NavigationController::popViewControllerAnimated(bool animated)
{
    if (stack_.size() < 2) {
        return;
    }
    popToViewController(stack_[stack_.size() - 2].get(), animated);
}

void NavigationController::popToRootViewControllerAnimated(bool animated)
{
    if (stack_.empty()) {
        return;
    }
    popToViewController(stack_.front().get(), animated);
}

void NavigationController::popToViewController(ScreenController* target, bool animated)
{
    if (slide_) {
        finishSlide();
    }
    auto it = std::find_if(stack_.begin(), stack_.end(), [&](const auto& s) { return s.get() == target; });
    if (it == stack_.end() || std::next(it) == stack_.end()) {
        return;
    }
    ScreenController* top = stack_.back().get();
    // Screens between the target and the top leave quietly: no hooks.
    std::vector<std::unique_ptr<ScreenController>> removed;
    for (auto cut = std::next(it); cut != stack_.end(); ++cut) {
        removed.push_back(std::move(*cut));
    }
    stack_.erase(std::next(it), stack_.end());
    for (auto& s : removed) {
        retire(std::move(s));
    }
    leave(top, target, animated);
}

void NavigationController::setNavigationBarHidden(bool hidden) { setNavigationBarHidden(hidden, false); }

void NavigationController::setNavigationBarHidden(bool hidden, bool animated)
{
    if (hidden == barHidden_) {
        return;
    }
    if (animated && animationsEnabled_) {
        barFade_ = BarFade{barHidden_, now()};
    } else {
        barFade_.reset();
    }
    barHidden_ = hidden;
}

void NavigationController::performSegue(ScreenController* from, const std::string& identifier)
{
    if (from == nullptr || from != topViewController()) {
        return;
    }
    auto it = from->segues.find(identifier);
    if (it == from->segues.end()) {
        return;
    }
    pushMade(it->second, from);
}

void NavigationController::pushMade(const std::string& className, const ScreenController* asker)
{
    auto screen = factory_(className);
    if (!screen) {
        return;
    }
    const ScreenController* pushed = screen.get();
    pushViewController(std::move(screen), true);
    if (onPush) {
        onPush(asker, pushed);
    }
}

void NavigationController::performTransition(ScreenController* from, const Transition& transition)
{
    if (from == nullptr || from != topViewController()) {
        return;
    }
    switch (transition.kind) {
    case Transition::Kind::None: return;
    case Transition::Kind::Push: pushMade(transition.target, nullptr); return;
    case Transition::Kind::Pop: popViewControllerAnimated(true); return;
    case Transition::Kind::PopToRoot: popToRootViewControllerAnimated(true); return;
    case Transition::Kind::Unwind: {
        // The topmost screen of the class below this one, else home.
        ScreenController* target = stack_.front().get();
        for (std::size_t i = stack_.size() - 1; i-- > 0;) {
            if (stack_[i]->className() == transition.target) {
                target = stack_[i].get();
                break;
            }
        }
        popToViewController(target, true);
        return;
    }
    }
}

void NavigationController::finishSlide()
{
    const Slide done = *slide_;
    slide_.reset();
    done.from->viewDidDisappear(true);
    done.to->viewDidAppear(true);
}

void NavigationController::tick(bool force)
{
    const double t = now();
    if (slide_ && (force || t - slide_->start >= kSlideSeconds)) {
        finishSlide();
    }
    if (barFade_ && (force || t - barFade_->start >= kBarSeconds)) {
        barFade_.reset();
    }
}

void NavigationController::drain()
{
    std::erase_if(retired_, [this](const auto& s) {
        const bool sliding = slide_ && (slide_->from == s.get() || slide_->to == s.get());
        return !s->isKeptAlive() && !sliding;
    });
}

} // namespace bc
