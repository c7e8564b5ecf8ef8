#pragma once

#include "platform/Look.h"

#include <string>

namespace bc {

// The smallest text a child is asked to read, in points.
inline constexpr float kSmallestText = 14.0f;

// How much room text takes in one typeface, in the units of the look it fills:
// the window measures with its own font, a test with the same one.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual float width(const std::string& line, float size, bool bold) const = 0;
    virtual float lineHeight(float size, bool bold) const = 0;
    // Whether the typeface draws that character (a chevron, say) at all.
    virtual bool hasGlyph(char32_t character) const
    {
        (void)character;
        return true;
    }
};

// Every character half its size wide, lines 1.2 times it: for where no
// typeface is at hand and only the places of things matter.
class PlainMeasure : public TextMeasure {
public:
    float width(const std::string& line, float size, bool bold) const override;
    float lineHeight(float size, bool bold) const override;
};

struct FittedText {
    std::string text; // broken into lines that fit the area's width
    float size = 0;
    bool fits = false; // false: even at the smallest size it runs out of its area
};

// A longer translation first wraps at its spaces, then shrinks a step at a
// time (never below `smallest`, nor above its own size) until its lines fit
// the area. Line breaks of its own are kept.
FittedText fitText(const std::string& text, const TextLook& look, const TextMeasure& measure,
                   float smallest = kSmallestText);

} // namespace bc
