#pragma once

#include "screens/frame/CareScreen.h"

namespace bc {

// The end of a pretend low check: the reading, the buddy shaky, how a low
// feels. The one way on is telling a grown-up.
class LowResultsViewController : public CareScreen {
public:
    void viewDidLoad() override
    {
        noteCare(CareEvent::LowCheck);
        CareScreen::viewDidLoad();
    }
    void updateUI() override
    {
        showCoins();
        showReading(bloodSugarLabel, 1);
    }
    void viewDidAppear(bool animated) override;
    void toldGrownUpPressed(Control* sender);

    Label* bloodSugarLabel = nullptr;
};

// Fast sugar or not: a fast sugar takes the plan's grams and goes on to the
// wait; water only says why it does not help.
class TreatLowViewController : public CareScreen {
public:
    void viewWillAppear(bool animated) override;
    void fastSugarPressed(Control* sender);
    void notFastSugarPressed(Control* sender);

    Label* notFastSugarLabel = nullptr;
};

// The wait before checking again. Check again is there from the start and
// works only once the wait is over.
class LowWaitViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void checkAgainPressed(Control* sender);

    Button* checkAgainButton = nullptr;

private:
    void waitIsOver();
};

// The recheck's answer, settled once as the screen loads: back in the band
// pays and goes home; still low goes back to fast sugar.
class LowRecheckViewController : public CareScreen {
public:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void updateUI() override;
    void doneButtonPressed(Control* sender);

    Label* bloodSugarLabel = nullptr;
    Label* recheckLabel = nullptr;
    Button* doneButton = nullptr;

private:
    LowOutcome outcome_ = LowOutcome::StillLow;
};

} // namespace bc
