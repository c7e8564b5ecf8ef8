#include "web/glue/WebSession.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace bc {
namespace {

using json = WebSession::json;

std::unique_ptr<WebSession> startGame(RunLoop::ClockKind clock = RunLoop::ClockKind::Virtual)
{
    auto started = WebSession::start(BUDDYCARE_RESOURCES, clock);
    if (!started) {
        ADD_FAILURE() << started.error().message;
        std::abort();
    }
    return std::move(*started);
}

const json& topScreen(const json& frame) { return frame["screens"].back(); }

const json& controlNamed(const json& screen, const std::string& name)
{
    for (const auto& c : screen["controls"]) {
        if (c["name"] == name) {
            return c;
        }
    }
    throw std::runtime_error("no control " + name);
}

std::size_t indexOf(const json& frame, const std::string& name) { return controlNamed(topScreen(frame), name)["i"]; }

std::uint32_t topId(const json& frame) { return frame["top"].get<std::uint32_t>(); }

// Taps the named control of the top screen as the page does, by number.
void tapNamed(WebSession& game, const std::string& name)
{
    const json frame = game.frame();
    auto done = game.tap(topId(frame), indexOf(frame, name));
    ASSERT_TRUE(done) << name << ": " << done.error().message;
}

TEST(WebSessionStart, ReportsAMissingResourceFolderAndStartsNothing)
{
    auto started = WebSession::start("/nonexistent/buddycare-resources", RunLoop::ClockKind::Virtual);
    ASSERT_FALSE(started);
    EXPECT_NE(started.error().message.find("/nonexistent/buddycare-resources"), std::string::npos);
}

TEST(WebSessionFrame, DescribesEachControlWhereTheCanvasHasItAndHidesTheContentsOfHiddenContainers)
{
    auto game = startGame();
    json frame = game->frame();
    EXPECT_EQ(topScreen(frame)["id"], frame["top"]);
    EXPECT_TRUE(frame["bar"]["hidden"].get<bool>());
    const json& home = topScreen(frame);
    // name, field, value
    const std::tuple<const char*, const char*, json> rows[] = {
        {"cgmReadingLabel", "text", "150.0"},           {"cgmReadingLabel", "label", "Buddy's blood sugar"},
        {"cgmReadingLabel", "frame", {34, 112, 152, 50}}, {"screenBackground", "picture", "sadhomescreen.jpg"},
        {"itemWorn", "hidden", true},                   {"cheat", "title", "+50"},
        {"cheat", "icon", "icon-cheat.png"},            {"cheat", "enabled", true},
    };
    for (const auto& [name, field, value] : rows) {
        EXPECT_EQ(controlNamed(home, name)[field], value) << name << "." << field;
    }
    tapNamed(*game, "insulinPlace");
    tapNamed(*game, "continueButtonClicked");
    json screen = topScreen(game->frame());
    // The container sits at (20, 374); the stepper at (36, 56) inside it.
    EXPECT_EQ(controlNamed(screen, "stepper")["frame"], json::array({56, 430, 94, 44}));
    EXPECT_TRUE(controlNamed(screen, "stepper")["hidden"].get<bool>());
    tapNamed(*game, "eSwitch");
    screen = topScreen(game->frame());
    EXPECT_TRUE(controlNamed(screen, "eSwitch")["on"].get<bool>());
    EXPECT_FALSE(controlNamed(screen, "stepper")["hidden"].get<bool>());
    EXPECT_EQ(controlNamed(screen, "stepper")["value"], 1.0);
}

TEST(WebSessionInput, RefusesWhatTheWindowRefusesAndSaysWhy)
{
    struct Row {
        std::vector<std::string> before;
        std::function<Result<void>(WebSession&, const json& home, const json& now)> input;
        const char* why;
    };
    const Row rows[] = {
        {{"buddyPlace"}, [](WebSession& g, const json& home, const json&) { return g.tap(topId(home), indexOf(home, "cheat")); }, "not on top"},
        {{"buddyPlace"}, [](WebSession& g, const json&, const json& now) { return g.tap(topId(now), 999); }, "no control #999"},
        {{}, [](WebSession& g, const json&, const json&) { return g.tap(0, 0); }, "not on top"},
        {{"buddyPlace", "shopButton", "buyButton"},
         [](WebSession& g, const json&, const json& now) { return g.tap(topId(now), indexOf(now, "buyButton")); }, "disabled"},
        {{"settingsPlace", "lockButton"},
         [](WebSession& g, const json&, const json& now) { return g.step(topId(now), indexOf(now, "carbLabel"), true); }, ""},
        {{}, [](WebSession& g, const json&, const json&) { return g.navBack(); }, "nothing to go back to"},
    };
    for (const Row& row : rows) {
        auto game = startGame();
        const json home = game->frame();
        for (const auto& name : row.before) {
            tapNamed(*game, name);
        }
        const json coinsBefore = game->state()["coins"];
        const auto refused = row.input(*game, home, game->frame());
        ASSERT_FALSE(refused) << row.why;
        EXPECT_NE(refused.error().message.find(row.why), std::string::npos) << refused.error().message;
        EXPECT_EQ(game->state()["coins"], coinsBefore);
    }
}

// The page's storage hears of the kept game only while remembering is on:
// written at each change, removed when switched off, set aside when damaged.
TEST(WebSessionProgress, ThePagesEntryIsWrittenOnlyWhileRememberingIsOn)
{
    auto fresh = startGame();
    tapNamed(*fresh, "cheat");
    EXPECT_EQ(fresh->takeProgress(), json::array()) << "nothing while off";
    for (const char* name : {"settingsPlace", "lockButton", "rememberSwitch", "homeButtonPressed", "cheat"}) {
        tapNamed(*fresh, name);
    }
    const json changes = fresh->takeProgress();
    ASSERT_FALSE(changes.empty());
    const std::string kept = changes.back()["put"];
    EXPECT_EQ(json::parse(kept)["coins"], 100);

    auto next = WebSession::start(BUDDYCARE_RESOURCES, RunLoop::ClockKind::Virtual, {}, nullptr, kept);
    ASSERT_TRUE(next);
    EXPECT_EQ((*next)->state()["coins"], 100);
    EXPECT_EQ(controlNamed(topScreen((*next)->frame()), "coinsLabel")["text"], "100");
    for (const char* name : {"settingsPlace", "lockButton", "rememberSwitch"}) {
        tapNamed(**next, name);
    }
    EXPECT_EQ((*next)->takeProgress(), json::parse(R"([{"remove":true}])"));

    auto damaged = WebSession::start(BUDDYCARE_RESOURCES, RunLoop::ClockKind::Virtual, {}, nullptr, "{\"version\":7}");
    ASSERT_TRUE(damaged);
    EXPECT_EQ((*damaged)->takeProgress(), json::parse(R"([{"aside":true}])"));
    EXPECT_EQ((*damaged)->state()["coins"], 0);
}

TEST(WebSessionInput, APointerTapsByTheWindowsRulesAndAPressDraggedOffLooksUnpressed)
{
    auto game = startGame();
    const auto pressed = [&] { return controlNamed(topScreen(game->frame()), "cheat")["pressed"].get<bool>(); };
    const json home = topScreen(game->frame());
    const json& cheat = controlNamed(home, "cheat");
    const float x = cheat["frame"][0].get<float>() + cheat["frame"][2].get<float>() / 2;
    const float y = cheat["frame"][1].get<float>() + cheat["frame"][3].get<float>() / 2;
    // As the page numbers them: 0 down, 1 moved, 2 up; anything else is nothing.
    game->pointer(0, x, y);
    game->pointer(7, x, y + 200);
    EXPECT_TRUE(pressed());
    game->pointer(1, x, y + 200);
    EXPECT_FALSE(pressed()) << "dragged off";
    game->pointer(1, x, y);
    EXPECT_TRUE(pressed()) << "and back on";
    game->pointer(2, x, y);
    EXPECT_EQ(game->state()["coins"], 50);
    EXPECT_FALSE(pressed());
}

TEST(WebSessionScreens, EveryNewScreenGetsANewNumberEvenOfTheSameClass)
{
    auto game = startGame();
    std::vector<std::uint32_t> ids{topId(game->frame())};
    for (const char* name : {"buddyPlace", "homeButtonPressed", "buddyPlace"}) {
        tapNamed(*game, name);
        ids.push_back(topId(game->frame()));
    }
    EXPECT_EQ(ids[2], ids[0]);
    EXPECT_EQ(std::set<std::uint32_t>({ids[0], ids[1], ids[3]}).size(), 3u);
}

// The page plays what the game heard; a control the keyboard reaches says its
// name, and focus reported for a screen no longer on top says nothing.
TEST(WebSessionAudio, HeardIsTakenOnceAndFocusSpeaksTheControlsName)
{
    auto game = startGame();
    game->heard();
    const auto home = topId(game->frame());
    tapNamed(*game, "cheat");
    game->focused(home, "cheat");
    game->focused(home + 1, "cheat");
    EXPECT_EQ(game->heard(), json::parse(R"({"heard": [{"sound": "tap"}, {"sound": "coin"}, {"say": "Get 50 coins"}]})"));
    EXPECT_EQ(game->heard(), json::parse(R"({"heard": []})"));
    // Return on the focused control taps it, as in the window; a key the page does not number is nothing.
    game->key(2);
    game->key(9);
    EXPECT_EQ(game->state()["coins"], 100);
}

TEST(WebSessionTimers, TheDeliveryMovesOnWhenItsTimerIsDueAndOnlyThenAsksForAFrame)
{
    auto game = startGame();
    for (const char* name :
         {"insulinPlace", "continueButtonClicked", "continueButtonPressed", "->InsulinGivingViewController"}) {
        tapNamed(*game, name);
    }
    game->frame();
    EXPECT_EQ(game->secondsToNextWake(), 2.0);
    EXPECT_FALSE(game->tick());
    game->app().runLoop().advance(2.0);
    EXPECT_TRUE(game->tick());
    EXPECT_EQ(topScreen(game->frame())["class"], "InsulinCompleteViewController");
    EXPECT_FALSE(game->tick());
    EXPECT_FALSE(game->secondsToNextWake().has_value());
}

TEST(WebSessionAnimation, ASlideShowsBothScreensTheArrivingOneOverOnAPushUnderOnAPopAndRefusesInput)
{
    auto game = startGame(RunLoop::ClockKind::Real);
    game->app().navigation().tick(true); // home hides the bar as it appears
    json frame = game->frame();
    const std::uint32_t home = topId(frame);
    for (const std::string name : {"buddyPlace", "homeButtonPressed"}) {
        ASSERT_TRUE(game->tap(topId(frame), indexOf(frame, name)));
        // The slide lasts until a tick sees its time is up, so nothing here races it.
        frame = game->frame();
        ASSERT_TRUE(frame["animating"].get<bool>());
        ASSERT_EQ(frame["screens"].size(), 2u);
        const bool push = frame["slide"]["push"].get<bool>();
        EXPECT_EQ(push, name == "buddyPlace");
        EXPECT_EQ(frame["screens"][0]["id"], home);
        EXPECT_EQ(frame["slide"][push ? "from" : "to"], home);
        EXPECT_LE(game->secondsToNextWake().value_or(99), NavigationController::kSlideSeconds);
        const auto refused = game->tap(topId(frame), 0);
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.error().message.find("moving"), std::string::npos);
        EXPECT_FALSE(game->navBack());
        game->app().navigation().tick(true);
        EXPECT_TRUE(game->tick());
        frame = game->frame();
        EXPECT_EQ(frame["screens"].size(), 1u);
    }
}

} // namespace
} // namespace bc
