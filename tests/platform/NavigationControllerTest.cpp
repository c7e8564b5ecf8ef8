#include "platform/NavigationController.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace bc {
namespace {

std::vector<std::string> journal;
using Journal = std::vector<std::string>;

class Probe : public ScreenController {
public:
    explicit Probe(std::string name) { setClassName(std::move(name)); }
    ~Probe() override { journal.push_back(className() + ".destroyed"); }
    void viewDidLoad() override { journal.push_back(className() + ".didLoad"); }
    void viewWillAppear(bool animated) override { journal.push_back(className() + (animated ? ".willAppear" : ".willAppear at once")); }
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
        EXPECT_EQ(journal, (Journal{"Home.didLoad", "Home.willAppear at once", "Home.didAppear"})) << "the first screen";
        journal.clear();
    }
    double now = 0;
    NavigationController nav{make};
};

TEST_F(NavigationTest, EachMoveRunsTheHooksInPlatformOrder)
{
    struct Row {
        const char* move;
        std::vector<const char*> above;
        std::function<void(NavigationController&)> act;
        Journal hooks;
        std::size_t depth;
    };
    const Row rows[] = {
        {"push", {}, [](auto& n) { n.pushViewController(make("A"), true); },
         {"A.didLoad", "Home.willDisappear", "A.willAppear", "Home.didDisappear", "A.didAppear"}, 2},
        {"pop", {"A"}, [](auto& n) { n.popViewControllerAnimated(true); },
         {"A.willDisappear", "Home.willAppear", "A.didDisappear", "Home.didAppear"}, 1},
        {"pop to root skips the middle", {"A", "B", "C"}, [](auto& n) { n.popToRootViewControllerAnimated(true); },
         {"C.willDisappear", "Home.willAppear", "C.didDisappear", "Home.didAppear"}, 1},
        {"home is never popped", {}, [](auto& n) { n.popViewControllerAnimated(true); }, {}, 1},
        {"nor popped to", {}, [](auto& n) { n.popToRootViewControllerAnimated(true); }, {}, 1},
        {"unwind to the topmost of a class", {"Meal", "Counter", "Add"},
         [](auto& n) { n.performTransition(n.topViewController(), {Transition::Kind::Unwind, "Meal"}); },
         {"Add.willDisappear", "Meal.willAppear", "Add.didDisappear", "Meal.didAppear"}, 2},
        {"unwind to the screen right below", {"Meal", "Add"},
         [](auto& n) { n.performTransition(n.topViewController(), {Transition::Kind::Unwind, "Meal"}); },
         {"Add.willDisappear", "Meal.willAppear", "Add.didDisappear", "Meal.didAppear"}, 2},
        {"unwind to a class not on the stack goes home", {"Counter"},
         [](auto& n) { n.performTransition(n.topViewController(), {Transition::Kind::Unwind, "Elsewhere"}); },
         {"Counter.willDisappear", "Home.willAppear", "Counter.didDisappear", "Home.didAppear"}, 1},
    };
    for (const auto& r : rows) {
        nav.popToRootViewControllerAnimated(false);
        nav.drain();
        for (const char* n : r.above) {
            nav.pushViewController(make(n), false);
        }
        journal.clear();
        r.act(nav);
        EXPECT_EQ(journal, r.hooks) << r.move;
        EXPECT_EQ(nav.depth(), r.depth) << r.move;
    }
}

TEST_F(NavigationTest, SlidesDeferTheDidHooksAndKeepTheDepartedScreenUntilTheyEnd)
{
    nav.setAnimationsEnabled(true);
    nav.setClock([this] { return now; });
    nav.pushViewController(make("A"), true);
    journal.clear();
    EXPECT_TRUE(nav.isAnimating());
    EXPECT_EQ(journal, Journal{});
    now = NavigationController::kSlideSeconds - 0.01;
    nav.tick();
    EXPECT_TRUE(nav.isAnimating());
    now = NavigationController::kSlideSeconds;
    nav.tick();
    EXPECT_EQ(journal, (Journal{"Home.didDisappear", "A.didAppear"}));

    nav.popViewControllerAnimated(true);
    nav.drain();
    EXPECT_EQ(nav.retiredCount(), 1u) << "still drawn while it slides away";
    nav.pushViewController(make("B"), true);
    EXPECT_EQ(journal[4], "A.didDisappear") << "a new move finishes the running slide first";
    now += NavigationController::kSlideSeconds;
    nav.tick();
    nav.drain();
    EXPECT_EQ(nav.retiredCount(), 0u);

    // The bar fades on the same clock, and only for its own time.
    nav.setNavigationBarHidden(true, true);
    ASSERT_TRUE(nav.barFade().has_value());
    const double fadeStart = now;
    now = fadeStart + NavigationController::kBarSeconds - 0.01;
    nav.tick();
    EXPECT_TRUE(nav.barFade().has_value()) << "a fade ends on time, not at the next tick";
    now = fadeStart + NavigationController::kBarSeconds;
    nav.tick();
    EXPECT_FALSE(nav.isAnimating());
}

} // namespace
} // namespace bc
