#include "platform/sdl/FontSource.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>

namespace bc::sdl {

namespace {

struct Match {
    std::string family;
    std::string file;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
};

std::optional<Match> matchFont(FcConfig* config, const char* family, bool bold)
{
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return std::nullopt;
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    if (found == nullptr) {
        return std::nullopt;
    }
    Match match;
    FcChar8* value = nullptr;
    if (FcPatternGetString(found, FC_FILE, 0, &value) == FcResultMatch) {
        match.file = reinterpret_cast<const char*>(value);
    }
    if (FcPatternGetString(found, FC_FAMILY, 0, &value) == FcResultMatch) {
        match.family = reinterpret_cast<const char*>(value);
    }
    FcPatternGetInteger(found, FC_INDEX, 0, &match.index);
    FcPatternGetInteger(found, FC_WEIGHT, 0, &match.weight);
    FcPatternDestroy(found);
    return match;
}

bool sameFamily(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) ==
                                                  std::tolower(static_cast<unsigned char>(y)); });
}

bool opens(const std::string& file, int index)
{
    std::error_code ec;
    if (file.empty() || !std::filesystem::is_regular_file(file, ec)) {
        return false;
    }
    FontPtr probe(TTF_OpenFontIndex(file.c_str(), 17, index));
    return probe != nullptr;
}

} // namespace

Result<std::unique_ptr<FontSource>> FontSource::find()
{
    std::unique_ptr<FontSource> source(new FontSource());
    if (!source->ttf_.ok()) {
        return Error{std::string("cannot start the font renderer (") + TTF_GetError() + ")"};
    }
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return Error{"cannot read the font configuration (fontconfig)"};
    }
    // The rounded face reads well for a child; the plain one is nearly always
    // there; the last asks fontconfig for whatever sans it has.
    constexpr std::array<const char*, 3> kFamilies{"Comic Neue", "DejaVu Sans", "sans-serif"};
    for (const char* family : kFamilies) {
        auto regular = matchFont(config, family, false);
        if (!regular || !opens(regular->file, regular->index)) {
            continue;
        }
        const bool generic = std::string(family) == "sans-serif";
        if (!generic && !sameFamily(regular->family, family)) {
            continue; // fontconfig substituted another family; try the next choice
        }
        source->regular_ = Face{regular->file, regular->index, false};
        auto bold = matchFont(config, family, true);
        if (bold && bold->file != regular->file && bold->weight >= FC_WEIGHT_DEMIBOLD &&
            sameFamily(bold->family, regular->family) && opens(bold->file, bold->index)) {
            source->bold_ = Face{bold->file, bold->index, false};
        } else {
            source->bold_ = Face{regular->file, regular->index, true};
        }
        FcConfigDestroy(config);
        return source;
    }
    FcConfigDestroy(config);
    return Error{"no usable font found (install fonts-comic-neue or fonts-dejavu-core)"};
}

FontSource::~FontSource()
{
    open_.clear(); // before ttf_ shuts the library down
}

TTF_Font* FontSource::font(int pixelSize, bool bold)
{
    pixelSize = std::clamp(pixelSize, 4, 512);
    const auto key = std::make_pair(pixelSize, bold);
    if (auto it = open_.find(key); it != open_.end()) {
        return it->second.get();
    }
    const Face& face = bold ? bold_ : regular_;
    FontPtr opened(TTF_OpenFontIndex(face.file.c_str(), pixelSize, face.index));
    if (opened == nullptr) {
        return nullptr;
    }
    if (face.fakeBold) {
        TTF_SetFontStyle(opened.get(), TTF_STYLE_BOLD);
    }
    TTF_SetFontHinting(opened.get(), TTF_HINTING_LIGHT);
    return open_.emplace(key, std::move(opened)).first->second.get();
}

} // namespace bc::sdl
