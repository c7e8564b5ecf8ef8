#include "platform/ProgressFile.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bc {
namespace {

TEST(ProgressFile, TheDefaultPlaceFollowsXdgDataHomeThenHome)
{
    const struct { std::map<std::string, std::string> env; const char* expected; } rows[] = {
        {{{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/kid"}}, "/data/buddycare/progress.json"},
        {{{"XDG_DATA_HOME", "relative"}, {"HOME", "/home/kid"}}, "/home/kid/.local/share/buddycare/progress.json"},
        {{{"HOME", "/home/kid"}}, "/home/kid/.local/share/buddycare/progress.json"},
        {{{"HOME", "kid"}}, ""},
    };
    for (const auto& row : rows) {
        const auto path = ProgressFile::defaultPath([&](const char* name) {
            const auto it = row.env.find(name);
            return it == row.env.end() ? nullptr : it->second.c_str();
        });
        EXPECT_EQ(path, row.expected);
    }
    ProgressFile nowhere({});
    EXPECT_FALSE(nowhere.read()->has_value());
    EXPECT_NE(nowhere.write("x").error().message.find("no folder"), std::string::npos);
}

TEST(ProgressFile, WritesWholeFilesForItsOwnerInFoldersItMakes)
{
    test::ScratchFolder work;
    const std::string path = work.path() + "/a/b/progress.json";
    ProgressFile file(path);
    EXPECT_FALSE(file.read()->has_value()) << "nothing kept yet";
    ASSERT_TRUE(file.write("first").ok());
    ASSERT_TRUE(file.write("second").ok());
    EXPECT_EQ(**file.read(), "second");
    struct stat st{};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat((work.path() + "/a/b").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_FALSE(std::filesystem::exists(path + ".new")) << "the new file was renamed over the old one";

    // A damaged file goes aside, over an older damaged one.
    test::ScratchFolder other;
    other.write("progress.json.damaged", "older");
    other.write("progress.json", "newer");
    ProgressFile damaged(other.path() + "/progress.json");
    ASSERT_TRUE(damaged.setAside().ok());
    EXPECT_EQ(test::readFile(other.path() + "/progress.json.damaged"), "newer");
    EXPECT_FALSE(damaged.read()->has_value());

    ASSERT_TRUE(file.remove().ok());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(file.remove().ok()) << "nothing to remove is no failure";
}

TEST(ProgressFile, AFolderThatCannotBeMadeSaysWhy)
{
    test::ScratchFolder work;
    work.write("file", "");
    // A regular file where a folder should be stops root as well as anyone.
    ProgressFile file(work.path() + "/file/buddycare/progress.json");
    const auto written = file.write("x");
    ASSERT_FALSE(written.ok());
    EXPECT_NE(written.error().message.find(work.path() + "/file"), std::string::npos) << written.error().message;
    EXPECT_EQ(written.error().message.find('\n'), std::string::npos);
}

// A disk that takes the first bytes and refuses the rest: the write says why and
// gives up. In a child process whose files may not pass four bytes; a write retried
// for ever would hang it, and the alarm ends that.
TEST(ProgressFile, AWriteRefusedPartWayIsReportedAndNotRetried)
{
    test::ScratchFolder work;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(10);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{4, 4};
        setrlimit(RLIMIT_FSIZE, &small);
        const auto written = ProgressFile(work.path() + "/progress.json").write("more than four bytes");
        _exit(!written && written.error().message.starts_with("cannot write ") &&
                      written.error().message.ends_with(std::strerror(EFBIG))
                  ? 0
                  : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "the refused write was tried again and again";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the refusal was not reported as a failed write";
    EXPECT_FALSE(std::filesystem::exists(work.path() + "/progress.json"));
}

TEST(ProgressFile, ASecondGameOnTheSameFileIsRefusedUntilTheFirstHasGone)
{
    test::ScratchFolder work;
    const std::string path = work.path() + "/progress.json";
    auto first = std::make_unique<ProgressFile>(path);
    ASSERT_TRUE(first->write("mine").ok());
    ProgressFile second(path);
    for (const auto& refused : {second.read().ok() ? Result<void>() : Result<void>(second.read().error()),
                                second.write("theirs"), second.remove()}) {
        ASSERT_FALSE(refused.ok());
        EXPECT_NE(refused.error().message.find("another buddycare game"), std::string::npos) << refused.error().message;
    }
    EXPECT_EQ(**first->read(), "mine");
    first.reset();
    ASSERT_TRUE(second.write("theirs").ok());
    EXPECT_EQ(**second.read(), "theirs");
}

} // namespace
} // namespace bc
