#include "platform/Console.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/PictureCache.h"
#include "support/Game.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <filesystem>
#include <string>

namespace bc {
namespace {

SDL_Color colourAt(const sdl::SurfacePtr& s, int x, int y)
{
    SDL_Color c{};
    SDL_GetRGB(reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch)[x], s->format, &c.r, &c.g, &c.b);
    return c;
}

// A renderer drawing into memory, and a folder of pictures made for the test.
class PictureCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        target.reset(SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_ARGB8888));
        renderer.reset(SDL_CreateSoftwareRenderer(target.get()));
        ASSERT_NE(renderer, nullptr);
        cache = std::make_unique<sdl::PictureCache>(renderer.get());
    }
    // A w×h picture: a one-pixel black and white checkerboard, or one colour.
    std::filesystem::path picture(const std::string& name, int w, int h, bool checker, Uint8 alpha = 255)
    {
        sdl::SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
            for (int x = 0; x < w; ++x) {
                const Uint8 v = checker ? ((x + y) % 2 == 0 ? 255 : 0) : 200;
                row[x] = SDL_MapRGBA(s->format, v, checker ? v : 30, checker ? v : 30, alpha);
            }
        }
        const auto path = std::filesystem::path(folder.path()) / name;
        if (name.ends_with(".jpg")) {
            EXPECT_EQ(IMG_SaveJPG(s.get(), path.c_str(), 95), 0);
        } else {
            EXPECT_EQ(IMG_SavePNG(s.get(), path.c_str()), 0);
        }
        return path;
    }

    // Copies the texture onto the target and reads it back.
    sdl::SurfacePtr shown(SDL_Texture* texture)
    {
        int w = 0;
        int h = 0;
        SDL_QueryTexture(texture, nullptr, nullptr, &w, &h);
        SDL_SetRenderDrawColor(renderer.get(), 0, 0, 255, 255);
        SDL_RenderClear(renderer.get());
        SDL_Rect at{0, 0, w, h};
        SDL_RenderCopy(renderer.get(), texture, nullptr, &at);
        SDL_RenderPresent(renderer.get());
        return sdl::SurfacePtr(SDL_DuplicateSurface(target.get()));
    }

    test::ScratchFolder folder;
    sdl::SurfacePtr target;
    sdl::RendererPtr renderer;
    std::unique_ptr<sdl::PictureCache> cache;
};

TEST_F(PictureCacheTest, KeepsNoMoreThanItsCapacityNorMorePixelsThanItsBudget)
{
    const auto file = picture("a.png", 8, 8, false);
    for (int size = 1; size <= static_cast<int>(sdl::PictureCache::kCapacity) + 5; ++size) {
        ASSERT_NE(cache->texture("a.png", file, SDL_Rect{0, 0, 8, 8}, size, size), nullptr);
    }
    EXPECT_EQ(cache->count(), sdl::PictureCache::kCapacity);
    // Each of these is a quarter of the budget; the fifth pushes out the first two.
    const int side = static_cast<int>(1024 * std::sqrt(sdl::PictureCache::kBudgetBytes / (4.0 * 4 * 1024 * 1024)));
    for (int i = 0; i <= 4; ++i) {
        ASSERT_NE(cache->texture("a.png", file, SDL_Rect{0, 0, 8, 8}, side + i, side), nullptr);
    }
    EXPECT_LE(cache->bytes(), sdl::PictureCache::kBudgetBytes);
    EXPECT_EQ(cache->count(), 3u);
}

// A side of 4096 pixels is shown, one more is not, nor is an empty side.
TEST(PictureCacheBounds, APictureIsShownUpTo4096PixelsASideButNotWithAnEmptySide)
{
    const std::pair<sdl::PictureCache::Dimensions, bool> rows[] = {
        {{4096, 4096}, true}, {{1, 1}, true}, {{4097, 1}, false}, {{1, 4097}, false}, {{0, 1}, false}, {{1, 0}, false}};
    for (const auto& [d, shown] : rows) {
        EXPECT_EQ(sdl::PictureCache::withinBounds(d), shown) << d.w << "x" << d.h;
    }
}

TEST_F(PictureCacheTest, KnowsAPhotoFromAPictureWithTransparency)
{
    const auto p = cache->size("p.jpg", picture("p.jpg", 16, 16, false));
    const auto i = cache->size("i.png", picture("i.png", 16, 12, false, 128));
    ASSERT_TRUE(p && i);
    EXPECT_TRUE(p->opaque);
    EXPECT_FALSE(i->opaque);
    EXPECT_EQ(i->w * 100 + i->h, 1612);
}

