#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <memory>

namespace bc::sdl {

// Owning handles for what SDL hands out, so every early return cleans up.
struct SdlDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
    void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};

using WindowPtr = std::unique_ptr<SDL_Window, SdlDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter>;
using FontPtr = std::unique_ptr<TTF_Font, SdlDeleter>;

// SDL_ttf counts its initialisations, so each owner can hold its own.
class TtfLibrary {
public:
    TtfLibrary() : ok_(TTF_Init() == 0) {}
    ~TtfLibrary()
    {
        if (ok_) {
            TTF_Quit();
        }
    }
    TtfLibrary(const TtfLibrary&) = delete;
    TtfLibrary& operator=(const TtfLibrary&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_;
};

} // namespace bc::sdl
