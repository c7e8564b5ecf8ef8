#pragma once

#include "platform/Result.h"

#include <filesystem>
#include <string>

namespace bc {

// A whole file's bytes, or why they could not be had ("<path>: cannot be read ...").
// Plain C file reads and not a stream: in the browser the code is compiled function by
// function as it is first called, and a stream would bring its locale machinery to the start.
Result<std::string> readFileText(const std::filesystem::path& path);

} // namespace bc
