#include "edit/service/BackupHistory.h"

#include "core/base/Process.h"
#include "support/ScratchProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class BackupTest : public ::testing::Test {
protected:
    BackupTest() : folder(TestSupport::makeScratchProgramFolder("movane2-backup-")), backups(folder / "data" / "Backup") {}
    ~BackupTest() override {
        System::Process::exceptionOccurred = false;
        fs::remove_all(folder);
    }

    fs::path make(const std::string& name) const {
        const fs::path path = backups / name;
        std::ofstream(path) << name;
        return path;
    }
    std::vector<std::wstring> entries(const Edit::FileHistory& history) const {
        std::vector<std::wstring> list;
        for (const std::wstring* entry : history.getFileList()) list.push_back(*entry);
        return list;
    }
    std::vector<std::string> filesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(backups)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder;
    fs::path backups;
};

TEST_F(BackupTest, BackupNames) {
    const struct {
        const wchar_t* name;
        bool listed;
    } cases[] = {
        {L"AutoBackup_2026-01-02_03-04-05-006.mvp2", true},
        {L"ExceptionBackup_2026-12-31_23-59-59-999.mvp2", true},
        {L"AutoBackup_1-2-3_4-5-6-7.mvp2", true},
        {L"AutoBackup_2026.mvp2", false},                        // only one number
        {L"AutoBackup_2026-01-02.mvp2", false},                  // no time
        {L"autobackup_2026-01-02_03-04-05-006.mvp2", false},     // case-sensitive
        {L"MyBackup_2026-01-02_03-04-05-006.mvp2", false},       // another base name
        {L"AutoBackup_2026-01-02_03-04-05-006.mvp2.tmp", false}, // a write in progress
        {L"AutoBackup_2026-01-02_03-04-05-006.MVP2", false},
        {L"x/AutoBackup_2026-01-02_03-04-05-006.mvp2", false},   // names, not paths
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(fs::path(c.name).string());
        EXPECT_EQ(Edit::BackupHistory::isBackupName(c.name), c.listed);
    }
    const std::wstring made = Edit::BackupHistory::makeBackupName(L"AutoBackup");
    EXPECT_EQ(fs::path(made).parent_path(), backups);
    EXPECT_TRUE(Edit::BackupHistory::isBackupName(fs::path(made).filename().wstring())) << fs::path(made);
}

// The folder's listing by name, each put at the front: exception backups
// first, each kind newest first; other files are neither listed nor deleted.
TEST_F(BackupTest, StartTrimsTheOldestAutomaticBackups) {
    const fs::path a1 = make("AutoBackup_2026-01-01_10-00-00-000.mvp2");
    const fs::path a2 = make("AutoBackup_2026-01-02_10-00-00-000.mvp2");
    const fs::path a3 = make("AutoBackup_2026-01-03_10-00-00-000.mvp2");
    const fs::path e1 = make("ExceptionBackup_2025-06-01_10-00-00-000.mvp2");
    make("AutoBackup_2026.mvp2");
    make("Project.mvp2");
    Edit::BackupHistory history;
    history.load();
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{e1.wstring(), a3.wstring(), a2.wstring(), a1.wstring()}));
    EXPECT_EQ(history.tryGetNewest(), e1.wstring());

    history.setMaxCount(3);
    EXPECT_FALSE(fs::exists(a1));
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{
                                   "AutoBackup_2026-01-02_10-00-00-000.mvp2",
                                   "AutoBackup_2026-01-03_10-00-00-000.mvp2",
                                   "AutoBackup_2026.mvp2",
                                   "ExceptionBackup_2025-06-01_10-00-00-000.mvp2",
                                   "Project.mvp2",
                               }));
    // A file already gone is no failure.
    fs::remove(a2);
    history.setMaxCount(1);
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{e1.wstring()}));
}

TEST_F(BackupTest, AutomaticBackupWritesOnlyChangesAndTrimsAfterASuccess) {
    const fs::path a1 = make("AutoBackup_2026-01-01_10-00-00-000.mvp2");
    const fs::path a2 = make("AutoBackup_2026-01-02_10-00-00-000.mvp2");
    Edit::BackupHistory history;
    history.load();
    history.setMaxCount(2);

    std::vector<std::wstring> saved;
    bool succeed = true;
    const auto save = [&](const std::wstring& path) {
        saved.push_back(path);
        if (succeed) std::ofstream(fs::path(path)) << "project";
        return succeed;
    };

    // Nothing changed since the start: nothing is written.
    history.markBackedUp(7);
    EXPECT_FALSE(history.autoBackupProject(7, save));
    EXPECT_TRUE(saved.empty());

    // A failed save keeps every older backup and lists nothing new.
    succeed = false;
    EXPECT_FALSE(history.autoBackupProject(8, save));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(fs::exists(a1));
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{a2.wstring(), a1.wstring()}));

    // The next tick tries again; its success lists the file and drops the
    // oldest backup.
    succeed = true;
    EXPECT_TRUE(history.autoBackupProject(8, save));
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_TRUE(Edit::BackupHistory::isBackupName(fs::path(saved[1]).filename().wstring()));
    EXPECT_EQ(entries(history), (std::vector<std::wstring>{saved[1], a2.wstring()}));
    EXPECT_FALSE(fs::exists(a1));
    EXPECT_EQ(history.tryGetNewest(), saved[1]);

    // Unchanged since that backup: nothing.
    EXPECT_FALSE(history.autoBackupProject(8, save));
    EXPECT_EQ(saved.size(), 2u);

    // After a fatal error no backup runs any more.
    System::Process::exceptionOccurred = true;
    EXPECT_FALSE(history.autoBackupProject(9, save));
    EXPECT_EQ(saved.size(), 2u);
}

}  // namespace
