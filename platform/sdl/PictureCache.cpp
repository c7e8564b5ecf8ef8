#include "platform/sdl/PictureCache.h"

#include "platform/Console.h"
#include "platform/Result.h"

#include <SDL_image.h>
#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace bc::sdl {

namespace {

// Halving first, then one bilinear pass: each halving averages whole 2×2
// blocks, so a picture shown at a third of its size keeps its fine lines.
SurfacePtr scaled(SDL_Surface* picture, SDL_Rect src, int w, int h)
{
    SurfacePtr current;
    SDL_Surface* from = picture;
    while (src.w >= 2 * w && src.h >= 2 * h) {
        SurfacePtr half(SDL_CreateRGBSurfaceWithFormat(0, src.w / 2, src.h / 2, 32, SDL_PIXELFORMAT_ARGB8888));
        if (half == nullptr || SDL_SoftStretchLinear(from, &src, half.get(), nullptr) != 0) {
            return nullptr;
        }
        current = std::move(half);
        from = current.get();
        src = SDL_Rect{0, 0, from->w, from->h};
    }
    if (current != nullptr && src.w == w && src.h == h) {
        return current; // the halving landed on the size asked for
    }
    SurfacePtr out(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (out == nullptr || SDL_SoftStretchLinear(from, &src, out.get(), nullptr) != 0) {
        return nullptr;
    }
    return out;
}

// The width and height a PNG or JPEG file declares, read without decoding it;
// a reason instead when the file is neither or its header is cut short.
struct Declared {
    PictureCache::Dimensions size;
    bool jpeg = false;
};

Result<Declared> declaredDimensions(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return Error{"cannot be read"};
    }
    auto byte = [&in]() -> int { return in.get(); };
    auto big16 = [&byte] { return (byte() << 8) | byte(); };
    std::array<unsigned char, 24> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    const auto got = static_cast<std::size_t>(in.gcount());
    static constexpr std::array<unsigned char, 8> kPng{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (got >= 24 && std::equal(kPng.begin(), kPng.end(), head.begin()) &&
        std::string(reinterpret_cast<const char*>(&head[12]), 4) == "IHDR") {
        auto big32 = [&head](std::size_t at) {
            return (std::uint64_t{head[at]} << 24) | (head[at + 1] << 16) | (head[at + 2] << 8) | head[at + 3];
        };
        return Declared{{big32(16), big32(20)}, false};
    }
    if (got >= 2 && head[0] == 0xFF && head[1] == 0xD8) {
        // Walk the markers to the frame header, which carries the size.
        in.clear();
        in.seekg(2);
        while (in) {
            int marker = byte();
            if (marker != 0xFF) {
                break;
            }
            while (marker == 0xFF) {
                marker = byte();
            }
            if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
                continue; // markers without a length
            }
            const int length = big16();
            const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
            if (frame && in && length >= 7) {
                byte(); // sample precision
                const std::uint64_t h = static_cast<std::uint64_t>(big16());
                const std::uint64_t w = static_cast<std::uint64_t>(big16());
                if (in) {
                    return Declared{{w, h}, true};
                }
                break;
            }
            if (marker == 0xDA || marker == 0xD9 || length < 2) {
                break; // image data or the end before any frame header
            }
            in.seekg(length - 2, std::ios::cur);
        }
        return Error{"JPEG without a readable size"};
    }
    return Error{"not a PNG or JPEG picture"};
}

struct Decompressor {
    void operator()(void* handle) const { tjDestroy(handle); }
};

// The size a JPEG decodes to at the smallest scale the decoder offers that
// still covers `atLeast` (the picture's own size when nothing is asked).
// Scaling inside the decoder skips most of the work of the pixels it drops,
// where decoding whole and halving afterwards pays for every one of them.
tjscalingfactor coveringScale(const PictureCache::Dimensions& own, const PictureCache::Dimensions& atLeast)
{
    tjscalingfactor best{1, 1};
    if (atLeast.w == 0 && atLeast.h == 0) {
        return best;
    }
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    for (int i = 0; factors != nullptr && i < count; ++i) {
        const tjscalingfactor f = factors[i];
        const auto w = static_cast<std::uint64_t>(TJSCALED(static_cast<int>(own.w), f));
        const auto h = static_cast<std::uint64_t>(TJSCALED(static_cast<int>(own.h), f));
        const bool covers = w >= atLeast.w && h >= atLeast.h;
        const bool smaller = f.num * best.denom < best.num * f.denom;
        if (covers && smaller) {
            best = f;
        }
    }
    return best;
}

// Straight into the layout every other picture is kept in (ARGB8888).
Result<SurfacePtr> decodeJpeg(const std::filesystem::path& file, const PictureCache::Dimensions& own,
                              const PictureCache::Dimensions& atLeast)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        return Error{"cannot be read"};
    }
    const std::unique_ptr<void, Decompressor> handle(tjInitDecompress());
    if (handle == nullptr) {
        return Error{tjGetErrorStr2(nullptr)};
    }
    const tjscalingfactor scale = coveringScale(own, atLeast);
    const int w = TJSCALED(static_cast<int>(own.w), scale);
    const int h = TJSCALED(static_cast<int>(own.h), scale);
    SurfacePtr out(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (out == nullptr) {
        return Error{SDL_GetError()};
    }
    // ARGB8888 is a 32-bit word: blue comes first in memory on a little-endian machine.
    constexpr int kLayout = SDL_BYTEORDER == SDL_LIL_ENDIAN ? TJPF_BGRA : TJPF_ARGB;
    if (tjDecompress2(handle.get(), bytes.data(), static_cast<unsigned long>(bytes.size()),
                      static_cast<unsigned char*>(out->pixels), w, out->pitch, h, kLayout, 0) != 0 &&
        tjGetErrorCode(handle.get()) != TJERR_WARNING) {
        // A warning (data cut short, say) still leaves a whole picture, as the
        // other decoder would have shown it.
        return Error{tjGetErrorStr2(handle.get())};
    }
    return out;
}

} // namespace

