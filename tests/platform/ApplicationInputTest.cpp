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
        if (auto* e = std::get_if<LoadError>(&created)) {
            ADD_FAILURE() << e->message;
            std::abort();
        }
        app = std::move(std::get<std::unique_ptr<Application>>(created));
    }
    Counter& first() { return *static_cast<Counter*>(app->navigation().viewControllers()[0]); }

    test::ScratchFolder folder;
    Registry registry;
    std::unique_ptr<Application> app;
};

TEST_F(InputTest, PressAndReleaseOnTheSameControlIsATap)
{
    app->pointerDown(50, 50);
    EXPECT_EQ(app->pressedControl()->name(), "count");
    app->pointerUp(60, 60);
    EXPECT_EQ(first().taps, 1);
}

TEST_F(InputTest, ReleaseOutsideThePressedControlDoesNothing)
{
    app->pointerDown(50, 50);
    app->pointerUp(150, 150);
    EXPECT_EQ(first().taps, 0);
    app->pointerDown(150, 150); // nothing there
    EXPECT_EQ(app->pressedControl(), nullptr);
}

TEST_F(InputTest, DisabledAndHiddenControlsTakeNoTouch)
{
    app->pointerDown(50, 250);
    app->pointerUp(50, 250);
    EXPECT_EQ(first().taps, 0);
    EXPECT_TRUE(app->tap(first().controlNamed("off")).has_value());
    first().controlNamed("count")->setHidden(true);
    app->pointerDown(50, 50);
    app->pointerUp(50, 50);
    EXPECT_EQ(first().taps, 0);
    EXPECT_NE(app->tap(first().controlNamed("count")).value().find("hidden"), std::string::npos);
}

TEST_F(InputTest, PressThatBeganOnAnotherScreenDoesNothing)
{
    app->pointerDown(250, 50);
    app->pointerUp(250, 50); // pushes Second
    ASSERT_EQ(app->top()->className(), "Second");
    app->pointerDown(50, 50);                            // "back" on Second
    app->navigation().popViewControllerAnimated(false); // the screen changes under the finger
    app->pointerUp(50, 50);
    EXPECT_EQ(first().taps, 0) << "the release must not tap First's control under the finger";
}

TEST_F(InputTest, StepperHalvesLowerAndRaiseWithinBounds)
{
    auto* hours = static_cast<Stepper*>(first().controlNamed("hours"));
    app->pointerDown(80, 420);
    app->pointerUp(80, 420);
    EXPECT_EQ(hours->value(), 2);
    app->pointerDown(10, 420);
    app->pointerUp(10, 420);
    app->pointerDown(10, 420);
    app->pointerUp(10, 420);
    EXPECT_EQ(hours->value(), 1);
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
    app->activateFocus();
    EXPECT_TRUE(static_cast<Switch*>(first().controlNamed("answer"))->isOn());
}

TEST_F(InputTest, BarBackPopsOnlyWhenTheBarShows)
{
    app->tap(first().controlNamed("go"));
    EXPECT_FALSE(app->navigation().isNavigationBarHidden());
    EXPECT_FALSE(app->navBack().has_value());
    EXPECT_EQ(app->top()->className(), "First");
    app->tap(first().controlNamed("go"));
    app->navigation().setNavigationBarHidden(true);
    EXPECT_TRUE(app->navBack().has_value());
    EXPECT_EQ(app->top()->className(), "Second");
}

TEST(ApplicationCreate, MissingResourceFolderIsALoadError)
{
    Registry registry;
    auto created = Application::create("/nonexistent/buddycare", registry, RunLoop::ClockKind::Virtual);
    ASSERT_TRUE(std::holds_alternative<LoadError>(created));
    EXPECT_NE(std::get<LoadError>(created).message.find("resource folder not found"), std::string::npos);
}

} // namespace
} // namespace bc
