#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/WindowLoop.h"

#include <SDL.h>

#include <algorithm>

namespace bc::sdl {

Result<WindowPtr> openWindow(bool fullscreen)
{
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_HIDDEN;
    SDL_Rect display{0, 0, static_cast<int>(kCanvasWidth), static_cast<int>(kCanvasHeight)};
    SDL_GetDisplayBounds(0, &display);
    WindowBox at{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, static_cast<int>(kCanvasWidth),
                 static_cast<int>(kCanvasHeight)};
    if (fullscreen) {
        // Asking for full screen is a request to a window manager; with none
        // running (a bare kiosk) nobody grants it, so the window is made the
        // display's size, without a frame, in the first place.
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
        at = WindowBox{display.x, display.y, display.w, display.h};
    } else if (SDL_Rect usable{}; SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        at = placeWindow(WindowBox{usable.x, usable.y, usable.w, usable.h}, WindowBorders{});
    }
    WindowPtr window(SDL_CreateWindow("buddycare", at.x, at.y, at.w, at.h, flags));
    if (window == nullptr) {
        return Error{SDL_GetError()};
    }
    if (!fullscreen) {
        SDL_SetWindowMinimumSize(window.get(), std::min(at.w, static_cast<int>(kCanvasWidth / 2)),
                                 std::min(at.h, static_cast<int>(kCanvasHeight / 2)));
        SDL_SetWindowMaximumSize(window.get(), kMaxWindowSide, kMaxWindowSide);
    }
    return window;
}

void keepReachable(SDL_Window* window)
{
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0) {
        return;
    }
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &usable) != 0) {
        return;
    }
    const WindowBox area{usable.x, usable.y, usable.w, usable.h};
    WindowBorders borders;
    // Unknown until a window manager says; none means no borders.
    SDL_GetWindowBordersSize(window, &borders.top, &borders.left, &borders.bottom, &borders.right);
    WindowBox now;
    SDL_GetWindowPosition(window, &now.x, &now.y);
    SDL_GetWindowSize(window, &now.w, &now.h);
    if (whollyInside(now, borders, area)) {
        return;
    }
    const WindowBox to = placeWindow(area, borders);
    int minW = 0;
    int minH = 0;
    SDL_GetWindowMinimumSize(window, &minW, &minH);
    SDL_SetWindowMinimumSize(window, std::min(minW, to.w), std::min(minH, to.h));
    SDL_SetWindowSize(window, to.w, to.h);
    SDL_SetWindowPosition(window, to.x, to.y);
}

} // namespace bc::sdl