bool PictureCache::withinBounds(const Dimensions& d)
{
    return d.w > 0 && d.h > 0 && d.w <= kMaxSide && d.h <= kMaxSide && d.w * d.h * 4 <= kMaxDecodedBytes;
}

PictureCache::Decoded PictureCache::decodeFile(const std::string& name, const std::filesystem::path& file,
                                               const Dimensions& atLeast)
{
    Decoded out{name, nullptr, Size{}, {}};
    const auto declared = declaredDimensions(file);
    if (!declared) {
        out.why = declared.error().message;
        return out;
    }
    if (const auto& d = declared->size; !withinBounds(d)) {
        out.why = std::to_string(d.w) + "x" + std::to_string(d.h) + " pixels is beyond what is shown (at most " +
                  std::to_string(kMaxSide) + " a side, " + std::to_string(kMaxDecodedBytes >> 20) +
                  " MiB decoded)";
        return out;
    }
    if (declared->jpeg) {
        auto decoded = decodeJpeg(file, declared->size, atLeast);
        if (!decoded) {
            out.why = decoded.error().message;
            return out;
        }
        out.surface = std::move(*decoded);
        out.size = Size{static_cast<int>(declared->size.w), static_cast<int>(declared->size.h), true};
        return out;
    }
    SurfacePtr loaded(IMG_Load(file.string().c_str()));
    if (loaded != nullptr) {
        out.size.opaque = loaded->format->Amask == 0 && !SDL_HasColorKey(loaded.get());
        out.surface.reset(loaded->format->format == SDL_PIXELFORMAT_ARGB8888
                              ? loaded.release()
                              : SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    }
    if (out.surface == nullptr) {
        out.why = IMG_GetError();
        return out;
    }
    out.size.w = out.surface->w;
    out.size.h = out.surface->h;
    return out;
}

void PictureCache::adopt(Decoded decoded)
{
    if (decoded.surface == nullptr) {
        broken_.insert(decoded.name);
        warn("picture " + decoded.name + " cannot be shown: " + decoded.why);
        return;
    }
    sizes_.emplace(decoded.name, decoded.size);
    ready_[decoded.name] = std::move(decoded.surface);
}

std::optional<PictureCache::Size> PictureCache::size(const std::string& name, const std::filesystem::path& file)
{
    if (name.empty() || broken_.count(name) != 0) {
        return std::nullopt;
    }
    if (auto it = sizes_.find(name); it != sizes_.end()) {
        return it->second;
    }
    // A JPEG's header is all its size needs; it is decoded once the size it is
    // shown at is known, at no more than that.
    if (const auto declared = declaredDimensions(file); declared && declared->jpeg && withinBounds(declared->size)) {
        return sizes_[name] = Size{static_cast<int>(declared->size.w), static_cast<int>(declared->size.h), true};
    }
    adopt(decodeFile(name, file));
    if (broken_.count(name) != 0) {
        return std::nullopt;
    }
    return sizes_[name];
}

SDL_Texture* PictureCache::texture(const std::string& name, const std::filesystem::path& file, const SDL_Rect& src,
                                   int w, int h)
{
    const auto known = size(name, file);
    if (!known || !withinBounds(Dimensions{static_cast<std::uint64_t>(std::max(w, 0)),
                                           static_cast<std::uint64_t>(std::max(h, 0))})) {
        ready_.erase(name);
        return nullptr;
    }
    SDL_Rect cut = src;
    cut.x = std::clamp(cut.x, 0, known->w - 1);
    cut.y = std::clamp(cut.y, 0, known->h - 1);
    cut.w = std::clamp(cut.w, 1, known->w - cut.x);
    cut.h = std::clamp(cut.h, 1, known->h - cut.y);
    ++clock_;
    Key key{name, cut.x, cut.y, cut.w, cut.h, w, h};
    if (auto it = entries_.find(key); it != entries_.end()) {
        it->second.lastUse = clock_;
        return it->second.texture.get();
    }

    // The picture's own pixels this part needs to be shown at w×h; a JPEG may
    // be decoded smaller than its own size, down to these.
    const Dimensions needed{static_cast<std::uint64_t>((std::int64_t{w} * known->w + cut.w - 1) / cut.w),
                            static_cast<std::uint64_t>((std::int64_t{h} * known->h + cut.h - 1) / cut.h)};
    const auto enough = [&](const SDL_Surface* s) {
        return (s->w == known->w && s->h == known->h) ||
               (static_cast<std::uint64_t>(s->w) >= needed.w && static_cast<std::uint64_t>(s->h) >= needed.h);
    };
    SurfacePtr picture;
    if (auto ready = ready_.find(name); ready != ready_.end() && enough(ready->second.get())) {
        picture = std::move(ready->second);
        ready_.erase(ready);
    } else if (Decoded again = decodeFile(name, file, needed); again.surface != nullptr) {
        picture = std::move(again.surface);
    } else {
        adopt(std::move(again));
        return nullptr;
    }
    if (picture->w != known->w || picture->h != known->h) {
        // The cut in the decoded picture's own pixels.
        const auto along = [](int at, int decoded, int own) {
            return static_cast<int>(std::lround(static_cast<double>(at) * decoded / own));
        };
        const SDL_Rect own = cut;
        cut.x = std::clamp(along(own.x, picture->w, known->w), 0, picture->w - 1);
        cut.y = std::clamp(along(own.y, picture->h, known->h), 0, picture->h - 1);
        cut.w = std::clamp(along(own.w, picture->w, known->w), 1, picture->w - cut.x);
        cut.h = std::clamp(along(own.h, picture->h, known->h), 1, picture->h - cut.y);
    }
    const bool whole = cut.x == 0 && cut.y == 0 && cut.w == picture->w && cut.h == picture->h;
    SurfacePtr shown = (whole && w == picture->w && h == picture->h) ? std::move(picture) : scaled(picture.get(), cut, w, h);
    picture.reset();
    TexturePtr texture(shown != nullptr ? SDL_CreateTextureFromSurface(renderer_, shown.get()) : nullptr);
    if (texture == nullptr) {
        broken_.insert(name);
        warn("picture " + name + " cannot be shown: " + SDL_GetError());
        return nullptr;
    }
    // Copied 1:1 from now on; an opaque picture needs no blending at all.
    SDL_SetTextureBlendMode(texture.get(), known->opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    const std::size_t bytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4;
    while (!entries_.empty() && (entries_.size() >= kCapacity || bytes_ + bytes > kBudgetBytes)) {
        evictOldest();
    }
    auto& entry = entries_[key];
    entry.texture = std::move(texture);
    entry.bytes = bytes;
    entry.lastUse = clock_;
    bytes_ += bytes;
    return entry.texture.get();
}

void PictureCache::evictOldest()
{
    auto oldest = entries_.begin();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->second.lastUse < oldest->second.lastUse) {
            oldest = it;
        }
    }
    if (oldest != entries_.end()) {
        bytes_ -= oldest->second.bytes;
        entries_.erase(oldest);
    }
}

} // namespace bc::sdl
