#include "platform/Console.h"
#include "platform/Look.h"
#include "platform/PictureCatalog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

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

// A button showing the coin icon and the title "Buy", otherwise as `set` makes it.
std::unique_ptr<Control> iconButton(Rect frame, const std::function<void(Button&)>& set = {})
{
    return make<Button>(frame, [&](Button& b) {
        if (set) {
            set(b);
        }
        Console console;
        b.icon = PictureCatalog(BUDDYCARE_RESOURCES).imageNamed("icon-coin.png", console);
        b.setTitle("Buy");
    });
}

struct Row {
    const char* what;
    std::function<std::unique_ptr<Control>()> control;
    std::function<bool(const Look&)> holds;
};

const Row kRows[] = {
    {"a button with no fill of its own takes the default, darker while pressed, rounded to 12 at most",
     [] { return make<Button>({0, 0, 120, 44}); },
     [](const Look& l) {
         return l.body.fill == palette::kDefaultButton && l.body.pressed == darker(l.body.fill, 0.22f) &&
                l.body.radius == 12 && l.text->area.x == 6 && l.text->area.w == 108 && l.contentAlpha == 255;
     }},
    {"a disabled button stays visible, greyed, edged and faded, and does not darken when pressed",
     [] { return make<Button>({0, 0, 120, 20}, [](Button& b) { b.setEnabled(false); }); },
     [](const Look& l) {
         return l.body.fill == mix(palette::kDefaultButton, palette::kDisabledGrey, 0.7f) &&
                l.body.pressed == l.body.fill && l.body.edge == palette::kDisabledEdge && l.body.radius == 10 &&
                l.contentAlpha > 0 && l.contentAlpha < 255 && l.text->color == palette::kDisabledTitle;
     }},
    {"a switch that is on: green, knob at the right, bar mark at the left, knob greyer while pressed",
     [] { return make<Switch>({0, 0, 51, 31}, [](Switch& s) { s.setOn(true); }); },
     [](const Look& l) {
         const Rect t = part(l, "track").rect;
         return part(l, "track").fill == palette::kSwitchOn && middle(part(l, "knob").rect) > middle(t) &&
                middle(part(l, "mark").rect) < middle(t) && part(l, "knob").pressed == palette::kKnobPressed &&
                std::abs(part(l, "mark").rect.w - 31 * 0.08f) < 0.01f;
     }},
    {"a switch that is off: grey, knob at the left, an open ring centred in the track's free round end",
     [] { return make<Switch>({0, 0, 51, 31}); },
     [](const Look& l) {
         const Rect t = part(l, "track").rect;
         const Box& ring = part(l, "mark");
         const Rect m = ring.rect;
         return part(l, "track").fill == palette::kSwitchOff && middle(part(l, "knob").rect) < middle(t) &&
                middle(m) > middle(t) && ring.fill.a == 0 && ring.edgeWidth > 0 && ring.edge == palette::kSwitchOffRing &&
                m.w == m.h && ring.radius == m.w / 2 && ring.edgeWidth * 3 < m.w && m.y > t.y && m.y + m.h < t.y + t.h &&
                std::abs(middle(m) - (t.x + t.w - t.h / 2)) < t.h * 0.1f;
     }},
    {"a switch's track has round ends and a darker edge; its bar mark sits at mid height",
     [] { return make<Switch>({0, 0, 51, 31}, [](Switch& s) { s.setOn(true); }); },
     [](const Look& l) {
         const Box& t = part(l, "track");
         const Rect m = part(l, "mark").rect;
         return t.radius == t.rect.h / 2 && t.edge == darker(t.fill, 0.25f) &&
                std::abs((m.y + m.h / 2) - (t.rect.y + t.rect.h / 2)) < 0.01f;
     }},
    {"a button's own corner is kept however small; a wide one's icon sits at mid height beside its title",
     [] { return iconButton({0, 0, 90, 50}, [](Button& b) { b.style.cornerRadius = 1; }); },
     [](const Look& l) {
         return l.body.radius == 1 && l.picture && l.picture->y + l.picture->h / 2 == 25 && l.text->area.x > l.picture->x;
     }},
    {"a button narrower than its insets has an empty title area, never a negative one",
     [] { return make<Button>({0, 0, 10, 44}); },
     [](const Look& l) { return l.text->area.w == 0 && l.text->area.h == 32; }},
    {"a switch in a tall frame keeps its shape, centred",
     [] { return make<Switch>({0, 0, 66, 100}); },
     [](const Look& l) { const Rect t = part(l, "track").rect; return t.x == 0 && t.w == 66 && t.h == 40 && t.y == 30; }},
    {"a stepper at its minimum fades the minus on the left only, each sign centred in its half, level at mid height",
     [] { return make<Stepper>({0, 0, 94, 29}, [](Stepper& s) { s.maximumValue = 5; }); },
     [](const Look& l) {
         const Rect m = part(l, "minus").rect;
         return part(l, "minus").fill.a < 255 && part(l, "plus").fill.a == 255 && std::abs(middle(m) - 23.5f) < 0.01f &&
                std::abs(middle(part(l, "plus").rect) - 70.5f) < 0.01f && l.body.pressed == darker(palette::kStepperFill, 0.12f) &&
                m.y == part(l, "plus").rect.y && m.y + m.h / 2 == 14.5f && l.focusRadius == 14.5f;
     }},
    {"a square button too short for its icon over its title sets the icon beside it",
     [] { return iconButton({0, 0, 44, 44}); },
     [](const Look& l) { return l.picture && l.text && l.text->area.x > l.picture->x; }},
    {"a square button with just room for two title lines sets its icon over its title",
     [] { return iconButton({0, 0, 40, 40}, [](Button& b) { b.style.fontSize = 10; }); },
     [](const Look& l) { return l.picture && l.text && l.text->area.y >= l.picture->y + l.picture->h; }},
    {"a stepper's plus is a cross: its upright meets the bar from above and below, centred on it",
     [] { return make<Stepper>({0, 0, 94, 29}); },
     [](const Look& l) {
         std::vector<Rect> plus;
         for (const Box& b : l.parts) {
             if (b.role == "plus") {
                 plus.push_back(b.rect);
             }
         }
         if (plus.size() != 3) {
             return false;
         }
         const Rect bar = plus[0];
         const Rect up = plus[1];
         const Rect down = plus[2];
         const float centre = bar.y + bar.h / 2;
         return middle(up) == middle(bar) && middle(down) == middle(bar) && up.y + up.h == bar.y &&
                down.y == bar.y + bar.h && up.h == down.h && std::abs((up.y + down.y + down.h) / 2 - centre) < 0.01f;
     }},
    {"a stepper at its maximum fades the plus only",
     [] { return make<Stepper>({0, 0, 94, 29}, [](Stepper& s) { s.setValue(100); }); },
     [](const Look& l) { return part(l, "minus").fill.a == 255 && part(l, "plus").fill.a < 255; }},
    {"text on a filled label keeps clear of its edge",
     [] { return make<Label>({0, 0, 100, 30}, [](Label& c) { c.style.background = {9, 9, 9, 255}; }); },
     [](const Look& l) { return l.text->area.x == 4 && l.text->area.w == 92; }},
    {"a filled label narrower than its padding keeps a sliver of text area",
     [] { return make<Label>({0, 0, 6, 30}, [](Label& c) { c.style.background = {9, 9, 9, 255}; }); },
     [](const Look& l) { return l.text->area.w == 1; }},
    {"text on a clear label uses the whole frame",
     [] { return make<Label>({0, 0, 100, 30}); },
     [](const Look& l) { return l.text->area.x == 0 && l.text->area.w == 100; }},
    {"a picture as wide as the canvas and half as tall is a backdrop that covers",
     [] { return make<ImageView>({0, 0, kCanvasWidth, kCanvasHeight / 2}); },
     [](const Look& l) { return l.cover; }},
    {"a picture a little narrower is shown whole",
     [] { return make<ImageView>({0, 0, kCanvasWidth - 2, kCanvasHeight}); },
     [](const Look& l) { return !l.cover; }},
};

TEST(LookTest, EachKindOfControlIsDrawnByItsRule)
{
    for (const Row& row : kRows) {
        EXPECT_TRUE(row.holds(lookOf(*row.control()))) << row.what;
    }
}

TEST(LookTest, DarkerTakesTheSameShareOffEachColourAndKeepsTheAlpha)
{
    EXPECT_TRUE((darker(Color{200, 100, 50, 128}, 0.5f) == Color{100, 50, 25, 128}));
    EXPECT_TRUE((darker(Color{200, 100, 50, 255}, 2.0f) == Color{0, 0, 0, 255})) << "no further than black";
}

} // namespace
} // namespace bc
