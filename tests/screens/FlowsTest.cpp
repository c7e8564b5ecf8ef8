#include "platform/ScreenController.h"
#include "screens/insulin/InsulinExerciseViewController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <cmath>

namespace bc {
namespace {

using test::Game;

TEST(Flow, BolusFromAFreshStartToTheRewardAndHome)
{
    Game game;
    game.reach("InsulinFoodViewController");
    EXPECT_EQ(game.text("carbsLabel"), "Include the 25 carbs you ate?");
    game.play({"toggle yesSwitch"});
    EXPECT_EQ(game.text("yesNoLabel"), "No");
    game.play({"toggle yesSwitch", "tap continueButtonClicked"});
    EXPECT_EQ(game.text("hourLabel"), "1");
    EXPECT_EQ(game.text("hoursUnit"), "hour");
    EXPECT_TRUE(game.hidden("containerView"));
    game.play({"toggle eSwitch", "step stepper up"});
    EXPECT_FALSE(game.hidden("containerView"));
    EXPECT_EQ(game.text("hourLabel"), "2");
    EXPECT_EQ(game.text("hoursUnit"), "hours");
    auto* exercise = dynamic_cast<InsulinExerciseViewController*>(game.app().top());
    ASSERT_NE(exercise, nullptr);
    exercise->stepper->setValue(6);
    exercise->updateUI();
    EXPECT_EQ(game.text("hourLabel"), "4");
    EXPECT_EQ(exercise->stepper->value(), 4.0);
    game.play({"tap continueButtonPressed"});
    EXPECT_TRUE(game.state().aboutToExercise());
    EXPECT_EQ(game.state().bolusTarget(), 25.0f / 15.0f);
    EXPECT_EQ(game.text("suggestedBolusLabel"), "2");
    EXPECT_EQ(game.text("doseUnit"), "units of insulin");
    EXPECT_EQ(game.text("reasonsLabel"), "Because you ate 25 carbs\n\nYou're about to exercise");
    game.play({"tap ->InsulinGivingViewController"});
    EXPECT_EQ(game.text("givingDoseLabel"), "2");
    EXPECT_TRUE(game.hidden("doneButton"));
    game.play({"wait 1.9"});
    EXPECT_EQ(game.screen(), "InsulinGivingViewController");
    game.play({"wait 0.1"});
    EXPECT_EQ(game.logs(), (std::vector<std::string>{"25.000000", "Hello"}));
    EXPECT_EQ(game.screen(), "InsulinCompleteViewController");
    EXPECT_EQ(game.text("coinsLabel"), "5");
    EXPECT_EQ(game.text("doseGivenLabel"), "2");
    EXPECT_EQ(game.text("doseUnit"), "units of insulin given");
    EXPECT_EQ(game.text("reasonsLabel"), "Because you ate 25 carbs\n\nYou're about to exercise");
    game.play({"tap done"});
    EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"});
    EXPECT_EQ(game.text("coinsLabel"), "5");
    EXPECT_EQ(game.state().carbsNotAddressed(), 0.0f);
    EXPECT_EQ(game.state().bolusTarget(), 0.0f);
    EXPECT_FALSE(game.state().aboutToExercise());
    game.reach("InsulinFoodViewController");
    EXPECT_TRUE(game.hidden("carbsLabel") && game.hidden("yesSwitch") && game.hidden("yesNoLabel") && game.hidden("mealNote"));
}

TEST(Flow, LeavingTheExerciseQuestionWithdrawsAYes)
{
    for (const char* exit : {"tap backButtonPressed", "tap homeButtonPressed"}) {
        Game game;
        game.play({"set aboutToExercise true"});
        game.reach("InsulinExerciseViewController");
        game.play({exit});
        EXPECT_FALSE(game.state().aboutToExercise()) << exit;
    }
}

TEST(Flow, CompleteBackAndHomeGoHomeKeepingTheDose)
{
    for (const char* exit : {"tap backButtonPressed", "tap homeButtonPressed"}) {
        Game game;
        game.reach("InsulinCompleteViewController");
        game.play({exit});
        EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"});
        EXPECT_EQ(game.state().carbsNotAddressed(), 25.0f);
        EXPECT_EQ(game.state().coins(), 5.0f);
    }
}

TEST(Flow, AStoppedDoseShowsWhatWentInAndDoneClearsIt)
{
    Game game;
    game.reach("InsulinStoppedViewController");
    EXPECT_EQ(game.state().bolusJustGiven(), 25.0f / 15.0f * 0.5f);
    EXPECT_EQ(game.state().bolusGiven(), game.state().bolusTarget());
    EXPECT_EQ(game.text("partialDoseLabel"), "1");
    EXPECT_EQ(game.text("doseUnit"), "unit of insulin went in");
    game.play({"wait 3"});
    EXPECT_EQ(game.screen(), "InsulinStoppedViewController") << "a late timer pushes nothing";
    game.play({"set coins 12", "tap doneButtonPressed"});
    EXPECT_EQ(game.stack(), std::vector<std::string>{"ViewController"});
    for (float amount : {game.state().carbsNotAddressed(), game.state().bolusJustGiven(), game.state().bolusGiven(),
                         game.state().carbsMostRecentMeal(), game.state().carbsFromCounter(),
                         game.state().bolusTarget()}) {
        EXPECT_EQ(amount, 0.0f);
    }
    EXPECT_EQ(game.state().coins(), 12.0f);
    EXPECT_TRUE(game.state().includeMostRecentMeal());

    for (const char* exit : {"tap backButtonPressed", "tap homeButtonPressed"}) {
        Game kept;
        kept.reach("InsulinStoppedViewController");
        kept.play({"set bolusJustGiven 2"});
        kept.app().top()->viewWillAppear(false);
        EXPECT_EQ(kept.text("partialDoseLabel"), "2");
        EXPECT_EQ(kept.text("doseUnit"), "units of insulin went in");
        kept.play({exit});
        EXPECT_EQ(kept.stack(), std::vector<std::string>{"ViewController"});
        EXPECT_EQ(kept.state().bolusJustGiven(), 2.0f);
    }
}

TEST(Flow, CarbCounterSideTripAddsItsPortionToTheMeal)
{
    Game game;
    game.play({"set carbsMostRecentMeal 1"});
    game.reach("CarbCounterAddViewController");
    EXPECT_TRUE(game.state().fromInsulinScreen());
    game.play({"tap addButtonPressed", "tap addButtonPressed", "tap done"});
    EXPECT_EQ(game.screen(), "InsulinFoodViewController");
    EXPECT_EQ(game.state().carbsFromCounter(), 50.0f);
    EXPECT_EQ(game.text("carbCounterLabel"), "Including 50g of carbs you're eating");
    EXPECT_EQ(game.text("carbsLabel"), "Include the 1 carb you ate?");
    game.play({"tap continueButtonClicked", "tap continueButtonPressed"});
    EXPECT_EQ(game.logs().back(), "51.000000");
    EXPECT_FALSE(game.state().fromInsulinScreen());
    EXPECT_EQ(game.text("reasonsLabel"), "Because you ate 51 carbs\n");

    // Back from the counter's first screen or home from either ends the visit; the grams stay.
    const struct {
        const char* screen;
        const char* exit;
        const char* landsOn;
    } exits[] = {{"CarbCounterMainViewController", "tap backButtonPressed", "InsulinFoodViewController"},
                 {"CarbCounterMainViewController", "tap homeButtonPressed", "ViewController"},
                 {"CarbCounterAddViewController", "tap homeButtonPressed", "ViewController"}};
    for (const auto& e : exits) {
        Game trip;
        trip.reach(e.screen);
        trip.play({"set carbsFromCounter 50", e.exit});
        EXPECT_EQ(trip.screen(), e.landsOn);
        EXPECT_FALSE(trip.state().fromInsulinScreen()) << e.screen << " " << e.exit;
        EXPECT_EQ(trip.state().carbsFromCounter(), 50.0f);
    }
    Game stillOpen;
    stillOpen.reach("CarbCounterAddViewController");
    stillOpen.play({"tap backButtonPressed"});
    EXPECT_TRUE(stillOpen.state().fromInsulinScreen());
}

TEST(Flow, FingerStickGoodAndBad)
{
    const struct {
        const char* button;
        float lowest, highest, pay;
    } checks[] = {{"goodButtonPressed", 70, 99, 5}, {"badButtonPressed", 120, 149, 0}};
    for (const auto& c : checks) {
        Game game;
        game.play({"set coins 1"});
        game.reach("BloodSugarCheckInProgressViewController");
        game.play({std::string("tap ") + c.button});
        const float reading = game.state().bloodSugarLevel();
        EXPECT_GE(reading, c.lowest);
        EXPECT_LE(reading, c.highest);
        EXPECT_EQ(reading, std::trunc(reading));
        EXPECT_EQ(game.state().coins(), 1 + c.pay);
        EXPECT_EQ(game.text("bloodSugarLabel"), std::to_string(static_cast<int>(reading)) + ".0");
        game.play({"tap homeButtonPressed"});
        EXPECT_EQ(game.text("cgmReadingLabel"), std::to_string(static_cast<int>(reading)) + ".0");
    }
    Game game;
    game.play({"set bloodSugarLevel 83.5"});
    game.reach("BloodSugarViewController");
    EXPECT_EQ(game.text("bloodSugarLabel"), "84");
    game.play({"tap homeButtonPressed"});
    game.reach("GoodResultsViewController");
    game.play({"tap ->BloodSugarResultsViewController", "tap <-pop"});
    EXPECT_EQ(game.screen(), "GoodResultsViewController");
    EXPECT_FALSE(game.barHidden()) << "the stack's own bar comes back";
    EXPECT_EQ(game.state().coins(), 5.0f) << "coming back pays nothing more";
    game.play({"tap navBack"});
    EXPECT_EQ(game.screen(), "BloodSugarCheckInProgressViewController");
    EXPECT_TRUE(game.barHidden()) << "the meter hides it again";
}

TEST(Flow, ShopAndCloset)
{
    Game game;
    game.reach("ClosetViewController");
    EXPECT_EQ(game.picture("screenBackground"), "emptycloset.jpg");
    EXPECT_FALSE(game.control("itemButton")["enabled"]);
    game.play({"tap backButtonPressed", "set coins 195", "tap shopButton"});
    EXPECT_EQ(game.picture("screenBackground"), "buybowtie.jpg");
    EXPECT_FALSE(game.control("closetButton")["enabled"]);
    game.play({"tap buyButton", "set coins 300"});
    EXPECT_EQ(game.picture("screenBackground"), "cannotbuybowtie.jpg");
    EXPECT_FALSE(game.control("buyButton")["enabled"]);
    EXPECT_FALSE(game.control("closetButton")["enabled"]);
    EXPECT_EQ(game.text("coinsNeededLabel"), "You need 5 more coins");
    EXPECT_TRUE(game.state().items().empty());
    game.play({"tap backButtonPressed", "tap shopButton", "tap buyButton"});
    EXPECT_EQ(game.picture("screenBackground"), "boughtbowtie.jpg");
    EXPECT_EQ(game.text("coinsLabel"), "100");
    EXPECT_FALSE(game.control("buyButton")["enabled"]);
    game.play({"tap closetButton"});
    EXPECT_EQ(game.picture("screenBackground"), "closet.jpg");
    game.play({"set coins 7", "tap itemButton", "tap wearButton"});
    EXPECT_EQ(game.text("coinsLabel"), "7");
    EXPECT_FALSE(game.hidden("wornPicture") || game.hidden("wornLine"));
    game.play({"tap wearButton", "tap homeButtonPressed"});
    EXPECT_EQ(game.state().wearing().size(), 2u);
    EXPECT_FALSE(game.hidden("itemWorn"));
}

TEST(Flow, SettingsBehindTheLock)
{
    Game game;
    game.reach("SettingsMainViewController");
    EXPECT_EQ(game.text("carbLabel"), "15");
    EXPECT_EQ(game.text("basalLabel"), "1.5");
    EXPECT_TRUE(game.hidden("carbStepper") && game.hidden("basalRateStepper"));
    game.play({"tap lockButton"});
    EXPECT_EQ(game.control("lockButton")["title"], "Lock");
    EXPECT_FALSE(game.hidden("carbStepper") || game.hidden("basalRateStepper"));
    game.play({"step carbStepper up", "step basalRateStepper down", "step basalRateStepper down"});
    EXPECT_EQ(game.state().carbRatio(), 16.0f);
    EXPECT_EQ(game.state().basalRate(), 13.0f);
    EXPECT_EQ(game.text("carbLabel"), "16");
    EXPECT_EQ(game.text("basalLabel"), "1.3");
    EXPECT_EQ(game.logs(), (std::vector<std::string>{"14.0", "14.0", "13.0", "13.0"}));
    game.play({"set carbRatio 40", "tap homeButtonPressed", "tap settingsPlace"});
    EXPECT_EQ(game.text("carbLabel"), "40");
    EXPECT_FALSE(game.state().settingsLocked());
    EXPECT_EQ(game.control("lockButton")["title"], "Unlock") << "a new screen starts from its layout";
    game.play({"tap lockButton"});
    EXPECT_EQ(game.control("lockButton")["title"], "Unlock");
    EXPECT_TRUE(game.state().settingsLocked());
    EXPECT_TRUE(game.hidden("carbStepper"));
}

} // namespace
} // namespace bc
