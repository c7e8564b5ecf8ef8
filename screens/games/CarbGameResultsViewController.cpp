#include "screens/games/CarbGameResultsViewController.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "state/Translator.h"

namespace bc {

void CarbGameResultsViewController::updateUI()
{
    showCoins();
    const CarbGameResults& results = session_->results;
    const Translator& words = services().translator;
    scoreLabel->setText(fill(fill(words.translate("You found %s of %s!"), stringWithFormat("%d", results.right)),
                             stringWithFormat("%d", results.rounds)));
    praiseLabel->setText(results.praise == nullptr ? std::string() : words.translate(results.praise));
    const std::string won = stringWithFormat("%.0f", static_cast<double>(results.coinsWon));
    coinsWonLabel->setText(
        fill(words.translatePlural("You won %s coin", "You won %s coins", countOf(won)), won));
}

void CarbGameResultsViewController::playAgainPressed(Control*)
{
    session_->game.start([this](std::uint32_t bound) { return randomUniform(bound); });
    navigationController()->popViewControllerAnimated(true);
}

// Back to the games screen below the game; home if it is somehow not there.
void CarbGameResultsViewController::doneButtonPressed(Control*)
{
    NavigationController* stack = navigationController();
    for (ScreenController* screen : stack->viewControllers()) {
        if (screen->className() == "GamesScreenViewController") {
            stack->popToViewController(screen, true);
            return;
        }
    }
    stack->popToRootViewControllerAnimated(true);
}

} // namespace bc
