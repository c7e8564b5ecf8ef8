#include "platform/ProgressFile.h"
#include "support/Game.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>

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
