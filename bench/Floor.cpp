// The least a program must do to show the home screen: one window, one
// full-screen JPEG, five lines of text, one present, then sleep on events.
// The game's figures are read against this program's, measured the same way.
//
//   buddycare-floor PICTURE.jpg FONT.ttf     a window, until it is closed
//   buddycare-floor --headless               answers each input line with {}
//
// With BUDDYCARE_FRAME_LOG set, every presented frame writes one line to
// standard error, as the game does:
//   frame t=<monotonic ns> draw=<ns> cpu=<thread cpu ns> screen=floor anim=0

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>

namespace {

long long clockNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Line {
    const char* text;
    int size;
    int x;
    int y;
};

// Where the home screen puts its reading, unit, caption, coins and one title.
constexpr std::array<Line, 5> kLines{{
    {"Blood sugar", 16, 60, 92},
    {"104.0", 40, 60, 112},
    {"mg/dL", 14, 90, 160},
    {"0", 24, 299, 22},
    {"Check", 14, 20, 630},
}};

int headless()
{
    // The process floor for the headless driver: start, read, answer.
    std::string line;
    while (std::getline(std::cin, line)) {
        std::cout << "{}\n" << std::flush;
        if (line == "quit") {
            break;
        }
    }
    return 0;
}

class Floor {
public:
    Floor(SDL_Renderer* renderer, SDL_Texture* picture, TTF_Font* const* fonts)
        : renderer_(renderer), picture_(picture), fonts_(fonts), log_(std::getenv("BUDDYCARE_FRAME_LOG") != nullptr)
    {
    }

    void draw()
    {
        const long long start = clockNs(CLOCK_MONOTONIC);
        const long long startCpu = clockNs(CLOCK_THREAD_CPUTIME_ID);
        SDL_RenderCopy(renderer_, picture_, nullptr, nullptr);
        for (std::size_t i = 0; i < kLines.size(); ++i) {
            const char* text = (i == 4 && tapped_) ? "Tapped" : kLines[i].text;
            SDL_Surface* surface = TTF_RenderUTF8_Blended(fonts_[i], text, SDL_Color{30, 40, 70, 255});
            if (surface == nullptr) {
                continue;
            }
            SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer_, surface);
            const SDL_Rect dst{kLines[i].x, kLines[i].y, surface->w, surface->h};
            SDL_RenderCopy(renderer_, texture, nullptr, &dst);
            SDL_DestroyTexture(texture);
            SDL_FreeSurface(surface);
        }
        SDL_RenderPresent(renderer_);
        if (log_) {
            const long long end = clockNs(CLOCK_MONOTONIC);
            const long long cpu = clockNs(CLOCK_THREAD_CPUTIME_ID) - startCpu;
            std::fprintf(stderr, "frame t=%lld draw=%lld cpu=%lld screen=floor anim=0\n", end, end - start, cpu);
        }
    }

    void tap() { tapped_ = !tapped_; }

private:
    SDL_Renderer* renderer_;
    SDL_Texture* picture_;
    TTF_Font* const* fonts_;
    bool log_;
    bool tapped_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--headless") == 0) {
        return headless();
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PICTURE.jpg FONT.ttf | --headless\n", argv[0]);
        return 2;
    }
    // The same choices the game makes: pure software, no GL to copy pixels.
    if (std::getenv("SDL_RENDER_DRIVER") == nullptr) {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        if (std::getenv("SDL_FRAMEBUFFER_ACCELERATION") == nullptr) {
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        }
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "floor: %s\n", SDL_GetError());
        return 2;
    }
    IMG_Init(IMG_INIT_JPG);
    SDL_Window* window = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 375, 667, 0);
    SDL_Renderer* renderer = window != nullptr ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Surface* decoded = renderer != nullptr ? IMG_Load(argv[1]) : nullptr;
    if (decoded == nullptr) {
        std::fprintf(stderr, "floor: %s\n", SDL_GetError());
        return 2;
    }
    SDL_Texture* picture = SDL_CreateTextureFromSurface(renderer, decoded);
    SDL_FreeSurface(decoded);
    SDL_SetTextureScaleMode(picture, SDL_ScaleModeLinear);
    std::array<TTF_Font*, kLines.size()> fonts{};
    for (std::size_t i = 0; i < kLines.size(); ++i) {
        fonts[i] = TTF_OpenFont(argv[2], kLines[i].size);
        if (fonts[i] == nullptr) {
            std::fprintf(stderr, "floor: %s\n", TTF_GetError());
            return 2;
        }
    }

    Floor floor(renderer, picture, fonts.data());
    floor.draw();
    bool dirty = false;
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            break;
        }
        if (event.type == SDL_MOUSEBUTTONUP) {
            floor.tap();
            dirty = true;
        } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            dirty = true;
        }
        if (dirty && SDL_PollEvent(nullptr) == 0) {
            floor.draw();
            dirty = false;
        }
    }
    for (TTF_Font* font : fonts) {
        TTF_CloseFont(font);
    }
    SDL_DestroyTexture(picture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    IMG_Quit();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
