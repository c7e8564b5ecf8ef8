#pragma once

#include "platform/ProgressStore.h"

#include <filesystem>
#include <functional>

namespace bc {

// The kept game as one file. Writes go to a new file beside it that is
// flushed and then renamed over it, with the folder flushed after. The first
// write, or a read of a file already there, takes a lock on FILE.lock beside
// it, so that two games never both keep into the same file: the second is
// refused until the first has gone.
class ProgressFile : public ProgressStore {
public:
    explicit ProgressFile(std::filesystem::path path);
    ~ProgressFile() override;
    ProgressFile(const ProgressFile&) = delete;
    ProgressFile& operator=(const ProgressFile&) = delete;

    // $XDG_DATA_HOME/buddycare/progress.json, or ~/.local/share/... when
    // unset or not absolute; `env` reads the environment. Empty when neither
    // names a folder: then nothing is read and a write says why not.
    static std::filesystem::path defaultPath(const std::function<const char*(const char*)>& env);

    std::string where() const override { return path_.string(); }
    Result<std::optional<std::string>> read() override;
    Result<void> write(const std::string& text) override;
    Result<void> remove() override;
    Result<void> setAside() override;
    std::string asideWhere() const override { return path_.string() + ".damaged"; }

private:
    Result<void> lock();

    std::filesystem::path path_;
    int lockFd_ = -1;
};

} // namespace bc
