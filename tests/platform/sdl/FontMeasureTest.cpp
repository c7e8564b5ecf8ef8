#include "platform/sdl/FontMeasure.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

// Every screen, reached the way a child reaches it, in every language: each
// text the screen shows fits its area at a size no smaller than the smallest.
TEST(FontMeasureTest, EveryTextOfEveryScreenFitsInEveryLanguage)
{
    std::string error;
    auto fonts = sdl::FontSource::find(error);
    if (fonts == nullptr) {
        GTEST_SKIP() << error;
    }
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
                const FittedText fit = fitText(text, *look.text, measure);
                EXPECT_TRUE(fit.fits) << language << " " << layout.className << " " << c.name() << ": \"" << text
                                      << "\" needs more than its area even at " << fit.size;
                EXPECT_GE(fit.size, std::min(look.text->size, kSmallestText)) << text;
            }
        }
    }
}

} // namespace
} // namespace bc
