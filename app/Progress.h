#pragma once

#include "platform/Result.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace bc {

class AppState;

// What the game keeps between runs when a grown-up asks it to: the child's
// coins and clothes and the grown-up's settings, never a reading or a dose
// (those start from their usual values each run) and never the unlocked lock.
// The record is the JSON itself, so comparing it with the one last written
// says whether anything changed.
using ProgressRecord = nlohmann::ordered_json;

inline constexpr int kProgressVersion = 1;
// Far above anything the game writes: a larger file is refused unread.
inline constexpr std::size_t kMostProgressBytes = 64 * 1024;

// The record of the care state as it is now.
ProgressRecord progressOf(AppState& state);

// Reads a kept file: the record, or why it cannot be trusted (it does not
// parse, its version is unknown, or it holds something the game could never
// have written), in one line. A field the file lacks keeps its starting value,
// so a file written before a field existed still loads.
Result<ProgressRecord> parseProgress(std::string_view text);

// Checks a record as parseProgress does.
Result<void> checkProgress(const ProgressRecord& record);

// Puts a checked record's fields into the care state.
void restoreProgress(AppState& state, const ProgressRecord& record);

} // namespace bc
