#include "screens/frame/CareScreen.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "platform/Services.h"

namespace bc {

void CareScreen::attach(AppState& state, std::shared_ptr<const ScreenFrame> frame)
{
    state_ = &state;
    frame_ = std::move(frame);
}

void CareScreen::showCoins() { coinsLabel->setText(stringWithFormat("%.0f", static_cast<double>(appState().coins()))); }

void CareScreen::showReading(Label* label, int decimals)
{
    label->setText(stringWithFormat("%.*f", decimals, static_cast<double>(appState().bloodSugarLevel())));
}

void CareScreen::showCount(Label* number, double value, const char* wordLabel, Counted word)
{
    const std::string shown = stringWithFormat("%.0f", value);
    number->setText(shown);
    auto* label = dynamic_cast<Label*>(controlNamed(wordLabel));
    if (label == nullptr) {
        return;
    }
    // The label's first word is the counted one; the rest of it stays as laid out.
    const std::string& text = label->text();
    const auto space = text.find(' ');
    const std::string rest = space == std::string::npos ? std::string() : text.substr(space);
    label->setText(countedWord(word, shown, services().translator) + rest);
}

void CareScreen::run(const ScreenFrame::Steps& steps)
{
    for (FrameStep step : steps) {
        switch (step) {
        case FrameStep::HideBar: navigationController()->setNavigationBarHidden(true); break;
        case FrameStep::HideBarAnimated: navigationController()->setNavigationBarHidden(true, true); break;
        case FrameStep::ShowBarAnimated: navigationController()->setNavigationBarHidden(false, true); break;
        case FrameStep::Refresh: updateUI(); break;
        }
    }
}

void CareScreen::viewDidLoad()
{
    ScreenController::viewDidLoad();
    run(frame_->didLoad);
}

void CareScreen::viewWillAppear(bool animated)
{
    ScreenController::viewWillAppear(animated);
    run(frame_->willAppear);
}

void CareScreen::viewDidAppear(bool animated)
{
    ScreenController::viewDidAppear(animated);
    run(frame_->didAppear);
}

void CareScreen::viewWillDisappear(bool animated)
{
    ScreenController::viewWillDisappear(animated);
    run(frame_->willDisappear);
}

void CareScreen::viewDidDisappear(bool animated)
{
    ScreenController::viewDidDisappear(animated);
    run(frame_->didDisappear);
}

void CareScreen::backButtonPressed(Control*) { navigationController()->popViewControllerAnimated(true); }

void CareScreen::homeButtonPressed(Control*) { navigationController()->popToRootViewControllerAnimated(true); }

void CareScreen::cancelButtonPressed(Control*) { navigationController()->popViewControllerAnimated(true); }

} // namespace bc
