#include "platform/Application.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

// Small two-screen game: a counter button on the first, a way back on the second.
class Counter : public ScreenController {
public:
    void count(Control*) { ++taps; }
    void leave(Control*) { navigationController()->popViewControllerAnimated(true); }
    int taps = 0;
};

class InputTest : public ::testing::Test {
protected:
    InputTest()
    {
        folder.write("storyboard.json", R"({"initial": "First", "screens": [
          {"class": "First", "title": "First", "controls": [
            {"kind": "button", "name": "count", "frame": [0, 0, 100, 100], "title": "Count", "actions": ["count"]},
            {"kind": "button", "name": "off", "frame": [0, 200, 100, 100], "title": "Off", "enabled": false, "actions": ["count"]},
            {"kind": "button", "name": "go", "frame": [200, 0, 100, 100], "title": "Go", "push": "Second"},
            {"kind": "stepper", "name": "hours", "frame": [0, 400, 100, 44], "min": 1, "max": 4, "value": 1},
            {"kind": "switch", "name": "answer", "frame": [200, 400, 60, 44]}
          ]},
          {"class": "Second", "title": "Second", "controls": [
            {"kind": "button", "name": "back", "frame": [0, 0, 100, 100], "title": "Back", "actions": ["leave"]}
          ]}]})");
        registry.screen<Counter>("First").action("count", &Counter::count);
        registry.screen<Counter>("Second").exit("leave", &Counter::leave);
        auto created = Application::create(folder.path(), registry, RunLoop::ClockKind::Virtual);
        if (!created) {
            ADD_FAILURE() << created.error().message;
            std::abort();
        }
        app = std::move(*created);
    }
    Counter& first() { return *static_cast<Counter*>(app->navigation().viewControllers()[0]); }

    test::ScratchFolder folder;
    Registry registry;
    std::unique_ptr<Application> app;
};

TEST_F(InputTest, ATapIsAPressAndAReleaseOnOneTouchableControl)
{
    struct Row { const char* what; float downX, downY, upX, upY; int taps; double hours; };
    const Row rows[] = {
        {"press and release on count", 50, 50, 60, 60, 1, 1},
        {"release outside the pressed control", 50, 50, 150, 150, 0, 1},
        {"nothing under the finger", 150, 150, 150, 150, 0, 1},
        {"disabled button", 50, 250, 50, 250, 0, 1},
        {"right half of a stepper raises", 80, 420, 80, 420, 0, 2},
        {"left half at the minimum stays", 10, 420, 10, 420, 0, 1},
    };
    auto* hours = static_cast<Stepper*>(first().controlNamed("hours"));
    for (const auto& r : rows) {
        first().taps = 0;
        hours->setValue(1);
        app->pointerDown(r.downX, r.downY);
        app->pointerUp(r.upX, r.upY);
        EXPECT_EQ(first().taps, r.taps) << r.what;
        EXPECT_EQ(hours->value(), r.hours) << r.what;
    }
    EXPECT_FALSE(app->tap(first().controlNamed("off")));
    first().controlNamed("count")->setHidden(true);
    app->pointerDown(50, 50);
    app->pointerUp(50, 50);
    EXPECT_EQ(first().taps, 0);
    EXPECT_NE(app->tap(first().controlNamed("count")).error().message.find("hidden"), std::string::npos);
}

TEST_F(InputTest, APressShowsAtOnceAndTheBarsBackSaysWhyItIsRefused)
{
    app->displayed();
    app->pointerDown(50, 50);
    EXPECT_TRUE(app->needsDisplay()) << "the pressed look shows while the finger is down";
    app->displayed();
    app->pointerMoved(150, 150);
    EXPECT_TRUE(app->needsDisplay() && app->pressedControl() == nullptr) << "dragged off, it no longer looks pressed";
    app->pointerMoved(60, 60);
    EXPECT_NE(app->pressedControl(), nullptr) << "and back on, it does again";
    app->displayed();
    app->pointerCancel();
    EXPECT_TRUE(app->needsDisplay()) << "and goes when the touch is taken away";
    EXPECT_NE(app->navBack().error().message.find("nothing to go back to"), std::string::npos);
    app->pointerDown(50, 50);
    ASSERT_TRUE(app->tap(first().controlNamed("go")));
    EXPECT_EQ(app->pressedControl(), nullptr) << "a press held on a screen that was covered is let go";
    app->navigation().setNavigationBarHidden(true, false);
    EXPECT_NE(app->navBack().error().message.find("the navigation bar is hidden"), std::string::npos);
}

TEST_F(InputTest, FocusRingVisitsOnlyControlsThatTakeTouch)
{
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        app->focusNext(false);
        seen.push_back(app->focusedControl()->name());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"count", "go", "hours", "answer"}));
    app->focusNext(false);
    EXPECT_EQ(app->focusedControl()->name(), "count") << "wraps around";
    app->focusNext(true);
    EXPECT_EQ(app->focusedControl()->name(), "answer");
    app->displayed();
    app->activateFocus();
    EXPECT_TRUE(static_cast<Switch*>(first().controlNamed("answer"))->isOn());
    EXPECT_TRUE(app->needsDisplay()) << "a switch turned from the keyboard is drawn at once";
}

} // namespace
} // namespace bc
