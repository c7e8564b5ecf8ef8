// A child let loose on the real window loop: random SDL events (mouse, fingers,
// keys, resizes, focus loss, exposure) fed through the window's own hit
// testing, focus and drawing, on a virtual clock so a seed replays its run.
//   buddycare_window_monkey --events N --seed S [--max-growth-mb M]
#include "app/GameRegistry.h"
#include "platform/Application.h"
#include "platform/Console.h"
#include "platform/Random.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/WindowLoop.h"
#include "screens/home/ViewController.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace {

using namespace bc;

long residentMb()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4096 / (1 << 20);
}

int fail(long event, std::uint64_t seed, const std::string& why)
{
    std::fprintf(stderr, "window monkey, seed %llu, event %ld: %s\n", static_cast<unsigned long long>(seed), event,
                 why.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    long events = 100000;
    std::uint64_t seed = 1;
    long maxGrowthMb = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--events") {
            events = std::atol(argv[i + 1]);
        } else if (flag == "--seed") {
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        } else if (flag == "--max-growth-mb") {
            maxGrowthMb = std::atol(argv[i + 1]);
        } else {
            return fail(0, seed, "unknown option " + flag);
        }
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG) == 0) {
        return fail(0, seed, std::string("no video: ") + SDL_GetError());
    }
    std::string error;
    auto fonts = sdl::FontSource::find(error);
    auto created = Application::create(BUDDYCARE_RESOURCES, gameRegistry(), RunLoop::ClockKind::Virtual);
    auto window = sdl::openWindow(false, error);
    if (fonts == nullptr || window == nullptr || std::holds_alternative<LoadError>(created)) {
        return fail(0, seed, "cannot start: " + error);
    }
    setConsoleEcho(false);
    seedRandom(seed);
    SDL_SetWindowMinimumSize(window.get(), 1, 1);
    sdl::RendererPtr renderer(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
    Application& app = *std::get<std::unique_ptr<Application>>(created);
    app.navigation().setAnimationsEnabled(true);
    AppState& state = static_cast<ViewController*>(app.navigation().viewControllers().front())->appState();
    long tapPushes = 0;
    long rewards = 0; // good results and completed doses, 5 coins each
    app.navigation().onPush = [&](const ScreenController* from, const ScreenController* pushed) {
        tapPushes += from == nullptr ? 1 : 0;
        const std::string& name = pushed->className();
        rewards += name == "GoodResultsViewController" || name == "InsulinCompleteViewController" ? 1 : 0;
    };
    auto loop = std::make_unique<sdl::WindowLoop>(app, window.get(), renderer.get(), *fonts, false);
    loop->pump();

    std::mt19937_64 random(seed);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
    const Uint32 windowId = SDL_GetWindowID(window.get());
    long cheats = 0;
    long warmMb = 0;
    long bigUntil = 0;
    long n = 1;
    // Memory is compared at one window size: the caches may only hold what that size needs.
    const auto residentAtFirstSize = [&] {
        SDL_SetWindowSize(window.get(), static_cast<int>(kCanvasWidth), static_cast<int>(kCanvasHeight));
        loop->pump();
        return residentMb();
    };
    long nextFrameCheck = 500;
    // One event of the given kind (0-99) at a window position; resizes happen at once.
    const auto make = [&](int kind, float x, float y, int w, int h) {
        SDL_Event e{};
        if (kind < 40) {
            e.type = pick(2) == 0 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            e.button.windowID = windowId;
            e.button.which = pick(5) == 0 ? SDL_TOUCH_MOUSEID : 0;
            e.button.button = pick(4) == 0 ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
            e.button.x = static_cast<Sint32>(x);
            e.button.y = static_cast<Sint32>(y);
        } else if (kind < 65) {
            const Uint32 types[] = {SDL_FINGERDOWN, SDL_FINGERUP, SDL_FINGERMOTION};
            e.type = types[pick(3)];
            e.tfinger = {e.type, 0, 1, pick(3), x / static_cast<float>(w), y / static_cast<float>(h), 0, 0, 1, windowId};
        } else if (kind < 72) {
            e.type = SDL_MOUSEMOTION;
            e.motion = {e.type, 0, windowId, 0, 0, static_cast<Sint32>(x), static_cast<Sint32>(y), 1, 1};
        } else if (kind < 92) {
            const SDL_Keycode keys[] = {SDLK_TAB, SDLK_RETURN, SDLK_SPACE, SDLK_LEFT, SDLK_RIGHT, SDLK_ESCAPE, SDLK_a};
            e.type = SDL_KEYDOWN;
            e.key.windowID = windowId;
            e.key.repeat = static_cast<Uint8>(pick(3) == 0);
            e.key.keysym.sym = keys[pick(7)];
            e.key.keysym.mod = static_cast<Uint16>(pick(3) == 0 ? KMOD_SHIFT : KMOD_NONE);
        } else if (kind < 99) {
            const Uint8 which[] = {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_LEAVE, SDL_WINDOWEVENT_EXPOSED,
                                   SDL_WINDOWEVENT_FOCUS_GAINED};
            e.type = SDL_WINDOWEVENT;
            e.window.windowID = windowId;
            e.window.event = which[pick(4)];
        } else {
            // Mostly small or near the usual size: a huge frame costs real time.
            const int side = pick(10) == 0 ? 4000 : 400;
            SDL_SetWindowSize(window.get(), 1 + pick(side), 1 + pick(side));
            bigUntil = side > 400 ? n + 20 : bigUntil;
        }
        return e;
    };
    while (n <= events) {
        // Short steps catch slides and bar fades half-way; a long one lets the dose finish.
        app.runLoop().advance(pick(50) == 0 ? 2.5 : pick(60) / 1000.0);
        int w = 1;
        int h = 1;
        SDL_GetWindowSize(window.get(), &w, &h);
        // Half the time aim at a control of the top screen; else anywhere, off the canvas too.
        float x = static_cast<float>(pick(w + 40) - 20);
        float y = static_cast<float>(pick(h + 40) - 20);
        const auto& slots = app.top()->slots();
        if (const Rect f = slots[pick(static_cast<int>(slots.size()))].control->canvasFrame(); pick(2) == 0) {
            x = loop->fit().x + (f.x + f.w / 2) * loop->fit().scale;
            y = loop->fit().y + (f.y + f.h / 2) * loop->fit().scale;
        }
        int pushed = 0;
        int releases = 0;
        const auto push = [&](SDL_Event e) {
            if (e.type != 0) {
                SDL_PushEvent(&e);
            }
            ++pushed;
            // What can complete a tap: a release, or Enter or Space pressed anew.
            const bool key = e.type == SDL_KEYDOWN && e.key.repeat == 0 &&
                             (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_SPACE);
            releases += key || e.type == SDL_FINGERUP ||
                        (e.type == SDL_MOUSEBUTTONUP && e.button.which == 0 && e.button.button == SDL_BUTTON_LEFT);
        };
        if (pick(5) < 2) {
            // A whole tap: press and release at one place, by mouse or by finger.
            const int kind = pick(2) == 0 ? 0 : 40;
            SDL_Event down = make(kind, x, y, w, h);
            down.type = kind == 0 ? SDL_MOUSEBUTTONDOWN : SDL_FINGERDOWN;
            if (kind == 0) {
                down.button.button = SDL_BUTTON_LEFT;
                down.button.which = 0;
            }
            SDL_Event up = down;
            up.type = kind == 0 ? SDL_MOUSEBUTTONUP : SDL_FINGERUP;
            push(down);
            push(up);
        } else {
            for (int k = 1 + pick(4); k > 0; --k) {
                // Resizes (kind 99) are the dearest events: a new size draws every picture anew.
                push(make(pick(5) == 0 ? pick(100) : pick(99), x, y, w, h));
            }
        }
        const bool animating = app.navigation().isAnimating();
        const bool homeOnTop = app.top() == app.navigation().viewControllers().front();
        const long pushesBefore = tapPushes;
        const long rewardsBefore = rewards;
        const std::size_t itemsBefore = state.items().size();
        const float coinsBefore = state.coins();
        loop->pump();

        const auto stack = app.navigation().viewControllers();
        if (stack.empty() || stack.front()->className() != app.storyboard().initial()) {
            return fail(n, seed, "the home screen is not at the bottom of the stack");
        }
        if (animating && (tapPushes != pushesBefore || state.coins() != coinsBefore)) {
            return fail(n, seed, "a tap went through during an animation");
        }
        // Every coin has a reason: rewards, a +50 on the home screen, or a purchase.
        const float change = state.coins() - coinsBefore -
                             5.0f * static_cast<float>(rewards - rewardsBefore) +
                             200.0f * static_cast<float>(state.items().size() - itemsBefore);
        // Each +50 needs a tap of its own, on the home screen.
        if (homeOnTop && change > 0 && std::fmod(change, 50.0f) == 0 && change / 50 <= releases) {
            cheats += static_cast<long>(change / 50);
        } else if (change != 0.0f) {
            return fail(n, seed, "coins changed by " + std::to_string(change) + " with no reason");
        }
        if (state.coins() != 5.0f * rewards + 50.0f * cheats - 200.0f * state.items().size()) {
            return fail(n, seed, "the coin equation does not hold");
        }
        if (n >= nextFrameCheck) {
            nextFrameCheck += 500;
            // The surround around the canvas stays the surround.
            int pw = 0;
            int ph = 0;
            SDL_GetRendererOutputSize(renderer.get(), &pw, &ph);
            sdl::SurfacePtr frame(SDL_CreateRGBSurfaceWithFormat(0, pw, ph, 32, SDL_PIXELFORMAT_ARGB8888));
            SDL_RenderReadPixels(renderer.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, frame->pixels, frame->pitch);
            const sdl::CanvasFit& fit = loop->fit();
            const Uint32 surround = SDL_MapRGBA(frame->format, 214, 218, 224, 255);
            for (int py = 0; py < ph; py += 3) {
                for (int px = 0; px < pw; px += 3) {
                    const bool outside = px < fit.x - 1 || py < fit.y - 1 || px > fit.x + fit.width() ||
                                         py > fit.y + fit.height();
                    const Uint32 pixel = static_cast<Uint32*>(frame->pixels)[py * frame->pitch / 4 + px];
                    if (outside && pixel != surround) {
                        return fail(n, seed, "drawn outside the canvas at " + std::to_string(px) + "," +
                                                 std::to_string(py));
                    }
                }
            }
        }
        if (warmMb == 0 && n >= events / 10) {
            warmMb = residentAtFirstSize();
        }
        if (bigUntil != 0 && n >= bigUntil) {
            // A huge window for a few events, not for thousands of huge frames.
            SDL_SetWindowSize(window.get(), 200 + pick(400), 300 + pick(500));
            bigUntil = 0;
        }
        n += pushed;
    }
    const long grownMb = residentAtFirstSize() - warmMb;
    std::printf("window monkey: %ld events, seed %llu, %ld rewards, %ld cheats, %zu bow ties, %ld MB grown\n",
                events, static_cast<unsigned long long>(seed), rewards, cheats, state.items().size(), grownMb);
    loop.reset();
    if (maxGrowthMb >= 0 && grownMb > maxGrowthMb) {
        return fail(events, seed, "memory grew by " + std::to_string(grownMb) + " MB");
    }
    return 0;
}
