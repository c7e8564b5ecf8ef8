#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/PictureCache.h"
#include "platform/sdl/WindowLoop.h"
#include "support/Game.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace bc::sdl {
namespace {

TEST(WindowPlacement, FitsWhollyInsideTheUsableAreaKeepingTheCanvasShape)
{
    const std::tuple<WindowBox, WindowBorders, WindowBox> rows[] = {
        {{0, 0, 1920, 1080}, {}, {772, 206, 375, 667}},          // room to spare: natural size, centred
        {{0, 30, 800, 450}, {22, 1, 1, 1}, {280, 52, 240, 427}}, // a panel and a title bar take their share
        {{-1024, 0, 1024, 768}, {}, {-700, 50, 375, 667}},       // a display left of the first
        {{0, 0, 0, 0}, {}, {0, 0, 1, 1}},                        // nothing usable still gives a window
    };
    for (const auto& [usable, borders, expected] : rows) {
        const WindowBox got = placeWindow(usable, borders);
        EXPECT_TRUE(got == expected) << got.x << "," << got.y << " " << got.w << "x" << got.h;
    }
    // A window hanging a pixel past any side of the usable area is not reachable.
    const std::tuple<WindowBox, WindowBorders, bool> placed[] = {
        {{0, 0, 800, 480}, {}, true},
        {{10, 30, 780, 449}, {22, 1, 1, 1}, true},
        {{1, 0, 800, 480}, {}, false},
        {{0, 1, 800, 480}, {}, false},
        {{0, 400, 800, 81}, {}, false},
        {{10, 30, 780, 450}, {22, 1, 1, 1}, false},
        {{0, 20, 800, 460}, {22, 0, 0, 0}, false},
    };
    for (const auto& [window, borders, inside] : placed) {
        EXPECT_EQ(whollyInside(window, borders, {0, 0, 800, 480}), inside)
            << window.x << "," << window.y << " " << window.w << "x" << window.h;
    }
    EXPECT_FLOAT_EQ(CanvasFit::into(16000, 16000).scale, CanvasFit::kMaxScale);
    // Squeezed to a single row of pixels, the canvas still fits inside it.
    for (const int rows : {0, 1}) {
        EXPECT_LE(CanvasFit::into(375, rows).height(), 1.0f) << rows;
    }
}

// The first bytes of a PNG or a JPEG file, which declare its size (big-endian; a JPEG's height first).
std::string header(bool png, std::uint32_t w, std::uint32_t h)
{
    std::string s = png ? std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) : std::string("\xFF\xD8\xFF\xC0\0\x11\x08", 7);
    const std::uint32_t sides[] = {png ? w : h, png ? h : w};
    for (const std::uint32_t v : sides) {
        for (int shift = png ? 24 : 8; shift >= 0; shift -= 8) {
            s.push_back(static_cast<char>((v >> shift) & 0xFF));
        }
    }
    return s + std::string(64, '\0');
}

TEST(PictureBounds, APictureTooLargeToDecodeIsRefusedFromItsHeaderWithOneLine)
{
    const std::pair<std::string, const char*> rows[] = {
        {header(true, 30000, 30000), "30000x30000 pixels is beyond"},
        {header(true, 4097, 10), "4097x10 pixels is beyond"},
        {header(false, 5000, 5000), "5000x5000 pixels is beyond"},
        {std::string("\xFF\xD8\xFF\xDA", 4), "JPEG without a readable size"},
        {"GIF89a", "not a PNG or JPEG picture"},
    };
    test::ScratchFolder folder;
    SurfacePtr target(SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888));
    RendererPtr renderer(SDL_CreateSoftwareRenderer(target.get()));
    for (const auto& [bytes, says] : rows) {
        folder.write("p.png", bytes);
        PictureCache cache(renderer.get());
        testing::internal::CaptureStderr();
        EXPECT_FALSE(cache.size("p.png", std::filesystem::path(folder.path()) / "p.png"));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(says), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    // A small picture asked for at a huge size is refused, not scaled.
    const auto path = std::filesystem::path(folder.path()) / "s.png";
    ASSERT_EQ(IMG_SavePNG(target.get(), path.c_str()), 0);
    PictureCache cache(renderer.get());
    EXPECT_NE(cache.texture("s", path, {0, 0, 8, 8}, 8, 8), nullptr);
    EXPECT_EQ(cache.texture("s", path, {0, 0, 8, 8}, 16000, 16000), nullptr);
}

