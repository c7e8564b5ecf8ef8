#include "platform/ProgressFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bc {

namespace {

// Far more than a kept game: a larger file is not read whole, and so refused.
constexpr std::size_t kMostRead = 1 << 20;

Error failed(const std::string& what, const std::filesystem::path& path, int error)
{
    return Error{"cannot " + what + " " + path.string() + ": " + std::strerror(error)};
}

// The folders above the file, made as needed, readable by their owner only.
Result<void> makeFolders(const std::filesystem::path& folder)
{
    if (folder.empty() || ::mkdir(folder.c_str(), 0700) == 0) {
        return done();
    }
    if (errno == EEXIST) {
        struct stat st{};
        if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            return done();
        }
        return failed("make the folder", folder, ENOTDIR);
    }
    if (errno != ENOENT || !folder.has_relative_path() || folder.parent_path() == folder) {
        return failed("make the folder", folder, errno);
    }
    BC_TRY(makeFolders(folder.parent_path()));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return failed("make the folder", folder, errno);
    }
    return done();
}

// A rename or an unlink lasts through a power cut only once its folder is flushed.
Result<void> flushFolder(const std::filesystem::path& file)
{
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return failed("open the folder", folder, errno);
    }
    const int status = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    return status == 0 ? done() : Result<void>(failed("flush the folder", folder, error));
}

Result<void> writeAll(int fd, const std::string& text, const std::filesystem::path& path)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return failed("write", path, n < 0 ? errno : ENOSPC);
        }
        written += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0 ? done() : Result<void>(failed("flush", path, errno));
}

} // namespace

ProgressFile::ProgressFile(std::filesystem::path path) : path_(std::move(path)) {}

ProgressFile::~ProgressFile()
{
    if (lockFd_ >= 0) {
        ::close(lockFd_);
    }
}

std::filesystem::path ProgressFile::defaultPath(const std::function<const char*(const char*)>& env)
{
    const char* data = env("XDG_DATA_HOME");
    const char* home = env("HOME");
    if (data != nullptr && data[0] == '/') {
        return std::filesystem::path(data) / "buddycare" / "progress.json";
    }
    if (home != nullptr && home[0] == '/') {
        return std::filesystem::path(home) / ".local" / "share" / "buddycare" / "progress.json";
    }
    // Never the working folder, where nobody would look for it.
    return {};
}

Result<void> ProgressFile::lock()
{
    if (lockFd_ >= 0) {
        return done();
    }
    const std::string lockPath = path_.string() + ".lock";
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return failed("open the lock", lockPath, errno);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return Error{"another buddycare game is keeping its progress in " + path_.string()};
        }
        return failed("lock", lockPath, error);
    }
    lockFd_ = fd;
    return done();
}

Result<std::optional<std::string>> ProgressFile::read()
{
    if (path_.empty()) {
        return std::optional<std::string>();
    }
    struct stat st{};
    if (::stat(path_.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return std::optional<std::string>();
        }
        return failed("read", path_, errno);
    }
    BC_TRY(lock());
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return failed("read", path_, errno);
    }
    std::string text;
    char buffer[8192];
    while (text.size() <= kMostRead) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return failed("read", path_, error);
        }
        if (n == 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return std::optional<std::string>(std::move(text));
}

Result<void> ProgressFile::write(const std::string& text)
{
    if (path_.empty()) {
        return Error{"there is no folder to keep the game in (neither XDG_DATA_HOME nor HOME names one)"};
    }
    BC_TRY(makeFolders(path_.parent_path()));
    BC_TRY(lock());
    // One name for the new file, so that one left by a killed run is simply replaced.
    const std::filesystem::path fresh = path_.string() + ".new";
    const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return failed("write", fresh, errno);
    }
    auto written = writeAll(fd, text, fresh);
    // The mode is the owner's alone, whatever the umask or an older file said.
    if (written && ::fchmod(fd, 0600) != 0) {
        written = failed("protect", fresh, errno);
    }
    ::close(fd);
    if (written && ::rename(fresh.c_str(), path_.c_str()) != 0) {
        written = failed("replace", path_, errno);
    }
    if (!written) {
        ::unlink(fresh.c_str());
        return written;
    }
    return flushFolder(path_);
}

Result<void> ProgressFile::remove()
{
    if (path_.empty()) {
        return done();
    }
    struct stat st{};
    if (::lstat(path_.c_str(), &st) != 0 && errno == ENOENT) {
        return done();
    }
    // Not while another game keeps its progress here.
    BC_TRY(lock());
    if (::unlink(path_.c_str()) != 0) {
        return errno == ENOENT ? done() : Result<void>(failed("remove", path_, errno));
    }
    return flushFolder(path_);
}

Result<void> ProgressFile::setAside()
{
    const std::string aside = asideWhere();
    if (::rename(path_.c_str(), aside.c_str()) != 0) {
        return failed("move aside", path_, errno);
    }
    return flushFolder(path_);
}

} // namespace bc
