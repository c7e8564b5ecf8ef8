#include "platform/PictureCatalog.h"

#include "platform/Console.h"
#include "platform/Control.h"

namespace bc {

namespace {
PictureCatalog* currentCatalog = nullptr;

bool isPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}
} // namespace

bool PictureCatalog::exists(const std::string& name) const
{
    if (!isPlainFileName(name)) {
        return false;
    }
    if (auto it = known_.find(name); it != known_.end()) {
        return it->second;
    }
    std::error_code ec;
    const bool found = std::filesystem::is_regular_file(directory_ / name, ec);
    known_.emplace(name, found);
    return found;
}

PictureCatalog* PictureCatalog::current() { return currentCatalog; }

void PictureCatalog::setCurrent(PictureCatalog* catalog) { currentCatalog = catalog; }

bool PictureCatalog::noteMissing(const std::string& name) { return warned_.emplace(name, true).second; }

Picture Picture::imageNamed(const std::string& name)
{
    PictureCatalog* catalog = PictureCatalog::current();
    if (catalog != nullptr && catalog->exists(name)) {
        return Picture(name);
    }
    if (catalog == nullptr || catalog->noteMissing(name)) {
        warn("no picture named \"" + name + "\"" +
             (catalog != nullptr ? " in " + catalog->directory().string() : std::string()) +
             "; showing nothing");
    }
    return Picture();
}

} // namespace bc
