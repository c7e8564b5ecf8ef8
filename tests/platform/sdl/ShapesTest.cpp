#include "platform/sdl/Handles.h"
#include "platform/sdl/Shapes.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <tuple>

namespace bc::sdl {
namespace {

// Which pixels of a 64×24 surface a filled shape paints, white on black.
struct Painted {
    explicit Painted(SDL_FRect rect, float radius)
    {
        surface.reset(SDL_CreateRGBSurfaceWithFormat(0, 64, 24, 32, SDL_PIXELFORMAT_ARGB8888));
        RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
        SDL_SetRenderDrawColor(renderer.get(), 0, 0, 0, 255);
        SDL_RenderClear(renderer.get());
        fillRoundedRect(renderer.get(), rect, radius, Color{255, 255, 255, 255});
        SDL_RenderPresent(renderer.get());
    }
    bool at(int x, int y) const
    {
        const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        return (reinterpret_cast<const Uint32*>(row)[x] & 0xFF) > 128;
    }
    SurfacePtr surface;
};

TEST(Shapes, AFilledShapeStaysInItsRectAndRoundsOnlyItsCorners)
{
    // A radius past half the shorter side is a pill, not a shape turned inside out.
    const std::tuple<float, bool> rows[] = {{0, true}, {6, false}, {10, false}, {1000, false}};
    for (const auto& [radius, squareCorner] : rows) {
        const Painted p({2, 2, 60, 20}, radius);
        int outside = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 64; ++x) {
                outside += p.at(x, y) && (x < 2 || x >= 62 || y < 2 || y >= 22) ? 1 : 0;
            }
        }
        EXPECT_EQ(outside, 0) << radius;
        // The middle of each side, a pixel in: the triangles may leave an edge's last pixel out.
        for (const auto& [x, y] : {std::pair{32, 12}, {32, 3}, {32, 20}, {3, 12}, {60, 12}}) {
            EXPECT_TRUE(p.at(x, y)) << radius << " at " << x << "," << y;
        }
        EXPECT_EQ(p.at(2, 2), squareCorner) << radius;
        EXPECT_EQ(p.at(61, 21), squareCorner) << radius;
    }
}

} // namespace
} // namespace bc::sdl
