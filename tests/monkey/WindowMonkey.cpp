// A child let loose on the real window loop: random SDL events (mouse, fingers,
// keys, resizes, focus loss, exposure) through the window's own hit testing,
// focus and drawing, on a virtual clock so that a seed replays its run.
//   buddycare_window_monkey EVENTS SEED [MAX_GROWTH_MB]
#include "app/GameRegistry.h"
#include "platform/Application.h"
#include "platform/Console.h"
#include "platform/sdl/WindowLoop.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace bc;

namespace {

long residentMb()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4096 / (1 << 20);
}

// Whether every pixel around the canvas (every third one) is the surround.
bool onlySurroundOutside(SDL_Renderer* renderer, const sdl::CanvasFit& fit)
{
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    std::vector<Uint32> pixels(static_cast<std::size_t>(w) * h);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4);
    for (int y = 0; y < h; y += 3) {
        for (int x = 0; x < w; x += 3) {
            const bool outside = x < fit.x - 1 || y < fit.y - 1 || x > fit.x + fit.width() || y > fit.y + fit.height();
            if (outside && pixels[static_cast<std::size_t>(y) * w + x] != 0xFFD6DAE0u) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const long events = argc > 1 ? std::atol(argv[1]) : 100000;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    const long maxGrowthMb = argc > 3 ? std::atol(argv[3]) : -1;
    long n = 0;
    const auto fail = [&](const std::string& why) {
        std::fprintf(stderr, "window monkey, seed %llu, event %ld: %s\n", static_cast<unsigned long long>(seed), n,
                     why.c_str());
        return 1;
    };
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    SDL_Init(SDL_INIT_VIDEO);
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    auto foundFonts = sdl::FontSource::find();
    GameSetup game;
    auto created = Application::create(BUDDYCARE_RESOURCES, game.registry, RunLoop::ClockKind::Virtual, seed);
    auto opened = sdl::openWindow(false);
    if (!foundFonts || !opened || !created) {
        return fail("cannot start: " + (foundFonts ? "" : foundFonts.error().message) +
                    (opened ? "" : opened.error().message) + (created ? "" : created.error().message));
    }
    auto fonts = std::move(*foundFonts);
    auto window = std::move(*opened);
    SDL_SetWindowMinimumSize(window.get(), 1, 1);
    sdl::RendererPtr renderer(SDL_CreateRenderer(window.get(), -1, SDL_RENDERER_SOFTWARE));
    Application& app = **created;
    app.console().setEcho(false);
    app.navigation().setAnimationsEnabled(true);
    AppState& state = game.state;
    long tapPushes = 0;
    app.navigation().onPush = [&](const ScreenController* from, const ScreenController*) { tapPushes += from == nullptr; };
    auto loop = std::make_unique<sdl::WindowLoop>(app, window.get(), renderer.get(), *fonts, false);
    std::mt19937_64 random(seed);
    const auto pick = [&](int bound) { return static_cast<int>(random() % static_cast<std::uint64_t>(bound)); };
    const Uint32 id = SDL_GetWindowID(window.get());
    long bigUntil = 0;
    // Memory is compared at one window size: the caches may hold only what it needs.
    const auto residentAtFirstSize = [&] {
        SDL_SetWindowSize(window.get(), static_cast<int>(kCanvasWidth), static_cast<int>(kCanvasHeight));
        loop->pump();
        return residentMb();
    };
    long warmMb = residentAtFirstSize();
    while (n < events) {
        // Short steps catch slides and bar fades half-way; a long one lets a dose finish.
        app.runLoop().advance(pick(50) == 0 ? 2.5 : pick(60) / 1000.0);
        int w = 1, h = 1;
        SDL_GetWindowSize(window.get(), &w, &h);
        // Half the time at a control of the top screen, else anywhere, off the canvas too.
        const Rect f = app.top()->slots()[pick(static_cast<int>(app.top()->slots().size()))].control->canvasFrame();
        const bool aim = pick(2) == 0;
        const auto x = static_cast<Sint32>(aim ? loop->fit().x + (f.x + f.w / 2) * loop->fit().scale : pick(w + 40) - 20);
        const auto y = static_cast<Sint32>(aim ? loop->fit().y + (f.y + f.h / 2) * loop->fit().scale : pick(h + 40) - 20);
        const float fx = static_cast<float>(x) / static_cast<float>(w);
        const float fy = static_cast<float>(y) / static_cast<float>(h);
        std::vector<SDL_Event> batch;
        if (pick(5) < 2) { // a whole tap, by mouse or by finger
            const bool finger = pick(2) == 0;
            for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
                SDL_Event e{type};
                if (finger) {
                    e.tfinger = {type == SDL_MOUSEBUTTONDOWN ? SDL_FINGERDOWN : SDL_FINGERUP, 0, 1, 0, fx, fy, 0, 0, 1, id};
                } else {
                    e.button = {type, 0, id, 0, SDL_BUTTON_LEFT, 0, 1, 0, x, y};
                }
                batch.push_back(e);
            }
        }
        for (int k = batch.empty() ? 1 + pick(4) : 0; k > 0; --k) {
            SDL_Event e{};
            const int kind = pick(5) == 0 ? pick(100) : pick(99); // 99: a resize, the dearest event
            const Uint32 fingerTypes[] = {SDL_FINGERDOWN, SDL_FINGERUP, SDL_FINGERMOTION};
            const SDL_Keycode keys[] = {SDLK_TAB, SDLK_RETURN, SDLK_SPACE, SDLK_LEFT, SDLK_RIGHT, SDLK_ESCAPE, SDLK_a};
            const Uint8 windowEvents[] = {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_LEAVE, SDL_WINDOWEVENT_EXPOSED};
            if (kind < 40) {
                const Uint32 type = pick(2) == 0 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
                e.button = {type, 0, id, pick(5) == 0 ? SDL_TOUCH_MOUSEID : 0, static_cast<Uint8>(1 + pick(3)),
                            0, 1, 0, x, y};
            } else if (kind < 65) {
                e.tfinger = {fingerTypes[pick(3)], 0, 1, pick(3), fx, fy, 0, 0, 1, id};
            } else if (kind < 72) {
                e.motion = {SDL_MOUSEMOTION, 0, id, 0, 0, x, y, 1, 1};
            } else if (kind < 92) {
                e.key = {SDL_KEYDOWN, 0, id, SDL_PRESSED, static_cast<Uint8>(pick(3) == 0), 0, 0, {}};
                e.key.keysym.sym = keys[pick(7)];
                e.key.keysym.mod = static_cast<Uint16>(pick(3) == 0 ? KMOD_SHIFT : KMOD_NONE);
            } else if (kind < 99) {
                e.window = {SDL_WINDOWEVENT, 0, id, windowEvents[pick(3)], 0, 0, 0, 0, 0};
            } else {
                const int side = pick(10) == 0 ? 4000 : 400;
                SDL_SetWindowSize(window.get(), 1 + pick(side), 1 + pick(side));
                bigUntil = side > 400 ? n + 20 : bigUntil; // a huge window for a few events, not thousands of frames
            }
            batch.push_back(e);
        }
        const bool animating = app.navigation().isAnimating();
        const long pushesBefore = tapPushes;
        const float coinsBefore = state.coins();
        for (SDL_Event& e : batch) {
            if (e.type != 0) {
                SDL_PushEvent(&e);
            }
        }
        n += static_cast<long>(batch.size());
        loop->pump();

        const auto stack = app.navigation().viewControllers();
        if (stack.empty() || stack.front()->className() != app.storyboard().initial()) {
            return fail("the home screen is not at the bottom of the stack");
        }
        if (animating && (tapPushes != pushesBefore || state.coins() != coinsBefore)) {
            return fail("a tap went through during an animation");
        }
        if (n % 500 < static_cast<long>(batch.size()) && !onlySurroundOutside(renderer.get(), loop->fit())) {
            return fail("something was drawn outside the canvas");
        }
        if (bigUntil != 0 && n >= bigUntil) {
            SDL_SetWindowSize(window.get(), 200 + pick(400), 300 + pick(500));
            bigUntil = 0;
        }
        warmMb = n - static_cast<long>(batch.size()) < events / 10 && n >= events / 10 ? residentAtFirstSize() : warmMb;
    }
    const long grownMb = residentAtFirstSize() - warmMb;
    std::printf("window monkey: %ld events, seed %llu, %.0f coins, %zu bow ties, %ld MB grown\n", n,
                static_cast<unsigned long long>(seed), static_cast<double>(state.coins()), state.items().size(), grownMb);
    loop.reset();
    renderer.reset();
    window.reset();
    fonts.reset();
    IMG_Quit();
    SDL_Quit();
    return maxGrowthMb >= 0 && grownMb > maxGrowthMb ? fail("memory grew by " + std::to_string(grownMb) + " MB") : 0;
}
