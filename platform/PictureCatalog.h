#pragma once

#include "platform/Control.h"
#include "platform/Result.h"

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
    // The catalogue of an existing folder. A folder with a list of names
    // (kListFile, one per line) has those pictures and no others, whether
    // their files are there or not: in the page the pictures are the
    // browser's, fetched from their own addresses, and the game only needs
    // to know which it has.
    static Result<PictureCatalog> open(const std::filesystem::path& directory);
    static constexpr const char* kListFile = "pictures.txt";

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
    bool listed_ = false; // known_ is the whole catalogue
    std::map<std::string, bool> warned_;
};

} // namespace bc
