#include "faults/Process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace bc::test {
namespace {

using json = nlohmann::json;

// A start that cannot go ahead: status 2, nothing on standard output (the
// driver never answered), and exactly one line saying why.
void expectCleanRefusal(const Outcome& o, const std::vector<std::string>& mentions)
{
    EXPECT_EQ(o.status, 2) << o.err;
    EXPECT_EQ(o.out, "") << "nothing may start before the problem is found";
    ASSERT_EQ(o.errLines().size(), 1u) << o.err;
    const std::string line = o.errLines()[0];
    EXPECT_EQ(line.rfind("buddycare: ", 0), 0u) << line;
    for (const auto& m : mentions) {
        EXPECT_NE(line.find(m), std::string::npos) << "\"" << m << "\" missing from: " << line;
    }
}

json shipped(const ResourceCopy& copy) { return json::parse(copy.storyboard()); }

json& screenOf(json& sb, const std::string& className)
{
    for (auto& s : sb["screens"]) {
        if (s["class"] == className) {
            return s;
        }
    }
    throw std::runtime_error("no screen " + className);
}

json& controlOf(json& screen, const std::string& key, const std::string& value)
{
    for (auto& c : screen["controls"]) {
        if (c.contains(key) && c[key] == value) {
            return c;
        }
    }
    throw std::runtime_error("no control " + value);
}

Outcome startWith(const ResourceCopy& copy) { return runGame({"--headless", "--resources", copy.path()}, "state\nquit\n"); }

TEST(StartupFaults, ResourceFolderThatDoesNotExist)
{
    const auto o = runGame({"--headless", "--resources", "/nonexistent/buddycare-resources"}, "state\n");
    expectCleanRefusal(o, {"/nonexistent/buddycare-resources", "not found"});
}

TEST(StartupFaults, MissingInterfaceDescription)
{
    ResourceCopy copy;
    copy.remove("storyboard.json");
    expectCleanRefusal(startWith(copy), {copy.path() + "/storyboard.json"});
}

TEST(StartupFaults, UnreadableInterfaceDescription)
{
    ResourceCopy copy;
    copy.remove("storyboard.json");
    // A folder where the file should be cannot be read by anyone, root included.
    std::filesystem::create_directory(copy.path() + "/storyboard.json");
    expectCleanRefusal(startWith(copy), {copy.path() + "/storyboard.json"});
}

TEST(StartupFaults, InterfaceDescriptionThatIsNotJson)
{
    ResourceCopy copy;
    copy.write("storyboard.json", copy.storyboard().substr(0, 300));
    expectCleanRefusal(startWith(copy), {"storyboard.json", "not valid JSON"});
}

TEST(StartupFaults, EmptyOrBinaryInterfaceDescription)
{
    for (const std::string& content : {std::string(), std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)}) {
        ResourceCopy copy;
        copy.write("storyboard.json", content);
        expectCleanRefusal(startWith(copy), {"storyboard.json"});
    }
}

TEST(StartupFaults, InterfaceDescriptionWithANumberTooLarge)
{
    // Well-formed JSON that the parser still cannot hold once ended the
    // program with an uncaught exception instead of this message.
    ResourceCopy copy;
    copy.write("storyboard.json", "888888E9991900");
    expectCleanRefusal(startWith(copy), {"storyboard.json", "not valid JSON", "number"});
    auto sb = shipped(copy);
    std::string text = sb.dump();
    text.replace(text.find("[0,0,375,667]"), 13, "[0,0,375e99999,667]");
    copy.write("storyboard.json", text);
    expectCleanRefusal(startWith(copy), {"storyboard.json", "not valid JSON"});
}

TEST(StartupFaults, QuotedTextWithLineBreaksStaysOnOneLine)
{
    ResourceCopy copy;
    auto sb = shipped(copy);
    controlOf(screenOf(sb, "ViewController"), "name", "readingUnit")["kind"] = "label\nsecond line\r\x01";
    copy.write("storyboard.json", sb.dump());
    expectCleanRefusal(startWith(copy), {"storyboard.json", "ViewController", "unknown kind", "label\\nsecond line"});
}

TEST(StartupFaults, UnknownClass)
{
    ResourceCopy copy;
    auto sb = shipped(copy);
    screenOf(sb, "TrendsViewController")["class"] = "TrendViewController";
    copy.write("storyboard.json", sb.dump());
    expectCleanRefusal(startWith(copy), {"storyboard.json", "TrendViewController"});
}

