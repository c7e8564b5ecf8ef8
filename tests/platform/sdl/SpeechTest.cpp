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
}

} // namespace
} // namespace bc::sdl
