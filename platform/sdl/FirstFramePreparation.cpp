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
                                                  float pixelsPerPoint)
{
    std::vector<PictureCache::Decoded> out;
    const auto side = [pixelsPerPoint](float points) {
        return static_cast<std::uint64_t>(std::ceil(points * pixelsPerPoint));
    };
    for (const auto& picture : pictures) {
        out.push_back(PictureCache::decodeFile(picture.name, picture.file,
                                               PictureCache::Dimensions{side(picture.w), side(picture.h)}));
    }
    return out;
}

} // namespace bc::sdl
