#include "platform/Application.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/Painter.h"
#include "platform/sdl/Shapes.h"
#include "platform/sdl/Window.h"
#include "support/Game.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace bc {
namespace {

class Plain : public ScreenController {
public:
    void noop(Control*) {}
};

Registry painterRegistry()
{
    Registry r;
    r.screen<Plain>("Home").action("noop", &Plain::noop);
    r.screen<Plain>("Second").action("noop", &Plain::noop);
    return r;
}

constexpr Color kScreenBg{240, 240, 240, 255};

// Controls at known places on a light grey screen; each test looks at one.
const char* const kStoryboard = R"({"initial": "Home", "screens": [
  {"class": "Home", "title": "Home", "background": "#F0F0F0", "controls": [
    {"kind": "label", "name": "hiddenFill", "frame": [10, 60, 100, 40], "fill": "#FF0000", "hidden": true},
    {"kind": "view", "name": "hiddenBox", "frame": [120, 60, 100, 40], "hidden": true, "children": [
      {"kind": "label", "name": "inHiddenBox", "frame": [0, 0, 100, 40], "fill": "#00FF00"}
    ]},
    {"kind": "view", "name": "shownBox", "frame": [230, 60, 100, 40], "children": [
      {"kind": "label", "name": "inShownBox", "frame": [10, 10, 50, 20], "fill": "#0000FF"}
    ]},
    {"kind": "label", "name": "oneLine", "frame": [10, 110, 160, 120], "text": "Ab", "font": 20, "color": "#000000"},
    {"kind": "label", "name": "twoLines", "frame": [180, 110, 160, 120], "text": "Ab\nAb", "font": 20, "color": "#000000"},
    {"kind": "label", "name": "gapLines", "frame": [10, 240, 160, 120], "text": "Ab\n\nAb", "font": 20, "color": "#000000"},
    {"kind": "button", "name": "go", "frame": [200, 250, 120, 44], "title": "Go", "fill": "#3070D0", "push": "Second"},
    {"kind": "button", "name": "off", "frame": [200, 310, 120, 44], "title": "Off", "fill": "#3070D0", "enabled": false},
    {"kind": "switch", "name": "swOn", "frame": [10, 380, 51, 31], "on": true},
    {"kind": "switch", "name": "swOff", "frame": [80, 380, 51, 31]},
    {"kind": "stepper", "name": "count", "frame": [160, 380, 94, 29], "min": 0, "max": 5, "value": 0},
    {"kind": "image", "name": "wide", "frame": [10, 430, 100, 100], "picture": "wide.png"},
    {"kind": "image", "name": "broken", "frame": [130, 430, 100, 100], "picture": "broken.png"}
  ]},
  {"class": "Second", "title": "Second", "background": "#2040A0", "controls": [
    {"kind": "button", "name": "home", "frame": [100, 300, 100, 44], "title": "Home", "pop": true}
  ]}
]})";

// A 20x10 picture, all magenta: wider than tall, so a square frame letterboxes it.
void writeWidePicture(const std::string& path)
{
    sdl::SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 20, 10, 32, SDL_PIXELFORMAT_ARGB8888));
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s.get(), nullptr, SDL_MapRGBA(s->format, 255, 0, 255, 255));
    ASSERT_EQ(IMG_SavePNG(s.get(), path.c_str()), 0);
}

class PainterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("broken.png", "this is not a picture");
        writeWidePicture(folder.path() + "/wide.png");
        folder.write(Application::kStoryboardFile, kStoryboard);
        ASSERT_NO_FATAL_FAILURE(start(RunLoop::ClockKind::Virtual));
        std::string fontError;
        fonts = sdl::FontSource::find(fontError);
        ASSERT_NE(fonts, nullptr) << fontError;
        surface.reset(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(kCanvasWidth),
                                                     static_cast<int>(kCanvasHeight), 32, SDL_PIXELFORMAT_ARGB8888));
        ASSERT_NE(surface, nullptr);
        renderer.reset(SDL_CreateSoftwareRenderer(surface.get()));
        ASSERT_NE(renderer, nullptr);
        painter = std::make_unique<sdl::Painter>(renderer.get(), *fonts);
    }
    // The window's clock animates; the virtual one finishes every move at once.
    void start(RunLoop::ClockKind clock)
    {
        app.reset();
        auto created = Application::create(folder.path(), registry, clock);
        if (!created) {
            FAIL() << created.error().message;
        }
        app = std::move(*created);
    }

    void paintAt(double now) { painter->paint(*app, sdl::CanvasFit::into(surface->w, surface->h), now); }

    void TearDown() override
    {
        painter.reset();
        renderer.reset();
    }

    void paint() { painter->paint(*app, sdl::CanvasFit::into(surface->w, surface->h), app->runLoop().now()); }

    Color at(int x, int y) const
    {
        const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        const Uint32 pixel = reinterpret_cast<const Uint32*>(row)[x];
        Color c;
        SDL_GetRGBA(pixel, surface->format, &c.r, &c.g, &c.b, &c.a);
        return c;
    }

    // Pixels of a canvas rect that differ from `bg`.
    int inkIn(const Rect& r, Color bg) const
    {
        int n = 0;
        for (int y = static_cast<int>(r.y); y < static_cast<int>(r.y + r.h); ++y) {
            for (int x = static_cast<int>(r.x); x < static_cast<int>(r.x + r.w); ++x) {
                const Color c = at(x, y);
                if (std::abs(c.r - bg.r) + std::abs(c.g - bg.g) + std::abs(c.b - bg.b) > 60) {
                    ++n;
                }
            }
        }
        return n;
    }

    // The brightness (r+g+b) of the darkest pixel in a canvas rect.
    int darkest(const Rect& r) const
    {
        int least = 3 * 255;
        for (int y = static_cast<int>(r.y); y < static_cast<int>(r.y + r.h); ++y) {
            for (int x = static_cast<int>(r.x); x < static_cast<int>(r.x + r.w); ++x) {
                const Color c = at(x, y);
                least = std::min(least, c.r + c.g + c.b);
            }
        }
        return least;
    }

    // Runs of rows in the control's frame that hold dark text pixels.
    std::vector<std::pair<int, int>> inkRows(const std::string& name) const
    {
        const Rect f = app->top()->controlNamed(name)->canvasFrame();
        std::vector<std::pair<int, int>> bands;
        bool inBand = false;
        for (int y = static_cast<int>(f.y); y < static_cast<int>(f.y + f.h); ++y) {
            const bool ink = inkIn(Rect{f.x, static_cast<float>(y), f.w, 1}, kScreenBg) > 0;
            if (ink && !inBand) {
                bands.emplace_back(y, y);
            }
            if (ink) {
                bands.back().second = y;
            }
            inBand = ink;
        }
        return bands;
    }

    Rect frameOf(const std::string& name) const { return app->top()->controlNamed(name)->canvasFrame(); }

    test::ScratchFolder folder;
    Registry registry = painterRegistry();
    std::unique_ptr<Application> app;
    std::unique_ptr<sdl::FontSource> fonts;
    sdl::SurfacePtr surface;
    sdl::RendererPtr renderer;
    std::unique_ptr<sdl::Painter> painter;
};

TEST_F(PainterTest, HiddenControlsAndTheContentsOfHiddenViewsLeaveNoPixels)
{
    paint();
    EXPECT_EQ(inkIn(frameOf("hiddenFill"), kScreenBg), 0);
    EXPECT_EQ(inkIn(frameOf("inHiddenBox"), kScreenBg), 0);
    // The same kind of control, shown, does leave its colour.
    EXPECT_EQ(at(250, 80), (Color{0, 0, 255, 255}));

    app->top()->controlNamed("hiddenFill")->setHidden(false);
    paint();
    EXPECT_EQ(at(60, 80), (Color{255, 0, 0, 255}));
}

