#include "platform/ScreenController.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

using test::Game;

// What every screen shares, one row per screen: the bar is hidden once it has
// arrived, and given back as it leaves on two screens only; whether its coin label follows the state on arrival and when it appears
// again (and what an appearance pays), and whether home is in reach; where back
// and home lead, the monkey checks against its model at every step.
struct Frame {
    const char* screen;
    bool barBackOnLeaving;
    bool coins;
    bool refreshOnAppear;
    int arrivalPay; // coins paid between setting 3 and the first look; -1: as many as the way there won
    bool home;
};

const Frame kFrames[] = {
    {"ViewController", false, true, true, 0, false},
    {"InsulinFoodViewController", false, true, true, 0, true},
    {"InsulinExerciseViewController", false, true, false, 0, true},
    {"InsulinSuggestionViewController", false, true, true, 0, true},
    {"InsulinGivingViewController", false, true, true, 0, true},
    {"InsulinCompleteViewController", false, true, true, 5, true},
    {"InsulinStoppedViewController", false, true, true, 0, true},
    {"CarbCounterMainViewController", false, true, false, 0, true},
    {"CarbCounterAddViewController", false, true, false, 0, true},
    {"nomNomViewController", false, true, true, 0, true},
    {"BloodSugarViewController", false, true, false, 0, true},
    {"TrendsViewController", false, true, false, 0, true},
    {"BloodSugarCheckInstructionsViewController", true, false, false, 0, false},
    {"AskForBloodViewController", false, true, false, 0, true},
    {"BloodSugarCheckInProgressViewController", false, true, false, 0, true},
    {"GoodResultsViewController", false, true, false, 5, true},
    {"BadResultsViewController", false, true, false, 0, true},
    {"BloodSugarResultsViewController", true, false, false, 5, false},
    {"LowResultsViewController", false, true, false, 0, true},
    {"TreatLowViewController", false, true, false, 0, true},
    {"LowWaitViewController", false, true, false, 0, true},
    // Every low the way there draws comes back into the band with the plan's 15 g.
    {"LowRecheckViewController", false, true, false, 5, true},
    {"BuddyCentralViewController", false, true, true, 0, true},
    {"ItemViewController", false, true, false, 0, true},
    {"ClosetViewController", false, true, false, 0, true},
    {"ClosetItemSelectedViewController", false, true, false, 0, true},
    {"GamesScreenViewController", false, true, true, 0, true},
    {"CarbGameViewController", false, true, true, 0, true},
    // The way there answers "has carbs" to ten foods drawn at random.
    {"CarbGameResultsViewController", false, true, false, -1, true},
    {"SettingsMainViewController", false, true, true, 0, true},
    {"PracticeViewController", false, true, true, 0, true},
    {"JobsViewController", false, true, true, 0, true},
    {"StickerBookViewController", false, true, true, 0, true},
};

class EveryScreen : public testing::TestWithParam<Frame> {};

// Home shows what changed while the child was away.
const std::vector<std::string> kAwayAndBack{"tap eatPlace", "tap homeButtonPressed"};

TEST_P(EveryScreen, SharesTheFrame)
{
    const Frame& f = GetParam();
    const bool shopping = std::string(f.screen) == "ClosetItemSelectedViewController";
    Game game;
    game.play({"set coins 3"});
    game.play(kAwayAndBack);
    game.reach(f.screen);
    EXPECT_TRUE(game.barHidden());
    const int won = f.arrivalPay >= 0 ? f.arrivalPay : game.run("state")["coins"].get<int>() - 3;
    const int arrived = shopping ? 0 : 3 + won;
    if (f.coins) {
        EXPECT_EQ(game.text("coinsLabel"), std::to_string(arrived));
        game.play({"set coins 40"});
        game.app().top()->viewWillAppear(false);
        const int shown = f.refreshOnAppear ? 40 + won : arrived;
        EXPECT_EQ(game.text("coinsLabel"), std::to_string(shown)) << "on appearing again";
    }
    game.app().top()->viewWillDisappear(false);
    game.app().top()->viewDidDisappear(false);
    EXPECT_EQ(game.barHidden(), !f.barBackOnLeaving);
    if (f.home || f.coins) {
        EXPECT_EQ(game.run("tap homeButtonPressed").contains("error"), !f.home);
    }
}

INSTANTIATE_TEST_SUITE_P(Frames, EveryScreen, testing::ValuesIn(kFrames),
                         [](const auto& info) { return std::string(info.param.screen); });

// The mood band shows as the background of four screens, the worn bow tie
// on four, only while it is owned too; the limits of both rules are tested
// on the rules themselves.
TEST(MoodAndOverlay, FollowTheCareStateOnEveryScreenThatShowsThem)
{
    const struct {
        const char* screen;
        const char* happy; // nullptr where the background shows no mood
        const char* sad;
        bool overlay;
    } screens[] = {{"ViewController", "homescreen.jpg", "sadhomescreen.jpg", true},
                   {"BuddyCentralViewController", "happybudycentral.jpg", "sadbuddycentral.jpg", true},
                   {"GamesScreenViewController", "games.png", "sadgame.png", true},
                   {"BloodSugarViewController", "checkgreen.jpg", "checkred.jpg", false},
                   {"nomNomViewController", nullptr, nullptr, true}};
    for (const auto& s : screens) {
        for (const bool well : {true, false}) {
            Game game;
            game.play({well ? "set bloodSugarLevel 100" : "set bloodSugarLevel 140"});
            game.state().wearing().push_back("bowtie.jpg");
            if (well) {
                game.state().items().push_back("bowtie");
            }
            game.play(kAwayAndBack);
            game.reach(s.screen);
            if (s.happy != nullptr) {
                EXPECT_EQ(game.picture("screenBackground"), well ? s.happy : s.sad) << s.screen;
            }
            if (s.overlay) {
                EXPECT_EQ(game.hidden("itemWorn"), !well) << s.screen;
            }
        }
    }
}

} // namespace
} // namespace bc
