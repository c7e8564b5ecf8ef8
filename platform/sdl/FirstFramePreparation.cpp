#include "platform/sdl/FirstFramePreparation.h"

namespace bc::sdl {

// Shared rather than sole ownership only because g++ 12 misreads a sole owner's
// destruction inside std::future as freeing memory that was never allocated.
Result<std::shared_ptr<FontSource>> findFonts(const std::vector<std::pair<int, bool>>& sizes)
{
    BC_TRY_LET(fonts, FontSource::find());
    for (const auto& [size, bold] : sizes) {
        fonts->font(size, bold);
    }
    return std::shared_ptr<FontSource>(std::move(fonts));
}

std::vector<PictureCache::Decoded> decodePictures(
    const std::vector<std::pair<std::string, std::filesystem::path>>& pictures)
{
    std::vector<PictureCache::Decoded> out;
    for (const auto& [name, file] : pictures) {
        out.push_back(PictureCache::decodeFile(name, file));
    }
    return out;
}

} // namespace bc::sdl
