#pragma once

#include "platform/Result.h"
#include "platform/sdl/FontSource.h"
#include "platform/sdl/Painter.h"
#include "platform/sdl/PictureCache.h"

#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace bc::sdl {

// What the first frame needs and the display does not: the font lookup and
// the first screen's pictures. Each is made on a thread of its own while the
// window's thread connects to the display and opens the window.

// The system's fonts looked up on a thread of its own: the lookup reads
// every font configuration file, and needs nothing of the game, so it can
// start before the game has loaded.
using FontSearch = std::shared_future<Result<std::shared_ptr<FontSource>>>;
FontSearch startFindingFonts();

// The fonts, with the sizes the first frame draws already opened.
Result<std::shared_ptr<FontSource>> findFonts(FontSearch search, const std::vector<std::pair<int, bool>>& sizes);

// The first screen's pictures, a JPEG (the costly kind) no larger than it is
// shown at `pixelsPerPoint` (0: whole).
std::vector<PictureCache::Decoded> decodePictures(const std::vector<Painter::FirstPicture>& pictures,
                                                  float pixelsPerPoint);

} // namespace bc::sdl
