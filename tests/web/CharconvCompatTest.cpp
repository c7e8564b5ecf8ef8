#include "web/glue/CharconvCompat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace bc::compat {
namespace {

std::string printed(float value)
{
    char buffer[64];
    auto [end, ec] = toChars(buffer, buffer + sizeof buffer, value);
    EXPECT_EQ(ec, std::errc());
    return std::string(buffer, end);
}

std::string standard(float value)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    EXPECT_EQ(ec, std::errc());
    return std::string(buffer, end);
}

struct Read {
    std::errc ec;
    double value;
    std::size_t used;
};

Read readCompat(const std::string& text)
{
    double value = -7;
    auto [ptr, ec] = fromChars(text.data(), text.data() + text.size(), value);
    return {ec, value, static_cast<std::size_t>(ptr - text.data())};
}

Read readStandard(const std::string& text)
{
    double value = -7;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return {ec, value, static_cast<std::size_t>(ptr - text.data())};
}

TEST(CharconvCompatPrinting, GivesTheShortestTextThatReadsBackAsTheSameFloat)
{
    for (float value : {1.6666666f, 0.1f, 2.5f, 1.4f, 14.5f, 92.0f, 10.0f, 150.0f, 0.333333343f, 123.456f, -3.75f,
                        1e-5f, 0.00012f, 1e10f, 123456792.0f, -0.0f, 0.0f}) {
        const std::string text = printed(value);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), value) << text;
        EXPECT_EQ(text, standard(value));
    }
}

TEST(CharconvCompatPrinting, AgreesWithTheStandardLibraryOverTheGamesRange)
{
    // Dose fractions and settings: tenths, thirds and ratios up to a few hundred.
    for (int numerator = 1; numerator <= 600; ++numerator) {
        for (int denominator : {3, 7, 10, 15, 45}) {
            const float value = static_cast<float>(numerator) / static_cast<float>(denominator);
            ASSERT_EQ(printed(value), standard(value)) << numerator << "/" << denominator;
        }
    }
}

TEST(CharconvCompatPrinting, WritesDoublesAsTheStandardLibraryDoes)
{
    for (double value : {1.6666666269302368, 0.1, 2.0 / 3.0, 150.0, 1e21, 1e-7, -42.125}) {
        char mine[64];
        char theirs[64];
        auto a = toChars(mine, mine + sizeof mine, value);
        auto b = std::to_chars(theirs, theirs + sizeof theirs, value);
        EXPECT_EQ(std::string(mine, a.ptr), std::string(theirs, b.ptr));
    }
}

TEST(CharconvCompatPrinting, ReportsABufferTooSmall)
{
    char buffer[3];
    auto result = toChars(buffer, buffer + sizeof buffer, 1.6666666f);
    EXPECT_EQ(result.ec, std::errc::value_too_large);
}

TEST(CharconvCompatReading, ReadsWhatTheStandardLibraryReads)
{
    for (const std::string text : {"2", "0.5", "86400", "1.6666666", "-1", "1e3", "0", "12abc", "3.", ".5", "0x10", "-0X1p3"}) {
        const Read mine = readCompat(text);
        const Read theirs = readStandard(text);
        EXPECT_EQ(mine.ec, theirs.ec) << text;
        EXPECT_EQ(mine.value, theirs.value) << text;
        EXPECT_EQ(mine.used, theirs.used) << text;
    }
}

TEST(CharconvCompatReading, RefusesWhatTheStandardLibraryRefuses)
{
    for (const std::string text : {"", "+1", " 1", "-", "--1", "- 1", "abc", "-+2"}) {
        const Read mine = readCompat(text);
        EXPECT_EQ(mine.ec, std::errc::invalid_argument) << '"' << text << '"';
        EXPECT_EQ(mine.value, -7) << "left untouched: " << text;
        EXPECT_EQ(readStandard(text).ec, mine.ec) << text;
    }
}

TEST(CharconvCompatReading, ReportsNumbersOutOfRangeAndLeavesTheValue)
{
    const Read mine = readCompat("1e999");
    EXPECT_EQ(mine.ec, std::errc::result_out_of_range);
    EXPECT_EQ(mine.value, -7);
    EXPECT_EQ(mine.used, 5u);
}

} // namespace
} // namespace bc::compat
