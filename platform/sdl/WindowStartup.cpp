#include "platform/sdl/Window.h"

#include "platform/Application.h"
#include "platform/Console.h"
#include "platform/sdl/FirstFramePreparation.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/Painter.h"
#include "platform/sdl/WindowLoop.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace bc::sdl {

namespace {

// Video, image decoding and fonts for as long as the window is open.
class VideoSession {
public:
    VideoSession() : ok_(SDL_Init(SDL_INIT_VIDEO) == 0) {}
    ~VideoSession()
    {
        if (ok_) {
            // The audio may outlive the window; the last one out ends SDL.
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            if (SDL_WasInit(0) == 0) {
                SDL_Quit();
            }
        }
    }
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_;
};

// Started before the decoders are used on two threads at once.
class ImageLibrary {
public:
    ImageLibrary() { IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG); }
    ~ImageLibrary() { IMG_Quit(); }
    ImageLibrary(const ImageLibrary&) = delete;
    ImageLibrary& operator=(const ImageLibrary&) = delete;
};

void preferSoftwareRendering()
{
    // Under a virtual display no GPU helps, and the software path starts
    // faster and keeps far less memory; whoever set the variable knows better.
    if (std::getenv("SDL_RENDER_DRIVER") == nullptr) {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        // Otherwise SDL would present the software picture through OpenGL,
        // loading the whole GL stack just to copy pixels to the window.
        if (std::getenv("SDL_FRAMEBUFFER_ACCELERATION") == nullptr) {
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        }
    }
    // Without a runtime folder no Wayland display can exist, and asking for
    // one only makes the Wayland library print a line of its own.
    if (std::getenv("SDL_VIDEODRIVER") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,kmsdrm");
    }
    // The game draws its own light surround; no need to keep the compositor off.
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
}

} // namespace

int runWindow(Application& app, const WindowOptions& options)
{
    ImageLibrary images;
    std::optional<VideoSession> video; // outlives the worker, whichever way this ends
    struct Closing {
        const std::function<void()>& then;
        ~Closing()
        {
            if (then) {
                then();
            }
        }
    } closing{options.beforeClosing};
    const Painter::FirstFrame first = Painter::firstFrameOf(app);
    auto findingFonts = std::async(std::launch::async, findFonts,
                                   options.fonts.valid() ? options.fonts : startFindingFonts(), std::cref(first.fonts));
    // A window opens at the canvas's own size or smaller, so a point is at
    // most a pixel; a full screen may be larger than the canvas. A guess that
    // proves too small (a display with more pixels than points) only means
    // the picture is decoded again at the size it is shown.
    auto decoding = std::async(std::launch::async, decodePictures, std::cref(first.pictures),
                               options.fullscreen ? 0.0f : 1.0f);
    preferSoftwareRendering();
    video.emplace();
    std::string noDisplay;
    if (!video->ok()) {
        noDisplay = SDL_GetError();
    } else if (const char* driver = SDL_GetCurrentVideoDriver();
               std::getenv("SDL_VIDEODRIVER") == nullptr && driver != nullptr &&
               (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        // SDL falls back to drawing nowhere when nothing else works: nobody
        // would see the game, and those drivers poll instead of waiting.
        noDisplay = std::string("only SDL's ") + driver + " video driver works here";
    }
    if (!noDisplay.empty()) {
        std::fprintf(stderr, "%s: no display available (%s); use --headless to play without a window\n",
                     kProgramName, noDisplay.c_str());
        return kStartupFailure;
    }
    auto opened = openWindow(options.fullscreen);
    if (!opened) {
        std::fprintf(stderr, "%s: cannot open a window (%s)\n", kProgramName, opened.error().message.c_str());
        return kStartupFailure;
    }
    WindowPtr window = std::move(*opened);
    RendererPtr renderer(SDL_CreateRenderer(window.get(), -1, 0));
    if (renderer == nullptr) {
        renderer.reset(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
    }
    if (renderer == nullptr) {
        std::fprintf(stderr, "%s: cannot draw in the window (%s)\n", kProgramName, SDL_GetError());
        return kStartupFailure;
    }

    // Nothing is shown when the game cannot write a word.
    auto found = findingFonts.get();
    if (!found) {
        std::fprintf(stderr, "%s: %s\n", kProgramName, found.error().message.c_str());
        return kStartupFailure;
    }
    SDL_ShowWindow(window.get());
    keepReachable(window.get());
    int status = 0;
    {
        // The loop's textures go before the renderer they belong to.
        WindowLoop loop(app, window.get(), renderer.get(), **found, options.fullscreen);
        loop.adoptPictures(decoding.get());
        loop.afterFirstFrame(options.afterFirstFrame);
        status = loop.run();
    }
    renderer.reset();
    window.reset();
    return status;
}

} // namespace bc::sdl
