#include "platform/sdl/Window.h"

#include "platform/Application.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/Painter.h"

#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <optional>

namespace bc::sdl {

namespace {

constexpr int kShotScale = 2;

// Frames for the headless driver: a picture in memory, drawn by the same
// painter as the window, saved as PNG. No display is involved.
class SurfaceShooter final : public FrameShooter {
public:
    SurfaceShooter(std::unique_ptr<FontSource> fonts, SurfacePtr surface, RendererPtr renderer)
        : fonts_(std::move(fonts)), surface_(std::move(surface)), renderer_(std::move(renderer)),
          painter_(std::make_unique<Painter>(renderer_.get(), *fonts_))
    {
    }
    ~SurfaceShooter() override
    {
        painter_.reset(); // its textures belong to the renderer
        renderer_.reset();
    }

    Result<void> shoot(Application& app, const std::string& path) override
    {
        painter_->paint(app, CanvasFit::into(surface_->w, surface_->h), app.runLoop().now());
        SDL_RenderPresent(renderer_.get());
        SDL_RWops* out = SDL_RWFromFile(path.c_str(), "wb");
        if (out == nullptr) {
            return Error{"cannot write " + path + ": " + SDL_GetError()};
        }
        // A full disk may only show when the last of the file is flushed, as
        // it is closed; a picture cut short is no shot.
        const bool written = IMG_SavePNG_RW(surface_.get(), out, 0) == 0;
        const bool closed = SDL_RWclose(out) == 0;
        if (!written || !closed) {
            const std::string why = SDL_GetError();
            std::error_code ignored;
            if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ignored))) {
                std::filesystem::remove(path, ignored);
            }
            return Error{"cannot write " + path + ": " +
                         (why.empty() ? std::string("the file could not be finished") : why)};
        }
        return done();
    }

private:
    std::unique_ptr<FontSource> fonts_;
    SurfacePtr surface_;
    RendererPtr renderer_;
    std::unique_ptr<Painter> painter_;
};

Result<std::unique_ptr<FrameShooter>> makeSurfaceShooter()
{
    BC_TRY_LET(fonts, FontSource::find());
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(kCanvasWidth) * kShotScale,
                                                      static_cast<int>(kCanvasHeight) * kShotScale, 32,
                                                      SDL_PIXELFORMAT_ARGB8888));
    if (surface == nullptr) {
        return Error{std::string("cannot make a picture to draw on (") + SDL_GetError() + ")"};
    }
    RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
    if (renderer == nullptr) {
        return Error{std::string("cannot draw on a picture (") + SDL_GetError() + ")"};
    }
    return std::unique_ptr<FrameShooter>(std::make_unique<SurfaceShooter>(std::move(fonts), std::move(surface), std::move(renderer)));
}

// Most driver runs never ask for a shot: the fonts and the picture to draw on
// are found and made on the first one, not at start.
class LazyShooter final : public FrameShooter {
public:
    Result<void> shoot(Application& app, const std::string& path) override
    {
        if (!made_) {
            made_ = makeSurfaceShooter();
        }
        if (!made_->ok()) {
            return made_->error();
        }
        return (**made_)->shoot(app, path);
    }

private:
    // Made once: a missing font stays the answer rather than being looked for again.
    std::optional<Result<std::unique_ptr<FrameShooter>>> made_;
};

} // namespace

std::unique_ptr<FrameShooter> makeShooter() { return std::make_unique<LazyShooter>(); }

} // namespace bc::sdl
