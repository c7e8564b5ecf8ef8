#pragma once

#include "platform/Result.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace bc {

// A whole file's bytes, or why they could not be had ("<path>: cannot be read ...").
// Plain C file reads and not a stream: in the browser the code is compiled function by
// function as it is first called, and a stream would bring its locale machinery to the start.
Result<std::string> readFileText(const std::filesystem::path& path);

// The pieces between separators, as reading them one by one with getline would give them: none
// from an empty text, and none after a separator that ends the text. Not a string stream, for the
// same reason as above.
template <class Each> void forEachPiece(const std::string& text, char separator, Each each)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(separator, at), text.size());
        each(text.substr(at, end - at));
        at = end + 1;
    }
}

} // namespace bc
