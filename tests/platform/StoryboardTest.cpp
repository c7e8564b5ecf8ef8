#include "platform/Audio.h"
#include "platform/Console.h"
#include "platform/PictureCatalog.h"
#include "platform/Random.h"
#include "platform/RunLoop.h"
#include "platform/Services.h"
#include "platform/Storyboard.h"
#include "state/Translator.h"
#include "support/Game.h"

#include <gtest/gtest.h>


namespace bc {
namespace {

class Home : public ScreenController {
public:
    void go(Control*) {}
    Label* readingLabel = nullptr;
};
class Second : public ScreenController {
public:
    void back(Control*) {}
    void clear() {}
    Switch* answer = nullptr;
};

Registry testRegistry()
{
    Registry r;
    r.screen<Home>("Home").outlet("readingLabel", &Home::readingLabel).named<ImageView>("bg").action("go", &Home::go);
    r.later([](Registry& g) {
        g.screen<Second>("Second").outlet("answer", &Second::answer).exit("back", &Second::back).action("clear", &Second::clear);
    });
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

    Result<Storyboard> load(const std::string& text)
    {
        return Storyboard::parse(text, "fixture.json", registry, pictures);
    }
    std::string error(const std::string& text)
    {
        auto loaded = load(text);
        return loaded ? "(loaded fine)" : loaded.error().message;
    }

    test::ScratchFolder folder;
    Registry registry = testRegistry();
    PictureCatalog pictures{folder.path()};
};

std::string without(std::string text, const std::string& piece, const std::string& instead = "")
{
    return text.replace(text.find(piece), piece.size(), instead);
}

// The fixture with the home screen's spoken line given as this JSON value.
std::string saying(const std::string& value)
{
    std::string text = fixture();
    return text.insert(text.find(R"("title": "Home")"), R"("say": )" + value + ", ");
}

TEST_F(StoryboardTest, EachFaultIsOneLineNamingTheFileAndTheEntry)
{
    struct Case { std::string text; std::string expected; };
    const std::vector<Case> cases{
        {"{\"initial\": ", "fixture.json: not valid JSON"},
        {R"({"screens": [{"class": "Home", "controls": []}]})", "top level: missing \"initial\""},
        {R"({"initial": "Home", "screens": [{"class": "Nope", "controls": []}]})", "unknown screen class \"Nope\""},
        {R"({"initial": "Home", "screens": [{"class": "N\u001bpe\u007f", "controls": []}]})", "class \"N\\x1bpe\\x7f\""},
        {R"({"initial": "Home", "screens": [{"class": "Home", "controls": []}]})",
         "outlet \"readingLabel\" is not connected"},
        {fixture(R"(, {"kind": "label", "outlet": "ghostLabel", "frame": [0,0,10,10]})"), "unknown outlet \"ghostLabel\""},
        {fixture(R"(, {"kind": "button", "frame": [0,0,50,50], "actions": ["fly"]})"), "unknown action \"fly\""},
        {fixture(R"(, {"kind": "button", "frame": [0,0,50,50], "actions": ["go", 3]})"), "\"actions\" must be an array of names"},
        {fixture(R"(, {"kind": "button", "frame": [0,0,50,50], "push": "Nowhere"})"), "leads to \"Nowhere\""},
        {fixture(R"(, {"kind": "image", "name": "x", "frame": [0,0,10,10], "picture": "missing.png"})"),
         "picture \"missing.png\" not found"},
        {fixture(R"(, {"kind": "label", "name": "wide", "frame": [0,0,376,10]})"), "frame lies outside its 375x667 canvas"},
        {fixture(R"(, {"kind": "label", "name": "flipped", "frame": [100,0,-20,10]})"), "frame lies outside its 375x667 canvas"},
        {fixture(R"(, {"kind": "button", "name": "i", "frame": [0,0,50,50], "icon": "missing.png", "actions": ["go"]})"),
         "picture \"missing.png\" not found"},
        {R"({"initial": "Home", "screens": [{"class": "Home", "controls": [
            {"kind": "switch", "outlet": "readingLabel", "frame": [0,0,50,30]}]}]})",
         "is a label, not a switch"},
        {fixture(R"(, {"kind": "label", "name": "bg", "frame": [0,0,10,10]})"), "duplicate control name \"bg\""},
        {fixture(R"(, {"kind": "label", "name": "y", "frame": [0,0,10,10], "colour": "#fff"})"), "key \"colour\""},
        {fixture(R"(, {"kind": "label", "name": "y", "frame": ["0",0,10,10]})"), "\"frame\" must hold four numbers"},
        {fixture(R"(, {"kind": "label", "name": "y", "frame": [0,0,10]})"), "\"frame\" must be [x, y, width, height]"},
        {fixture("", R"(, {"kind": "view", "name": "box", "frame": [100, 100, 50, 50],
            "children": [{"kind": "label", "name": "wide", "frame": [0, 0, 80, 10]}]})"),
         "outside its container"},
        {fixture(R"(, {"kind": "stepper", "name": "s", "frame": [0,0,94,32], "min": 5, "max": 1})"), "min <= value <= max"},
        {fixture(R"(, {"kind": "label", "name": "y", "frame": [0,0,10,10], "actions": ["go"]})"), "key \"actions\""},
        {fixture(R"(, {"kind": "gizmo", "frame": [0,0,1,1]})"), "control #4: unknown kind \"gizmo\""},
        {fixture("", R"(, {"kind": "switch", "name": "s", "frame": [0,0,60,40], "on": 1})"), "\"on\" must be true or false"},
        {without(fixture(), ", \"push\": \"Second\""), "screen \"Second\": cannot be reached from \"Home\""},
        {without(fixture(), ", \"actions\": [\"back\"]"), "screen \"Second\": has no control that leaves it"},
        {without(fixture(), "[\"back\"]", "[\"clear\"]"), "screen \"Second\": has no control that leaves it"},
        {saying("5"), "screen \"Home\": \"say\" must be a string"},
        {saying(R"("It reads {nothing}.")"), "\"say\" must name a control of this screen in \"{nothing}.\""},
        {saying(R"("It reads {readingLabel")"), "\"say\" must name a control"},
        {without(fixture(), R"({"kind": "image", "name": "bg", "frame": [0, 0, 375, 667], "picture": "bg.jpg"},)"),
         "screen \"Home\": has no control named \"bg\", which its code looks up"},
        {without(fixture(), R"("kind": "image", "name": "bg", "frame": [0, 0, 375, 667], "picture": "bg.jpg")",
                 R"("kind": "label", "name": "bg", "frame": [0, 0, 375, 667])"),
         "control \"bg\" is a label, not the image its code looks up"},
    };
    for (const auto& c : cases) {
        const auto e = error(c.text);
        EXPECT_NE(e.find(c.expected), std::string::npos) << "got: " << e;
        EXPECT_EQ(e.rfind("fixture.json: ", 0), 0u) << e;
        EXPECT_EQ(e.find('\n'), std::string::npos) << "one line: " << e;
        // Read first screen first, the same fault is the same line: at once, or when the rest is read.
        auto first = Storyboard::parse(c.text, "fixture.json", registry, pictures, Storyboard::Loading::InitialFirst);
        const auto late = !first ? first.error().message : first->finishLoading() ? "(loaded fine)" : first->finishLoading().error().message;
        EXPECT_EQ(late, e) << "read first screen first";
    }
    // A declared pop is a way out too.
    const auto popOut = fixture("", R"(, {"kind": "button", "frame": [0,50,60,44], "title": "Up", "pop": true})");
    EXPECT_EQ(error(without(popOut, ", \"actions\": [\"back\"]")), "(loaded fine)");
    EXPECT_EQ(error(saying(R"("It reads {readingLabel}.")")), "(loaded fine)");
}

