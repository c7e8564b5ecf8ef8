#include "platform/PictureCatalog.h"
#include "support/Game.h"

#include <gtest/gtest.h>

namespace bc {
namespace {

// A folder's pictures are its files, unless it lists them: then the list
// alone says, files or not (the page's pictures live at their own addresses).
TEST(PictureCatalogTest, AFolderHasItsFilesOrElseWhatItsListNames)
{
    test::ScratchFolder folder;
    folder.write("home.jpg", "bytes");
    folder.write("stray.png", "bytes");
    const struct {
        const char* list; // nullptr: no list
        const char* name;
        bool has;
    } rows[] = {
        {nullptr, "home.jpg", true},
        {nullptr, "absent.png", false},
        {nullptr, "../home.jpg", false},
        {"home.jpg\nremote.png\n../escape.png\n", "home.jpg", true},
        {"home.jpg\nremote.png\n../escape.png\n", "remote.png", true},
        {"home.jpg\nremote.png\n../escape.png\n", "stray.png", false},
        {"home.jpg\nremote.png\n../escape.png\n", "../escape.png", false},
        {"", "home.jpg", false},
        {"home.jpg\nremote.png", "remote.png", true},
    };
    for (const auto& r : rows) {
        test::ScratchFolder listed;
        const std::string& dir = r.list ? listed.path() : folder.path();
        if (r.list) {
            listed.write(PictureCatalog::kListFile, r.list);
            listed.write("stray.png", "bytes");
        }
        auto catalog = PictureCatalog::open(dir);
        ASSERT_TRUE(catalog) << catalog.error().message;
        EXPECT_EQ(catalog->exists(r.name), r.has) << r.name << (r.list ? " (listed)" : "");
    }
}

} // namespace
} // namespace bc
