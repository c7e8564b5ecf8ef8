#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"

namespace bc {

void BloodSugarCheckInProgressViewController::goodButtonPressed(Control*)
{
    const float before = appState().bloodSugarLevel();
    storeReading(appState(), goodReading(randomUniform(kReadingSpread)));
    play(Sound::CheckGood);
    playMoodTurn(before);
}

void BloodSugarCheckInProgressViewController::badButtonPressed(Control*)
{
    const float before = appState().bloodSugarLevel();
    storeReading(appState(), badReading(randomUniform(kReadingSpread)));
    play(Sound::CheckBad);
    playMoodTurn(before);
}

void BloodSugarCheckInProgressViewController::lowCheckPressed(Control*)
{
    const float before = appState().bloodSugarLevel();
    storeReading(appState(), lowReading(randomUniform(kLowSpread)));
    playMoodTurn(before);
}

} // namespace bc
