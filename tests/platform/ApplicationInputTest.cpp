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
    // The shown hours stop at 3 while the stepper goes on to 4.
    void show(Control* c)
    {
        static_cast<Label*>(controlNamed("shown"))->setText(std::to_string(std::min(3, int(static_cast<Stepper*>(c)->value()))));
    }
    void focused(const Control* c) override { heard.push_back(c != nullptr ? c->name() : "back"); }
    int taps = 0;
    std::vector<std::string> heard;
};

class InputTest : public ::testing::Test {
protected:
    InputTest()
    {
        registry.screen<Counter>("First").action("count", &Counter::count).action("show", &Counter::show);
        registry.screen<Counter>("Second").exit("leave", &Counter::leave);
        app = test::startOwnGame(folder, R"({"initial": "First", "screens": [
          {"class": "First", "title": "First", "controls": [
            {"kind": "button", "name": "count", "frame": [0, 0, 100, 100], "title": "Count", "actions": ["count"]},
            {"kind": "button", "name": "off", "frame": [0, 200, 100, 100], "title": "Off", "enabled": false, "actions": ["count"]},
            {"kind": "button", "name": "go", "frame": [200, 0, 100, 100], "title": "Go", "push": "Second"},
            {"kind": "stepper", "name": "hours", "frame": [0, 400, 100, 44], "min": 1, "max": 4, "value": 1},
            {"kind": "switch", "name": "answer", "frame": [200, 400, 60, 44]},
            {"kind": "stepper", "name": "shownHours", "frame": [0, 500, 100, 44], "min": 1, "max": 4, "value": 1,
             "label": "Hours", "actions": ["show"]},
            {"kind": "label", "name": "shown", "frame": [200, 500, 100, 44], "text": "1", "label": "Hours shown"}
          ]},
          {"class": "Second", "title": "Second", "controls": [
            {"kind": "button", "name": "back", "frame": [0, 0, 100, 100], "title": "Back", "actions": ["leave"]}
          ]}]})", registry);
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
    for (int i = 0; i < 5; ++i) {
        app->focusNext(false);
        seen.push_back(app->focusedControl()->name());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"count", "go", "hours", "answer", "shownHours"}));
    app->key(Application::Key::Next);
    EXPECT_EQ(app->focusedControl()->name(), "count") << "wraps around";
    app->key(Application::Key::Previous);
    app->key(Application::Key::Previous);
    EXPECT_EQ(app->focusedControl()->name(), "answer");
    app->displayed();
    app->activateFocus();
    EXPECT_TRUE(static_cast<Switch*>(first().controlNamed("answer"))->isOn());
    EXPECT_TRUE(app->needsDisplay()) << "a switch turned from the keyboard is drawn at once";

    // "low" sits lower and further left than "high": its middle, at high's bottom edge, is the next row.
    test::ScratchFolder rows;
    Registry one;
    one.screen<Counter>("First").action("count", &Counter::count);
    auto game = test::startOwnGame(rows, R"({"initial": "First", "screens": [{"class": "First", "controls": [
      {"kind": "button", "name": "high", "frame": [100, 0, 50, 30], "title": "A", "actions": ["count"]},
      {"kind": "button", "name": "low", "frame": [0, 15, 50, 30], "title": "B", "actions": ["count"]}]}]})", one);
    game->focusNext(false);
    EXPECT_EQ(game->focusedControl()->name(), "high");
}

TEST_F(InputTest, AFrontEndsOwnFocusMovesTheRingAndTheScreenSaysWhereItIs)
{
    app->focusOn("go");
    app->focusOn("off");     // disabled: takes no focus
    app->focusOn("missing"); // no such control
    app->focusOn("");        // no bar's back on the first screen
    EXPECT_EQ(app->focusedControl()->name(), "go");
    EXPECT_EQ(first().heard, (std::vector<std::string>{"go"}));
    app->key(Application::Key::Activate);
    app->afterEvent();
    app->focusOn("");
    EXPECT_TRUE(app->barBackFocused());
    EXPECT_EQ(static_cast<Counter*>(app->top())->heard, (std::vector<std::string>{"back"}));
    // The bar's back heads the ring: Tab goes from it to the screen's control, and on round to it.
    app->key(Application::Key::Next);
    ASSERT_NE(app->focusedControl(), nullptr);
    EXPECT_EQ(app->focusedControl()->name(), "back");
    app->key(Application::Key::Next);
    EXPECT_TRUE(app->barBackFocused());
    // With nothing left to take focus the ring is empty: when the bar and its control come back,
    // no focus is left over, and Tab starts again at the ring's head.
    app->navigation().setNavigationBarHidden(true, false);
    app->top()->controlNamed("back")->setHidden(true);
    app->key(Application::Key::Next);
    app->navigation().setNavigationBarHidden(false, false);
    app->top()->controlNamed("back")->setHidden(false);
    EXPECT_FALSE(app->barBackFocused() || app->focusedControl());
    app->key(Application::Key::Next);
    EXPECT_TRUE(app->barBackFocused());
}

TEST_F(InputTest, AStepIsToldByTheLabelsItChangedElseByWhatItSaidLastElseByItsValue)
{
    struct Row { const char* what; const char* stepper; bool up; const char* told; };
    const Row rows[] = {
        {"a stepper with no label of its own changing none says its value", "hours", true, "hours: 2"},
        {"the label it changes, by that label's name", "shownHours", true, "Hours shown: 2"},
        {"again", "shownHours", true, "Hours shown: 3"},
        {"past what the label shows: what it said last", "shownHours", true, "Hours shown: 3"},
        {"at its maximum: the same", "shownHours", true, "Hours shown: 3"},
    };
    std::uint64_t count = app->announcement().count;
    for (const Row& row : rows) {
        ASSERT_TRUE(app->step(first().controlNamed(row.stepper), row.up)) << row.what;
        EXPECT_EQ(app->announcement().text, row.told) << row.what;
        EXPECT_EQ(app->announcement().count, ++count) << row.what << ": told again, though the same";
    }
    app->focusOn("shownHours");
    app->key(Application::Key::Down);
    EXPECT_EQ(static_cast<Stepper*>(first().controlNamed("shownHours"))->value(), 3);
    EXPECT_EQ(app->announcement().text, "Hours shown: 3") << "the label still shows 3";
    app->key(Application::Key::Up);
    EXPECT_EQ(static_cast<Stepper*>(first().controlNamed("shownHours"))->value(), 4);
}

} // namespace
} // namespace bc
