#include "screens/frame/CareScreen.h"

#include "platform/Format.h"
#include "platform/NavigationController.h"
#include "platform/RunLoop.h"
#include "platform/Services.h"

#include <utility>

namespace bc {

void CareScreen::attach(AppState& state, std::shared_ptr<const ScreenFrame> frame)
{
    state_ = &state;
    frame_ = std::move(frame);
}

void CareScreen::showCoins() { coinsLabel->setText(stringWithFormat("%.0f", static_cast<double>(appState().coins()))); }

void CareScreen::showReading(Label* label, int mgDecimals)
{
    const GlucoseUnit unit = appState().preferences().units;
    label->setText(shownReading(appState().bloodSugarLevel(), unit, mgDecimals));
    if (auto* name = dynamic_cast<Label*>(controlNamed("readingUnit"))) {
        name->setText(unitName(unit));
    }
}

void CareScreen::showBandCaptions(std::initializer_list<const char*> labelNames)
{
    for (const char* labelName : labelNames) {
        if (auto* label = dynamic_cast<Label*>(controlNamed(labelName))) {
            label->setText(bandCaption(label->text(), appState().preferences().units));
        }
    }
}

void CareScreen::showPictureInUnits(const char* imageName, const char* mgPicture, const char* mmolPicture)
{
    if (auto* image = dynamic_cast<ImageView*>(controlNamed(imageName))) {
        const bool mmol = appState().preferences().units == GlucoseUnit::MmolPerL;
        image->setImage(imageNamed(mmol ? mmolPicture : mgPicture));
    }
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

void CareScreen::setNamedHidden(std::initializer_list<const char*> names, bool hidden)
{
    for (const char* name : names) {
        if (Control* control = controlNamed(name)) {
            control->setHidden(hidden);
        }
    }
}

void CareScreen::noteCare(CareEvent event)
{
    if (!bc::noteCare(appState(), event, services().runLoop.today()).dayComplete) {
        return;
    }
    play(Sound::Coin);
    // A new line cuts off the one before: on a screen still arriving, the
    // cheer waits to be said after the screen's own line.
    const std::string cheer = services().translator.translate(dayCompleteLine());
    if (!appeared_) {
        cheer_ = cheer;
    } else if (appState().preferences().readToMe) {
        services().audio.say(cheer);
    }
    if (coinsLabel != nullptr) {
        showCoins();
    }
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
    appeared_ = true;
    const std::string line = spokenLine().empty() ? std::string() : spokenText();
    const std::string cheer = std::exchange(cheer_, {});
    if (appState().preferences().readToMe && !(line.empty() && cheer.empty())) {
        services().audio.say(line.empty() ? cheer : cheer.empty() ? line : line + " " + cheer);
    }
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

namespace {
// A reading shown as "150.0" is said the way a child says it.
std::string spokenNumber(std::string text)
{
    if (text.size() > 2 && text.ends_with(".0") && text.find_first_not_of("0123456789") == text.size() - 2) {
        text.resize(text.size() - 2);
    }
    return text;
}
} // namespace

void CareScreen::play(Sound sound)
{
    if (appState().preferences().sound) {
        services().audio.play(sound);
    }
}

void CareScreen::playMoodTurn(float before)
{
    switch (moodTurn(before, appState().bloodSugarLevel())) {
    case MoodTurn::Happy: play(Sound::Happy); break;
    case MoodTurn::Sad: play(Sound::Sad); break;
    case MoodTurn::None: break;
    }
}

std::string CareScreen::spokenText() const
{
    const std::string& line = spokenLine();
    std::string out;
    std::size_t at = 0;
    for (auto open = line.find('{'); open != std::string::npos; open = line.find('{', at)) {
        const auto close = line.find('}', open);
        if (close == std::string::npos) {
            break;
        }
        out += line.substr(at, open - at);
        if (const Control* c = controlNamed(line.substr(open + 1, close - open - 1))) {
            out += c->kind() == ControlKind::Label ? spokenNumber(static_cast<const Label*>(c)->text())
                                                     : spokenName(*c, services().translator);
        }
        at = close + 1;
    }
    return out + line.substr(at);
}

void CareScreen::speakButtonPressed(Control*)
{
    if (!spokenLine().empty()) {
        services().audio.say(spokenText());
    }
}

void CareScreen::touched(Control*) { play(Sound::Tap); }

void CareScreen::focused(const Control* control)
{
    if (appState().preferences().readToMe) {
        services().audio.say(control == nullptr ? services().translator.translate("Back")
                                                : spokenName(*control, services().translator));
    }
}

} // namespace bc
