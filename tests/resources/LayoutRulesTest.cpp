#include "support/Game.h"

#include <gtest/gtest.h>

#include <set>

namespace bc {
namespace {

bool overlap(const Rect& a, const Rect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// A second tap lands on the next screen where the first one was: whatever sits
// there may take the child somewhere, but may not change the care state.
TEST(LayoutRules, NoControlThatChangesTheStateSitsWhereTheTapThatLedThereWas)
{
    test::Game game;
    const Storyboard& board = game.app().storyboard();
    std::map<std::string, std::unique_ptr<ScreenController>> screens;
    std::map<std::string, std::set<std::string>> pushedFrom;
    for (const auto& layout : board.screens()) {
        screens[layout.className] = board.instantiate(layout.className, game.app().services());
        for (const auto& slot : screens[layout.className]->slots()) {
            if (slot.transition.kind == Transition::Kind::Push) {
                pushedFrom[slot.transition.target].insert(layout.className);
            }
        }
    }
    const auto nav = [](const std::string& a) { return a == "backButtonPressed" || a == "homeButtonPressed" || a == "cancelButtonPressed"; };
    for (const auto& [name, screen] : screens) {
        for (const auto& tapped : screen->slots()) {
            using K = Transition::Kind;
            const auto& acts = tapped.actionNames;
            const auto has = [&](const char* a) { return std::find(acts.begin(), acts.end(), a) != acts.end(); };
            const bool back = tapped.transition.kind == K::Pop || has("backButtonPressed") || has("cancelButtonPressed");
            // Some backs go home, and home is below every screen.
            const bool home = tapped.transition.kind == K::PopToRoot || has("homeButtonPressed") || has("backButtonPressed");
            std::set<std::string> landings = back ? pushedFrom[name] : std::set<std::string>{};
            if (home || !tapped.transition.target.empty()) {
                landings.insert(home ? board.initial() : tapped.transition.target);
            }
            for (const auto& landing : landings) {
                for (const auto& there : screens[landing]->slots()) {
                    const ControlKind kind = there.control->kind();
                    const bool writes = kind == ControlKind::Switch || kind == ControlKind::Stepper ||
                                        !std::all_of(there.actionNames.begin(), there.actionNames.end(), nav);
                    EXPECT_FALSE(writes && overlap(tapped.control->canvasFrame(), there.control->canvasFrame()))
                        << name << " \"" << tapped.control->name() << "\" leads to " << landing << " where \""
                        << there.control->name() << "\" sits under it";
                }
            }
        }
    }
}

TEST(LayoutRules, KeyboardFocusFollowsReadingOrder)
{
    test::Game game;
    Application& app = game.app();
    for (const auto& layout : app.storyboard().screens()) {
        if (layout.className != app.storyboard().initial()) {
            app.navigation().pushViewController(app.storyboard().instantiate(layout.className, app.services()), false);
            app.afterEvent();
        }
        std::vector<const Control*> ring;
        for (std::size_t i = 0; i < 2 * app.top()->slots().size() && (ring.size() < 2 || ring.back() != ring[0]); ++i) {
            app.focusNext(false);
            if (app.focusedControl() != nullptr) {
                ring.push_back(app.focusedControl());
            }
        }
        for (std::size_t i = 1; i < ring.size() && ring[i] != ring[0]; ++i) {
            const Rect a = ring[i - 1]->canvasFrame();
            const Rect b = ring[i]->canvasFrame();
            const bool sameRow = a.y + a.h / 2 > b.y && a.y + a.h / 2 < b.y + b.h;
            EXPECT_TRUE(sameRow ? a.x < b.x : a.y + a.h / 2 < b.y + b.h / 2)
                << layout.className << ": focus goes from \"" << ring[i - 1]->name() << "\" to \"" << ring[i]->name() << "\"";
        }
        app.navigation().popToRootViewControllerAnimated(false);
        app.afterEvent();
    }
}


// What a screen's picture is about stays in view: no control that takes a tap
// sits on it (measured on the pictures at canvas scale).
TEST(LayoutRules, TheSubjectOfAScreensPictureIsNotCoveredByAControl)
{
    const struct { const char* screen; Rect subject; } pictures[] = {
        {"BloodSugarViewController", {277, 419, 63, 101}}, // the meter
        {"ViewController", {210, 83, 159, 162}}};          // the window
    test::Game game;
    for (const auto& p : pictures) {
        auto screen = game.app().storyboard().instantiate(p.screen, game.app().services());
        for (const auto& slot : screen->slots()) {
            if (takesTaps(slot.control->kind())) {
                EXPECT_FALSE(overlap(slot.control->canvasFrame(), p.subject)) << p.screen << ": " << slot.control->name();
            }
        }
    }
}

} // namespace
} // namespace bc