TEST_F(PainterTest, LineFeedsStartNewLinesAndAnEmptyLineKeepsItsHeight)
{
    paint();
    const auto one = inkRows("oneLine");
    const auto two = inkRows("twoLines");
    const auto gap = inkRows("gapLines");
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(two.size(), 2u);
    ASSERT_EQ(gap.size(), 2u);
    const int lineStep = two[1].first - two[0].first;
    EXPECT_GT(lineStep, one[0].second - one[0].first);
    // The empty line between pushes the second line down by one more line.
    EXPECT_NEAR(gap[1].first - gap[0].first, 2 * lineStep, 2);
    // Text sits in the middle of its frame.
    const Rect f = frameOf("oneLine");
    const float middle = (one[0].first + one[0].second) / 2.0f;
    EXPECT_NEAR(middle, f.y + f.h / 2, 6);
}

TEST_F(PainterTest, FocusRingAppearsAroundTheFocusedControlOnly)
{
    const Rect go = frameOf("go");
    const Rect around{go.x - 8, go.y - 8, go.w + 16, 7}; // a strip just above the button
    paint();
    EXPECT_EQ(inkIn(around, kScreenBg), 0);

    app->focusNext(false);
    ASSERT_EQ(app->focusedControl(), app->top()->controlNamed("go"));
    paint();
    EXPECT_GT(inkIn(around, kScreenBg), static_cast<int>(go.w));
    const Rect aroundSwitch{frameOf("swOn").x - 8, frameOf("swOn").y - 8, 60, 7};
    EXPECT_EQ(inkIn(aroundSwitch, kScreenBg), 0);
}

TEST_F(PainterTest, DisabledButtonLooksDifferentButStaysVisible)
{
    paint();
    const Rect on = frameOf("go");
    const Rect off = frameOf("off");
    const Color enabledFill = at(static_cast<int>(on.x + 6), static_cast<int>(on.y + on.h / 2));
    const Color disabledFill = at(static_cast<int>(off.x + 6), static_cast<int>(off.y + off.h / 2));
    EXPECT_EQ(enabledFill, (Color{0x30, 0x70, 0xD0, 255}));
    EXPECT_NE(disabledFill, enabledFill);
    EXPECT_GT(inkIn(off, kScreenBg), static_cast<int>(off.w * off.h / 2));
}

TEST_F(PainterTest, PressedButtonIsDarker)
{
    const Rect go = frameOf("go");
    const int x = static_cast<int>(go.x + 6);
    const int y = static_cast<int>(go.y + go.h / 2);
    paint();
    const Color normal = at(x, y);
    app->pointerDown(go.x + go.w / 2, go.y + go.h / 2);
    ASSERT_EQ(app->pressedControl(), app->top()->controlNamed("go"));
    paint();
    const Color pressed = at(x, y);
    EXPECT_LT(pressed.r + pressed.g + pressed.b, normal.r + normal.g + normal.b);
}

TEST_F(PainterTest, SwitchStateShowsByKnobPositionNotColourAlone)
{
    paint();
    const Rect on = frameOf("swOn");
    const Rect off = frameOf("swOff");
    // The white knob: at the right end when on, at the left end when off.
    const auto white = [](Color c) { return c.r > 240 && c.g > 240 && c.b > 240; };
    EXPECT_TRUE(white(at(static_cast<int>(on.x + on.w - 15), static_cast<int>(on.y + on.h / 2))));
    EXPECT_FALSE(white(at(static_cast<int>(on.x + 8), static_cast<int>(on.y + 4))));
    EXPECT_TRUE(white(at(static_cast<int>(off.x + 15), static_cast<int>(off.y + off.h / 2))));
    EXPECT_FALSE(white(at(static_cast<int>(off.x + off.w - 8), static_cast<int>(off.y + 4))));
    EXPECT_NE(at(static_cast<int>(on.x + 8), static_cast<int>(on.y + 4)),
              at(static_cast<int>(off.x + off.w - 8), static_cast<int>(off.y + 4)));
}

