#include "web/glue/WebSession.h"

#include <gtest/gtest.h>

#include <string>

namespace bc {
namespace {

using json = WebSession::json;

std::unique_ptr<WebSession> startGame(RunLoop::ClockKind clock = RunLoop::ClockKind::Virtual)
{
    auto started = WebSession::start(BUDDYCARE_RESOURCES, clock);
    if (auto* why = std::get_if<std::string>(&started)) {
        ADD_FAILURE() << *why;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<WebSession>>(started));
}

const json& topScreen(const json& frame) { return frame["screens"].back(); }

const json& controlNamed(const json& screen, const std::string& name)
{
    for (const auto& c : screen["controls"]) {
        if (c["name"] == name) {
            return c;
        }
    }
    static const json none = nullptr;
    ADD_FAILURE() << "no control " << name << " on " << screen["class"];
    return none;
}

std::size_t indexOf(const json& frame, const std::string& name)
{
    return controlNamed(topScreen(frame), name)["i"].get<std::size_t>();
}

std::uint32_t topId(const json& frame) { return frame["top"].get<std::uint32_t>(); }

// Taps the named control of the top screen as the page does, by number.
void tapNamed(WebSession& game, const std::string& name)
{
    const json frame = game.frame();
    auto why = game.tap(topId(frame), indexOf(frame, name));
    ASSERT_FALSE(why.has_value()) << name << ": " << *why;
}

TEST(WebSessionStart, ReportsAMissingResourceFolderAndStartsNothing)
{
    auto started = WebSession::start("/nonexistent/buddycare-resources", RunLoop::ClockKind::Virtual);
    ASSERT_TRUE(std::holds_alternative<std::string>(started));
    EXPECT_NE(std::get<std::string>(started).find("/nonexistent/buddycare-resources"), std::string::npos);
}

TEST(WebSessionFrame, DescribesHomeAsThePageDrawsIt)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    const json frame = game->frame();
    ASSERT_EQ(frame["screens"].size(), 1u);
    const json& home = topScreen(frame);
    EXPECT_EQ(home["class"], "ViewController");
    EXPECT_EQ(home["id"], frame["top"]);
    EXPECT_NE(topId(frame), 0u);
    EXPECT_TRUE(frame["slide"].is_null());
    EXPECT_FALSE(frame["animating"].get<bool>());
    EXPECT_TRUE(frame["bar"]["hidden"].get<bool>());
    EXPECT_FALSE(frame["bar"]["back"].get<bool>());

    const json& reading = controlNamed(home, "cgmReadingLabel");
    EXPECT_EQ(reading["kind"], "label");
    EXPECT_EQ(reading["text"], "150.0");
    EXPECT_EQ(reading["label"], "Buddy's blood sugar");
    EXPECT_EQ(reading["frame"], json::array({34, 112, 152, 50}));
    EXPECT_EQ(reading["style"]["align"], "center");
    EXPECT_TRUE(reading["style"]["bold"].get<bool>());

    const json& background = controlNamed(home, "screenBackground");
    EXPECT_EQ(background["picture"], "sadhomescreen.jpg");
    EXPECT_TRUE(background["style"]["cover"].get<bool>());
    EXPECT_FALSE(controlNamed(home, "coinIcon")["style"]["cover"].get<bool>());

    const json& worn = controlNamed(home, "itemWorn");
    EXPECT_TRUE(worn["hidden"].get<bool>());

    const json& cheat = controlNamed(home, "cheat");
    EXPECT_EQ(cheat["title"], "+50");
    EXPECT_EQ(cheat["icon"], "icon-cheat.png");
    EXPECT_TRUE(cheat["enabled"].get<bool>());
    EXPECT_EQ(cheat["style"]["fill"], "rgba(255,213,74,0.933)");
}

TEST(WebSessionFrame, PlacesControlsInsideContainersOnTheCanvasAndHidesThemWithTheContainer)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    tapNamed(*game, "insulinPlace");
    tapNamed(*game, "continueButtonClicked");
    json screen = topScreen(game->frame());
    ASSERT_EQ(screen["class"], "InsulinExerciseViewController");
    // The container sits at (20, 374); the stepper at (36, 56) inside it.
    EXPECT_EQ(controlNamed(screen, "stepper")["frame"], json::array({56, 430, 94, 44}));
    EXPECT_TRUE(controlNamed(screen, "containerView")["hidden"].get<bool>());
    EXPECT_TRUE(controlNamed(screen, "stepper")["hidden"].get<bool>());

