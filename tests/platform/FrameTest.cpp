#include "platform/Application.h"
#include "platform/Frame.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

class Plain : public ScreenController {};

// Two screens on the window's clock, so that slides and fades take their time.
class FrameTest : public ::testing::Test {
protected:
    FrameTest()
    {
        registry.screen<Plain>("First");
        registry.screen<Plain>("Second");
        app = test::startOwnGame(folder, R"({"initial": "First", "screens": [
          {"class": "First", "title": "First", "controls": [
            {"kind": "button", "name": "go", "frame": [20, 100, 100, 50], "title": "Go", "push": "Second"},
            {"kind": "label", "name": "note", "frame": [20, 200, 100, 60], "text": "one two three four"},
            {"kind": "button", "name": "icon", "frame": [20, 300, 50, 50], "label": "Spoken"},
            {"kind": "switch", "name": "flag", "frame": [200, 300, 51, 31]},
            {"kind": "button", "name": "bare", "frame": [200, 400, 44, 44], "push": "Second"}
          ]},
          {"class": "Second", "title": "Second", "controls": [
            {"kind": "button", "name": "back", "frame": [20, 100, 100, 50], "title": "Back", "pop": true}
          ]}]})", registry, RunLoop::ClockKind::Real);
    }
    Frame at(double now) { return describeFrame(*app, now, fitter); }
    Frame now() { return at(app->runLoop().now()); }
    const FrameControl& control(const Frame& f, const std::string& name)
    {
        for (const auto& c : f.screens.back().controls) {
            if (c.control->name() == name) {
                return c;
            }
        }
        throw std::runtime_error("no " + name);
    }

    test::ScratchFolder folder;
    Registry registry;
    std::unique_ptr<Application> app;
    PlainMeasure measure;
    TextFitter fitter{measure};
};

TEST_F(FrameTest, AScreenAtRestIsLiveWithItsTextsFittedItsNamesAndItsPressAndFocusRing)
{
    Frame f = now();
    ASSERT_EQ(f.screens.size(), 1u);
    EXPECT_TRUE(f.screens[0].live);
    EXPECT_EQ(f.screens[0].dx, 0);
    EXPECT_EQ(f.top, f.screens[0].id);
    EXPECT_FALSE(f.bar.back);
    EXPECT_EQ(f.bar.title->look.area.x, 100);
    EXPECT_EQ(f.bar.title->look.area.w, kCanvasWidth - 200);
    // 100 points hold 11 plain characters of 17 points: the words wrap.
    EXPECT_EQ(control(f, "note").text->fitted.text, "one two\nthree four");
    EXPECT_EQ(control(f, "note").text->look.area.y, 200) << "placed on the canvas";
    EXPECT_FLOAT_EQ(describeFrame(*app, 0, fitter, 2.0f).screens[0].controls[1].text->lineHeight, 17 * 1.2f)
        << "in points whatever the renderer's pixels";
    EXPECT_FLOAT_EQ(frameJson(f)["screens"][0]["controls"][1]["fitted"]["lineHeight"].get<float>(), 20.4f);
    EXPECT_EQ(control(f, "note").says, "one two three four");
    EXPECT_EQ(control(f, "icon").says, "Spoken");
    EXPECT_EQ(control(f, "flag").says, "flag");
    EXPECT_EQ(control(f, "bare").says, "bare") << "a button with neither title nor label is named by its name";
    EXPECT_FALSE(f.focus);
    // Without a typeface bold still takes more room, and a character is not a byte;
    // a line a point wider than its area wraps, rounding or not, and one that fills it to the
    // rounding keeps its size; an empty line stays (three lines of 17 points overflow 60: one
    // size down), a last line break adds none, and two spaces are kept.
    for (const auto& [text, bold, width, shown, size] : {std::tuple{"eleven char", false, 100.0f, "eleven char", 17.0f},
                                                         {"eleven char", true, 100.0f, "eleven\nchar", 17.0f},
                                                         {"éléven char", false, 100.0f, "éléven char", 17.0f},
                                                         {"twelve chars", false, 101.0f, "twelve\nchars", 17.0f},
                                                         {"twelve chars", false, 101.5f, "twelve chars", 17.0f},
                                                         {"one\n\ntwo\n", false, 100.0f, "one\n\ntwo", 16.0f},
                                                         {"a  b", false, 100.0f, "a  b", 17.0f}}) {
        TextLook look;
        look.area = {0, 0, width, 60};
        look.size = 17;
        look.bold = bold;
        const FittedText fit = fitText(text, look, measure);
        EXPECT_EQ(fit.text, shown) << text << (bold ? " bold" : "");
        EXPECT_EQ(fit.size, size) << text << (bold ? " bold" : "");
    }

    app->pointerDown(30, 110);
    app->focusOn("go");
    f = now();
    EXPECT_TRUE(control(f, "go").pressed);
    EXPECT_FALSE(control(f, "flag").pressed);
    ASSERT_TRUE(f.focus);
    const float corner = lookOf(*control(f, "go").control).focusRadius;
    EXPECT_EQ(f.focus->inner.rect.x, 16);
    EXPECT_EQ(f.focus->inner.rect.w, 108);
    EXPECT_EQ(f.focus->inner.radius, corner + 4);
    EXPECT_EQ(f.focus->outer.rect.y, 93);
    EXPECT_EQ(f.focus->outer.rect.h, 64);
    EXPECT_EQ(f.focus->outer.radius, corner + 7);
    EXPECT_EQ(f.focus->outer.edgeWidth, 3);
    EXPECT_EQ(f.focus->outer.edge, palette::kRingOuter);
    EXPECT_EQ(f.focus->name, "go");
}

