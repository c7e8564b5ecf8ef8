#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace bc::test {
namespace {

// Pictures the loader cannot vouch for: the happy home background is named
// only by the home screen's code, not by the interface description; a JPEG
// of garbage; a text file under a picture's name. Each shows nothing in its
// place with one warning, however often it is needed, and the game goes on.
TEST(PictureFaults, BrokenPicturesShowNothingWarnOnceAndTheGameGoesOn)
{
    ResourceCopy copy;
    copy.remove("homescreen.jpg");
    copy.write("checkred.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(600, '\x5A'));
    copy.write("icon-coin.png", "this is not a picture\n");
    const std::string shot = copy.path() + "/shot.png", round = "tap checkPlace\nshot " + shot + "\ntap homeButtonPressed\n";
    const auto o = runGame({"--headless", "--resources", copy.path()},
                           "set bloodSugarLevel 100\n" + round + round + "screen\nset bloodSugarLevel 150\n" + round +
                               round + "screen\ntap cheat\nstate\n");
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), 18u) << o.out;
    EXPECT_EQ(nlohmann::json::parse(lines[17])["coins"], 50);
    EXPECT_GT(std::filesystem::file_size(shot), 1000u);
    for (auto [line, picture] : {std::pair{7, ""}, {15, "sadhomescreen.jpg"}}) {
        const auto screen = nlohmann::json::parse(lines[line]);
        for (const auto& c : screen["controls"]) {
            if (c["name"] == "screenBackground") {
                EXPECT_EQ(c["picture"].is_null() ? "" : c["picture"].get<std::string>(), picture) << line;
            }
        }
    }
    const auto warnings = o.errLines();
    ASSERT_EQ(warnings.size(), 3u) << o.err;
    for (const char* name : {"\"homescreen.jpg\"", "checkred.jpg", "icon-coin.png"}) {
        EXPECT_EQ(std::count_if(warnings.begin(), warnings.end(), [&](auto& w) { return w.find(name) != std::string::npos; }), 1) << name;
    }
}

} // namespace
} // namespace bc::test
