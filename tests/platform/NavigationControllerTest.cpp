#include "platform/NavigationController.h"
#include "platform/RunLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bc {
namespace {

std::vector<std::string> journal;

class Probe : public ScreenController {
public:
    explicit Probe(std::string name) { setClassName(std::move(name)); }
    ~Probe() override { journal.push_back(className() + ".destroyed"); }
    void viewDidLoad() override { journal.push_back(className() + ".didLoad"); }
    void viewWillAppear(bool) override { journal.push_back(className() + ".willAppear"); }
    void viewDidAppear(bool) override { journal.push_back(className() + ".didAppear"); }
    void viewWillDisappear(bool) override { journal.push_back(className() + ".willDisappear"); }
    void viewDidDisappear(bool) override { journal.push_back(className() + ".didDisappear"); }
};

std::unique_ptr<ScreenController> make(const std::string& name) { return std::make_unique<Probe>(name); }

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        journal.clear();
        nav.setRoot(make("Home"));
        journal.clear();
    }
    NavigationController nav{make};
};

TEST_F(NavigationTest, RootLoadsAndAppearsOnce)
{
    journal.clear();
    NavigationController fresh(make);
    fresh.setRoot(make("Root"));
    EXPECT_EQ(journal, (std::vector<std::string>{"Root.didLoad", "Root.willAppear", "Root.didAppear"}));
}

TEST_F(NavigationTest, PushRunsHooksInPlatformOrder)
{
    nav.pushViewController(make("A"), true);
    EXPECT_EQ(journal, (std::vector<std::string>{"A.didLoad", "Home.willDisappear", "A.willAppear",
                                                 "Home.didDisappear", "A.didAppear"}));
}

TEST_F(NavigationTest, PopRunsHooksWithRolesSwappedAndNoSecondLoad)
{
    nav.pushViewController(make("A"), true);
    journal.clear();
    nav.popViewControllerAnimated(true);
    EXPECT_EQ(journal, (std::vector<std::string>{"A.willDisappear", "Home.willAppear", "A.didDisappear",
                                                 "Home.didAppear"}));
    EXPECT_EQ(nav.depth(), 1u);
}

TEST_F(NavigationTest, PopToRootSkipsHooksOfScreensInTheMiddle)
{
    nav.pushViewController(make("A"), true);
    nav.pushViewController(make("B"), true);
    nav.pushViewController(make("C"), true);
    journal.clear();
    nav.popToRootViewControllerAnimated(true);
    EXPECT_EQ(journal, (std::vector<std::string>{"C.willDisappear", "Home.willAppear", "C.didDisappear",
                                                 "Home.didAppear"}));
    EXPECT_EQ(nav.viewControllers().size(), 1u);
    EXPECT_EQ(nav.viewControllers()[0]->className(), "Home");
}

TEST_F(NavigationTest, HomeIsNeverPopped)
{
    nav.popViewControllerAnimated(true);
    nav.popToRootViewControllerAnimated(true);
    EXPECT_EQ(nav.depth(), 1u);
    EXPECT_TRUE(journal.empty());
}

// A screen that pops itself and then still uses its stack, as a "done" action does.
class SelfPopper : public ScreenController {
public:
    void done()
    {
        navigationController()->popToRootViewControllerAnimated(true);
        rootAfterPop = navigationController()->viewControllers()[0]->className();
        journal.push_back("done.finished");
    }
    ~SelfPopper() override { journal.push_back("popper.destroyed"); }
    std::string rootAfterPop;
};

TEST_F(NavigationTest, ScreenTakenOffStaysAliveUntilDrained)
{
    auto popper = std::make_unique<SelfPopper>();
    SelfPopper* raw = popper.get();
    nav.pushViewController(std::move(popper), false);
    journal.clear();
    raw->done();
    EXPECT_EQ(raw->rootAfterPop, "Home");
    EXPECT_EQ(journal.back(), "done.finished");
    EXPECT_EQ(nav.retiredCount(), 1u);
    nav.drain();
    EXPECT_EQ(nav.retiredCount(), 0u);
    EXPECT_EQ(journal.back(), "popper.destroyed");
}

