#pragma once

#include "platform/Control.h"
#include "platform/RunLoop.h"
#include "platform/Services.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace bc {

class NavigationController;

// Where a control leads after its actions have run.
struct Transition {
    enum class Kind { None, Push, Pop, PopToRoot, Unwind };
    Kind kind = Kind::None;
    std::string target; // the class pushed, or unwound to

    // The driver's spelling: "->Class", "<-pop", "<-root", "<-unwind".
    std::string tapName() const;
};

using Action = std::function<void(Control* sender)>;

// The base of every screen: owns the screen's controls, knows its stack, and
// offers the lifecycle hooks, each empty until a screen overrides it.
class ScreenController {
public:
    ScreenController() = default;
    virtual ~ScreenController() = default;
    ScreenController(const ScreenController&) = delete;
    ScreenController& operator=(const ScreenController&) = delete;

    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { (void)animated; }
    virtual void viewDidAppear(bool animated) { (void)animated; }
    virtual void viewWillDisappear(bool animated) { (void)animated; }
    virtual void viewDidDisappear(bool animated) { (void)animated; }
    virtual void didReceiveMemoryWarning() {}
    // A control of this screen was touched, before its actions run.
    virtual void touched(Control* control) { (void)control; }
    // The keyboard's focus moved to a control of this screen, or to the
    // navigation bar's back control (null).
    virtual void focused(const Control* control) { (void)control; }

    // The stack this screen is on; still answers after the screen was taken
    // off it, until the screen is destroyed.
    NavigationController* navigationController() const { return navigation_; }

    // Pushes the screen the identifier names; does nothing unless this screen
    // is the top of its stack (a late timer must not push over another screen).
    void performSegueWithIdentifier(const std::string& identifier, ScreenController* sender);

    // The number its stack gave it, unique among the stack's screens for the
    // stack's whole life (0 until it is on one). It lives in the screen, so a
    // front end that names screens by it cannot name one that is gone.
    std::uint32_t stackId() const { return stackId_; }

    const std::string& className() const { return className_; }
    const std::string& title() const { return title_; }
    // What the screen says to a child who does not read yet.
    const std::string& spokenLine() const { return spokenLine_; }
    Color backgroundColor{250, 246, 238, 255};

    void loadViewIfNeeded();

    struct Slot {
        std::unique_ptr<Control> control;
        std::string outlet;
        std::vector<std::string> actionNames;
        std::vector<Action> actions;
        Transition transition;
    };
    // Every control in the order the interface description declares it.
    const std::vector<Slot>& slots() const { return slots_; }
    const Slot* slotOf(const Control* control) const;
    Control* controlNamed(const std::string& name) const;

    // Runs the control's wired actions in their declared order.
    void sendActions(Control* control);

    // The platform's calls a screen makes on itself: a console line, a timer
    // on the application's run loop, a random draw, a picture by file name.
    void NSLog(const char* format, ...) __attribute__((format(printf, 2, 3)));
    template <class T>
    std::uint64_t scheduledTimerWithTimeInterval(double interval, T* target, void (T::*selector)(), void* userInfo,
                                                 bool repeats)
    {
        static_assert(std::is_base_of_v<ScreenController, T>);
        (void)userInfo;
        return services().runLoop.schedule(interval, repeats, target->keepAlive(),
                                           [target, selector] { (target->*selector)(); });
    }
    std::uint32_t randomUniform(std::uint32_t bound);
    Picture imageNamed(const std::string& name);

    // A pending timer holds one of these; the stack keeps a departed screen
    // while any is held.
    std::shared_ptr<const void> keepAlive() const { return alive_; }
    bool isKeptAlive() const { return alive_.use_count() > 1; }

    // Filled in by the interface description when the screen is made.
    void setServices(Services& services) { services_ = &services; }
    Services& services() const;
    void setClassName(std::string name) { className_ = std::move(name); }
    void setTitle(std::string title) { title_ = std::move(title); }
    void setSpokenLine(std::string line) { spokenLine_ = std::move(line); }
    Slot& addSlot(std::unique_ptr<Control> control);
    std::map<std::string, std::string> segues; // identifier -> class

private:
    friend class NavigationController;
    NavigationController* navigation_ = nullptr;
    std::uint32_t stackId_ = 0;
    std::string className_;
    std::string title_;
    std::string spokenLine_;
    bool loaded_ = false;
    Services* services_ = nullptr;
    std::shared_ptr<const int> alive_ = std::make_shared<const int>(0);
    std::vector<Slot> slots_;
};

} // namespace bc
