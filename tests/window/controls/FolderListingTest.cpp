#include "window/controls/FolderListing.h"

#include "core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace Control::FolderListing;

std::vector<std::wstring> namesOf(const std::vector<Entry>& entries) {
    std::vector<std::wstring> names;
    for (const Entry& e : entries) names.push_back(e.name);
    return names;
}

class FolderListingTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path root = folder_.path();
        fs::create_directories(root / "clips");
        fs::create_directories(root / "Archive");
        for (const char* name : {"take10.png", "take2.png", "take1.png", "voice.wav", ".hidden"})
            std::ofstream(root / name) << "x";
        std::ofstream(root / "big.mp4") << std::string(3000, 'v');
    }
    CoreTest::TempFolder folder_;
};

TEST_F(FolderListingTest, FoldersFirstThenNaturalOrderByTheColumnAndReversed) {
    std::vector<Entry> entries;
    ASSERT_TRUE(readFolder(folder_.path(), entries));
    EXPECT_EQ(entries.size(), 7u);  // the dot file is left out
    sortEntries(entries, NameColumn, 1);
    EXPECT_EQ(namesOf(entries), (std::vector<std::wstring>{L"Archive", L"clips", L"big.mp4", L"take1.png",
                                                           L"take2.png", L"take10.png", L"voice.wav"}));
    sortEntries(entries, NameColumn, -1);
    EXPECT_EQ(namesOf(entries), (std::vector<std::wstring>{L"clips", L"Archive", L"voice.wav", L"take10.png",
                                                           L"take2.png", L"take1.png", L"big.mp4"}));
    // By size: the one-byte files by name, the 3000-byte movie last.
    sortEntries(entries, SizeColumn, 1);
    EXPECT_EQ(entries[2].name, L"take1.png");
    EXPECT_EQ(entries.back().name, L"big.mp4");
    EXPECT_EQ(sizeText(entries.back()), L"2.9 KB");
    EXPECT_EQ(entries.back().kind, Kind::Video);
    EXPECT_EQ(typeText(entries.back()), L"MP4 ファイル");
    EXPECT_EQ(typeText(entries.front()), L"フォルダー");
}

TEST_F(FolderListingTest, AFolderThatCannotBeReadListsNothing) {
    std::vector<Entry> entries{Entry{}};
    EXPECT_FALSE(readFolder(folder_.path() / "missing", entries));
    EXPECT_TRUE(entries.empty());
}

TEST(FolderColumns, StoredColumnsOrTheThreeDefaults) {
    const std::string name = NameColumn, size = SizeColumn, type = TypeColumn;
    const struct {
        int count;
        std::string keys, widths;
        bool fallback;
    } cases[] = {
        {0, "", "", true},
        {3, name + "," + size + "," + type, "200,80", true},  // two widths for three columns
        {2, name + "," + type, "150,70", false},
        {2, name + "," + type, "150,wide", true},
        {1, "{00000000-0000-0000-0000-000000000000} 1", "40", true},
        {2, name + "," + size, "150,70,30", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys + " / " + c.widths);
        const Columns columns = parseColumns(c.count, c.keys, c.widths);
        EXPECT_EQ(columns.fallback, c.fallback);
        if (c.fallback) {
            EXPECT_EQ(columns.keys, (std::vector<std::string>{NameColumn, SizeColumn, ModifiedColumn}));
            EXPECT_EQ(columns.widths, (std::vector<int>{0, 0, 0}));
        } else {
            EXPECT_EQ(columns.keys.size(), 2u);
            EXPECT_EQ(columns.widths, (std::vector<int>{150, 70}));
        }
    }
}

}  // namespace
