#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bc::sdl {

// A line turned into sound: signed 16-bit mono samples at `rate` per second.
struct SpokenSound {
    std::vector<std::int16_t> samples;
    int rate = 0;
};

// Renders one line with espeak-ng's voice for `language` ("es", "fr"; English
// when empty or when espeak-ng has no such voice). Digits are read as the
// number they make. `cancelled` is asked between blocks of samples; when it
// says yes the rendering stops and the answer is empty. The voice is loaded
// on the first call; call from one thread only.
Result<SpokenSound> renderSpeech(const std::string& line, const std::function<bool()>& cancelled = {},
                                 const std::string& language = {});

} // namespace bc::sdl
