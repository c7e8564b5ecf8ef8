#include "platform/sdl/Window.h"

#include "platform/Application.h"
#include "platform/Console.h"
#include "platform/sdl/CanvasFit.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/Handles.h"
#include "platform/sdl/Painter.h"
#include "platform/sdl/WindowLoop.h"

#include <SDL.h>
#include <SDL_image.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <vector>
#include <string>
#include <optional>
#include <utility>
#include <ctime>

namespace bc::sdl {

namespace {

constexpr int kFrameMs = 16;
// "Forever", in the units SDL waits in; a wake-up every few minutes costs nothing.
constexpr int kIdleWaitMs = 5 * 60 * 1000;
constexpr Uint32 kCursorHideMs = 3000;

long long clockNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

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

// What the first frame needs and the display does not: the font lookup and
// the first screen's pictures. Made on other threads while the first one
// connects to the display and opens the window.
// Shared rather than sole ownership only because g++ 12 misreads a sole owner's
// destruction inside std::future as freeing memory that was never allocated.
Result<std::shared_ptr<FontSource>> findFonts(const std::vector<std::pair<int, bool>>& sizes)
{
    BC_TRY_LET(fonts, FontSource::find());
    for (const auto& [size, bold] : sizes) {
        fonts->font(size, bold);
    }
    return std::shared_ptr<FontSource>(std::move(fonts));
}

std::vector<PictureCache::Decoded> decodePictures(
    const std::vector<std::pair<std::string, std::filesystem::path>>& pictures)
{
    std::vector<PictureCache::Decoded> out;
    for (const auto& [name, file] : pictures) {
        out.push_back(PictureCache::decodeFile(name, file));
    }
    return out;
}

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

WindowLoop::WindowLoop(Application& app, SDL_Window* window, SDL_Renderer* renderer, FontSource& fonts,
                       bool fullscreen)
    : app_(app), window_(window), renderer_(renderer), painter_(renderer, fonts), fullscreen_(fullscreen),
      frameLog_(std::getenv("BUDDYCARE_FRAME_LOG") != nullptr)
{
    lastMotion_ = SDL_GetTicks();
}

int WindowLoop::run()
{
    while (!quit_) {
        drawIfOwed();
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, waitMs())) {
            handle(event);
            while (!quit_ && SDL_PollEvent(&event)) {
                handle(event);
            }
        }
        afterEvents();
    }
    return 0;
}

void WindowLoop::pump()
{
    SDL_Event event;
    while (!quit_ && SDL_PollEvent(&event)) {
        handle(event);
    }
    afterEvents();
    drawIfOwed();
}

void WindowLoop::afterEvents()
{
    if (const auto due = app_.runLoop().nextDue(); due && *due <= app_.runLoop().now()) {
        app_.runLoop().fireDue();
    }
    app_.afterEvent();
    hideIdleCursor();
}

void WindowLoop::drawIfOwed()
{
    const bool animating = app_.navigation().isAnimating();
    // One more frame once an animation ends, so it rests where it finished.
    if (app_.needsDisplay() || animating || wasAnimating_ || exposed_) {
        draw();
    }
    wasAnimating_ = animating;
}

int WindowLoop::waitMs() const
{
    double wait = kIdleWaitMs / 1000.0;
    if (app_.navigation().isAnimating()) {
        wait = kFrameMs / 1000.0;
    }
    if (const auto due = app_.runLoop().nextDue()) {
        wait = std::min(wait, std::max(0.0, *due - app_.runLoop().now()));
    }
    if (fullscreen_ && cursorShown_) {
        const Uint32 idle = SDL_GetTicks() - lastMotion_;
        wait = std::min(wait, idle >= kCursorHideMs ? 0.0 : (kCursorHideMs - idle) / 1000.0);
    }
    // Round up: waking a hair early would only spin once more.
    return static_cast<int>(std::ceil(wait * 1000.0));
}

void WindowLoop::draw()
{
    const long long start = frameLog_ ? clockNs(CLOCK_MONOTONIC) : 0;
    const long long startCpu = frameLog_ ? clockNs(CLOCK_THREAD_CPUTIME_ID) : 0;
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(renderer_, &w, &h);
    if (w != outputW_ || h != outputH_) {
        // Nothing was drawn at a size before the first frame.
        if (outputW_ != 0 || outputH_ != 0) {
            outputResized();
        }
        outputW_ = w;
        outputH_ = h;
    }
    fit_ = CanvasFit::into(w, h);
    painter_.paint(app_, fit_, app_.runLoop().now());
    SDL_RenderPresent(renderer_);
    if (frameLog_) {
        logFrame(start, startCpu);
    }
    app_.displayed();
    exposed_ = false;
    if (afterFirstFrame_) {
        std::exchange(afterFirstFrame_, nullptr)();
    }
}

// For the performance bench: when each frame reached the window, what it
// took to draw (wall clock, and this thread's processor time, which a busy
// machine does not inflate), on the clock the bench reads too.
void WindowLoop::outputResized()
{
    // Every picture and text was kept at the old scale and none will be shown
    // at it again; after a large window the allocator is asked to hand the
    // pages back too, or the process stays as big as the window once was.
    painter_.forgetTextures();
    malloc_trim(0);
}

void WindowLoop::logFrame(long long start, long long startCpu) const
{
    const long long end = clockNs(CLOCK_MONOTONIC);
    const long long cpu = clockNs(CLOCK_THREAD_CPUTIME_ID) - startCpu;
    const ScreenController* top = app_.top();
    std::fprintf(stderr, "frame t=%lld draw=%lld cpu=%lld screen=%s anim=%d\n", end, end - start, cpu,
                 top != nullptr ? top->className().c_str() : "-", app_.navigation().isAnimating() ? 1 : 0);
}

