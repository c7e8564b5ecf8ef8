#pragma once

#include "platform/Control.h"
#include "platform/Look.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/PictureCache.h"
#include "platform/TextFit.h"
#include "platform/sdl/TextRenderer.h"

#include <SDL.h>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace bc {
class Application;
class ScreenController;
} // namespace bc

namespace bc::sdl {

// Draws frames of a running game: the toolkit's controls, the navigation bar,
// slides between screens and the keyboard focus ring. It knows nothing of what
// any particular screen is for.
class Painter {
public:
    Painter(SDL_Renderer* renderer, FontSource& fonts);

    // The whole output: the surround, then the canvas where `fit` puts it.
    // `now` is the game clock, which places slides and bar fades.
    void paint(const Application& app, const CanvasFit& fit, double now);

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
    void drawScreen(const Application& app, const ScreenController& screen, float dx, bool live);
    void drawControl(const Application& app, const Control& control, float dx, bool live);
    void drawBox(const Box& box, const SDL_FRect& r, bool pressed);
    void drawBar(const Application& app, float dy);
    void drawFocusRing(const SDL_FRect& r, float radius);

    // Text in a pixel rect, vertically centred; returns false if nothing drawn.
    bool drawText(const std::string& text, float fontSize, bool bold, Color color, TextAlign align,
                  const SDL_FRect& r, std::uint8_t alpha = 255);
    // A picture fitted whole into (or, with `fill`, covering) a pixel rect.
    void drawPicture(const Application& app, const Picture& picture, const SDL_FRect& r, bool fill,
                     std::uint8_t alpha = 255);

    SDL_FRect toPixels(const Rect& points, float dx = 0, float dy = 0) const;
    float px(float points) const { return points * fit_.scale; }

    SDL_Renderer* renderer_;
    TextRenderer text_;
    PictureCache pictures_;
    CanvasFit fit_;
    // Texts fitted to their areas: text, size, bold, width and height in pixels.
    std::map<std::tuple<std::string, float, bool, float, float>, FittedText> fitted_;
};

// The slide's position: quick at first, settling gently, 0 to 1.
float easeOut(float t);

} // namespace bc::sdl
