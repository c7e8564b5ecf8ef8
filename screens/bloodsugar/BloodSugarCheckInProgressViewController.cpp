#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"

namespace bc {

void BloodSugarCheckInProgressViewController::goodButtonPressed(Control*)
{
    const float before = appState().bloodSugarLevel();
    appState().setBloodSugarLevel(goodReading(randomUniform(kReadingSpread)));
    play(Sound::CheckGood);
    playMoodTurn(before);
}

void BloodSugarCheckInProgressViewController::badButtonPressed(Control*)
{
    const float before = appState().bloodSugarLevel();
    appState().setBloodSugarLevel(badReading(randomUniform(kReadingSpread)));
    play(Sound::CheckBad);
    playMoodTurn(before);
}

} // namespace bc
