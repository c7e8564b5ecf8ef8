#pragma once

#include "platform/Random.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bc::test {

// From home to the meter at work, the way a child taps through.
inline std::vector<std::string> toCheckInProgress()
{
    return {"tap ->BloodSugarViewController", "tap ->BloodSugarCheckInstructionsViewController",
            "tap ->AskForBloodViewController", "tap ->BloodSugarCheckInProgressViewController"};
}

// A seed whose first draw below 30 is `wanted`, so a test can aim a check at
// one exact reading and still go through the real random source.
inline std::uint64_t seedDrawing(std::uint32_t wanted)
{
    for (std::uint64_t seed = 1;; ++seed) {
        if (Random(seed).uniform(30) == wanted) {
            return seed;
        }
    }
}

} // namespace bc::test
