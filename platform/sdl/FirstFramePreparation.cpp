#include "platform/sdl/FirstFramePreparation.h"

#include <cmath>
#include <cstdint>

namespace bc::sdl {

// Shared rather than sole ownership only because g++ 12 misreads a sole owner's
// destruction inside std::future as freeing memory that was never allocated.
FontSearch startFindingFonts()
{
    return std::async(std::launch::async, []() -> Result<std::shared_ptr<FontSource>> {
               BC_TRY_LET(fonts, FontSource::find());
               return std::shared_ptr<FontSource>(std::move(fonts));
           })
        .share();
}

Result<std::shared_ptr<FontSource>> findFonts(FontSearch search, const std::vector<std::pair<int, bool>>& sizes)
{
    BC_TRY_LET(fonts, search.get());
    for (const auto& [size, bold] : sizes) {
        fonts->font(size, bold);
    }
    return fonts;
}

std::vector<PictureCache::Decoded> decodePictures(const std::vector<Painter::FirstPicture>& pictures,
                                                  std::shared_future<float> pixelsPerPoint)
{
    std::vector<PictureCache::Decoded> out;
    std::vector<const Painter::FirstPicture*> jpegs;
    for (const auto& picture : pictures) {
        if (picture.file.extension() == ".jpg" || picture.file.extension() == ".jpeg") {
            jpegs.push_back(&picture);
        } else {
            out.push_back(PictureCache::decodeFile(picture.name, picture.file));
        }
    }
    if (jpegs.empty()) {
        return out;
    }
    const double scale = pixelsPerPoint.get();
    for (const auto* picture : jpegs) {
        const auto side = [scale](float points) { return static_cast<std::uint64_t>(std::ceil(points * scale)); };
        out.push_back(PictureCache::decodeFile(picture->name, picture->file,
                                               PictureCache::Dimensions{side(picture->w), side(picture->h)}));
    }
    return out;
}

} // namespace bc::sdl
