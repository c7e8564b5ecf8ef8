#include "platform/Application.h"
#include "platform/Frame.h"
#include "platform/Look.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/FontMeasure.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/Painter.h"
#include "platform/sdl/Shapes.h"
#include "platform/sdl/Window.h"
#include "support/Game.h"
#include "web/glue/WebSession.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <cstdlib>
#include <memory>
#include <tuple>
#include <vector>

namespace bc {
namespace {

class Plain : public ScreenController {};

constexpr Color kScreenBg{240, 240, 240, 255};
constexpr Color kSecondBg{0x20, 0x40, 0xA0, 255};
constexpr Color kRed{255, 0, 0, 255};
constexpr Color kGreen{0, 255, 0, 255};
constexpr Color kBlue{0, 0, 255, 255};
constexpr Color kYellow{255, 255, 0, 255};

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
    {"kind": "button", "name": "go", "frame": [200, 250, 120, 44], "title": "Go", "fill": "#3070D0", "push": "Second"},
    {"kind": "image", "name": "wide", "frame": [10, 430, 100, 100], "picture": "wide.png"},
    {"kind": "image", "name": "broken", "frame": [130, 430, 100, 100], "picture": "broken.png"},
    {"kind": "image", "name": "squeezed", "frame": [250, 430, 0, 100], "picture": "wide.png"},
    {"kind": "image", "name": "quarters", "frame": [10, 150, 100, 30], "picture": "quarters.png"},
    {"kind": "label", "name": "note", "frame": [10, 540, 300, 120], "text": ""}
  ]},
  {"class": "Second", "title": "Second", "background": "#2040A0", "controls": [
    {"kind": "button", "name": "home", "frame": [100, 300, 100, 44], "title": "Home", "pop": true},
    {"kind": "button", "name": "on", "frame": [100, 400, 100, 44], "title": "On", "push": "Third"}
  ]},
  {"class": "Third", "title": "Third", "controls": [
    {"kind": "image", "name": "backdrop", "frame": [0, 100, 375, 375], "picture": "tall.png"},
    {"kind": "button", "name": "back", "frame": [100, 500, 100, 44], "title": "Back", "pop": true}
  ]}
]})";

// Paints into memory at one pixel per point.
struct Canvas {
    Canvas()
    {
        auto found = sdl::FontSource::find();
        EXPECT_TRUE(found) << found.error().message;
        fonts = found ? std::move(*found) : nullptr;
        surface.reset(SDL_CreateRGBSurfaceWithFormat(0, 375, 667, 32, SDL_PIXELFORMAT_ARGB8888));
        renderer.reset(SDL_CreateSoftwareRenderer(surface.get()));
        painter = std::make_unique<sdl::Painter>(renderer.get(), *fonts);
    }
    void paint(Application& app, std::optional<double> now = {})
    {
        painter->paint(app, sdl::CanvasFit::into(375, 667), now.value_or(app.runLoop().now()));
    }
    Color at(float x, float y) const
    {
        const auto* row = static_cast<const Uint8*>(surface->pixels) + static_cast<int>(y) * surface->pitch;
        Color c;
        SDL_GetRGBA(reinterpret_cast<const Uint32*>(row)[static_cast<int>(x)], surface->format, &c.r, &c.g, &c.b, &c.a);
        return c;
    }
    // Pixels of a canvas rect that differ from `bg`.
    int inkIn(const Rect& r, Color bg) const
    {
        int n = 0;
        for (float y = r.y; y < r.y + r.h; ++y) {
            for (float x = r.x; x < r.x + r.w; ++x) {
                const Color c = at(x, y);
                n += std::abs(c.r - bg.r) + std::abs(c.g - bg.g) + std::abs(c.b - bg.b) > 60 ? 1 : 0;
            }
        }
        return n;
    }
    std::unique_ptr<sdl::FontSource> fonts;
    sdl::SurfacePtr surface;
    sdl::RendererPtr renderer;
    std::unique_ptr<sdl::Painter> painter;
};

class PainterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry.screen<Plain>("Home");
        registry.screen<Plain>("Second");
        registry.screen<Plain>("Third");
        folder.write("broken.png", "this is not a picture");
        // All magenta and wider than tall, so a square frame letterboxes it.
        save("wide.png", 20, 10, {{{0, 0, 20, 10}, {255, 0, 255, 255}}});
        // Four times taller than wide, in red, green and blue bands: only its green middle fits a square.
        save("tall.png", 10, 40, {{{0, 0, 10, 15}, kRed}, {{0, 15, 10, 10}, kGreen}, {{0, 25, 10, 15}, kBlue}});
        // 4x2, a colour to each quarter: red and blue over green and yellow.
        save("quarters.png", 4, 2, {{{0, 0, 2, 1}, kRed}, {{2, 0, 2, 1}, kBlue}, {{0, 1, 2, 1}, kGreen}, {{2, 1, 2, 1}, kYellow}});
        start(RunLoop::ClockKind::Virtual);
    }
    // A w×h picture of coloured rects, as a PNG in the folder.
    void save(const std::string& name, int w, int h, std::initializer_list<std::pair<SDL_Rect, Color>> fills)
    {
        sdl::SurfacePtr picture(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
        for (const auto& [rect, c] : fills) {
            SDL_FillRect(picture.get(), &rect, SDL_MapRGB(picture->format, c.r, c.g, c.b));
        }
        ASSERT_EQ(IMG_SavePNG(picture.get(), (folder.path() + "/" + name).c_str()), 0);
    }
    // The window's clock animates; the virtual one finishes every move at once.
    void start(RunLoop::ClockKind clock)
    {
        app.reset();
        app = test::startOwnGame(folder, kStoryboard, registry, clock);
    }
    void paint() { canvas.paint(*app); }
    Rect frameOf(const std::string& name) const { return app->top()->controlNamed(name)->canvasFrame(); }

    test::ScratchFolder folder;
    Registry registry;
    std::unique_ptr<Application> app;
    Canvas canvas;
};

TEST_F(PainterTest, TheFocusRingGoesAroundTheFocusedControlAndAPressedButtonTakesItsPressedColour)
{
    const Rect go = frameOf("go");
    const Rect above{go.x - 8, go.y - 8, go.w + 16, 7};
    paint();
    EXPECT_EQ(canvas.inkIn(above, kScreenBg), 0);
    app->focusNext(false);
    ASSERT_EQ(app->focusedControl(), app->top()->controlNamed("go"));
    paint();
    EXPECT_GT(canvas.inkIn(above, kScreenBg), static_cast<int>(go.w));
    app->pointerDown(go.x + go.w / 2, go.y + go.h / 2);
    paint();
    EXPECT_EQ(canvas.at(go.x + 3, go.y + go.h / 2), lookOf(*app->top()->controlNamed("go")).body.pressed);
}

TEST_F(PainterTest, HiddenControlsTheContentsOfHiddenViewsAndABrokenPictureLeaveNoPixelsAndAPictureShowsWhole)
{
    testing::internal::CaptureStderr();
    paint();
    paint();
    const std::string warnings = testing::internal::GetCapturedStderr();
    for (const char* name : {"hiddenFill", "inHiddenBox", "broken"}) {
        EXPECT_EQ(canvas.inkIn(frameOf(name), kScreenBg), 0) << name;
    }
    const Rect squeezed = frameOf("squeezed");
    EXPECT_EQ(canvas.inkIn({squeezed.x - 2, squeezed.y, 4, squeezed.h}, kScreenBg), 0) << "a picture with no width";
    EXPECT_EQ(canvas.at(250, 80), (Color{0, 0, 255, 255}));
    // 2:1 in a square: the top and bottom quarters stay empty. In a box three times wider than
    // tall, 60x30 in the middle, each of its pixels 15 points square: x, y, colour.
    const Rect wide = frameOf("wide");
    const Rect q = frameOf("quarters");
    const Color magenta{255, 0, 255, 255};
    const std::tuple<float, float, Color> shown[] = {
        {wide.x + 50, wide.y + 24, kScreenBg}, {wide.x + 50, wide.y + 26, magenta}, {wide.x + 50, wide.y + 50, magenta},
        {wide.x + 50, wide.y + 74, magenta},   {wide.x + 50, wide.y + 76, kScreenBg}, {q.x + 19, q.y + 7, kScreenBg},
        {q.x + 27, q.y + 7, kRed},             {q.x + 42, q.y + 7, kRed},             {q.x + 57, q.y + 7, kBlue},
        {q.x + 72, q.y + 7, kBlue},            {q.x + 27, q.y + 22, kGreen},          {q.x + 72, q.y + 22, kYellow},
        {q.x + 81, q.y + 22, kScreenBg}};
    for (const auto& [x, y, color] : shown) {
        const Color c = canvas.at(x, y); // scaled, so a shade either way
        EXPECT_LT(std::abs(c.r - color.r) + std::abs(c.g - color.g) + std::abs(c.b - color.b), 12) << x << "," << y;
    }
    const auto first = warnings.find("broken.png");
    ASSERT_NE(first, std::string::npos) << warnings;
    EXPECT_EQ(warnings.find("broken.png", first + 1), std::string::npos) << warnings;
    app->top()->controlNamed("hiddenFill")->setHidden(false);
    paint();
    EXPECT_EQ(canvas.at(60, 80), (Color{255, 0, 0, 255}));
}

