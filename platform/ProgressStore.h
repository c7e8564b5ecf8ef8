#pragma once

#include "platform/Result.h"

#include <optional>
#include <string>

namespace bc {

// Where a game kept on this device lives: a file for the window and the
// driver, the page's storage in the browser. Holds one text, whole.
class ProgressStore {
public:
    virtual ~ProgressStore() = default;
    // What a person would call the place, for messages.
    virtual std::string where() const = 0;
    // The kept text, nothing when none is kept, or why it cannot be read.
    virtual Result<std::optional<std::string>> read() = 0;
    // Replaces the kept text whole: after a crash at any instant the old
    // text or the new one is there, never a mix.
    virtual Result<void> write(const std::string& text) = 0;
    // Forgets the kept text; done when there was none.
    virtual Result<void> remove() = 0;
    // Keeps a text that could not be trusted apart for a person to look at,
    // out of the way of the next start; the place is then empty.
    virtual Result<void> setAside() = 0;
    // Where setAside() puts the text.
    virtual std::string asideWhere() const = 0;
};

} // namespace bc