TEST_F(StoryboardTest, ReadFirstScreenFirstTheRestIsReadWhenFinishedOrWhenFirstAskedFor)
{
    RunLoop loop(RunLoop::ClockKind::Virtual);
    Console console;
    Random random(1);
    AudioRecorder audio;
    const Translator english{};
    Services services{loop, console, random, pictures, audio, english};
    const auto broken = fixture("", R"(, {"kind": "label", "outlet": "ghostLabel", "frame": [0,0,10,10]})");
    // Text the parser refuses after the first screen is found only when the rest is read.
    const auto unreadable = without(fixture(), "\"on\": true", "\"on\": tru");
    for (const auto& [text, secondComes] : {std::pair{fixture(), true}, {broken, false}, {unreadable, false}}) {
        auto board = Storyboard::parse(text, "fixture.json", registry, pictures, Storyboard::Loading::InitialFirst);
        ASSERT_TRUE(board) << board.error().message;
        EXPECT_EQ(board->screens().size(), 1u);
        EXPECT_NE(board->instantiate("Home", services), nullptr);
        EXPECT_FALSE(board->loaded()) << "the first screen needs nothing more";
        EXPECT_EQ(board->instantiate("Second", services) != nullptr, secondComes);
        EXPECT_EQ(board->loaded(), secondComes);
        EXPECT_EQ(board->screens().size(), secondComes ? 2u : 1u) << "a failed rest leaves what was read";
    }
}

} // namespace
} // namespace bc
