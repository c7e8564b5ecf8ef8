#include "screens/bloodsugar/BloodSugarCheckInProgressViewController.h"

#include "platform/Random.h"

namespace bc {

void BloodSugarCheckInProgressViewController::goodButtonPressed(Control*)
{
    appState().setBloodSugarLevel(goodReading(randomUniform(kReadingSpread)));
}

void BloodSugarCheckInProgressViewController::badButtonPressed(Control*)
{
    appState().setBloodSugarLevel(badReading(randomUniform(kReadingSpread)));
}

} // namespace bc
