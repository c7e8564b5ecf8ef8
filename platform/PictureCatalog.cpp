#include "platform/PictureCatalog.h"

#include "platform/Console.h"
#include "platform/FileText.h"

namespace bc {

namespace {
bool isPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}
} // namespace

Result<PictureCatalog> PictureCatalog::open(const std::filesystem::path& directory)
{
    std::error_code ec;
    const auto status = std::filesystem::status(directory, ec);
    if (!std::filesystem::exists(status)) {
        return Error{directory.string() + ": resource folder not found"};
    }
    if (!std::filesystem::is_directory(status)) {
        return Error{directory.string() + ": is not a folder; the resources are a folder with storyboard.json"};
    }
    PictureCatalog catalog(directory);
    if (std::filesystem::is_regular_file(directory / kListFile, ec)) {
        BC_TRY_LET(list, readFileText(directory / kListFile));
        forEachPiece(list, '\n', [&](const std::string& name) {
            if (isPlainFileName(name)) {
                catalog.known_.emplace(name, true);
            }
        });
        catalog.listed_ = true;
    }
    return catalog;
}

bool PictureCatalog::exists(const std::string& name) const
{
    if (!isPlainFileName(name)) {
        return false;
    }
    if (auto it = known_.find(name); it != known_.end()) {
        return it->second;
    }
    if (listed_) {
        return false;
    }
    std::error_code ec;
    const bool found = std::filesystem::is_regular_file(directory_ / name, ec);
    known_.emplace(name, found);
    return found;
}

Picture PictureCatalog::imageNamed(const std::string& name, const Console& console)
{
    if (exists(name)) {
        return Picture(name);
    }
    if (warned_.emplace(name, true).second) {
        console.warn("no picture named \"" + name + "\" in " + directory_.string() + "; showing nothing");
    }
    return Picture();
}

} // namespace bc