TEST_F(NavigationTest, RetainedScreenOutlivesDrainUntilReleased)
{
    nav.pushViewController(make("A"), false);
    ScreenController* a = nav.topViewController();
    auto hold = a->keepAlive();
    nav.popViewControllerAnimated(false);
    nav.drain();
    EXPECT_EQ(nav.retiredCount(), 1u);
    hold.reset();
    nav.drain();
    EXPECT_EQ(nav.retiredCount(), 0u);
    EXPECT_EQ(journal.back(), "A.destroyed");
}

TEST_F(NavigationTest, SegueFromTopScreenPushesTheNamedClass)
{
    nav.pushViewController(make("A"), false);
    ScreenController* a = nav.topViewController();
    a->segues["next"] = "B";
    a->performSegueWithIdentifier("next", a);
    EXPECT_EQ(nav.topViewController()->className(), "B");
}

TEST_F(NavigationTest, StaleSegueFromAScreenNoLongerOnTopDoesNothing)
{
    nav.pushViewController(make("A"), false);
    ScreenController* a = nav.topViewController();
    a->segues["next"] = "B";
    auto hold = a->keepAlive(); // as a pending timer would
    nav.pushViewController(make("Other"), false);
    a->performSegueWithIdentifier("next", a);
    EXPECT_EQ(nav.topViewController()->className(), "Other");

    nav.popToRootViewControllerAnimated(false);
    a->performSegueWithIdentifier("next", a); // left the stack altogether
    EXPECT_EQ(nav.depth(), 1u);
    hold.reset();
    nav.drain();
}

TEST_F(NavigationTest, UnknownSegueDoesNothing)
{
    ScreenController* home = nav.topViewController();
    home->performSegueWithIdentifier("nowhere", home);
    EXPECT_EQ(nav.depth(), 1u);
}

TEST_F(NavigationTest, UnwindGoesToTopmostScreenOfClassElseHome)
{
    nav.pushViewController(make("Meal"), false);
    nav.pushViewController(make("Counter"), false);
    nav.pushViewController(make("Add"), false);
    nav.performTransition(nav.topViewController(), {Transition::Kind::Unwind, "Meal"});
    EXPECT_EQ(nav.topViewController()->className(), "Meal");

    nav.pushViewController(make("Counter"), false);
    nav.performTransition(nav.topViewController(), {Transition::Kind::Unwind, "Elsewhere"});
    EXPECT_EQ(nav.depth(), 1u);
}

TEST_F(NavigationTest, BarHidingWithAndWithoutAnimation)
{
    EXPECT_FALSE(nav.isNavigationBarHidden());
    nav.setNavigationBarHidden(true);
    EXPECT_TRUE(nav.isNavigationBarHidden());
    nav.setNavigationBarHidden(false, true);
    EXPECT_FALSE(nav.isNavigationBarHidden());
    EXPECT_FALSE(nav.barFade().has_value()) << "animations are off: nothing left running";
}

TEST(NavigationAnimation, SlideDefersDidHooksUntilItEnds)
{
    double now = 0;
    journal.clear();
    NavigationController nav(make);
    nav.setAnimationsEnabled(true);
    nav.setClock([&] { return now; });
    nav.setRoot(make("Home"));
    journal.clear();
    nav.pushViewController(make("A"), true);
    EXPECT_EQ(journal.back(), "A.willAppear");
    EXPECT_TRUE(nav.isAnimating());
    now = 0.1;
    nav.tick();
    EXPECT_TRUE(nav.isAnimating());
    now = NavigationController::kSlideSeconds;
    nav.tick();
    EXPECT_FALSE(nav.isAnimating());
    EXPECT_EQ(journal.back(), "A.didAppear");

    // A popped screen is kept for drawing while it slides away.
    nav.popViewControllerAnimated(true);
    nav.drain();
    EXPECT_EQ(nav.retiredCount(), 1u);
    now += NavigationController::kSlideSeconds;
    nav.tick();
    nav.drain();
    EXPECT_EQ(nav.retiredCount(), 0u);
}

TEST(NavigationAnimation, NewMoveFinishesTheRunningSlideFirst)
{
    double now = 0;
    journal.clear();
    NavigationController nav(make);
    nav.setAnimationsEnabled(true);
    nav.setClock([&] { return now; });
    nav.setRoot(make("Home"));
    nav.pushViewController(make("A"), true);
    journal.clear();
    nav.popViewControllerAnimated(true);
    EXPECT_EQ(journal.front(), "Home.didDisappear");
    EXPECT_EQ(journal[1], "A.didAppear");
}

} // namespace
} // namespace bc
