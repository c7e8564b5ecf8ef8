#include "platform/TextFit.h"

#include "platform/FileText.h"

#include <algorithm>

namespace bc {

namespace {

// Kept a hair loose: a measured width or height is rounded to whole pixels.
constexpr float kSlack = 0.5f;

struct Wrapped {
    std::string text;
    int lines = 0;
    float widest = 0;
};

Wrapped wrap(const std::string& text, float size, bool bold, float width, const TextMeasure& measure)
{
    Wrapped out;
    const auto endLine = [&](const std::string& line) {
        out.widest = std::max(out.widest, measure.width(line, size, bold));
        out.text += (out.lines++ > 0 ? "\n" : "") + line;
    };
    forEachPiece(text, '\n', [&](const std::string& paragraph) {
        std::string line;
        forEachPiece(paragraph, ' ', [&](const std::string& word) {
            const std::string longer = line.empty() ? word : line + " " + word;
            if (line.empty() || measure.width(longer, size, bold) <= width + kSlack) {
                line = longer;
            } else {
                endLine(line);
                line = word;
            }
        });
        endLine(line);
    });
    return out;
}

} // namespace

float PlainMeasure::width(const std::string& line, float size, bool bold) const
{
    // Characters, not bytes: a continuation byte of UTF-8 adds nothing.
    const auto characters = std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
    return static_cast<float>(characters) * size * (bold ? 0.55f : 0.5f);
}

float PlainMeasure::lineHeight(float size, bool) const { return size * 1.2f; }

FittedText fitText(const std::string& text, const TextLook& look, const TextMeasure& measure, float smallest)
{
    const float floor = std::min(look.size, smallest);
    for (float size = look.size;; size = std::max(floor, size - 1)) {
        const Wrapped w = wrap(text, size, look.bold, look.area.w, measure);
        const bool fits = w.widest <= look.area.w + kSlack &&
                          static_cast<float>(w.lines) * measure.lineHeight(size, look.bold) <= look.area.h + kSlack;
        if (fits || size <= floor) {
            return {w.text, size, fits};
        }
    }
}

} // namespace bc
