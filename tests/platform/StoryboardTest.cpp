#include "platform/Console.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"
#include "platform/RunLoop.h"
#include "platform/Storyboard.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

class Home : public ScreenController {
public:
    void go(Control*) { ++went; }
    void back(Control*) {}
    Label* readingLabel = nullptr;
    int went = 0;
};
class Second : public ScreenController {
public:
    void back(Control*) {}
    Switch* answer = nullptr;
};

Registry testRegistry()
{
    Registry r;
    r.screen<Home>("Home").outlet("readingLabel", &Home::readingLabel).action("go", &Home::go);
    r.screen<Second>("Second").outlet("answer", &Second::answer).exit("back", &Second::back);
    return r;
}

// A valid two-screen description; each test breaks one thing in it.
std::string fixture(const std::string& homeExtra = "", const std::string& secondControls = "")
{
    return R"({"initial": "Home", "screens": [
      {"class": "Home", "title": "Home", "controls": [
        {"kind": "label", "outlet": "readingLabel", "frame": [0, 0, 100, 40], "text": "hi"},
        {"kind": "image", "name": "bg", "frame": [0, 0, 375, 667], "picture": "bg.jpg"},
        {"kind": "button", "frame": [0, 600, 100, 50], "title": "Go", "actions": ["go"], "push": "Second"})" +
           homeExtra + R"(
      ]},
      {"class": "Second", "controls": [
        {"kind": "switch", "outlet": "answer", "frame": [10, 10, 60, 40], "on": true},
        {"kind": "button", "frame": [0, 0, 60, 44], "title": "Back", "actions": ["back"]})" +
           secondControls + R"(
      ]}
    ]})";
}

class StoryboardTest : public ::testing::Test {
protected:
    StoryboardTest() { folder.write("bg.jpg", "not decoded here"); }

    Storyboard::Loaded load(const std::string& text)
    {
        return Storyboard::parse(text, "fixture.json", registry, pictures);
    }
    std::string error(const std::string& text)
    {
        auto loaded = load(text);
        if (auto* e = std::get_if<LoadError>(&loaded)) {
            return e->message;
        }
        return "(loaded fine)";
    }

    test::ScratchFolder folder;
    Registry registry = testRegistry();
    PictureCatalog pictures{folder.path()};
    Console console;
    Random random{1};
    RunLoop loop{RunLoop::ClockKind::Virtual};
    Services services{loop, console, random, pictures};
};

TEST_F(StoryboardTest, ValidFixtureLoadsAndBindsOutletsActionsAndRoutes)
{
    auto loaded = load(fixture());
    ASSERT_TRUE(std::holds_alternative<Storyboard>(loaded)) << error(fixture());
    const auto& board = std::get<Storyboard>(loaded);
    auto screen = board.instantiate("Home", services);
    auto* home = static_cast<Home*>(screen.get());
    ASSERT_NE(home->readingLabel, nullptr);
    EXPECT_EQ(home->readingLabel->text(), "hi");
    Control* go = home->controlNamed("go");
    ASSERT_NE(go, nullptr);
    home->sendActions(go);
    EXPECT_EQ(home->went, 1);
    EXPECT_EQ(home->slotOf(go)->transition.tapName(), "->Second");
    auto second = board.instantiate("Second", services);
    EXPECT_TRUE(static_cast<Second*>(second.get())->answer->isOn());
}

TEST_F(StoryboardTest, InvalidJsonNamesTheFile)
{
    const auto e = error("{\"initial\": ");
    EXPECT_EQ(e.rfind("fixture.json: not valid JSON", 0), 0u) << e;
}

