#include "web/glue/CharconvCompat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bc::compat {
namespace {

// Both printers on the same number: the same text, or the same refusal.
template <typename T>
void printsAsTheStandardLibrary(T value, std::size_t room = 64)
{
    char mine[64];
    char theirs[64];
    const auto a = toChars(mine, mine + room, value);
    const auto b = std::to_chars(theirs, theirs + room, value);
    ASSERT_EQ(a.ec, b.ec) << value;
    if (a.ec == std::errc()) {
        EXPECT_EQ(std::string(mine, a.ptr), std::string(theirs, b.ptr)) << value;
    }
}

TEST(CharconvCompatTest, PrintsTheShortestTextThatReadsBackAsTheStandardLibraryDoes)
{
    std::vector<float> floats{1.6666666f, 0.1f, 1.4f, 0.333333343f, 123.456f, -3.75f, 1e-5f, 1e10f, -0.0f, 0.0f};
    // Dose fractions and settings: tenths, thirds and ratios up to a few hundred.
    for (int numerator = 1; numerator <= 600; ++numerator) {
        for (int denominator : {3, 7, 10, 15, 45}) {
            floats.push_back(static_cast<float>(numerator) / static_cast<float>(denominator));
        }
    }
    for (float value : floats) {
        printsAsTheStandardLibrary(value);
    }
    for (double value : {1.6666666269302368, 0.1, 2.0 / 3.0, 150.0, 1e21, 1e-7, -42.125}) {
        printsAsTheStandardLibrary(value);
    }
    printsAsTheStandardLibrary(1.6666666f, 3);
}

TEST(CharconvCompatTest, ReadsAndRefusesWhatTheStandardLibraryDoesLeavingTheValueWhenRefused)
{
    for (const std::string text : {"2", "0.5", "1.6666666", "-1", "1e3", "12abc", "3.", ".5", "0x10", "-0X1p3", "",
                                   "+1", " 1", "-", "--1", "- 1", "abc", "-+2", "1e999"}) {
        double mine = -7;
        double theirs = -7;
        const auto a = fromChars(text.data(), text.data() + text.size(), mine);
        const auto b = std::from_chars(text.data(), text.data() + text.size(), theirs);
        EXPECT_EQ(a.ec, b.ec) << '"' << text << '"';
        EXPECT_EQ(a.ptr, b.ptr) << text;
        EXPECT_EQ(mine, theirs) << text; // the standard leaves a refused value untouched
    }
}

} // namespace
} // namespace bc::compat
