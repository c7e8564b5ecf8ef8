#include "platform/sdl/WindowLoop.h"

#include "platform/Application.h"

#include <SDL.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

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

} // namespace

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
        app_.key((mods & KMOD_SHIFT) != 0 ? Application::Key::Previous : Application::Key::Next);
        break;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
    case SDLK_SPACE:
        // A held key must not tap over and over.
        if (k.repeat == 0) {
            app_.key(Application::Key::Activate);
        }
        break;
    case SDLK_RIGHT:
    case SDLK_PLUS:
    case SDLK_EQUALS: // "+" without Shift on most layouts
    case SDLK_KP_PLUS:
        app_.key(Application::Key::Up);
        break;
    case SDLK_LEFT:
    case SDLK_MINUS:
    case SDLK_KP_MINUS:
        app_.key(Application::Key::Down);
        break;
    default:
        // Escape and everything else: nothing. A child will press them.
        break;
    }
}

} // namespace bc::sdl
