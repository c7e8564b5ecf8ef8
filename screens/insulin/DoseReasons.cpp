#include "screens/insulin/DoseReasons.h"

#include "platform/Format.h"

namespace bc {

void appendDoseReasons(Label* reasonsLabel, AppState& state)
{
    if (state.carbsNotAddressed() > 0) {
        reasonsLabel->setText(reasonsLabel->text() + stringWithFormat("Because you ate %.0f carbs\n",
                                                                      static_cast<double>(state.carbsNotAddressed())));
    }
    if (state.aboutToExercise()) {
        reasonsLabel->setText(reasonsLabel->text() + "\nYou're about to exercise");
    }
}

} // namespace bc
