#include "app/Resources.h"

#include <system_error>

#ifndef BUDDYCARE_SOURCE_RESOURCES
#define BUDDYCARE_SOURCE_RESOURCES "resources"
#endif
#ifndef BUDDYCARE_BUILD_DIR
#define BUDDYCARE_BUILD_DIR ""
#endif

namespace bc {

namespace {

Result<std::filesystem::path> programFolder(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argv0 != nullptr) {
        self = std::filesystem::absolute(argv0, ec);
    }
    if (ec || self.empty()) {
        return Error{"cannot tell where the program is (" + ec.message() + "); name the folder with --resources"};
    }
    return self.parent_path();
}

// A program still in its build folder plays from the source and build trees;
// an installed one only ever from its own share folder.
bool inBuildFolder(const std::filesystem::path& folder)
{
    std::error_code ec;
    const std::filesystem::path buildDir = BUDDYCARE_BUILD_DIR;
    return !buildDir.empty() && std::filesystem::equivalent(folder, buildDir, ec);
}

} // namespace

Result<std::filesystem::path> findResources(const char* argv0)
{
    auto folder = programFolder(argv0);
    if (!folder) {
        return folder.error();
    }
    if (inBuildFolder(*folder)) {
        return std::filesystem::path(BUDDYCARE_SOURCE_RESOURCES);
    }
    return folder->parent_path() / "share" / "buddycare";
}

std::filesystem::path findCatalogues(const char* argv0)
{
    // Nowhere to look reads in English, like a missing catalogue.
    auto folder = programFolder(argv0);
    if (!folder) {
        return {};
    }
    if (inBuildFolder(*folder)) {
        return std::filesystem::path(BUDDYCARE_BUILD_DIR) / "locale";
    }
    return folder->parent_path() / "share" / "locale";
}

} // namespace bc