TEST_F(PainterTest, APictureBehindTheWholeScreenFillsItsAreaWithItsMiddle)
{
    ASSERT_TRUE(app->tap(app->top()->controlNamed("go")));
    ASSERT_TRUE(app->tap(app->top()->controlNamed("on")));
    paint();
    const Rect backdrop = frameOf("backdrop");
    for (const float y : {backdrop.y + 2, backdrop.y + backdrop.h / 2, backdrop.y + backdrop.h - 2}) {
        EXPECT_EQ(canvas.at(backdrop.x + backdrop.w / 2, y), kGreen) << y;
    }
}

TEST_F(PainterTest, TextIsDrawnOnTheLinesItWasFittedInto)
{
    // Its first line exactly as wide as the area: the line feed after it must not break it again.
    const sdl::FontMeasure measure(*canvas.fonts);
    const float line = measure.lineHeight(17, false);
    auto* note = static_cast<Label*>(app->top()->controlNamed("note"));
    note->setText("Blood sugar goes\nup");
    note->setFrame({10, 540, measure.width("Blood sugar goes", 17, false), 3 * line});
    paint();
    EXPECT_EQ(canvas.inkIn({10, 540, 8, line * 0.45f}, kScreenBg), 0) << "two lines in three leave the top half-line clear";
    EXPECT_GT(canvas.inkIn({10, 540 + line, 8, line}, kScreenBg), 0);
}

TEST_F(PainterTest, APushedScreenGetsABarWithTitleAndBackUnlessTheBarIsHidden)
{
    const Color bar = palette::kBarFill;
    const Rect back{0, 0, Application::kBarBackRect.w, Application::kBarBackRect.h - 3};
    paint();
    EXPECT_EQ(canvas.inkIn(back, bar), 0);
    ASSERT_TRUE(app->tap(app->top()->controlNamed("go")));
    paint();
    EXPECT_GT(canvas.inkIn(back, bar), 20);
    EXPECT_GT(canvas.inkIn(Rect{137, 8, 100, 28}, bar), 20);
    // Its half-point hairline takes the bar's last whole row, not the screen's first.
    EXPECT_EQ(canvas.at(187, Application::kBarHeight - 1), palette::kHairline);
    EXPECT_EQ(canvas.at(187, Application::kBarHeight), kSecondBg);
    // Pressed, its back control is shaded, beside its label too.
    const Color unpressed = canvas.at(6, 22);
    app->pointerDown(10, 10);
    paint();
    EXPECT_NE(canvas.at(6, 22), unpressed);
    app->pointerCancel();
    app->navigation().setNavigationBarHidden(true);
    paint();
    EXPECT_EQ(canvas.inkIn(Rect{0, 0, kCanvasWidth, Application::kBarHeight}, kSecondBg), 0);
}

TEST_F(PainterTest, APushSlidesTheNewScreenInFromTheRight)
{
    start(RunLoop::ClockKind::Real);
    ASSERT_TRUE(app->tap(app->top()->controlNamed("go")));
    const auto slide = app->navigation().slide();
    ASSERT_TRUE(slide.has_value());
    const float shown = kCanvasWidth * easeOut(0.5f);
    // x, at the start, half way and at the end
    const std::tuple<float, Color, Color, Color> rows[] = {
        {5, kScreenBg, kScreenBg, kSecondBg},
        {kCanvasWidth - shown - 3, kScreenBg, kScreenBg, kSecondBg},
        {kCanvasWidth - shown + 3, kScreenBg, kSecondBg, kSecondBg},
        {370, kScreenBg, kSecondBg, kSecondBg},
    };
    for (int step = 0; step < 3; ++step) {
        canvas.paint(*app, slide->start + NavigationController::kSlideSeconds * step / 2);
        for (const auto& [x, atStart, halfWay, atEnd] : rows) {
            EXPECT_EQ(canvas.at(x, 600), step == 0 ? atStart : step == 1 ? halfWay : atEnd) << x << " " << step;
        }
    }
}

