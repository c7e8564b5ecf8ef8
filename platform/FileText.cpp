#include "platform/FileText.h"

#include <cstdio>
#include <memory>

namespace bc {

Result<std::string> readFileText(const std::filesystem::path& path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return Error{path.string() + ": cannot be read (missing or not readable)"};
    }
    std::string text;
    char block[16384];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, file.get())) > 0;) {
        text.append(block, got);
    }
    if (std::ferror(file.get())) {
        return Error{path.string() + ": cannot be read"};
    }
    return text;
}

} // namespace bc
