#pragma once

namespace bc {

enum class GlucoseUnit { MgPerDl, MmolPerL };

// How a grown-up set the game up for this run: what the child hears and how a
// reading is shown. The rules of care never read these, and the driver's state
// report leaves them out; everything in the care state stays in mg/dL.
struct Preferences {
    bool readToMe = true;
    bool sound = true;
    GlucoseUnit units = GlucoseUnit::MgPerDl;
    // A grown-up asked for the progress to be kept on this device.
    bool remember = false;
};

} // namespace bc
