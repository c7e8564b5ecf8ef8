#include "platform/Look.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace bc {
namespace {

const Box& part(const Look& look, const std::string& role)
{
    for (const Box& b : look.parts) {
        if (b.role == role) {
            return b;
        }
    }
    throw std::runtime_error("no part " + role);
}

float middle(const Rect& r) { return r.x + r.w / 2; }

template <typename T>
std::unique_ptr<Control> make(Rect frame, const std::function<void(T&)>& set = {})
{
    auto c = std::make_unique<T>();
    c->setFrame(frame);
    if (set) {
        set(*c);
    }
    return c;
}

struct Row {
    const char* what;
    std::function<std::unique_ptr<Control>()> control;
    std::function<void(const Look&)> check;
};

const Row kRows[] = {
    {"a button without a fill of its own gets the default, darker while pressed",
     [] { return make<Button>({0, 0, 120, 44}); },
     [](const Look& l) {
         EXPECT_EQ(l.body.fill, palette::kDefaultButton);
         EXPECT_LT(l.body.pressed.r + l.body.pressed.g + l.body.pressed.b, 125 + 195 + 245);
         EXPECT_EQ(l.body.radius, 12);
         EXPECT_EQ(l.text->area.x, 6);
         EXPECT_EQ(l.contentAlpha, 255);
     }},
    {"a disabled button stays visible, greyed, edged and faded, and does not darken",
     [] { return make<Button>({0, 0, 120, 20}, [](Button& b) { b.setEnabled(false); }); },
     [](const Look& l) {
         EXPECT_NE(l.body.fill, palette::kDefaultButton);
         EXPECT_EQ(l.body.pressed, l.body.fill);
         EXPECT_EQ(l.body.edge, palette::kDisabledEdge);
         EXPECT_EQ(l.body.radius, 10);
         EXPECT_LT(l.contentAlpha, 255);
         EXPECT_GT(l.contentAlpha, 0);
         EXPECT_EQ(l.text->color, palette::kDisabledTitle);
     }},
    {"a switch that is on has its knob at the right and its bar mark at the left",
     [] { return make<Switch>({0, 0, 51, 31}, [](Switch& s) { s.setOn(true); }); },
     [](const Look& l) {
         EXPECT_EQ(part(l, "track").fill, palette::kSwitchOn);
         EXPECT_GT(middle(part(l, "knob").rect), middle(part(l, "track").rect));
         EXPECT_LT(middle(part(l, "mark").rect), middle(part(l, "track").rect));
         EXPECT_NE(part(l, "knob").pressed, part(l, "knob").fill);
     }},
    {"a switch that is off has its knob at the left and an unfilled ring at the right",
     [] { return make<Switch>({0, 0, 51, 31}); },
     [](const Look& l) {
         EXPECT_EQ(part(l, "track").fill, palette::kSwitchOff);
         EXPECT_LT(middle(part(l, "knob").rect), middle(part(l, "track").rect));
         EXPECT_GT(middle(part(l, "mark").rect), middle(part(l, "track").rect));
         EXPECT_EQ(part(l, "mark").fill.a, 0);
         EXPECT_GT(part(l, "mark").edgeWidth, 0);
     }},
    {"a switch in a tall frame keeps its shape, centred",
     [] { return make<Switch>({0, 0, 66, 100}); },
     [](const Look& l) {
         EXPECT_NEAR(part(l, "track").rect.w / part(l, "track").rect.h, 1.65f, 0.01f);
         EXPECT_NEAR(part(l, "track").rect.y * 2 + part(l, "track").rect.h, 100, 0.01f);
     }},
    {"a stepper at its minimum fades the minus only",
     [] { return make<Stepper>({0, 0, 94, 29}, [](Stepper& s) { s.maximumValue = 5; }); },
     [](const Look& l) {
         EXPECT_LT(part(l, "minus").fill.a, 255);
         EXPECT_EQ(part(l, "plus").fill.a, 255);
         EXPECT_LT(middle(part(l, "minus").rect), 47);
         EXPECT_GT(middle(part(l, "plus").rect), 47);
     }},
    {"a stepper at its maximum fades the plus only",
     [] { return make<Stepper>({0, 0, 94, 29}, [](Stepper& s) { s.setValue(100); }); },
     [](const Look& l) {
         EXPECT_EQ(part(l, "minus").fill.a, 255);
         EXPECT_LT(part(l, "plus").fill.a, 255);
     }},
    {"text on a filled label keeps clear of its edge",
     [] { return make<Label>({0, 0, 100, 30}, [](Label& c) { c.style.background = {9, 9, 9, 255}; }); },
     [](const Look& l) { EXPECT_EQ(l.text->area.x, 4); EXPECT_EQ(l.text->area.w, 92); }},
    {"text on a clear label uses the whole frame",
     [] { return make<Label>({0, 0, 100, 30}); },
     [](const Look& l) { EXPECT_EQ(l.text->area.x, 0); EXPECT_EQ(l.text->area.w, 100); }},
    {"a picture as wide as the canvas and half as tall is a backdrop that covers",
     [] { return make<ImageView>({0, 0, kCanvasWidth, kCanvasHeight / 2}); },
     [](const Look& l) { EXPECT_TRUE(l.cover); }},
    {"a smaller picture is shown whole",
     [] { return make<ImageView>({0, 0, kCanvasWidth - 2, kCanvasHeight}); },
     [](const Look& l) { EXPECT_FALSE(l.cover); }},
};

TEST(LookTest, EachKindOfControlIsDrawnByItsRule)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        row.check(lookOf(*row.control()));
    }
}

TEST(LookTest, ThePageGetsCssColoursAndPointsToAThousandth)
{
    EXPECT_EQ(cssColor(Color{1, 2, 3, 51}), "rgba(1,2,3,0.200)");
    EXPECT_EQ(rectJson(Rect{1, 2.5f, 1.0f / 3, 0}).dump(), "[1,2.5,0.333,0]");
}

} // namespace
} // namespace bc