// The page is handed the very description the window paints, and the window
// paints what it says: its opaque shapes at a few points each, wherever
// nothing drawn later covers the point, and ink in each of its texts'
// areas, on every shipped screen.
TEST(PainterFrameTest, EveryShippedScreenIsPaintedAsThePageIsToldToPlaceIt)
{
    Canvas canvas;
    auto started = WebSession::start(BUDDYCARE_RESOURCES, RunLoop::ClockKind::Virtual, {}, nullptr, {},
                                     std::make_unique<sdl::FontMeasure>(*canvas.fonts));
    ASSERT_TRUE(started) << started.error().message;
    WebSession& session = **started;
    Application& app = session.app();
    ASSERT_EQ(app.storyboard().screens().size(), 1u) << "the page's start reads the first screen alone";
    ASSERT_TRUE(session.finishLoading());
    const auto fit = sdl::CanvasFit::into(375, 667);
    struct Drawn { Rect rect; std::optional<Color> fill; float edge; }; // opaque fills only
    int checked = 0;
    int texts = 0;
    for (const ScreenLayout& layout : app.storyboard().screens()) {
        if (layout.className != app.top()->className()) {
            app.navigation().pushViewController(app.storyboard().instantiate(layout.className, app.services()), false);
        }
        app.afterEvent();
        const Frame frame = canvas.painter->describe(app, fit, app.runLoop().now());
        ASSERT_EQ(session.frame(), frameJson(frame)) << layout.className;
        ASSERT_EQ(frame.screens.back().screen->className(), layout.className);
        canvas.painter->paint(frame, app.pictures(), fit);

        std::vector<Drawn> drawn;
        for (const FrameControl& c : frame.screens.back().controls) {
            if (c.hidden) {
                continue;
            }
            std::vector<Box> boxes{c.look.body};
            boxes.insert(boxes.end(), c.look.parts.begin(), c.look.parts.end());
            for (const Box& box : boxes) {
                const auto fill = box.fill.a == 255 ? std::optional(box.fill) : std::nullopt;
                drawn.push_back({box.rect.offset(c.frame.x, c.frame.y), fill, box.edgeWidth});
            }
            if (c.look.picture) {
                drawn.push_back({c.look.picture->offset(c.frame.x, c.frame.y), std::nullopt, 0});
            }
            if (c.text) {
                drawn.push_back({c.text->look.area, std::nullopt, 0});
            }
        }
        const bool barShown = frame.bar.shown > 0;
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            const Drawn& d = drawn[k];
            const float in = d.edge + 2;
            if (!d.fill || d.rect.w < 2 * in + 1 || d.rect.h < 2 * in + 1) {
                continue;
            }
            const Rect r = d.rect;
            const float py = r.y + r.h / 2;
            for (const float px : {r.x + in, r.x + r.w / 2, r.x + r.w - in}) {
                const bool covered = std::any_of(drawn.begin() + static_cast<long>(k) + 1, drawn.end(),
                                                 [&](const Drawn& later) { return later.rect.contains(px, py); });
                const bool underBar = barShown && py < frame.bar.body.rect.h + 1;
                if (covered || underBar || px < 0 || py < 0 || px >= 375 || py >= 667) {
                    continue;
                }
                EXPECT_EQ(canvas.at(px, py), *d.fill) << layout.className << " at " << px << "," << py;
                ++checked;
            }
        }
        for (const FrameControl& c : frame.screens.back().controls) {
            if (!c.hidden && c.text && !c.text->fitted.text.empty() && c.look.contentAlpha == 255 &&
                !(barShown && c.text->look.area.y < frame.bar.body.rect.h)) {
                const Color under = c.look.body.fill.a == 255 ? c.look.body.fill : frame.screens.back().background;
                EXPECT_GT(canvas.inkIn(c.text->look.area, under), 0) << layout.className << " " << c.control->name();
                ++texts;
            }
        }
        if (barShown) {
            EXPECT_EQ(canvas.inkIn(Rect{frame.bar.body.rect.w - 8, 2, 6, 6}, palette::kBarFill), 0) << layout.className;
        }
    }
    EXPECT_GT(checked, 50);
    EXPECT_GT(texts, 30);
}

TEST(ShooterTest, WritesAPictureOfTheCanvasAndReportsAnUnwritablePath)
{
    test::ScratchFolder folder;
    test::Game game;
    auto shooter = sdl::makeShooter();
    const std::string path = folder.path() + "/frame.png";
    EXPECT_EQ(test::refusal(shooter->shoot(game.app(), path)), "");
    sdl::SurfacePtr shot(IMG_Load(path.c_str()));
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->w, 750);
    EXPECT_EQ(shot->h, 1334);

    const auto why = shooter->shoot(game.app(), folder.path() + "/no/such/folder/frame.png");
    ASSERT_FALSE(why);
    EXPECT_NE(why.error().message.find("frame.png"), std::string::npos);
    // A device that is always full takes the file's opening but none of its bytes.
    EXPECT_FALSE(shooter->shoot(game.app(), "/dev/full")) << "a full disk is no shot";
}

} // namespace
} // namespace bc
