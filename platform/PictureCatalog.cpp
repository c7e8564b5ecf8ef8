#include "platform/PictureCatalog.h"

#include "platform/Console.h"

namespace bc {

namespace {
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
