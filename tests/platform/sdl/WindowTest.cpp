#include "platform/Console.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/PictureCache.h"
#include "platform/sdl/WindowLoop.h"
#include "support/Game.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace bc::sdl {
namespace {

TEST(WindowPlacement, FitsWhollyInsideTheUsableAreaKeepingTheCanvasShape)
{
    struct Row {
        WindowBox usable;
        WindowBorders borders;
        WindowBox expected;
    };
    const Row rows[] = {
        {{0, 0, 1920, 1080}, {}, {772, 206, 375, 667}},             // room to spare: natural size, centred
        {{0, 0, 800, 480}, {}, {265, 0, 269, 480}},                 // short display: scaled to its height
        {{0, 30, 800, 450}, {22, 1, 1, 1}, {280, 52, 240, 427}},   // a panel and a title bar take their share
        {{-1024, 0, 1024, 768}, {}, {-700, 50, 375, 667}},          // a display left of the first
        {{0, 0, 300, 300}, {}, {66, 0, 168, 300}},                  // smaller than the usual minimum
        {{0, 0, 0, 0}, {}, {0, 0, 1, 1}},                           // nothing usable still gives a window
    };
    for (const auto& r : rows) {
        const WindowBox got = placeWindow(r.usable, r.borders);
        EXPECT_EQ(got, r.expected) << got.x << "," << got.y << " " << got.w << "x" << got.h;
        if (r.usable.w > 0) {
            EXPECT_TRUE(whollyInside(got, r.borders, r.usable));
        }
    }
    EXPECT_FALSE(whollyInside({212, -93, 375, 667}, {}, {0, 0, 800, 480}));
}

TEST(WindowPlacement, AHugeOutputDoesNotScaleTheCanvasWithoutBound)
{
    EXPECT_FLOAT_EQ(CanvasFit::into(16000, 16000).scale, CanvasFit::kMaxScale);
    EXPECT_FLOAT_EQ(CanvasFit::into(750, 1334).scale, 2.0f);
}

// Picture files that declare their size in their first bytes.
std::string pngHeader(std::uint32_t w, std::uint32_t h)
{
    std::string s("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
    for (std::uint32_t v : {w, h}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            s.push_back(static_cast<char>((v >> shift) & 0xFF));
        }
    }
    return s + std::string("\x08\x06\0\0\0", 5) + std::string(64, '\0');
}

std::string jpegHeader(std::uint16_t w, std::uint16_t h)
{
    std::string s("\xFF\xD8\xFF\xE0\0\x04JF\xFF\xC0\0\x11\x08", 13);
    for (std::uint16_t v : {h, w}) {
        s.push_back(static_cast<char>(v >> 8));
        s.push_back(static_cast<char>(v & 0xFF));
    }
    return s + std::string(64, '\0');
}

TEST(PictureBounds, APictureTooLargeToDecodeIsRefusedFromItsHeaderWithOneLine)
{
    struct Row {
        std::string file;
        const char* says;
    };
    const Row rows[] = {
        {pngHeader(30000, 30000), "30000x30000 pixels is beyond"},
        {pngHeader(4097, 10), "4097x10 pixels is beyond"},
        {jpegHeader(5000, 5000), "5000x5000 pixels is beyond"},
        {std::string("\xFF\xD8\xFF\xDA", 4), "JPEG without a readable size"},
        {"GIF89a", "not a PNG or JPEG picture"},
    };
    setConsoleEcho(true);
    test::ScratchFolder folder;
    SurfacePtr target(SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888));
    RendererPtr renderer(SDL_CreateSoftwareRenderer(target.get()));
    PictureCache cache(renderer.get());
    for (const auto& r : rows) {
        folder.write("p.png", r.file);
        PictureCache fresh(renderer.get());
        testing::internal::CaptureStderr();
        EXPECT_FALSE(fresh.size("p.png", std::filesystem::path(folder.path()) / "p.png"));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(r.says), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    // A small picture asked for at a huge size is refused too, not scaled.
    SurfacePtr small(SDL_CreateRGBSurfaceWithFormat(0, 4, 4, 32, SDL_PIXELFORMAT_ARGB8888));
    const auto path = std::filesystem::path(folder.path()) / "s.png";
    ASSERT_EQ(IMG_SavePNG(small.get(), path.c_str()), 0);
    EXPECT_NE(cache.texture("s", path, {0, 0, 4, 4}, 4, 4), nullptr);
    EXPECT_EQ(cache.texture("s", path, {0, 0, 4, 4}, 16000, 16000), nullptr);
}

// A display of its own, 800×480, with no window manager.
class SmallDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        server_ = fork();
        if (server_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x480x24", "-nolisten", "tcp",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        const ssize_t got = read(fds[0], number, sizeof number - 1);
        close(fds[0]);
        ASSERT_GT(got, 0) << "Xvfb did not start";
        setenv("DISPLAY", (":" + std::string(number, std::strcspn(number, "\n"))).c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        unsetenv("SDL_VIDEODRIVER");
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }
    static WindowBox boxOf(SDL_Window* w)
    {
        WindowBox b;
        SDL_GetWindowPosition(w, &b.x, &b.y);
        SDL_GetWindowSize(w, &b.w, &b.h);
        return b;
    }
    pid_t server_ = -1;
};

TEST_F(SmallDisplay, TheWindowOpensReachableAndComesBackWhenTheDisplayChanges)
{
    std::string error;
    WindowPtr window = openWindow(false, error);
    ASSERT_NE(window, nullptr) << error;
    SDL_ShowWindow(window.get());
    EXPECT_EQ(boxOf(window.get()), (WindowBox{265, 0, 269, 480}));
    SDL_SetWindowPosition(window.get(), 700, -300);
    keepReachable(window.get());
    EXPECT_TRUE(whollyInside(boxOf(window.get()), {}, {0, 0, 800, 480}));
    SDL_SetWindowSize(window.get(), 20000, 20000);
    EXPECT_EQ(boxOf(window.get()).h, kMaxWindowSide);
}

TEST_F(SmallDisplay, FullScreenCoversTheDisplayWithNoWindowManager)
{
    std::string error;
    WindowPtr window = openWindow(true, error);
    ASSERT_NE(window, nullptr) << error;
    SDL_ShowWindow(window.get());
    EXPECT_EQ(boxOf(window.get()), (WindowBox{0, 0, 800, 480}));
}

} // namespace
} // namespace bc::sdl
