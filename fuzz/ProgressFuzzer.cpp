// Any bytes as a kept progress file: refused in one line, or accepted, and
// then the care state it gives keeps to the same rules, so writing it again
// gives a file that reads back as the same record.
#include "app/Progress.h"
#include "state/AppState.h"
#include "state/CareRules.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto record = bc::parseProgress(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!record) {
        if (record.error().message.empty() || record.error().message.find('\n') != std::string::npos) {
            std::abort(); // a refusal is one line
        }
        return 0;
    }
    bc::AppState state;
    bc::applyStartingValues(state);
    bc::restoreProgress(state, *record);
    const auto written = bc::progressOf(state);
    const auto reread = bc::parseProgress(written.dump());
    if (!reread || *reread != written || state.coins() < 0 || state.items().size() > 100) {
        std::abort();
    }
    return 0;
}