    tapNamed(*game, "eSwitch");
    screen = topScreen(game->frame());
    EXPECT_TRUE(controlNamed(screen, "eSwitch")["on"].get<bool>());
    EXPECT_FALSE(controlNamed(screen, "stepper")["hidden"].get<bool>());
    EXPECT_EQ(controlNamed(screen, "stepper")["value"], 1.0);
    EXPECT_EQ(controlNamed(screen, "stepper")["max"], 4.0);
}

TEST(WebSessionInput, TapsRunTheControlsActionsAndTransitions)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    tapNamed(*game, "cheat");
    EXPECT_EQ(controlNamed(topScreen(game->frame()), "coinsLabel")["text"], "50");
    EXPECT_EQ(game->state()["coins"], 50);

    tapNamed(*game, "buddyPlace");
    const json frame = game->frame();
    EXPECT_EQ(topScreen(frame)["class"], "BuddyCentralViewController");
    EXPECT_EQ(frame["depth"], 2);
}

TEST(WebSessionInput, RefusesTapsMeantForAScreenThatIsNoLongerOnTop)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    const json home = game->frame();
    const std::size_t cheat = indexOf(home, "cheat");
    tapNamed(*game, "buddyPlace");
    auto why = game->tap(topId(home), cheat);
    ASSERT_TRUE(why.has_value());
    EXPECT_NE(why->find("not on top"), std::string::npos);
    EXPECT_EQ(game->state()["coins"], 0);

    const json buddy = game->frame();
    EXPECT_TRUE(game->tap(topId(buddy), 999).has_value());
    EXPECT_TRUE(game->tap(0, 0).has_value());
}

TEST(WebSessionInput, RefusesHiddenAndDisabledControlsAsTheWindowDoes)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    tapNamed(*game, "buddyPlace");
    tapNamed(*game, "shopButton");
    tapNamed(*game, "buyButton");
    const json frame = game->frame();
    ASSERT_FALSE(controlNamed(topScreen(frame), "buyButton")["enabled"].get<bool>());
    auto why = game->tap(topId(frame), indexOf(frame, "buyButton"));
    ASSERT_TRUE(why.has_value());
    EXPECT_NE(why->find("disabled"), std::string::npos);
}

TEST(WebSessionInput, StepsAStepperEitherWayAndATapStepsItUp)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    tapNamed(*game, "settingsPlace");
    tapNamed(*game, "lockButton");
    json frame = game->frame();
    const std::size_t carb = indexOf(frame, "carbStepper");
    ASSERT_FALSE(game->step(topId(frame), carb, false).has_value());
    EXPECT_EQ(controlNamed(topScreen(game->frame()), "carbLabel")["text"], "14");
    frame = game->frame();
    ASSERT_FALSE(game->tap(topId(frame), carb).has_value());
    EXPECT_EQ(controlNamed(topScreen(game->frame()), "carbLabel")["text"], "15");
    EXPECT_EQ(game->state()["carbRatio"], 15);
    frame = game->frame();
    EXPECT_TRUE(game->step(topId(frame), indexOf(frame, "carbLabel"), true).has_value());
}

TEST(WebSessionInput, TheBarsBackIsRefusedWhereThereIsNoWayBack)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    auto why = game->navBack();
    ASSERT_TRUE(why.has_value());
    EXPECT_NE(why->find("nothing to go back to"), std::string::npos);
}

TEST(WebSessionScreens, EveryNewScreenGetsANewNumberEvenOfTheSameClass)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    const std::uint32_t home = topId(game->frame());
    tapNamed(*game, "buddyPlace");
    const std::uint32_t first = topId(game->frame());
    tapNamed(*game, "homeButtonPressed");
    EXPECT_EQ(topId(game->frame()), home);
    tapNamed(*game, "buddyPlace");
    const std::uint32_t second = topId(game->frame());
    EXPECT_NE(first, home);
    EXPECT_NE(second, home);
    EXPECT_NE(second, first);
    EXPECT_EQ(game->idOf(game->app().top()), second);
}

