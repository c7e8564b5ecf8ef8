#pragma once

#include "platform/Control.h"

#include <filesystem>
#include <map>
#include <string>

namespace bc {

class Console;

// Which picture files the game has. Decoding is the renderer's business;
// this only answers whether a name is a picture, and where its file is.
class PictureCatalog {
public:
    explicit PictureCatalog(std::filesystem::path directory) : directory_(std::move(directory)) {}

    // A plain file name (no folders) of a regular file in the directory.
    bool exists(const std::string& name) const;
    std::filesystem::path pathOf(const std::string& name) const { return directory_ / name; }
    const std::filesystem::path& directory() const { return directory_; }

    // The named picture, or an empty one and a warning, once per name so a
    // child tapping around does not flood the log.
    Picture imageNamed(const std::string& name, const Console& console);

private:
    std::filesystem::path directory_;
    mutable std::map<std::string, bool> known_;
    std::map<std::string, bool> warned_;
};

} // namespace bc
