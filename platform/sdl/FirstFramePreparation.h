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

// The first screen's pictures. A JPEG, the costly kind, waits for the
// window's pixels per point so that it is decoded no larger than it is shown
// (0: whole); the others are decoded whole at once.
std::vector<PictureCache::Decoded> decodePictures(const std::vector<Painter::FirstPicture>& pictures,
                                                  std::shared_future<float> pixelsPerPoint);

} // namespace bc::sdl
