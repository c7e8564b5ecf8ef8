#pragma once

#include "platform/Control.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
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

    // The stack this screen is on; still answers after the screen was taken
    // off it, until the screen is destroyed.
    NavigationController* navigationController() const { return navigation_; }

    // Pushes the screen the identifier names; does nothing unless this screen
    // is the top of its stack (a late timer must not push over another screen).
    void performSegueWithIdentifier(const std::string& identifier, ScreenController* sender);

    const std::string& className() const { return className_; }
    const std::string& title() const { return title_; }
    Color backgroundColor{250, 246, 238, 255};

    bool isViewLoaded() const { return loaded_; }
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

    // Kept alive while a timer still means to call it.
    void retain() { ++retains_; }
    void release() { --retains_; }
    int retainCount() const { return retains_; }

    // Filled in by the interface description when the screen is made.
    void setClassName(std::string name) { className_ = std::move(name); }
    void setTitle(std::string title) { title_ = std::move(title); }
    Slot& addSlot(std::unique_ptr<Control> control);
    std::map<std::string, std::string> segues; // identifier -> class

private:
    friend class NavigationController;
    NavigationController* navigation_ = nullptr;
    std::string className_;
    std::string title_;
    bool loaded_ = false;
    int retains_ = 0;
    std::vector<Slot> slots_;
};

} // namespace bc
