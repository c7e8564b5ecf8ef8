#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace bc::test {
namespace {

using json = nlohmann::json;

std::size_t linesMentioning(const Outcome& o, const std::string& what)
{
    std::size_t n = 0;
    for (const auto& line : o.errLines()) {
        n += line.find(what) != std::string::npos ? 1 : 0;
    }
    return n;
}

json answer(const Outcome& o, std::size_t index)
{
    const auto lines = o.outLines();
    return index < lines.size() ? json::parse(lines[index]) : json();
}

json control(const json& screen, const std::string& name)
{
    for (const auto& c : screen["controls"]) {
        if (c["name"] == name) {
            return c;
        }
    }
    return json();
}

// The happy home background is named only by the home screen's code, never
// by the interface description, so the loader cannot miss it: the game starts,
// the background stays empty while the reading is in range, one warning says
// why, and the game goes on.
TEST(PictureFaults, PictureNamedOnlyInCodeShowsNothingWarnsOnceAndTheGameGoesOn)
{
    ResourceCopy copy;
    copy.remove("homescreen.jpg");
    const auto o = runGame({"--headless", "--resources", copy.path()},
                           "set bloodSugarLevel 100\n"
                           "tap checkPlace\ntap homeButtonPressed\nscreen\n"       // 3: in range, no picture
                           "tap checkPlace\ntap homeButtonPressed\nscreen\n"       // 6: again, no new warning
                           "set bloodSugarLevel 150\n"
                           "tap checkPlace\ntap homeButtonPressed\nscreen\n"       // 10: sad picture is back
                           "tap cheat\nstate\n");
    EXPECT_EQ(o.status, 0) << o.err;
    ASSERT_EQ(o.outLines().size(), 13u) << o.out;
    EXPECT_TRUE(control(answer(o, 3), "screenBackground")["picture"].is_null()) << answer(o, 3).dump();
    EXPECT_TRUE(control(answer(o, 6), "screenBackground")["picture"].is_null());
    EXPECT_EQ(control(answer(o, 10), "screenBackground")["picture"], "sadhomescreen.jpg");
    EXPECT_EQ(answer(o, 12)["coins"], 50);
    EXPECT_EQ(linesMentioning(o, "\"homescreen.jpg\""), 1u) << o.err;
    EXPECT_EQ(o.errLines().size(), 1u) << o.err;
}

// Broken picture files: a JPEG whose data is garbage, and a text file under a
// picture's name. The loader only checks that the files exist; drawing finds
// out, shows nothing in their place and warns once for each.
TEST(PictureFaults, CorruptAndWrongFormatPicturesWarnOnceAndDrawTheRest)
{
    ResourceCopy copy;
    copy.write("checkred.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(600, '\x5A'));
    copy.write("icon-coin.png", "this is not a picture\n");
    ScratchFolder shots;
    const std::string s = shots.path();
    const auto o = runGame({"--headless", "--resources", copy.path()},
                           "shot " + s + "/1.png\ntap checkPlace\nshot " + s + "/2.png\ntap homeButtonPressed\n"
                           "tap checkPlace\nshot " + s + "/3.png\ntap homeButtonPressed\ntap cheat\nstate\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), 9u) << o.out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(lines[i], "{\"ok\":true}") << i << ": " << lines[i];
    }
    for (const char* f : {"/1.png", "/2.png", "/3.png"}) {
        EXPECT_GT(std::filesystem::file_size(s + f), 1000u) << f;
    }
    EXPECT_EQ(linesMentioning(o, "checkred.jpg"), 1u) << o.err;
    EXPECT_EQ(linesMentioning(o, "icon-coin.png"), 1u) << o.err;
    EXPECT_EQ(o.errLines().size(), 2u) << o.err;
}

} // namespace
} // namespace bc::test
