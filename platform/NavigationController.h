#pragma once

#include "platform/ScreenController.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bc {

// The stack of screens, home at the bottom. Screens taken off the stack are
// kept until drain(): whatever removed them (an action, a hook, a timer)
// finishes with them alive and still reaching this stack.
class NavigationController {
public:
    using Factory = std::function<std::unique_ptr<ScreenController>(const std::string& className)>;
    static constexpr double kSlideSeconds = 0.3;
    static constexpr double kBarSeconds = 0.25;

    explicit NavigationController(Factory factory) : factory_(std::move(factory)) {}
    ~NavigationController();
    NavigationController(const NavigationController&) = delete;
    NavigationController& operator=(const NavigationController&) = delete;

    // Puts the first screen at the bottom and brings it into view.
    void setRoot(std::unique_ptr<ScreenController> root);

    std::vector<ScreenController*> viewControllers() const;
    ScreenController* topViewController() const;
    std::size_t depth() const { return stack_.size(); }

    void pushViewController(std::unique_ptr<ScreenController> screen, bool animated);
    void popViewControllerAnimated(bool animated);
    void popToRootViewControllerAnimated(bool animated);
    void popToViewController(ScreenController* target, bool animated);

    void setNavigationBarHidden(bool hidden);
    void setNavigationBarHidden(bool hidden, bool animated);
    bool isNavigationBarHidden() const { return barHidden_; }

    // A named transition of `from`; dropped unless `from` is the top screen.
    void performSegue(ScreenController* from, const std::string& identifier);
    // A control's declared transition; dropped unless `from` is the top screen.
    void performTransition(ScreenController* from, const Transition& transition);

    // The window animates; the headless driver and tests finish at once.
    void setAnimationsEnabled(bool enabled) { animationsEnabled_ = enabled; }
    void setClock(std::function<double()> clock) { clock_ = std::move(clock); }

    struct Slide {
        bool push = true;
        ScreenController* from = nullptr;
        ScreenController* to = nullptr;
        double start = 0;
    };
    const std::optional<Slide>& slide() const { return slide_; }
    struct BarFade {
        bool fromHidden = false;
        double start = 0;
    };
    const std::optional<BarFade>& barFade() const { return barFade_; }
    bool isAnimating() const { return slide_.has_value() || barFade_.has_value(); }
    // Ends animations whose time is up (or all of them when `force`).
    void tick(bool force = false);

    // Destroys the screens that left the stack and nothing holds any more.
    void drain();
    std::size_t retiredCount() const { return retired_.size(); }

    // Count of screens made by this stack so far (tests and benches read it).
    std::size_t pushes() const { return pushes_; }

    // Sees every push with the screen that asked for it (null when a control's
    // transition asked); tools use it to check who pushes what.
    std::function<void(const ScreenController* from, const ScreenController* pushed)> onPush;

private:
    double now() const { return clock_ ? clock_() : 0.0; }
    void attach(ScreenController& screen);
    // Makes the screen of that class and slides it in; `asker` is what onPush hears.
    void pushMade(const std::string& className, const ScreenController* asker);
    void finishSlide();
    void leave(ScreenController* top, ScreenController* below, bool animated);
    void retire(std::unique_ptr<ScreenController> screen);

    Factory factory_;
    std::function<double()> clock_;
    std::uint32_t lastId_ = 0;
    std::vector<std::unique_ptr<ScreenController>> stack_;
    std::vector<std::unique_ptr<ScreenController>> retired_;
    bool barHidden_ = false;
    bool animationsEnabled_ = false;
    std::optional<Slide> slide_;
    std::optional<BarFade> barFade_;
    std::size_t pushes_ = 0;
};

} // namespace bc
