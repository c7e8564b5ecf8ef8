#pragma once

#include "platform/sdl/Handles.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>

namespace bc::sdl {

// Decoded pictures as textures of one renderer, already scaled to the size they
// are shown at: the software renderer would otherwise filter and blend the
// full-size picture again in every frame of a slide. A picture is decoded the
// first time something shows it; only the most recently shown few stay, since
// the full-screen backgrounds are megabytes each once decoded.
class PictureCache {
public:
    static constexpr std::size_t kCapacity = 24;
    // Pixels kept at most, whatever their count: four full-screen backdrops
    // on a high-density screen, sixteen at the window's first size.
    static constexpr std::size_t kBudgetBytes = 16u << 20;

    // A picture, or a scaled copy, larger than this is refused before a byte
    // of it is decoded: a small file can declare gigabytes of pixels.
    static constexpr std::uint64_t kMaxSide = 4096;
    static constexpr std::uint64_t kMaxDecodedBytes = 64u << 20;
    struct Dimensions {
        std::uint64_t w = 0;
        std::uint64_t h = 0;
    };
    static bool withinBounds(const Dimensions& d);

    explicit PictureCache(SDL_Renderer* renderer) : renderer_(renderer) {}

    struct Size {
        int w = 0;
        int h = 0;
        bool opaque = false; // no pixel lets anything behind show through
    };
    // The picture's own size; decodes it the first time. Empty when the file
    // cannot be decoded (warned about once per name).
    std::optional<Size> size(const std::string& name, const std::filesystem::path& file);

    // A picture decoded away from the renderer's thread, or why it could not be.
    struct Decoded {
        std::string name;
        SurfacePtr surface;
        Size size;
        std::string why;
    };
    // Safe on any thread: touches no cache and warns nobody. A JPEG comes out
    // as small as its decoder can make it while covering `atLeast` pixels
    // (whole when nothing is asked); `size` is the picture's own either way.
    static Decoded decodeFile(const std::string& name, const std::filesystem::path& file, const Dimensions& atLeast);
    static Decoded decodeFile(const std::string& name, const std::filesystem::path& file)
    {
        return decodeFile(name, file, Dimensions{});
    }
    // Takes a picture decoded elsewhere as if size() had just decoded it.
    void adopt(Decoded decoded);

    // The `src` part of the picture scaled to w×h pixels, made once and kept
    // while it is shown. Null when the file cannot be decoded.
    SDL_Texture* texture(const std::string& name, const std::filesystem::path& file, const SDL_Rect& src, int w,
                         int h);

    // Textures die with a lost render device; decode again on demand.
    void clear()
    {
        entries_.clear();
        ready_.clear();
        bytes_ = 0;
    }
    // A decoded picture not made a texture in the frame it was meant for.
    void endFrame() { ready_.clear(); }
    std::size_t count() const { return entries_.size(); }
    std::size_t bytes() const { return bytes_; }

private:
    using Key = std::tuple<std::string, int, int, int, int, int, int>;
    struct Entry {
        TexturePtr texture;
        std::size_t bytes = 0;
        std::uint64_t lastUse = 0;
    };
    void evictOldest();

    SDL_Renderer* renderer_;
    std::map<Key, Entry> entries_;
    std::map<std::string, Size> sizes_;
    std::set<std::string> broken_;
    // Decoded but not yet made a texture: what size() just decoded for the
    // texture() call that follows, and what was decoded ahead of the window.
    std::map<std::string, SurfacePtr> ready_;
    std::uint64_t clock_ = 0;
    std::size_t bytes_ = 0;
};

} // namespace bc::sdl