TEST_F(PainterTest, StepperFadesTheSegmentAtItsBound)
{
    const Rect f = frameOf("count");
    const Rect minus{f.x + 4, f.y + 4, f.w / 2 - 8, f.h - 8};
    const Rect plus{f.x + f.w / 2 + 4, f.y + 4, f.w / 2 - 8, f.h - 8};
    paint();
    // At the minimum the "-" is only a pale hint; the "+" is drawn in full.
    EXPECT_GT(darkest(minus), darkest(plus) + 150);

    auto* stepper = static_cast<Stepper*>(app->top()->controlNamed("count"));
    stepper->setValue(5);
    paint();
    EXPECT_GT(darkest(plus), darkest(minus) + 150);
}

TEST_F(PainterTest, PictureIsFittedWholeAndABrokenOneShowsNothingAndWarnsOnce)
{
    testing::internal::CaptureStderr();
    paint();
    paint();
    const std::string warnings = testing::internal::GetCapturedStderr();

    const Rect wide = frameOf("wide");
    const Color magenta{255, 0, 255, 255};
    EXPECT_EQ(at(static_cast<int>(wide.x + 50), static_cast<int>(wide.y + 50)), magenta);
    // 2:1 in a square: the top and bottom quarters stay empty.
    EXPECT_EQ(at(static_cast<int>(wide.x + 50), static_cast<int>(wide.y + 10)), kScreenBg);
    EXPECT_EQ(at(static_cast<int>(wide.x + 50), static_cast<int>(wide.y + 90)), kScreenBg);

    EXPECT_EQ(inkIn(frameOf("broken"), kScreenBg), 0);
    const auto first = warnings.find("broken.png");
    ASSERT_NE(first, std::string::npos) << warnings;
    EXPECT_EQ(warnings.find("broken.png", first + 1), std::string::npos) << warnings;
}

TEST_F(PainterTest, PushedScreenGetsABarWithTitleAndBack)
{
    ASSERT_FALSE(app->navBackAvailable());
    paint();
    // The back control's area above the bar's bottom edge line.
    const Rect back{Application::kBarBackRect.x, Application::kBarBackRect.y, Application::kBarBackRect.w,
                    Application::kBarBackRect.h - 3};
    const int backInkHome = inkIn(back, Color{248, 248, 251, 255});

    ASSERT_EQ(app->tap(app->top()->controlNamed("go")), std::nullopt);
    ASSERT_EQ(app->top()->className(), "Second");
    paint();
    // Back text appears only once there is somewhere to go back to.
    EXPECT_EQ(backInkHome, 0);
    EXPECT_GT(inkIn(back, Color{248, 248, 251, 255}), 20);
    // The title sits in the middle of the bar.
    EXPECT_GT(inkIn(Rect{137, 8, 100, 28}, Color{248, 248, 251, 255}), 20);
    // Under the bar, the screen's own background.
    EXPECT_EQ(at(187, 60), (Color{0x20, 0x40, 0xA0, 255}));
}

TEST_F(PainterTest, PushSlidesTheNewScreenInFromTheRight)
{
    start(RunLoop::ClockKind::Real);
    ASSERT_EQ(app->tap(app->top()->controlNamed("go")), std::nullopt);
    const auto slide = app->navigation().slide();
    ASSERT_TRUE(slide.has_value());
    const Color second{0x20, 0x40, 0xA0, 255};
    const int y = 600;

    paintAt(slide->start);
    EXPECT_EQ(at(5, y), kScreenBg);
    EXPECT_EQ(at(370, y), kScreenBg);

    // Part way: the old screen still at the left edge, the new one at the right.
    paintAt(slide->start + NavigationController::kSlideSeconds / 2);
    EXPECT_EQ(at(5, y), kScreenBg);
    EXPECT_EQ(at(370, y), second);
    const float shown = kCanvasWidth * sdl::easeOut(0.5f);
    EXPECT_EQ(at(static_cast<int>(kCanvasWidth - shown) + 3, y), second);
    EXPECT_EQ(at(static_cast<int>(kCanvasWidth - shown) - 3, y), kScreenBg);

    paintAt(slide->start + NavigationController::kSlideSeconds);
    EXPECT_EQ(at(5, y), second);
}

