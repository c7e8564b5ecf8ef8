#include "app/Resources.h"

#include <system_error>

#ifndef BUDDYCARE_SOURCE_RESOURCES
#define BUDDYCARE_SOURCE_RESOURCES "resources"
#endif
#ifndef BUDDYCARE_BUILD_DIR
#define BUDDYCARE_BUILD_DIR ""
#endif

namespace bc {

Result<std::filesystem::path> findResources(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argv0 != nullptr) {
        self = std::filesystem::absolute(argv0, ec);
    }
    if (ec || self.empty()) {
        return Error{"cannot tell where the program is (" + ec.message() + "); name the folder with --resources"};
    }
    // A program still in its build folder plays from the source tree; an
    // installed one only ever from its own share folder.
    const std::filesystem::path buildDir = BUDDYCARE_BUILD_DIR;
    if (!buildDir.empty() && std::filesystem::equivalent(self.parent_path(), buildDir, ec)) {
        return std::filesystem::path(BUDDYCARE_SOURCE_RESOURCES);
    }
    return self.parent_path().parent_path() / "share" / "buddycare";
}

} // namespace bc
