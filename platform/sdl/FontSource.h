#pragma once

#include "platform/Result.h"
#include "platform/sdl/Handles.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace bc::sdl {

// The game's typeface, found through fontconfig: a rounded, friendly face
// when the machine has one, a plain sans otherwise. Opened fonts are kept per
// pixel size so text is rasterised at the size it is shown.
class FontSource {
public:
    // A one-line reason when no font file can be opened.
    static Result<std::unique_ptr<FontSource>> find();
    ~FontSource();
    FontSource(const FontSource&) = delete;
    FontSource& operator=(const FontSource&) = delete;

    // Null only if the file stopped opening since find() checked it.
    TTF_Font* font(int pixelSize, bool bold);

private:
    struct Face {
        std::string file;
        int index = 0;
        bool fakeBold = false; // the family has no bold face of its own
    };
    FontSource() = default;

    TtfLibrary ttf_; // first member: outlives every font below
    Face regular_;
    Face bold_;
    std::map<std::pair<int, bool>, FontPtr> open_;
};

} // namespace bc::sdl
