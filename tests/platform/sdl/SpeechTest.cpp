#include "platform/sdl/Speech.h"

#include <gtest/gtest.h>

#include <cmath>

namespace bc::sdl {
namespace {

TEST(Speech, ALineBecomesSecondsOfAudibleSoundAndACancelledOneNothing)
{
    const auto spoken = renderSpeech("My blood sugar is 150. Tap the green button to check it.");
    ASSERT_TRUE(spoken) << spoken.error().message;
    ASSERT_GT(spoken->rate, 0);
    const double seconds = static_cast<double>(spoken->samples.size()) / spoken->rate;
    EXPECT_GT(seconds, 2.0);
    EXPECT_LT(seconds, 10.0);
    double energy = 0;
    for (const std::int16_t s : spoken->samples) {
        energy += static_cast<double>(s) * s;
    }
    EXPECT_GT(std::sqrt(energy / static_cast<double>(spoken->samples.size())), 300.0) << "not silence";

    const auto cancelled = renderSpeech("A line nobody waits for any more.", [] { return true; });
    ASSERT_TRUE(cancelled);
    EXPECT_TRUE(cancelled->samples.empty());

    // Each language in its own voice, which counts at a pace of its own; one espeak-ng lacks reads in English.
    const std::string count = "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20";
    const auto english = static_cast<double>(renderSpeech(count)->samples.size());
    for (const auto& [language, own] : {std::pair{"es", true}, {"fr", true}, {"xx", false}}) {
        const double ratio = static_cast<double>(renderSpeech(count, {}, language)->samples.size()) / english;
        EXPECT_EQ(std::abs(ratio - 1) > 0.05, own) << language << " " << ratio;
    }
}

} // namespace
} // namespace bc::sdl
