#include "screens/games/Register.h"

#include "screens/games/CarbGameResultsViewController.h"
#include "screens/games/CarbGameViewController.h"

namespace bc {

void registerGameScreens(Registry& registry, AppState& state)
{
    using F = FrameStep;
    // Both screens of one registry play the same game: the results read what the game left.
    auto session = std::make_shared<CarbGameSession>();

    using Game = CarbGameViewController;
    registerCareScreen<Game>(registry, state, "CarbGameViewController",
                             {.didLoad = {F::HideBar}, .willAppear = {F::HideBarAnimated, F::Refresh}},
                             [session](Game& screen) { screen.share(*session); })
        .outlet("foodPicture", &Game::foodPicture)
        .outlet("foodLabel", &Game::foodLabel)
        .outlet("roundLabel", &Game::roundLabel)
        .outlet("answerLabel", &Game::answerLabel)
        .outlet("hasCarbsButton", &Game::hasCarbsButton)
        .outlet("noCarbsButton", &Game::noCarbsButton)
        .outlet("nextButton", &Game::nextButton)
        .action("hasCarbsPressed", &Game::hasCarbsPressed)
        .action("noCarbsPressed", &Game::noCarbsPressed)
        .action("nextPressed", &Game::nextPressed);

    using Results = CarbGameResultsViewController;
    // Nothing can be reached from the results and come back, so they are filled in once.
    registerCareScreen<Results>(registry, state, "CarbGameResultsViewController",
                                {.didLoad = {F::HideBar, F::Refresh}, .willAppear = {F::HideBarAnimated}},
                                [session](Results& screen) { screen.share(*session); })
        .outlet("scoreLabel", &Results::scoreLabel)
        .outlet("praiseLabel", &Results::praiseLabel)
        .outlet("coinsWonLabel", &Results::coinsWonLabel)
        .exit("playAgainPressed", &Results::playAgainPressed)
        .exit("doneButtonPressed", &Results::doneButtonPressed);
}

} // namespace bc
