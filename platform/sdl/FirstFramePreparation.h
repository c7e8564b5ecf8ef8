#pragma once

#include "platform/Result.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/PictureCache.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace bc::sdl {

// What the first frame needs and the display does not: the font lookup and
// the first screen's pictures. Each is made on a thread of its own while the
// window's thread connects to the display and opens the window.

// The fonts, with the sizes the first frame draws already opened.
Result<std::shared_ptr<FontSource>> findFonts(const std::vector<std::pair<int, bool>>& sizes);

std::vector<PictureCache::Decoded> decodePictures(
    const std::vector<std::pair<std::string, std::filesystem::path>>& pictures);

} // namespace bc::sdl
