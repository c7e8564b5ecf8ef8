#pragma once

#include "platform/Control.h"
#include "platform/Frame.h"
#include "platform/Look.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/FontMeasure.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/PictureCache.h"
#include "platform/TextFit.h"
#include "platform/sdl/TextRenderer.h"

#include <SDL.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace bc {
class Application;
class PictureCatalog;
} // namespace bc

namespace bc::sdl {

// Draws the frames of a running game as the frame description has them: the
// toolkit's controls, the navigation bar, slides and the keyboard focus ring.
// Where things go, how far a slide has gone and how a text is broken is the
// description's business; this only turns points into pixels.
class Painter {
public:
    Painter(SDL_Renderer* renderer, FontSource& fonts);

    // The whole output: the surround, then the canvas where `fit` puts it.
    // `now` is the game clock, which places slides and bar fades.
    void paint(const Application& app, const CanvasFit& fit, double now);
    void paint(const Frame& frame, const PictureCatalog& pictures, const CanvasFit& fit);
    // The frame `paint` would draw at that size.
    Frame describe(const Application& app, const CanvasFit& fit, double now);

    // After the render device was reset, every texture is gone.
    void forgetTextures();

    // What the top screen's first frame at the canvas' own size shows: its
    // pictures and its font sizes, to be made ready before the window is.
    struct FirstPicture {
        std::string name;
        std::filesystem::path file;
        float w = 0; // the frame it is shown in, in points
        float h = 0;
    };
    struct FirstFrame {
        std::vector<FirstPicture> pictures;
        std::vector<std::pair<int, bool>> fonts; // pixel size, bold
    };
    static FirstFrame firstFrameOf(const Application& app);
    // Pictures decoded on another thread, handed over before the first frame.
    void adopt(std::vector<PictureCache::Decoded> pictures);

private:
    void drawScreen(const PictureCatalog& pictures, const FrameScreen& screen);
    void drawControl(const PictureCatalog& pictures, const FrameControl& control, float dx);
    void drawBox(const Box& box, const SDL_FRect& r, bool pressed);
    void drawBar(const FrameBar& bar);
    void drawRing(const FocusRing& ring);

    // Text on the lines it was fitted into, vertically centred in its area.
    void drawText(const PlacedText& text, float dx, std::uint8_t alpha = 255);
    // A picture fitted whole into (or, with `fill`, covering) a pixel rect.
    void drawPicture(const PictureCatalog& pictures, const std::string& picture, const SDL_FRect& r, bool fill,
                     std::uint8_t alpha = 255);

    SDL_FRect toPixels(const Rect& points, float dx = 0, float dy = 0) const;
    float px(float points) const { return points * fit_.scale; }

    SDL_Renderer* renderer_;
    TextRenderer text_;
    FontMeasure measure_;
    TextFitter fitter_;
    PictureCache pictures_;
    CanvasFit fit_;
};

} // namespace bc::sdl
