#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace bc {

// Which picture files the game has. Decoding is the renderer's business;
// this only answers whether a name is a picture, and where its file is.
class PictureCatalog {
public:
    explicit PictureCatalog(std::filesystem::path directory) : directory_(std::move(directory)) {}

    // A plain file name (no folders) of a regular file in the directory.
    bool exists(const std::string& name) const;
    std::filesystem::path pathOf(const std::string& name) const { return directory_ / name; }
    const std::filesystem::path& directory() const { return directory_; }

    // The catalog that Picture::imageNamed consults; set by the application.
    static PictureCatalog* current();
    static void setCurrent(PictureCatalog* catalog);

    // Warns once per missing name so a child tapping around does not flood the log.
    bool noteMissing(const std::string& name);

private:
    std::filesystem::path directory_;
    mutable std::map<std::string, bool> known_;
    std::map<std::string, bool> warned_;
};

} // namespace bc
