#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace bc::test {
namespace {

std::size_t linesMentioning(const Outcome& o, const std::string& what)
{
    std::size_t n = 0;
    for (const auto& line : o.errLines()) {
        n += line.find(what) != std::string::npos ? 1 : 0;
    }
    return n;
}

// The happy home background is named only by the home screen's code, never
// by the interface description, so the loader cannot miss it: the background
// stays empty while the reading is in range, one warning says why, and the
// game goes on.
TEST(PictureFaults, PictureNamedOnlyInCodeShowsNothingWarnsOnceAndTheGameGoesOn)
{
    ResourceCopy copy;
    copy.remove("homescreen.jpg");
    const std::string round = "tap checkPlace\ntap homeButtonPressed\nscreen\n";
    const auto o = runGame({"--headless", "--resources", copy.path()}, "set bloodSugarLevel 100\n" + round + round +
                                                                           "set bloodSugarLevel 150\n" + round + "tap cheat\nstate\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), 13u) << o.out;
    for (auto [line, picture] : {std::pair{3, ""}, {6, ""}, {10, "sadhomescreen.jpg"}}) {
        for (const auto& c : nlohmann::json::parse(lines[line])["controls"]) {
            if (c["name"] == "screenBackground") {
                EXPECT_EQ(c["picture"].is_null() ? "" : c["picture"].get<std::string>(), picture) << line;
            }
        }
    }
    EXPECT_EQ(nlohmann::json::parse(lines[12])["coins"], 50);
    EXPECT_EQ(linesMentioning(o, "\"homescreen.jpg\""), 1u) << o.err;
    EXPECT_EQ(o.errLines().size(), 1u) << o.err;
}

// A JPEG whose data is garbage and a text file under a picture's name: the
// loader only checks that files exist; drawing finds out, shows nothing in
// their place and warns once for each.
TEST(PictureFaults, CorruptAndWrongFormatPicturesWarnOnceAndDrawTheRest)
{
    ResourceCopy copy;
    copy.write("checkred.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(600, '\x5A'));
    copy.write("icon-coin.png", "this is not a picture\n");
    const std::string s = copy.path() + "/shot";
    const auto o = runGame({"--headless", "--resources", copy.path()},
                           "shot " + s + "1.png\ntap checkPlace\nshot " + s + "2.png\ntap homeButtonPressed\n"
                           "tap checkPlace\nshot " + s + "3.png\ntap homeButtonPressed\ntap cheat\nstate\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), 9u) << o.out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(lines[i], "{\"ok\":true}") << i;
    }
    for (const char* f : {"1.png", "2.png", "3.png"}) {
        EXPECT_GT(std::filesystem::file_size(s + f), 1000u) << f;
    }
    EXPECT_EQ(linesMentioning(o, "checkred.jpg"), 1u) << o.err;
    EXPECT_EQ(linesMentioning(o, "icon-coin.png"), 1u) << o.err;
    EXPECT_EQ(o.errLines().size(), 2u) << o.err;
}

} // namespace
} // namespace bc::test
