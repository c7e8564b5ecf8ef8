#include "support/Game.h"

#include <gtest/gtest.h>

#include <set>

namespace bc {
namespace {

bool overlap(const Rect& a, const Rect& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool isNavigation(const std::string& action)
{
    return action == "backButtonPressed" || action == "homeButtonPressed" || action == "cancelButtonPressed";
}

// A second tap lands on the next screen where the first one was: whatever sits
// there may take the child somewhere, but may not change the care state.
TEST(LayoutRules, NoControlThatChangesTheStateSitsWhereTheTapThatLedThereWas)
{
    test::Game game;
    const Storyboard& board = game.app().storyboard();
    std::map<std::string, std::set<std::string>> pushedFrom;
    for (const auto& layout : board.screens()) {
        const auto screen = board.instantiate(layout.className);
        for (const auto& slot : screen->slots()) {
            if (slot.transition.kind == Transition::Kind::Push) {
                pushedFrom[slot.transition.target].insert(layout.className);
            }
        }
    }
    for (const auto& layout : board.screens()) {
        const auto screen = board.instantiate(layout.className);
        for (const auto& tapped : screen->slots()) {
            std::set<std::string> landings;
            const auto& t = tapped.transition;
            const auto has = [&](const char* a) {
                return std::find(tapped.actionNames.begin(), tapped.actionNames.end(), a) != tapped.actionNames.end();
            };
            if (t.kind == Transition::Kind::Push || t.kind == Transition::Kind::Unwind) {
                landings.insert(t.target);
            }
            if (t.kind == Transition::Kind::Pop || has("backButtonPressed") || has("cancelButtonPressed")) {
                landings = pushedFrom[layout.className];
            }
            // Some backs go home, and home is below every screen.
            if (t.kind == Transition::Kind::PopToRoot || has("homeButtonPressed") || has("backButtonPressed")) {
                landings.insert(board.initial());
            }
            for (const auto& landing : landings) {
                const auto next = board.instantiate(landing);
                for (const auto& there : next->slots()) {
                    const bool writes = there.control->kind() == ControlKind::Switch ||
                                        there.control->kind() == ControlKind::Stepper ||
                                        std::any_of(there.actionNames.begin(), there.actionNames.end(),
                                                    [](const std::string& a) { return !isNavigation(a); });
                    EXPECT_FALSE(writes && overlap(tapped.control->canvasFrame(), there.control->canvasFrame()))
                        << layout.className << " \"" << tapped.control->name() << "\" leads to " << landing
                        << " where \"" << there.control->name() << "\" sits under it";
                }
            }
        }
    }
}

TEST(LayoutRules, KeyboardFocusFollowsReadingOrder)
{
    test::Game game;
    for (const auto& layout : game.app().storyboard().screens()) {
        if (layout.className != game.app().storyboard().initial()) {
            game.app().navigation().pushViewController(game.app().storyboard().instantiate(layout.className), false);
            game.app().afterEvent();
        }
        std::vector<Rect> ring;
        for (int i = 0; i < 40 && ring.size() < 2 * game.app().top()->slots().size(); ++i) {
            game.app().focusNext(false);
            if (const Control* c = game.app().focusedControl()) {
                if (!ring.empty() && c->canvasFrame().x == ring.front().x && c->canvasFrame().y == ring.front().y) {
                    break;
                }
                ring.push_back(c->canvasFrame());
            }
        }
        for (std::size_t i = 1; i < ring.size(); ++i) {
            const Rect& a = ring[i - 1];
            const Rect& b = ring[i];
            const bool sameRow = a.y + a.h / 2 > b.y && a.y + a.h / 2 < b.y + b.h;
            EXPECT_TRUE(sameRow ? a.x < b.x : a.y + a.h / 2 < b.y + b.h / 2)
                << layout.className << ": focus goes from (" << a.x << "," << a.y << ") to (" << b.x << "," << b.y
                << ")";
        }
        game.app().navigation().popToRootViewControllerAnimated(false);
        game.app().afterEvent();
    }
}

} // namespace
} // namespace bc
