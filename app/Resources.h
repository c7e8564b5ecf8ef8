#pragma once

#include "platform/Result.h"

#include <filesystem>

namespace bc {

// Where the pictures and the interface description are: beside an installed
// program (../share/buddycare), else the source tree it was built from.
Result<std::filesystem::path> findResources(const char* argv0);

// Where the compiled message catalogues are: ../share/locale beside an
// installed program, else the build folder's locale folder.
std::filesystem::path findCatalogues(const char* argv0);

} // namespace bc