TEST_F(StoryboardTest, EachUnboundNameIsAnErrorNamingTheEntry)
{
    struct Case {
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases{
        {R"({"initial": "Home", "screens": [{"class": "Nope", "controls": []}]})", "unknown screen class \"Nope\""},
        {fixture(R"(, {"kind": "label", "outlet": "ghostLabel", "frame": [0,0,10,10]})"), "unknown outlet \"ghostLabel\""},
        {fixture(R"(, {"kind": "button", "frame": [0,0,50,50], "actions": ["fly"]})"), "unknown action \"fly\""},
        {fixture(R"(, {"kind": "button", "frame": [0,0,50,50], "push": "Nowhere"})"), "leads to \"Nowhere\""},
        {fixture(R"(, {"kind": "image", "name": "x", "frame": [0,0,10,10], "picture": "missing.png"})"),
         "picture \"missing.png\" not found"},
        {R"({"initial": "Home", "screens": [{"class": "Home", "controls": [
            {"kind": "switch", "outlet": "readingLabel", "frame": [0,0,50,30]}]}]})",
         "is a label, not a switch"},
        {fixture(R"(, {"kind": "label", "name": "bg", "frame": [0,0,10,10]})"), "duplicate control name \"bg\""},
        {fixture(R"(, {"kind": "label", "name": "y", "frame": [0,0,10,10], "colour": "#fff"})"), "key \"colour\""},
        {fixture(R"(, {"kind": "label", "name": "y", "frame": [300,0,100,10]})"), "outside its 375x667 canvas"},
        {fixture(R"(, {"kind": "stepper", "name": "s", "frame": [0,0,94,32], "min": 5, "max": 1})"), "min <= value <= max"},
        {fixture(R"(, {"kind": "gizmo", "frame": [0,0,1,1]})"), "unknown kind \"gizmo\""},
    };
    for (const auto& c : cases) {
        const auto e = error(c.text);
        EXPECT_NE(e.find(c.expected), std::string::npos) << "got: " << e;
        EXPECT_EQ(e.rfind("fixture.json: ", 0), 0u) << e;
        EXPECT_EQ(e.find('\n'), std::string::npos) << "one line: " << e;
    }
}

TEST_F(StoryboardTest, UnconnectedOutletIsAnError)
{
    const std::string text = R"({"initial": "Home", "screens": [{"class": "Home", "controls": []}]})";
    EXPECT_NE(error(text).find("outlet \"readingLabel\" is not connected"), std::string::npos) << error(text);
}

TEST_F(StoryboardTest, ScreenThatCannotBeReachedIsAnError)
{
    auto text = fixture();
    text.replace(text.find(", \"push\": \"Second\""), std::string(", \"push\": \"Second\"").size(), "");
    EXPECT_NE(error(text).find("screen \"Second\": cannot be reached from \"Home\""), std::string::npos)
        << error(text);
}

TEST_F(StoryboardTest, ScreenThatCannotBeLeftIsAnError)
{
    auto text = fixture();
    text.replace(text.find(", \"actions\": [\"back\"]"), std::string(", \"actions\": [\"back\"]").size(), "");
    EXPECT_NE(error(text).find("screen \"Second\": has no control that leaves it"), std::string::npos) << error(text);
    // A declared pop is a way out too.
    text = fixture("", R"(, {"kind": "button", "frame": [0,50,60,44], "title": "Up", "pop": true})");
    text.replace(text.find(", \"actions\": [\"back\"]"), std::string(", \"actions\": [\"back\"]").size(), "");
    EXPECT_EQ(error(text), "(loaded fine)");
}

TEST_F(StoryboardTest, MissingFileSaysSo)
{
    auto loaded = Storyboard::loadFile(folder.path() + "/absent.json", registry, pictures);
    ASSERT_TRUE(std::holds_alternative<LoadError>(loaded));
    EXPECT_NE(std::get<LoadError>(loaded).message.find("absent.json: cannot be read"), std::string::npos);
}

TEST_F(StoryboardTest, ContainerChildrenAreRelativeAndHiddenWithIt)
{
    auto text = fixture("", R"(, {"kind": "view", "name": "box", "frame": [100, 100, 200, 200], "hidden": true,
        "children": [{"kind": "button", "name": "inner", "frame": [10, 10, 50, 50], "pop": true}]})");
    auto loaded = load(text);
    ASSERT_TRUE(std::holds_alternative<Storyboard>(loaded)) << error(text);
    auto screen = std::get<Storyboard>(loaded).instantiate("Second", services);
    Control* inner = screen->controlNamed("inner");
    ASSERT_NE(inner, nullptr);
    EXPECT_FLOAT_EQ(inner->canvasFrame().x, 110);
    EXPECT_TRUE(inner->isEffectivelyHidden());
    // A child must fit inside its container.
    auto outside = fixture("", R"(, {"kind": "view", "name": "box", "frame": [100, 100, 50, 50],
        "children": [{"kind": "label", "name": "wide", "frame": [0, 0, 80, 10]}]})");
    EXPECT_NE(error(outside).find("outside its container"), std::string::npos);
}

TEST_F(StoryboardTest, PathsInPictureNamesAreRejected)
{
    folder.write("bg.jpg", "x");
    auto text = fixture(R"(, {"kind": "image", "name": "sneaky", "frame": [0,0,10,10], "picture": "../bg.jpg"})");
    EXPECT_NE(error(text).find("picture \"../bg.jpg\" not found"), std::string::npos);
}

} // namespace
} // namespace bc
