#include "panels/explorer/ExplorerBookmarks.h"

#include "core/CoreTestSupport.h"

#include <gtest/gtest.h>

namespace {

using Component::Bookmark;
using Component::ExplorerBookmarks;

TEST(ExplorerBookmarks, DefaultNamesAreTheLastComponentWithoutItsExtension) {
    const struct {
        const wchar_t* path;
        const wchar_t* name;
    } cases[] = {{L"/media/take.final", L"take"}, {L"/photos", L"photos"}, {L"/photos/", L"photos"},
                 {L"/a/b.c.d", L"b.c"}, {L"relative", L"relative"}};
    for (const auto& c : cases) EXPECT_EQ(ExplorerBookmarks::defaultName(c.path), c.name) << c.path;
}

TEST(ExplorerBookmarks, ANameAddedAgainReplacesItsBookmark) {
    std::vector<Bookmark> list;
    ExplorerBookmarks::add(list, L"clips", L"/a");
    ExplorerBookmarks::add(list, L"music", L"/b");
    ExplorerBookmarks::add(list, L"clips", L"/c");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, L"music");
    EXPECT_EQ(list[1].path, L"/c");
    EXPECT_EQ(ExplorerBookmarks::findPath(list, L"/a"), nullptr);
    ASSERT_NE(ExplorerBookmarks::findPath(list, L"/c"), nullptr);
    EXPECT_EQ(ExplorerBookmarks::findPath(list, L"/C"), nullptr);  // exact
    EXPECT_TRUE(ExplorerBookmarks::removePath(list, L"/c"));
    EXPECT_FALSE(ExplorerBookmarks::removePath(list, L"/c"));
    EXPECT_EQ(list.size(), 1u);
}

TEST(ExplorerBookmarks, NamesSortInNaturalOrder) {
    std::vector<Bookmark> list{{L"take10", L"/1"}, {L"Take2", L"/2"}, {L"take1", L"/3"}};
    ExplorerBookmarks::sortByName(list);
    EXPECT_EQ(list[0].name, L"take1");
    EXPECT_EQ(list[1].name, L"Take2");
    EXPECT_EQ(list[2].name, L"take10");
}

TEST(ExplorerBookmarks, TheFileIsWrittenByteForByteAndReadBack) {
    CoreTest::TempFolder folder;
    const std::string file = (folder.path() / "explorer.ini").string();
    const std::vector<Bookmark> list{{L"素材", L"/home/u/素材"}, {L"music", L"/mnt/music"}};
    ExplorerBookmarks::save(list, std::wstring(file.begin(), file.end()));
    EXPECT_EQ(CoreTest::readBytes(file),
              "[bookmark.0]\r\nname=素材\r\npath=/home/u/素材\r\n[bookmark.1]\r\nname=music\r\npath=/mnt/music\r\n");
    std::vector<Bookmark> read{{L"stale", L"/x"}};
    ExplorerBookmarks::load(read, std::wstring(file.begin(), file.end()));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, L"素材");
    EXPECT_EQ(read[0].path, L"/home/u/素材");
    EXPECT_EQ(read[1].path, L"/mnt/music");
}

TEST(ExplorerBookmarks, LoadingStopsAtAGapOrAnIncompleteSection) {
    CoreTest::TempFolder folder;
    const std::string file = (folder.path() / "explorer.ini").string();
    const std::wstring path(file.begin(), file.end());
    std::vector<Bookmark> read;
    CoreTest::writeBytes(file, "[bookmark.0]\nname=a\npath=/a\n[bookmark.2]\nname=c\npath=/c\n");
    ExplorerBookmarks::load(read, path);
    EXPECT_EQ(read.size(), 1u);
    CoreTest::writeBytes(file, "[bookmark.0]\nname=a\npath=/a\n[bookmark.1]\nname=b\n[bookmark.2]\nname=c\npath=/c\n");
    ExplorerBookmarks::load(read, path);
    EXPECT_EQ(read.size(), 1u);
    ExplorerBookmarks::load(read, path + L".missing");
    EXPECT_TRUE(read.empty());
}

}  // namespace
