#include "platform/Audio.h"

#include "platform/Control.h"
#include "platform/Format.h"
#include "state/Translator.h"

namespace bc {

std::string_view soundName(Sound sound)
{
    switch (sound) {
    case Sound::Tap: return "tap";
    case Sound::Coin: return "coin";
    case Sound::Buy: return "buy";
    case Sound::Refused: return "refused";
    case Sound::Wear: return "wear";
    case Sound::DoseStart: return "dose-start";
    case Sound::DoseDone: return "dose-done";
    case Sound::DoseStop: return "dose-stop";
    case Sound::CheckGood: return "check-good";
    case Sound::CheckBad: return "check-bad";
    case Sound::Low: return "low";
    case Sound::Happy: return "happy";
    case Sound::Sad: return "sad";
    }
    return "";
}

void AudioRecorder::play(Sound sound) { keep({Heard::Kind::Sound, std::string(soundName(sound))}); }

void AudioRecorder::say(const std::string& line) { keep({Heard::Kind::Say, line}); }

void AudioRecorder::keep(Heard heard)
{
    if (heard_.size() == kLimit) {
        heard_.pop_front();
    }
    heard_.push_back(std::move(heard));
}

std::vector<Heard> AudioRecorder::take()
{
    std::vector<Heard> out(std::make_move_iterator(heard_.begin()), std::make_move_iterator(heard_.end()));
    heard_.clear();
    return out;
}

std::string spokenName(const Control& control, const Translator& words)
{
    std::string name = control.accessibilityLabel;
    if (name.empty() && control.kind() == ControlKind::Button) {
        name = static_cast<const Button&>(control).title();
    }
    if (name.empty() && control.kind() == ControlKind::Label) {
        name = static_cast<const Label&>(control).text();
    }
    if (name.empty()) {
        name = control.name();
    }
    if (control.kind() == ControlKind::Switch) {
        name += ", " + (static_cast<const Switch&>(control).isOn() ? words.translate("on") : words.translate("off"));
    } else if (control.kind() == ControlKind::Stepper) {
        name += ", " + (control.accessibilityValue.empty()
                            ? stringWithFormat("%g", static_cast<const Stepper&>(control).value())
                            : control.accessibilityValue);
    }
    return name;
}

} // namespace bc