TEST(StartupFaults, UnknownOutlet)
{
    ResourceCopy copy;
    auto sb = shipped(copy);
    controlOf(screenOf(sb, "ViewController"), "name", "readingUnit")["outlet"] = "unitLabel";
    copy.write("storyboard.json", sb.dump());
    expectCleanRefusal(startWith(copy), {"storyboard.json", "ViewController", "unitLabel"});
}

TEST(StartupFaults, UnknownAction)
{
    ResourceCopy copy;
    auto sb = shipped(copy);
    controlOf(screenOf(sb, "ViewController"), "name", "cheat")["actions"] = json::array({"cheats"});
    copy.write("storyboard.json", sb.dump());
    expectCleanRefusal(startWith(copy), {"storyboard.json", "ViewController", "cheats"});
}

TEST(StartupFaults, UnknownTransitionTarget)
{
    ResourceCopy copy;
    auto sb = shipped(copy);
    controlOf(screenOf(sb, "BuddyCentralViewController"), "name", "gamesButton")["push"] = "GameScreenViewController";
    copy.write("storyboard.json", sb.dump());
    expectCleanRefusal(startWith(copy), {"storyboard.json", "BuddyCentralViewController", "GameScreenViewController"});
}

TEST(StartupFaults, UnknownNamedTransitionTarget)
{
    ResourceCopy copy;
    auto sb = shipped(copy);
    screenOf(sb, "InsulinGivingViewController")["segues"]["completeInsulinSegue"] = "InsulinDoneViewController";
    copy.write("storyboard.json", sb.dump());
    expectCleanRefusal(startWith(copy), {"storyboard.json", "InsulinDoneViewController"});
}

TEST(StartupFaults, DuplicateControlName)
{
    ResourceCopy copy;
    auto sb = shipped(copy);
    controlOf(screenOf(sb, "ViewController"), "name", "readingUnit")["name"] = "readingCaption";
    copy.write("storyboard.json", sb.dump());
    expectCleanRefusal(startWith(copy), {"storyboard.json", "ViewController", "readingCaption"});
}

TEST(StartupFaults, PictureNamedInTheDescriptionThatIsMissing)
{
    // The home screen's layout names the sad background itself, so without
    // that file the description does not load at all.
    ResourceCopy copy;
    copy.remove("sadhomescreen.jpg");
    expectCleanRefusal(startWith(copy), {"storyboard.json", "sadhomescreen.jpg"});
}

TEST(StartupFaults, NoUsableFontStopsTheWindowWithAClearMessage)
{
    ScratchFolder fonts;
    fonts.write("fonts.conf", "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                              "<fontconfig><cachedir>" + fonts.path() + "/cache</cachedir></fontconfig>\n");
    // SDL's offscreen driver, asked for by name, stands in for a display.
    const auto o = runGame({}, "", {{"FONTCONFIG_FILE", fonts.path() + "/fonts.conf"}, {"SDL_VIDEODRIVER", "offscreen"}});
    EXPECT_EQ(o.status, 2) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("no usable font"), std::string::npos) << o.err;
}

TEST(StartupFaults, NoUsableFontStillPlaysHeadlessWithoutScreenshots)
{
    ScratchFolder fonts;
    fonts.write("fonts.conf", "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                              "<fontconfig><cachedir>" + fonts.path() + "/cache</cachedir></fontconfig>\n");
    ScratchFolder out;
    const auto o = runGame({"--headless"}, "tap cheat\nshot " + out.path() + "/x.png\nstate\n",
                           {{"FONTCONFIG_FILE", fonts.path() + "/fonts.conf"}});
    EXPECT_EQ(o.status, 0) << o.err;
    const auto lines = o.outLines();
    ASSERT_EQ(lines.size(), 3u) << o.out;
    EXPECT_EQ(lines[0], "{\"ok\":true}");
    EXPECT_NE(json::parse(lines[1]).value("error", "").find("no usable font"), std::string::npos) << lines[1];
    EXPECT_EQ(json::parse(lines[2])["coins"], 50);
    EXPECT_FALSE(std::filesystem::exists(out.path() + "/x.png"));
}

} // namespace
} // namespace bc::test