TEST_F(FrameTest, ASlideEasesBothScreensAcrossAndThePopComesBackTheOtherWay)
{
    ASSERT_TRUE(app->tap(app->top()->controlNamed("go")));
    const float e = easeOut(0.5f);
    // push?, the first and second screen's offsets half way
    const std::tuple<bool, float, float> rows[] = {{true, -kCanvasWidth * e, kCanvasWidth * (1 - e)},
                                                   {false, -kCanvasWidth * (1 - e), kCanvasWidth * e}};
    for (const auto& [push, first, second] : rows) {
        const Frame f = at(app->navigation().slide()->start + NavigationController::kSlideSeconds / 2);
        ASSERT_EQ(f.screens.size(), 2u);
        EXPECT_EQ(f.slide->push, push);
        EXPECT_FLOAT_EQ(f.slide->eased, e);
        EXPECT_DOUBLE_EQ(f.slide->elapsed, NavigationController::kSlideSeconds / 2);
        EXPECT_FLOAT_EQ(f.screens[0].dx, first) << push;
        EXPECT_FLOAT_EQ(f.screens[1].dx, second) << push;
        EXPECT_FALSE(f.screens[0].live || f.screens[1].live);
        EXPECT_TRUE(f.animating);
        EXPECT_EQ(f.screens[1].screen->className(), "Second") << "over the first, going or coming";
        app->navigation().tick(true);
        app->afterEvent();
        if (push) {
            ASSERT_TRUE(app->navBack());
        }
    }
}

TEST_F(FrameTest, TheBarShowsItsBackControlPressedAndFocusedAndFadesAsItHides)
{
    ASSERT_TRUE(app->tap(app->top()->controlNamed("go")));
    app->navigation().tick(true);
    app->afterEvent();
    app->pointerDown(10, 10);
    app->focusOn("");
    Frame f = now();
    EXPECT_TRUE(f.bar.back);
    EXPECT_EQ(f.bar.backLabel->text, "\u2039 Back");
    EXPECT_EQ(f.bar.backLabel->look.area.x, 10);
    EXPECT_EQ(f.bar.backLabel->look.color, darker(palette::kTint, 0.3f)) << "pressed";
    ASSERT_TRUE(f.bar.backHighlight);
    EXPECT_EQ(f.bar.backHighlight->rect.x, 4);
    ASSERT_TRUE(f.focus && f.focus->onBar);
    EXPECT_EQ(f.focus->inner.rect.x, 9 - 4);
    EXPECT_EQ(f.bar.hairline.rect.y, Application::kBarHeight - 0.5f);
    EXPECT_EQ(f.bar.body.rect.x, 0);
    EXPECT_EQ(f.bar.body.rect.w, kCanvasWidth);
    EXPECT_EQ(frameJson(f)["screens"].back()["background"], "rgba(250,246,238,1.000)") << "opaque is 1, not less";

    app->pointerCancel();
    app->navigation().setNavigationBarHidden(true, true);
    const double start = app->navigation().barFade()->start;
    f = at(start + NavigationController::kBarSeconds / 2);
    EXPECT_FALSE(f.bar.backHighlight);
    EXPECT_FLOAT_EQ(f.bar.shown, 1 - easeOut(0.5f));
    EXPECT_FLOAT_EQ(f.bar.dy, -Application::kBarHeight * easeOut(0.5f));
    EXPECT_FLOAT_EQ(f.bar.body.rect.y, f.bar.dy);
    EXPECT_FALSE(f.focus) << "no ring while the bar moves";
    EXPECT_EQ(at(start + 1).bar.shown, 0);
}

TEST_F(FrameTest, ThePageIsHandedTheCanvasEveryScreenAndWhatWasLastTold)
{
    const auto j = frameJson(now());
    EXPECT_EQ(j["canvas"]["width"], kCanvasWidth);
    EXPECT_EQ(j["canvas"]["height"], kCanvasHeight);
    EXPECT_EQ(j["screens"][0]["controls"][1]["fitted"]["lines"], "one two\nthree four");
    EXPECT_EQ(j["screens"][0]["controls"][2]["says"], "Spoken");
    EXPECT_EQ(j["bar"]["title"]["text"], "First");
    EXPECT_EQ(j["announce"]["count"], 0);
}

} // namespace
} // namespace bc
