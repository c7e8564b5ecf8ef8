#include "app/Resources.h"

#include "platform/Application.h"

#include <system_error>

#ifndef BUDDYCARE_SOURCE_RESOURCES
#define BUDDYCARE_SOURCE_RESOURCES "resources"
#endif

namespace bc {

std::filesystem::path findResources(const char* argv0)
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argv0 != nullptr) {
        self = std::filesystem::absolute(argv0, ec);
    }
    if (!self.empty()) {
        const auto installed = self.parent_path().parent_path() / "share" / "buddycare";
        if (std::filesystem::is_regular_file(installed / Application::kStoryboardFile, ec)) {
            return installed;
        }
    }
    return BUDDYCARE_SOURCE_RESOURCES;
}

} // namespace bc
