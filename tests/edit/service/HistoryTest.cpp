#include "edit/service/ProjectHistory.h"

#include "core/text/StringConvert.h"
#include "support/ScratchProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::wstring> entries(const Edit::FileHistory& history) {
    std::vector<std::wstring> list;
    for (const std::wstring* entry : history.getFileList()) list.push_back(*entry);
    return list;
}

// Remembers what trimming hands over.
class RecordingHistory : public Edit::FileHistory {
public:
    void removeFile(const std::wstring& path) override { removed.push_back(path); }
    std::vector<std::wstring> removed;
};

TEST(FileHistoryTest, AddsAtTheFrontOnceAndTrimsTheOldest) {
    RecordingHistory history;
    for (const wchar_t* path : {L"/p/a.mvp2", L"/p/b.mvp2", L"/p/a.mvp2", L"", L"/p/", L"C:\\p\\", L"/p/c.mvp2"})
        history.addFile(path);
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{L"/p/c.mvp2", L"/p/a.mvp2", L"/p/b.mvp2"}));
    // Equal means equal letter for letter.
    history.addFile(L"/p/A.mvp2");
    EXPECT_EQ(history.getFileName(0), L"/p/A.mvp2");
    EXPECT_EQ(history.getFileName(3), L"/p/b.mvp2");
    EXPECT_EQ(history.getFileName(4), L"");
    EXPECT_EQ(history.getFileName(-1), L"");
    EXPECT_TRUE(history.removed.empty());

    history.setMaxCount(2);
    EXPECT_EQ(history.removed, (std::vector<std::wstring>{L"/p/b.mvp2", L"/p/a.mvp2"}));
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{L"/p/A.mvp2", L"/p/c.mvp2"}));
    history.addFile(L"/p/d.mvp2");
    EXPECT_EQ(history.removed.back(), L"/p/c.mvp2");

    // The setting is clamped to 0..100; 0 empties the list.
    history.setMaxCount(500);
    EXPECT_EQ(history.getMaxCount(), 100);
    history.setMaxCount(-3);
    EXPECT_EQ(history.getMaxCount(), 0);
    EXPECT_TRUE(history.getFileList().empty());
    history.addFile(L"/p/e.mvp2");
    EXPECT_TRUE(history.getFileList().empty());
}

class ProjectHistoryTest : public ::testing::Test {
protected:
    ProjectHistoryTest() : folder(TestSupport::makeScratchProgramFolder("movane2-history-")) {}
    ~ProjectHistoryTest() override { fs::remove_all(folder); }

    fs::path file() const { return folder / "data" / "history.ini"; }
    void write(const std::string& text) const { std::ofstream(file(), std::ios::binary) << text; }
    std::string read() const {
        std::ifstream in(file(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder;
};

TEST_F(ProjectHistoryTest, ReadsNumberedKeysInOrderClosingGaps) {
    write("[project]\r\n5=/p/e.mvp2\r\n1=/p/a.mvp2\r\nx=/p/x.mvp2\r\n2=/p/b.mvp2\r\n101=/p/z.mvp2\r\n");
    Edit::ProjectHistory history;
    history.load();
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{L"/p/a.mvp2", L"/p/b.mvp2", L"/p/e.mvp2"}));
    EXPECT_EQ(Edit::ProjectHistory::getPath(), (folder / "data" / "history.ini").wstring());
}

TEST_F(ProjectHistoryTest, UnreadableFilesGiveWhatWasRead) {
    Edit::ProjectHistory history;
    history.addFile(L"/p/old.mvp2");
    history.load();  // no file
    EXPECT_TRUE(history.getFileList().empty());

    write("[other]\r\n1=/p/a.mvp2\r\n");
    history.load();
    EXPECT_TRUE(history.getFileList().empty());

    // A bad entry ends the reading there.
    write("[project]\r\n1=/p/a.mvp2\r\n2=/p/\xff\xfe.mvp2\r\n3=/p/c.mvp2\r\n");
    history.load();
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{L"/p/a.mvp2"}));
    write("[project]\r\n1=/p/a.mvp2\r\n2=\r\n3=/p/c.mvp2\r\n");
    history.load();
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{L"/p/a.mvp2"}));
}

TEST_F(ProjectHistoryTest, SavesTheListInOrder) {
    Edit::ProjectHistory history;
    history.addFile(L"/p/a.mvp2");
    history.addFile(L"/作品/b.mvp2");
    history.save();
    EXPECT_EQ(read(), "[project]\r\n1=/作品/b.mvp2\r\n2=/p/a.mvp2\r\n");

    Edit::ProjectHistory again;
    again.load();
    EXPECT_EQ(entries(again), entries(history));

    // An empty list leaves only the section.
    Edit::ProjectHistory empty;
    empty.save();
    EXPECT_EQ(read(), "[project]\r\n");
}

// Dropping recent projects never touches the project files themselves.
TEST_F(ProjectHistoryTest, TrimmingKeepsTheFiles) {
    Edit::ProjectHistory history;
    std::vector<fs::path> files;
    for (int i = 0; i < 5; ++i) {
        files.push_back(folder / ("p" + std::to_string(i) + ".mvp2"));
        std::ofstream(files.back()) << "x";
        history.addFile(files.back().wstring());
    }
    history.setMaxCount(3);
    EXPECT_EQ(entries(history),
              (std::vector<std::wstring>{files[4].wstring(), files[3].wstring(), files[2].wstring()}));
    for (const fs::path& f : files) EXPECT_TRUE(fs::exists(f)) << f;
}

}  // namespace
