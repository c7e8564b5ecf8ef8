#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/PictureCache.h"
#include "support/Game.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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
    EXPECT_FLOAT_EQ(CanvasFit::into(16000, 16000).scale, CanvasFit::kMaxScale);
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

} // namespace
} // namespace bc::sdl