// Window coordinates to canvas points; the renderer may have more pixels
// than the window has coordinates on a high-density screen.
void WindowLoop::windowToCanvas(float wx, float wy, float& cx, float& cy) const
{
    int ww = 1;
    int wh = 1;
    int pw = 1;
    int ph = 1;
    SDL_GetWindowSize(window_, &ww, &wh);
    SDL_GetRendererOutputSize(renderer_, &pw, &ph);
    const float sx = static_cast<float>(pw) / static_cast<float>(std::max(ww, 1));
    const float sy = static_cast<float>(ph) / static_cast<float>(std::max(wh, 1));
    CanvasFit::into(pw, ph).toCanvas(wx * sx, wy * sy, cx, cy);
}

void WindowLoop::fingerToCanvas(float nx, float ny, float& cx, float& cy) const
{
    int pw = 1;
    int ph = 1;
    SDL_GetRendererOutputSize(renderer_, &pw, &ph);
    CanvasFit::into(pw, ph).toCanvas(nx * static_cast<float>(pw), ny * static_cast<float>(ph), cx, cy);
}

void WindowLoop::noteMotion()
{
    lastMotion_ = SDL_GetTicks();
    if (fullscreen_ && !cursorShown_) {
        SDL_ShowCursor(SDL_ENABLE);
        cursorShown_ = true;
    }
}

void WindowLoop::hideIdleCursor()
{
    if (fullscreen_ && cursorShown_ && SDL_GetTicks() - lastMotion_ >= kCursorHideMs) {
        SDL_ShowCursor(SDL_DISABLE);
        cursorShown_ = false;
    }
}

void WindowLoop::handle(const SDL_Event& e)
{
    float cx = 0;
    float cy = 0;
    switch (e.type) {
    case SDL_QUIT:
        quit_ = true;
        break;
    case SDL_WINDOWEVENT:
        windowEvent(e.window);
        break;
    case SDL_DISPLAYEVENT:
        keepReachable(window_);
        exposed_ = true;
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        painter_.forgetTextures();
        exposed_ = true;
        break;
    case SDL_MOUSEMOTION:
        if (e.motion.which != SDL_TOUCH_MOUSEID) {
            noteMotion();
            windowToCanvas(static_cast<float>(e.motion.x), static_cast<float>(e.motion.y), cx, cy);
            app_.pointerMoved(cx, cy);
        }
        break;
    case SDL_FINGERMOTION:
        if (fingerDown_ && *fingerDown_ == e.tfinger.fingerId) {
            fingerToCanvas(e.tfinger.x, e.tfinger.y, cx, cy);
            app_.pointerMoved(cx, cy);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        // Touches arrive on their own below; SDL's copies as mouse clicks would tap twice.
        if (e.button.which != SDL_TOUCH_MOUSEID && e.button.button == SDL_BUTTON_LEFT) {
            noteMotion();
            windowToCanvas(static_cast<float>(e.button.x), static_cast<float>(e.button.y), cx, cy);
            app_.pointerDown(cx, cy);
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.which != SDL_TOUCH_MOUSEID && e.button.button == SDL_BUTTON_LEFT) {
            windowToCanvas(static_cast<float>(e.button.x), static_cast<float>(e.button.y), cx, cy);
            app_.pointerUp(cx, cy);
        }
        break;
    case SDL_FINGERDOWN:
        // One finger at a time: a second hand on the screen is not a second tap.
        if (!fingerDown_) {
            fingerDown_ = e.tfinger.fingerId;
            fingerToCanvas(e.tfinger.x, e.tfinger.y, cx, cy);
            app_.pointerDown(cx, cy);
        }
        break;
    case SDL_FINGERUP:
        if (fingerDown_ && *fingerDown_ == e.tfinger.fingerId) {
            fingerDown_.reset();
            fingerToCanvas(e.tfinger.x, e.tfinger.y, cx, cy);
            app_.pointerUp(cx, cy);
        }
        break;
    case SDL_KEYDOWN:
        key(e.key);
        break;
    default:
        break;
    }
}

void WindowLoop::windowEvent(const SDL_WindowEvent& e)
{
    switch (e.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
        keepReachable(window_);
        exposed_ = true;
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_RESTORED:
        exposed_ = true;
        break;
    case SDL_WINDOWEVENT_LEAVE:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        app_.pointerCancel();
        fingerDown_.reset();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        quit_ = true;
        break;
    default:
        break;
    }
}

void WindowLoop::key(const SDL_KeyboardEvent& k)
{
    const SDL_Keycode code = k.keysym.sym;
    const Uint16 mods = k.keysym.mod;
    if (code == SDLK_q && (mods & KMOD_CTRL) != 0) {
        quit_ = true;
        return;
    }
    switch (code) {
    case SDLK_TAB:
        app_.focusNext((mods & KMOD_SHIFT) != 0);
        break;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
        // A held key must not tap over and over.
        if (k.repeat == 0) {
            app_.activateFocus();
        }
        break;
    case SDLK_RIGHT:
    case SDLK_PLUS:
    case SDLK_EQUALS: // "+" without Shift on most layouts
    case SDLK_KP_PLUS:
        app_.stepFocus(true);
        break;
    case SDLK_LEFT:
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        app_.stepFocus(false);
        break;
    default:
        // Escape and everything else: nothing. A child will press them.
        break;
    }
}


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
    auto findingFonts = std::async(std::launch::async, findFonts, std::cref(first.fonts));
    auto decoding = std::async(std::launch::async, decodePictures, std::cref(first.pictures));
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
