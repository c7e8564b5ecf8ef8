#include "platform/sdl/FontMeasure.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

// Every screen, reached the way a child reaches it, in every language: each
// text the screen shows fits its area at a size no smaller than the smallest.
TEST(FontMeasureTest, EveryTextOfEveryScreenFitsInEveryLanguage)
{
    auto found = sdl::FontSource::find();
    if (!found) {
        GTEST_SKIP() << found.error().message;
    }
    auto fonts = std::move(*found);
    const sdl::FontMeasure measure(*fonts);
    for (const char* language : {"", "es", "fr"}) {
        test::Game game(language);
        for (const auto& layout : game.app().storyboard().screens()) {
            test::Game fresh(language);
            fresh.reach(layout.className);
            for (const auto& slot : fresh.app().top()->slots()) {
                const Control& c = *slot.control;
                const Look look = lookOf(c);
                const std::string text = c.kind() == ControlKind::Label    ? static_cast<const Label&>(c).text()
                                         : c.kind() == ControlKind::Button ? static_cast<const Button&>(c).title()
                                                                           : std::string();
                if (!look.text || text.empty() || c.isEffectivelyHidden()) {
                    continue;
                }
                // At the window's own size, and at twice it (a high-density screen, a shot).
                for (const float scale : {1.0f, 2.0f}) {
                    TextLook scaled = *look.text;
                    scaled.area = {0, 0, scaled.area.w * scale, scaled.area.h * scale};
                    scaled.size *= scale;
                    const FittedText fit = fitText(text, scaled, measure, kSmallestText * scale);
                    EXPECT_TRUE(fit.fits) << language << " " << layout.className << " " << c.name() << ": \"" << text
                                          << "\" needs more than its area even at " << fit.size << ", scale " << scale;
                    EXPECT_GE(fit.size, std::min(scaled.size, kSmallestText * scale)) << text;
                }
            }
        }
    }
}

// Each character half as wide as the size, each line as tall: wrapping keeps
// every break, shrinking stops where the text first fits or at the floor.
TEST(FontMeasureTest, TextWrapsAtSpacesThenShrinksToTheSmallest)
{
    struct Halves : TextMeasure {
        float width(const std::string& line, float size, bool) const override { return line.size() * size / 2; }
        float lineHeight(float size, bool) const override { return size; }
    } measure;
    const struct { const char* text; float height; const char* shown; float size; bool fits; } rows[] = {
        {"one two three", 100, "one\ntwo\nthree", 20, true},
        {"one\ntwo", 100, "one\ntwo", 20, true},
        {"abcdefgh", 100, "abcdefgh", 15, true},
        {"abcdefghijklmnopqrstuvwxyz", 100, "abcdefghijklmnopqrstuvwxyz", 14, false},
        {"one two three", 30, "one two\nthree", 15, true},
    };
    for (const auto& r : rows) {
        TextLook look;
        look.area = {0, 0, 60, r.height};
        look.size = 20;
        const FittedText fit = fitText(r.text, look, measure);
        EXPECT_EQ(fit.text, r.shown) << r.text;
        EXPECT_EQ(fit.size, r.size) << r.text;
        EXPECT_EQ(fit.fits, r.fits) << r.text;
    }
}

} // namespace
} // namespace bc