TEST_F(PainterTest, HiddenBarIsNotDrawn)
{
    app->navigation().setNavigationBarHidden(true);
    paint();
    EXPECT_EQ(inkIn(Rect{0, 0, kCanvasWidth, Application::kBarHeight}, kScreenBg), 0);
}

TEST(CanvasFitTest, FitsWholeAndCentresWithEvenBorders)
{
    const auto tall = sdl::CanvasFit::into(800, 2000);
    EXPECT_FLOAT_EQ(tall.scale, 800 / kCanvasWidth);
    EXPECT_FLOAT_EQ(tall.x, 0);
    EXPECT_NEAR(tall.y * 2 + tall.height(), 2000, 1.01);

    const auto wide = sdl::CanvasFit::into(800, 900);
    EXPECT_FLOAT_EQ(wide.scale, 900 / kCanvasHeight);
    EXPECT_NEAR(wide.x * 2 + wide.width(), 800, 1.01);
    float cx = 0;
    float cy = 0;
    wide.toCanvas(wide.x + wide.width(), wide.y + wide.height(), cx, cy);
    EXPECT_NEAR(cx, kCanvasWidth, 0.01);
    EXPECT_NEAR(cy, kCanvasHeight, 0.01);
    wide.toCanvas(wide.x - 10, 0, cx, cy);
    EXPECT_LT(cx, 0); // the surround is off the canvas: no control is hit there
}

TEST(ShapesTest, RoundedCornersLeaveTheCornerPixelEmpty)
{
    sdl::SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 40, 40, 32, SDL_PIXELFORMAT_ARGB8888));
    sdl::RendererPtr r(SDL_CreateSoftwareRenderer(s.get()));
    SDL_SetRenderDrawColor(r.get(), 0, 0, 0, 255);
    SDL_RenderClear(r.get());
    sdl::fillRoundedRect(r.get(), SDL_FRect{0, 0, 40, 40}, 12, Color{255, 255, 255, 255});
    SDL_RenderPresent(r.get());
    const auto pixel = [&](int x, int y) {
        const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
        return reinterpret_cast<const Uint32*>(row)[x] & 0xFFFFFFu;
    };
    EXPECT_EQ(pixel(0, 0), 0u);
    EXPECT_EQ(pixel(39, 39), 0u);
    EXPECT_EQ(pixel(20, 20), 0xFFFFFFu);
    EXPECT_EQ(pixel(20, 1), 0xFFFFFFu);
    r.reset();
}

TEST(ShooterTest, WritesAPictureOfTheCanvasAndReportsAnUnwritablePath)
{
    test::ScratchFolder folder;
    test::Game game;
    std::string error;
    auto shooter = sdl::makeShooter(error);
    ASSERT_NE(shooter, nullptr) << error;
    const std::string path = folder.path() + "/frame.png";
    EXPECT_EQ(shooter->shoot(game.app(), path), std::nullopt);
    sdl::SurfacePtr shot(IMG_Load(path.c_str()));
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->w, 750);
    EXPECT_EQ(shot->h, 1334);

    const auto why = shooter->shoot(game.app(), folder.path() + "/no/such/folder/frame.png");
    ASSERT_TRUE(why.has_value());
    EXPECT_NE(why->find("frame.png"), std::string::npos);
}

} // namespace
} // namespace bc