// A display of its own, 800×480, with no window manager.
class SmallDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        if ((server_ = fork()) == 0) {
            execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0", "800x480x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        ASSERT_GT(read(fds[0], number, sizeof number - 1), 0) << "Xvfb did not start";
        close(fds[0]);
        // Appended, not ":" + string: g++ 12 at -O3 warns -Wrestrict inside that operator (GCC bug 105651).
        std::string display = ":";
        display.append(number, std::strcspn(number, "\n"));
        setenv("DISPLAY", display.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        unsetenv("SDL_VIDEODRIVER");
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
    static WindowBox shown(SDL_Window* w)
    {
        WindowBox b;
        SDL_ShowWindow(w);
        SDL_GetWindowPosition(w, &b.x, &b.y);
        SDL_GetWindowSize(w, &b.w, &b.h);
        return b;
    }
    pid_t server_ = -1;
};

TEST_F(SmallDisplay, AWindowOpensReachableFullScreenCoversTheDisplayAndBothComeBackWhenMoved)
{
    WindowPtr window;
    for (const bool full : {true, false}) {
        auto opened = openWindow(full);
        ASSERT_TRUE(opened) << opened.error().message;
        window = std::move(*opened);
        EXPECT_TRUE(shown(window.get()) == (full ? WindowBox{0, 0, 800, 480} : WindowBox{265, 0, 269, 480})) << full;
    }
    SDL_SetWindowPosition(window.get(), 700, -300);
    keepReachable(window.get());
    EXPECT_TRUE(whollyInside(shown(window.get()), {}, {0, 0, 800, 480}));
    SDL_SetWindowSize(window.get(), 20000, 20000);
    EXPECT_EQ(shown(window.get()).h, kMaxWindowSide);
}

// The window's loop over the shipped game, drawing into memory at one pixel per point.
class SmallDisplayLoop : public SmallDisplay {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(SmallDisplay::SetUp());
        auto found = FontSource::find();
        ASSERT_TRUE(found) << found.error().message;
        fonts = std::move(*found);
        auto opened = openWindow(false);
        ASSERT_TRUE(opened) << opened.error().message;
        window = std::move(*opened);
        target.reset(SDL_CreateRGBSurfaceWithFormat(0, 375, 667, 32, SDL_PIXELFORMAT_ARGB8888));
        renderer.reset(SDL_CreateSoftwareRenderer(target.get()));
        loop = std::make_unique<WindowLoop>(game.app(), window.get(), renderer.get(), *fonts, false);
        // What waits for the first frame starts once, after it is presented.
        loop->afterFirstFrame([&] { firstFrames += game.app().needsDisplay() ? 10 : 1; });
        shown(window.get());
        loop->pump();
    }
    void TearDown() override
    {
        loop.reset();
        renderer.reset();
        window.reset();
        SmallDisplay::TearDown();
    }
    // A finger put down and lifted at the middle of a canvas rect.
    void tap(SDL_FingerID finger, const Rect& r)
    {
        for (const Uint32 type : {SDL_FINGERDOWN, SDL_FINGERUP}) {
            SDL_Event e{};
            e.type = type;
            e.tfinger.fingerId = finger;
            e.tfinger.x = (r.x + r.w / 2) / kCanvasWidth;
            e.tfinger.y = (r.y + r.h / 2) / kCanvasHeight;
            SDL_PushEvent(&e);
        }
        loop->pump();
    }
    // What the window last showed.
    std::vector<Uint32> drawn() const
    {
        const auto* pixels = static_cast<const Uint32*>(target->pixels);
        return {pixels, pixels + target->w * target->h};
    }
    test::Game game;
    std::unique_ptr<FontSource> fonts;
    WindowPtr window;
    SurfacePtr target;
    RendererPtr renderer;
    std::unique_ptr<WindowLoop> loop;
    int firstFrames = 0;
};

TEST_F(SmallDisplayLoop, AFingerTapsWhenLiftedTheNextTapsAgainAndTheFirstFrameWasAwaitedOnce)
{
    const auto home = drawn();
    tap(1, game.app().top()->controlNamed("checkPlace")->canvasFrame());
    EXPECT_EQ(game.screen(), "BloodSugarViewController");
    EXPECT_NE(drawn(), home) << "the new screen is drawn";
    tap(2, Application::kBarBackRect);
    EXPECT_EQ(game.screen(), "ViewController");
    EXPECT_EQ(firstFrames, 1);
}

TEST_F(SmallDisplayLoop, AWindowLeftOffTheDisplayComesBackWhenTheDisplayChanges)
{
    SDL_Event display{};
    display.type = SDL_DISPLAYEVENT;
    SDL_Event moved{};
    moved.type = SDL_WINDOWEVENT;
    moved.window.windowID = SDL_GetWindowID(window.get());
    moved.window.event = SDL_WINDOWEVENT_DISPLAY_CHANGED;
    for (SDL_Event* e : {&display, &moved}) {
        SDL_SetWindowPosition(window.get(), 700, -300);
        ASSERT_FALSE(whollyInside(shown(window.get()), {}, {0, 0, 800, 480}));
        SDL_PushEvent(e);
        loop->pump();
        EXPECT_TRUE(whollyInside(shown(window.get()), {}, {0, 0, 800, 480})) << e->type;
    }
}

} // namespace
} // namespace bc::sdl
