#pragma once

#include "platform/Result.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/Painter.h"

#include <SDL.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bc {
class Application;
}

namespace bc::sdl {

// Pixels a side a window may grow to: a resize must not be able to ask for
// gigabytes of window surface.
constexpr int kMaxWindowSide = 4096;

// The game's window, placed wholly inside the usable area of its display (or
// covering the display, with or without a window manager to ask), still hidden.
// The reason when no window can be made.
Result<WindowPtr> openWindow(bool fullscreen);

// Moves and, if need be, shrinks the window back inside the usable area of its
// display when any of it lies outside.
void keepReachable(SDL_Window* window);

// The window's event loop: SDL's events into taps, focus moves and frames.
class WindowLoop {
public:
    WindowLoop(Application& app, SDL_Window* window, SDL_Renderer* renderer, FontSource& fonts, bool fullscreen);

    // Until the window closes.
    int run();
    // Pictures decoded before the window opened, for its first frame.
    void adoptPictures(std::vector<PictureCache::Decoded> pictures) { painter_.adopt(std::move(pictures)); }
    // Called once, right after the first frame is presented.
    void afterFirstFrame(std::function<void()> then) { afterFirstFrame_ = std::move(then); }
    // Everything queued now, the timers that are due and a frame if one is
    // owed, without waiting: one turn of run() for whoever feeds the events.
    void pump();
    bool quitting() const { return quit_; }
    // Where the last frame put the canvas.
    const CanvasFit& fit() const { return fit_; }

private:
    int waitMs() const;
    void afterEvents();
    void drawIfOwed();
    void draw();
    void logFrame(long long start, long long startCpu) const;
    void windowToCanvas(float wx, float wy, float& cx, float& cy) const;
    void fingerToCanvas(float nx, float ny, float& cx, float& cy) const;
    void noteMotion();
    void hideIdleCursor();
    void handle(const SDL_Event& e);
    void windowEvent(const SDL_WindowEvent& e);
    void key(const SDL_KeyboardEvent& k);
    void outputResized();

    Application& app_;
    SDL_Window* window_;
    SDL_Renderer* renderer_;
    Painter painter_;
    CanvasFit fit_;
    bool fullscreen_;
    bool frameLog_;
    bool quit_ = false;
    bool exposed_ = true;
    bool wasAnimating_ = false;
    bool cursorShown_ = true;
    Uint32 lastMotion_ = 0;
    int outputW_ = 0;
    int outputH_ = 0;
    std::optional<SDL_FingerID> fingerDown_;
    std::function<void()> afterFirstFrame_;
};

} // namespace bc::sdl
