#include "screens/games/CarbGameViewController.h"

#include "platform/Format.h"
#include "platform/RunLoop.h"
#include "state/Translator.h"

namespace bc {

void CarbGameViewController::viewDidLoad()
{
    session_->game.start([this](std::uint32_t bound) { return randomUniform(bound); });
    CareScreen::viewDidLoad();
}

void CarbGameViewController::viewDidDisappear(bool animated)
{
    CareScreen::viewDidDisappear(animated);
    services().runLoop.invalidate(pause_);
}

// Shows the game as it stands, so a return from the results (a new game by
// then) and a return mid-game both show the right food.
void CarbGameViewController::updateUI()
{
    showCoins();
    const CarbGame& game = session_->game;
    const Translator& words = services().translator;
    foodPicture->setImage(imageNamed(game.food().picture));
    foodPicture->accessibilityLabel = words.translate(game.food().name);
    foodLabel->setText(words.translate(game.food().name));
    roundLabel->setText(fill(fill(words.translate("Food %s of %s"), stringWithFormat("%d", game.round() + 1)),
                             stringWithFormat("%d", kCarbGameRounds)));
    const bool answered = game.answered();
    hasCarbsButton->setHidden(answered);
    noCarbsButton->setHidden(answered);
    nextButton->setHidden(!answered);
    answerLabel->setHidden(!answered);
    nextButton->setTitle(words.translate(game.lastRound() ? "See how you did" : "Next food"));
}

void CarbGameViewController::answer(bool saysCarbs)
{
    const auto right = session_->game.answer(appState(), saysCarbs);
    if (!right) {
        return;
    }
    const Food& food = session_->game.food();
    const Translator& words = services().translator;
    answerLabel->setText(fill(words.translate(answerLine(food, *right)), words.translate(food.name)));
    play(*right ? Sound::Happy : Sound::CheckBad);
    updateUI();
    sayIfReading(answerLabel->text());
    pause_ = scheduledTimerWithTimeInterval(kAnswerPauseSeconds, this, &CarbGameViewController::nextFood, nullptr,
                                            false);
}

void CarbGameViewController::nextFood()
{
    CarbGame& game = session_->game;
    if (!game.answered()) {
        return;
    }
    // A tap came first: the pause's own timer must not skip the next food's.
    services().runLoop.invalidate(pause_);
    if (game.next()) {
        updateUI();
        sayIfReading(spokenText());
        return;
    }
    if (auto results = finishCarbGame(appState(), game)) {
        session_->results = *results;
        noteCare(CareEvent::GameFinished);
        performSegueWithIdentifier("carbGameResults", this);
    }
}

void CarbGameViewController::sayIfReading(const std::string& line)
{
    if (appState().preferences().readToMe) {
        services().audio.say(line);
    }
}

} // namespace bc
