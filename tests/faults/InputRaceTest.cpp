#include "support/Game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace bc::test {
namespace {

// Finger and keyboard against the moving game, on the virtual clock with the
// slides on. A script is pairs of words: "tap|down|up C" at the centre of the
// top screen's control C (by name, action or "->" destination; "-" for where
// the finger went down), "cancel -", "key -" (focus the next control and
// press it), "let S" (S seconds, or enough for a slide).
struct Race {
    const char* name;
    const char* script;
    const char* screen; // where the game stands at the end
    const char* state;  // fields of the care state then
};

const Race kRaces[] = {
    {"a tap on the screen sliding in", "tap checkPlace tap ->BloodSugarCheckInstructionsViewController key -",
     "BloodSugarViewController", R"({"coins":0})"},
    {"a tap once the slide has stopped", "tap checkPlace let slide tap ->BloodSugarCheckInstructionsViewController",
     "BloodSugarCheckInstructionsViewController", R"({"coins":0})"},
    {"a tap on the screen a pop uncovers", "tap checkPlace let slide tap homeButtonPressed tap cheat", "ViewController", R"({"coins":0})"},
    {"a tap once the pop has stopped", "tap checkPlace let slide tap homeButtonPressed let slide tap cheat",
     "ViewController", R"({"coins":50})"},
    {"a press cancelled by the system", "down cheat cancel - up -", "ViewController", R"({"coins":0})"},
    {"a press from during a slide released after it",
     "tap checkPlace down ->BloodSugarCheckInstructionsViewController let slide up -", "BloodSugarViewController", R"({"coins":0})"},
    // Stop is under the finger when the dose completes: the release taps
    // neither Stop nor what is there now, and only the dose's reward counts.
    {"a press held while the delivery moves on",
     "tap insulinPlace let slide tap continueButtonClicked let slide tap continueButtonPressed let slide "
     "tap ->InsulinGivingViewController let slide down stop let 2 let slide up -",
     "InsulinCompleteViewController", R"({"coins":5,"bolusJustGiven":0})"},
};

TEST(InputRaces, OnlyAPressAndReleaseOnAStillScreenTaps)
{
    for (const auto& race : kRaces) {
        SCOPED_TRACE(race.name);
        Game game;
        Application& app = game.app();
        app.navigation().setAnimationsEnabled(true);
        std::istringstream words(race.script);
        float x = -1, y = -1;
        for (std::string op, arg; words >> op >> arg;) {
            for (const auto& slot : app.top()->slots()) {
                const auto& actions = slot.actionNames;
                if (slot.control->name() == arg || std::count(actions.begin(), actions.end(), arg) ||
                    "->" + slot.transition.target == arg) {
                    const Rect r = slot.control->canvasFrame();
                    x = r.x + r.w / 2, y = r.y + r.h / 2;
                }
            }
            if (op == "tap" || op == "down") {
                app.pointerDown(x, y);
            }
            if (op == "tap" || op == "up") {
                app.pointerUp(x, y);
            }
            if (op == "cancel") {
                app.pointerCancel();
            } else if (op == "key") {
                app.focusNext(false);
                app.activateFocus();
            } else if (op == "let") {
                app.runLoop().advance(arg == "slide" ? NavigationController::kSlideSeconds * 1.5 : std::stod(arg));
                app.afterEvent();
            }
        }
        EXPECT_EQ(game.screen(), race.screen);
        const auto state = game.run("state");
        const auto expected = nlohmann::json::parse(race.state);
        for (auto field = expected.begin(); field != expected.end(); ++field) {
            EXPECT_EQ(state[field.key()], field.value()) << field.key();
        }
    }
}

} // namespace
} // namespace bc::test
