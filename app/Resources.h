#pragma once

#include "platform/Result.h"

#include <filesystem>

namespace bc {

// Where the pictures and the interface description are: beside an installed
// program (../share/buddycare), else the source tree it was built from.
Result<std::filesystem::path> findResources(const char* argv0);

} // namespace bc