TEST_F(PictureCacheTest, APictureDecodedOnAnotherThreadIsShownWithoutReadingTheFileAgain)
{
    const auto file = picture("d.png", 16, 8, false, 128);
    auto decoded =
        std::async(std::launch::async, [&file] { return sdl::PictureCache::decodeFile("d.png", file); }).get();
    std::filesystem::remove(file);
    cache->adopt(std::move(decoded));
    const auto size = cache->size("d.png", file);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->w * 100 + size->h, 1608);
    EXPECT_FALSE(size->opaque);
    EXPECT_NE(cache->texture("d.png", file, SDL_Rect{0, 0, 16, 8}, 8, 4), nullptr);
    // Once made a texture the decoded copy is gone: a new size needs the file.
    testing::internal::CaptureStderr();
    EXPECT_EQ(cache->texture("d.png", file, SDL_Rect{0, 0, 16, 8}, 4, 2), nullptr);
    cache->adopt(sdl::PictureCache::decodeFile("gone.png", file));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_FALSE(cache->size("gone.png", file));
}

TEST_F(PictureCacheTest, AJpegIsDecodedNoLargerThanItIsShownAndKeepsItsOwnSize)
{
    const auto file = picture("j.jpg", 64, 64, false);
    // The decoder scales by eighths: the smallest that still covers what is asked.
    const std::pair<sdl::PictureCache::Dimensions, int> rows[] = {
        {{0, 0}, 64}, {{16, 16}, 16}, {{17, 16}, 24}, {{8, 1}, 8}, {{100, 100}, 64}, {{1, 40}, 40}, {{0, 16}, 16}};
    for (const auto& [atLeast, side] : rows) {
        const auto decoded = sdl::PictureCache::decodeFile("j.jpg", file, atLeast);
        ASSERT_NE(decoded.surface, nullptr) << decoded.why;
        EXPECT_EQ(decoded.surface->w * 1000 + decoded.surface->h, side * 1000 + side) << atLeast.w << "x" << atLeast.h;
        EXPECT_EQ(decoded.size.w * 1000 + decoded.size.h, 64064);
        EXPECT_TRUE(decoded.size.opaque);
    }
}

TEST_F(PictureCacheTest, APartOfAJpegDecodedSmallIsTheSamePart)
{
    // Left half red, right half blue, the last eight rows white; the right half is asked for, at a quarter.
    sdl::SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_ARGB8888));
    SDL_Rect left{0, 0, 32, 64};
    SDL_Rect right{32, 0, 32, 64};
    SDL_Rect foot{0, 56, 64, 8};
    SDL_FillRect(s.get(), &left, SDL_MapRGB(s->format, 220, 0, 0));
    SDL_FillRect(s.get(), &right, SDL_MapRGB(s->format, 0, 0, 220));
    SDL_FillRect(s.get(), &foot, SDL_MapRGB(s->format, 255, 255, 255));
    const auto file = std::filesystem::path(folder.path()) / "half.jpg";
    ASSERT_EQ(IMG_SaveJPG(s.get(), file.c_str(), 95), 0);
    cache->adopt(sdl::PictureCache::decodeFile("half.jpg", file, sdl::PictureCache::Dimensions{16, 16}));
    SDL_Texture* texture = cache->texture("half.jpg", file, SDL_Rect{32, 0, 32, 64}, 8, 16);
    ASSERT_NE(texture, nullptr);
    const auto out = shown(texture);
    for (int x : {1, 4, 6}) {
        EXPECT_GT(colourAt(out, x, 8).b, 150) << x;
        EXPECT_LT(colourAt(out, x, 8).r, 60) << x;
    }
    // The strip along the bottom, one row of the eighth-size copy, is that row and not the one above it.
    const auto foot8 = shown(cache->texture("half.jpg", file, foot, 8, 1));
    for (int x : {1, 6}) {
        EXPECT_GT(colourAt(foot8, x, 0).g, 150) << x;
    }
    // Shown larger than it was decoded, it is decoded again at the size needed.
    int w = 0;
    SDL_QueryTexture(cache->texture("half.jpg", file, SDL_Rect{0, 0, 64, 64}, 48, 48), nullptr, nullptr, &w, nullptr);
    EXPECT_EQ(w, 48);
}

TEST_F(PictureCacheTest, ShrinkingAveragesFineDetailInsteadOfPickingPixels)
{
    // Sampling would show pure black or white; an average of the squares is grey.
    const auto file = picture("c.png", 64, 64, true);
    SDL_Texture* small = cache->texture("c.png", file, SDL_Rect{0, 0, 64, 64}, 8, 8);
    ASSERT_NE(small, nullptr);
    const SDL_Color grey = colourAt(shown(small), 4, 4);
    EXPECT_NEAR(grey.r, 128, 24);
    EXPECT_NEAR(grey.b, 128, 24);
}

} // namespace
} // namespace bc
