#include "platform/ScreenController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace bc {
namespace {

using test::Game;

// What was heard since the last "heard": sounds by name, spoken lines in quotes.
std::vector<std::string> heardSince(Game& game)
{
    std::vector<std::string> heard;
    const auto answer = game.run("heard");
    for (const auto& h : answer["heard"]) {
        heard.push_back(h.contains("sound") ? h["sound"].get<std::string>() : '"' + h["say"].get<std::string>() + '"');
    }
    return heard;
}

TEST(Flow, BolusFromAFreshStartToTheRewardAndHome)
{
    // The counts, the dose and its reasons on each screen are the bolus transcripts'; here, what they leave out.
    Game game;
    game.reach("InsulinFoodViewController");
    EXPECT_EQ(game.text("carbsLabel"), "Include the 25 carbs you ate?");
    game.play({"toggle yesSwitch"});
    EXPECT_EQ(game.text("yesNoLabel"), "No");
    game.play({"toggle yesSwitch", "tap continueButtonClicked", "toggle eSwitch", "tap continueButtonPressed",
               "tap ->InsulinGivingViewController"});
    EXPECT_EQ(game.text("givingDoseLabel"), "2");
    EXPECT_TRUE(game.hidden("doneButton"));
    game.play({"wait 2"});
    EXPECT_EQ(game.text("reasonsLabel"), "Because you ate 25 carbs\n\nYou're about to exercise");
    game.play({"tap done"});
    game.reach("InsulinFoodViewController");
    EXPECT_TRUE(game.hidden("carbsLabel") && game.hidden("yesSwitch") && game.hidden("yesNoLabel") && game.hidden("mealNote"));
}

TEST(Flow, AStoppedDoseShowsWhatWentInAndStaysStopped)
{
    Game game;
    game.reach("InsulinStoppedViewController");
    EXPECT_EQ(game.text("partialDoseLabel"), "1");
    EXPECT_EQ(game.text("doseUnit"), "unit of insulin went in");
    game.play({"wait 3"});
    EXPECT_EQ(game.screen(), "InsulinStoppedViewController") << "a late timer pushes nothing";
}

TEST(Flow, CarbCounterSideTripAddsItsPortionToTheMeal)
{
    Game game;
    game.play({"set carbsMostRecentMeal 1"});
    game.reach("CarbCounterAddViewController");
    game.play({"tap done"});
    EXPECT_EQ(game.text("carbCounterLabel"), "Eating now? Count the carbs.") << "done without adding counts nothing";
    game.play({"tap carbCounterButtonPressed", "tap ->CarbCounterAddViewController", "tap addButtonPressed",
               "tap addButtonPressed", "tap done"});
    EXPECT_EQ(game.screen(), "InsulinFoodViewController");
    EXPECT_EQ(game.text("carbCounterLabel"), "Including 50g of carbs you're eating");
    EXPECT_EQ(game.text("carbsLabel"), "Include the 1 carb you ate?");
    game.play({"tap continueButtonClicked", "tap continueButtonPressed"});
    EXPECT_EQ(game.text("reasonsLabel"), "Because you ate 51 carbs\n");
}

TEST(Flow, FingerStickGoodAndBad)
{
    // The draws' ranges are the rules' own; what a check pays and where its reading shows, the transcripts'.
    const struct { const char* button; const char* sound; } checks[] = {
        {"goodButtonPressed", "check-good"}, {"badButtonPressed", "check-bad"}};
    for (const auto& c : checks) {
        Game game;
        game.reach("BloodSugarCheckInProgressViewController");
        game.play({"heard", std::string("tap ") + c.button});
        const auto heard = game.run("heard")["heard"];
        EXPECT_EQ(std::ranges::count(heard, nlohmann::json{{"sound", c.sound}}), 1) << c.button;
    }
    Game game;
    game.play({"set bloodSugarLevel 83.5"});
    game.reach("BloodSugarViewController");
    EXPECT_EQ(game.text("bloodSugarLabel"), "84");
}

// Buying itself, its refusal and its price are the shop's transcript and the
// rules'; here, what the closet shows before and after, and the bow tie worn.
TEST(Flow, TheClosetIsEmptyUntilTheBowTieIsBoughtAndThenShowsItWorn)
{
    Game game;
    game.reach("ClosetViewController");
    EXPECT_EQ(game.picture("screenBackground"), "emptycloset.jpg");
    EXPECT_FALSE(game.control("itemButton")["enabled"]);
    game.play({"tap backButtonPressed", "set coins 300", "tap shopButton"});
    EXPECT_EQ(game.picture("screenBackground"), "buybowtie.jpg");
    game.play({"tap buyButton", "tap closetButton"});
    EXPECT_EQ(game.picture("screenBackground"), "closet.jpg");
    game.play({"tap itemButton", "tap wearButton"});
    EXPECT_FALSE(game.hidden("wornPicture") || game.hidden("wornLine"));
}

TEST(Flow, SettingsBehindTheLock)
{
    // What the unlocked screen shows and that the unit waits for the lock are the mmol transcript's.
    Game game;
    game.reach("SettingsMainViewController");
    game.play({"tap lockButton", "toggle unitsSwitch"});
    EXPECT_EQ(game.text("unitsLabel"), "mmol/L") << "the transcript shows only the way back";
    game.play({"step carbStepper up", "step basalRateStepper down", "step basalRateStepper down"});
    EXPECT_EQ(game.text("carbLabel"), "16");
    EXPECT_EQ(game.text("basalLabel"), "1.3");
    game.play({"set carbRatio 40", "tap homeButtonPressed", "tap settingsPlace"});
    EXPECT_EQ(game.text("carbLabel"), "40");
    EXPECT_TRUE(game.control("unitsSwitch")["on"]);
    EXPECT_EQ(game.control("lockButton")["title"], "Unlock") << "a new screen starts from its layout";
    game.play({"tap lockButton"});
    EXPECT_EQ(game.control("lockButton")["title"], "Unlock");
    EXPECT_TRUE(game.hidden("carbStepper") && game.hidden("basalRateStepper") && game.hidden("unitsSwitch") &&
                game.hidden("rememberSwitch") && game.hidden("rememberCaption"));
    EXPECT_TRUE(game.run("toggle rememberSwitch").contains("error"));
}

// The dose screen warns only while low, and looks at the reading again each time it appears.
TEST(Flow, TheDoseScreenWarnsOfALowOnlyWhileLow)
{
    Game game;
    game.reach("InsulinSuggestionViewController");
    EXPECT_TRUE(game.hidden("lowWarningLabel"));
    game.play({"tap backButtonPressed", "set bloodSugarLevel 60", "tap continueButtonPressed"});
    EXPECT_FALSE(game.hidden("lowWarningLabel"));
    game.play({"tap backButtonPressed", "set bloodSugarLevel 150", "tap continueButtonPressed"});
    EXPECT_TRUE(game.hidden("lowWarningLabel"));
}

// Each row plays from a fresh start and lists what was heard after its last
// "heard": sounds by name, spoken lines in quotes.
TEST(Flow, EachEventIsHeardOnceAndTheSettingsSilenceIt)
{
    const std::string low = "\"Your buddy is low. Treat the low first, then give insulin. Your dose is 2 units of insulin. "
                            "Tap Give insulin.\"";
    const std::string home = "\"Hi, I'm your buddy! My blood sugar is 150. Tap a button at the bottom to look after me.\"";
    const struct { std::vector<std::string> commands; std::vector<std::string> heard; } rows[] = {
        {{"tap buddyPlace", "tap shopButton", "heard", "tap buyButton"}, {"tap", "refused"}},
        {{"tap settingsPlace", "tap lockButton", "heard", "step carbStepper up"}, {"tap"}},
        {{"set coins 200", "tap buddyPlace", "tap shopButton", "heard", "tap buyButton"}, {"tap", "buy"}},
        {{"set coins 200", "tap buddyPlace", "tap shopButton", "tap buyButton", "tap closetButton", "tap itemButton",
          "heard", "tap wearButton"},
         {"tap", "wear"}},
        // While low, the warning comes before the dose line, once, however often the screen appears.
        {{"set bloodSugarLevel 60", "tap insulinPlace", "tap continueButtonClicked", "heard", "tap continueButtonPressed",
          "tap ->InsulinGivingViewController", "tap backButtonPressed", "tap speaker"},
         {"tap", low, "tap", "\"Giving insulin: 2 units of insulin going in. Tap Stop to stop it.\"", "dose-start", "tap", low,
          "tap", low}},
        {{"tap insulinPlace", "tap continueButtonClicked", "tap continueButtonPressed",
          "tap ->InsulinGivingViewController", "heard", "wait 2"},
         {"dose-done", "coin", "\"All done, great job! 2 units of insulin given. You earned 5 coins!\""}},
        {{"tap insulinPlace", "tap continueButtonClicked", "tap continueButtonPressed",
          "tap ->InsulinGivingViewController", "heard", "tap stop", "wait 2"},
         {"tap", "dose-stop", "\"Insulin stopped. 1 unit of insulin went in. Tell a grown-up.\""}},
        {{"tap settingsPlace", "tap lockButton", "toggle readToMeSwitch", "heard", "tap homeButtonPressed",
          "tap speakButtonPressed"},
         {"tap", "tap", home}},
        {{"tap settingsPlace", "tap lockButton", "toggle soundSwitch", "heard", "tap homeButtonPressed", "tap cheat"},
         {home}},
        {{"set bloodSugarLevel 90", "tap settingsPlace", "tap lockButton", "toggle unitsSwitch", "tap homeButtonPressed",
          "heard", "tap speakButtonPressed"},
         {"tap", "\"Hi, I'm your buddy! My blood sugar is 5. Tap a button at the bottom to look after me.\""}},
        {{"tap settingsPlace", "tap lockButton", "toggle unitsSwitch", "tap homeButtonPressed", "tap checkPlace",
          "tap ->BloodSugarCheckInstructionsViewController", "tap ->AskForBloodViewController",
          "tap ->BloodSugarCheckInProgressViewController", "tap badButtonPressed", "heard",
          "tap ->BloodSugarResultsViewController"},
         {"tap", "\"3.9 or below is low. Above 3.9 and below 7.8 is just right. 7.8 or above is high.\""}},
    };
    for (const auto& row : rows) {
        Game game;
        game.play(row.commands);
        EXPECT_EQ(heardSince(game), row.heard) << row.commands.back();
    }
    Game game;
    game.play({"tap settingsPlace", "heard"});
    EXPECT_TRUE(game.run("toggle soundSwitch").contains("error")) << "only while unlocked";
    game.play({"tap lockButton", "heard"});
    for (int i = 0; i < 8; ++i) {
        game.app().focusNext(false);
    }
    game.app().focusNext(true);
    // A stepper says its value as the screen shows it (the basal rate in units per hour).
    EXPECT_EQ(game.run("heard")["heard"], nlohmann::json::parse(R"([{"say": "Back"}, {"say": "Home"},
        {"say": "Practice: what was practised"}, {"say": "Say it again"}, {"say": "Change the fast sugar for a low, 15 g"}, {"say": "Change the carb ratio, 15"},
        {"say": "Change the basal rate, 1.5"}, {"say": "Show blood sugar in mmol/L, off"}, {"say": "Change the basal rate, 1.5"}])"));
    game.app().stepFocus(true);
    EXPECT_EQ(game.run("heard")["heard"].back()["say"], "Change the basal rate, 1.6") << "a keyboard step says the new value";
    // Focus names the bar's back button in the child's language, as the bar shows it. The bar
    // comes back when the explained result is popped.
    Game spanish("es");
    spanish.play({"tap ->BloodSugarViewController", "tap ->BloodSugarCheckInstructionsViewController",
                  "tap ->AskForBloodViewController", "tap ->BloodSugarCheckInProgressViewController",
                  "tap goodButtonPressed", "tap ->BloodSugarResultsViewController", "tap <-pop", "heard"});
    spanish.app().focusNext(false);
    EXPECT_EQ(spanish.run("heard")["heard"], nlohmann::json::parse(R"([{"say": "Atrás"}])"));
    // A stepper says the number its label shows (the basal rate in units, not tenths), a switch its state
    // in the child's language.
    spanish.play({"tap homeButtonPressed", "tap settingsPlace", "tap lockButton", "heard"});
    for (int i = 0; i < 8; ++i) {
        spanish.app().focusNext(false);
    }
    const auto said = spanish.run("heard")["heard"];
    EXPECT_EQ(said[6], nlohmann::json({{"say", "Cambiar la basal, 1.5"}}));
    EXPECT_EQ(said[7], nlohmann::json({{"say", "Ver el azúcar en mmol/L, desactivado"}}));
    spanish.app().activateFocus();
    EXPECT_EQ(spanish.run("heard")["heard"].back()["say"], "Ver el azúcar en mmol/L, activado");
}

// Doing it anywhere does the job: each way there ticks its job on a day that
// has it and counts once for the grown-ups' page, which shows it and says it.
TEST(Flow, EachKindOfCareTicksItsJobAndCountsOnThePracticePage)
{
    const struct {
        const char* screen;
        std::vector<std::string> then;
        Date day;
        const char* job;      // nullptr: not a job
        const char* counted;  // the practice page's row, nullptr: not counted there
    } rows[] = {
        {"GoodResultsViewController", {}, {2026, 1, 7}, "check", "goodChecks"},
        {"BadResultsViewController", {}, {2026, 1, 7}, "check", "trickyChecks"},
        {"LowResultsViewController", {}, {2026, 1, 7}, "check", "lowChecks"},
        {"LowRecheckViewController", {}, {2026, 1, 5}, "low", "lowsTreated"},
        {"InsulinCompleteViewController", {}, {2026, 1, 5}, "insulin", "dosesCompleted"},
        {"InsulinStoppedViewController", {}, {2026, 1, 5}, nullptr, "dosesStopped"},
        {"CarbCounterAddViewController", {"tap addButtonPressed", "tap addButtonPressed"}, {2026, 1, 6}, "carbs", "carbsCounted"},
        {"ClosetItemSelectedViewController", {"tap wearButtonPressed"}, {2026, 1, 6}, "dress", nullptr},
        {"CarbGameResultsViewController", {}, {2026, 1, 5}, "game", nullptr},
    };
    for (const auto& row : rows) {
        Game game;
        game.app().runLoop().setFirstDay(row.day);
        game.reach(row.screen);
        game.play(row.then);
        const auto state = game.run("state");
        const auto done = row.job == nullptr ? nlohmann::json::array() : nlohmann::json::array({row.job});
        EXPECT_EQ(state["jobsDone"], done) << row.screen;
        if (row.counted == nullptr) {
            continue;
        }
        game.play({"tap homeButtonPressed"});
        game.reach("PracticeViewController");
        for (const char* column : {"Today", "Week", "Ever"}) {
            EXPECT_EQ(game.text(std::string(row.counted) + column), "1") << row.screen << " " << column;
        }
        const auto* today = game.app().top()->controlNamed(std::string(row.counted) + "Today");
        EXPECT_TRUE(today->accessibilityLabel.ends_with(" today")) << today->accessibilityLabel;
    }
}

// The third job of the day, done as a screen arrives, is heard after that
// screen's line (a new line would cut it off), with the coins, once.
TEST(Flow, TheDaysThirdJobIsCheeredAfterTheArrivingScreensLine)
{
    Game game;
    game.app().runLoop().setFirstDay({2026, 1, 7}); // carbs, low, check
    game.reach("CarbCounterAddViewController");
    game.play({"tap addButtonPressed", "tap homeButtonPressed"});
    game.reach("LowRecheckViewController");
    const auto heard = heardSince(game);
    // The coin as the job was done; the screen's line with the cheer once it is in view.
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard[heard.size() - 3], "coin");
    EXPECT_EQ(heard.back(), "happy");
    const std::string last = heard[heard.size() - 2];
    EXPECT_TRUE(last.starts_with("\"My blood sugar is ")) << last;
    EXPECT_TRUE(last.ends_with(". All three jobs done! A new sticker for your book.\"")) << last;
    // The practice page is for grown-ups: out of reach while the settings are locked.
    game.play({"tap homeButtonPressed", "tap settingsPlace"});
    EXPECT_TRUE(game.hidden("practiceButton"));
    EXPECT_TRUE(game.run("tap practiceButton").contains("error"));
}

} // namespace
} // namespace bc