TEST(WebSessionTimers, TheDeliveryMovesOnWhenItsTimerIsDue)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    tapNamed(*game, "insulinPlace");
    tapNamed(*game, "continueButtonClicked");
    tapNamed(*game, "continueButtonPressed");
    tapNamed(*game, "->InsulinGivingViewController");
    game->frame();
    auto wake = game->secondsToNextWake();
    ASSERT_TRUE(wake.has_value());
    EXPECT_DOUBLE_EQ(*wake, 2.0);
    EXPECT_FALSE(game->tick());
    EXPECT_EQ(topScreen(game->frame())["class"], "InsulinGivingViewController");

    game->app().runLoop().advance(2.0);
    EXPECT_TRUE(game->tick());
    const json frame = game->frame();
    EXPECT_EQ(topScreen(frame)["class"], "InsulinCompleteViewController");
    EXPECT_EQ(controlNamed(topScreen(frame), "coinsLabel")["text"], "5");
    EXPECT_FALSE(game->secondsToNextWake().has_value());
}

TEST(WebSessionAnimation, APushSlidesBothScreensAndRefusesTapsUntilItEnds)
{
    auto game = startGame(RunLoop::ClockKind::Real);
    ASSERT_TRUE(game);
    // Home hides the bar as it appears; let that finish first.
    game->app().navigation().tick(true);
    json frame = game->frame();
    const std::uint32_t home = topId(frame);
    ASSERT_FALSE(game->tap(home, indexOf(frame, "buddyPlace")).has_value());

    // The slide lasts until a tick sees its time is up, so nothing here races it.
    frame = game->frame();
    ASSERT_TRUE(frame["animating"].get<bool>());
    ASSERT_EQ(frame["screens"].size(), 2u);
    EXPECT_EQ(frame["screens"][0]["id"], home);
    EXPECT_EQ(frame["screens"][1]["class"], "BuddyCentralViewController");
    EXPECT_TRUE(frame["slide"]["push"].get<bool>());
    EXPECT_EQ(frame["slide"]["from"], home);
    EXPECT_EQ(frame["slide"]["to"], frame["top"]);
    EXPECT_DOUBLE_EQ(frame["slide"]["duration"].get<double>(), NavigationController::kSlideSeconds);
    auto wake = game->secondsToNextWake();
    ASSERT_TRUE(wake.has_value());
    EXPECT_LE(*wake, NavigationController::kSlideSeconds);

    auto why = game->tap(topId(frame), indexOf(frame, "homeButtonPressed"));
    ASSERT_TRUE(why.has_value());
    EXPECT_NE(why->find("moving"), std::string::npos);
    EXPECT_TRUE(game->navBack().has_value());

    game->app().navigation().tick(true);
    EXPECT_TRUE(game->tick());
    frame = game->frame();
    EXPECT_FALSE(frame["animating"].get<bool>());
    ASSERT_EQ(frame["screens"].size(), 1u);
    EXPECT_FALSE(game->tap(topId(frame), indexOf(frame, "homeButtonPressed")).has_value());

    // A pop slides the other way, the arriving screen under the leaving one.
    frame = game->frame();
    ASSERT_TRUE(frame["slide"].is_object());
    EXPECT_FALSE(frame["slide"]["push"].get<bool>());
    EXPECT_EQ(frame["screens"][0]["id"], home);
    EXPECT_EQ(frame["slide"]["to"], home);
}

TEST(WebSessionTicks, AskForANewFrameOnlyWhenSomethingChanged)
{
    auto game = startGame();
    ASSERT_TRUE(game);
    game->frame();
    EXPECT_FALSE(game->tick());
    tapNamed(*game, "cheat");
    EXPECT_TRUE(game->tick());
    game->frame();
    EXPECT_FALSE(game->tick());
}

} // namespace
} // namespace bc
