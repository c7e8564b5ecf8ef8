#include "platform/sdl/FontSource.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/TextRenderer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

namespace bc {
namespace {

// One new line a frame: once full it keeps exactly its capacity, the lines drawn last.
TEST(TextRendererTest, KeepsNoMoreTextThanItsCapacity)
{
    auto found = sdl::FontSource::find();
    if (!found) {
        GTEST_SKIP() << found.error().message;
    }
    auto fonts = std::move(*found);
    sdl::SurfacePtr target(SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_ARGB8888));
    sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(target.get()));
    {
        sdl::TextRenderer text(renderer.get(), *fonts);
        const Color ink{0, 0, 0, 255};
        for (std::size_t i = 0; i < sdl::TextRenderer::kCapacity + 20; ++i) {
            text.render("line " + std::to_string(i), 14, false, ink, TextAlign::Left, 100);
            text.endFrame();
        }
        EXPECT_EQ(text.count(), sdl::TextRenderer::kCapacity);
    }
    renderer.reset();
}

} // namespace
} // namespace bc
