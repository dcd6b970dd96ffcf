#include "edit/service/EditService.h"

#include "core/base/Process.h"
#include "core/event/DialogSeam.h"
#include "core/event/EventService.h"
#include "edit/EditTestSupport.h"
#include "edit/scope/EditScope.h"
#include "edit/undo/UndoService.h"
#include "support/ScratchProgramFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Edit::OptionKey;

// Answers the confirmation from a flag and records the questions.
class FakeDialogs : public Dialog::DialogSeam {
public:
    FakeDialogs() { install(this); }
    ~FakeDialogs() override { install(nullptr); }
    bool confirm(const std::wstring& text) override {
        asked.push_back(text);
        return answer;
    }
    bool answer = true;
    std::vector<std::wstring> asked;
};

const std::wstring kRecoveryQuestion = L"前回アプリケーションが正常に終了しませんでした\n\nプロジェクトを復元しますか？";

// The data folder of a scratch program folder, with an edit service that
// starts in it.
class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        events.getInstance()->sceneChange.add(this, [this](int id) { sceneChanges.push_back(id); });
    }
    ~StartupTest() override {
        events.getInstance()->removeListener(this);
        System::Process::exceptionOccurred = false;
        fs::remove_all(folder);
    }

    fs::path data() const { return folder / "data"; }
    fs::path backups() const { return data() / "Backup"; }

    // A project file whose scene 0 is named after it and which remembers
    // the path it was saved from.
    fs::path makeProject(const fs::path& file, const std::wstring& sceneName, const std::wstring& savedFrom) {
        Edit::Project project(&registry.service);
        project.getOrCreateScene(0)->name = sceneName;
        project.path = savedFrom;
        Edit::Project::saveProjectFile(project, file.wstring());
        return file;
    }
    std::wstring sceneName() { return edit.getCurrentScene()->name; }
    std::vector<std::string> backupFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(backups())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void edited() {
        Edit::EditScope scope(edit);
        edit.getCurrentScene()->name = L"edited";
    }

    EditTest::Registry registry;
    // After the registry, which points the path variables at a folder of
    // its own; before the service, which reads its lists from this one.
    fs::path folder = TestSupport::makeScratchProgramFolder("movane2-startup-");
    System::Singleton<Event::EventService> events;
    System::Singleton<Undo::UndoService> undoHolder;
    Edit::EditService edit{&registry.service};
    FakeDialogs dialogs;
    std::vector<int> sceneChanges;
};

Edit::OptionTable options(std::initializer_list<std::pair<const OptionKey, std::wstring>> entries) {
    Edit::OptionTable table;
    for (const auto& [key, value] : entries) table[static_cast<int>(key)] = value;
    return table;
}

TEST_F(StartupTest, AcceptedRecoveryOpensOnlyTheRecoverFile) {
    makeProject(data() / "recover.mvp2", L"recovered", L"/work/film.mvp2");
    const fs::path named = makeProject(folder / "named.mvp2", L"named", L"");
    makeProject(data() / "resume.mvp2", L"resumed", L"");
    edit.editResume = 1;
    edit.applicationBegin(options({{OptionKey::Project, named.wstring()}}));
    EXPECT_EQ(dialogs.asked, std::vector<std::wstring>{kRecoveryQuestion});
    EXPECT_EQ(sceneName(), L"recovered");
    // The project keeps the name it was saved from.
    EXPECT_EQ(edit.project.path, L"/work/film.mvp2");
    EXPECT_FALSE(fs::exists(data() / "recover.mvp2"));
}

TEST_F(StartupTest, DeclinedRecoveryGoesOnAsIfThereWasNone) {
    makeProject(data() / "recover.mvp2", L"recovered", L"");
    const fs::path named = makeProject(folder / "named.mvp2", L"named", L"/elsewhere/named.mvp2");
    dialogs.answer = false;
    edit.applicationBegin(options({{OptionKey::Project, named.wstring()}}));
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_FALSE(fs::exists(data() / "recover.mvp2"));
    EXPECT_EQ(sceneName(), L"named");
    // A project named on the command line becomes the project path and
    // heads the recent-project list.
    EXPECT_EQ(edit.project.path, named.wstring());
    EXPECT_EQ(edit.projectHistory.getFileName(0), named.wstring());
}

// A relative name on the command line is made absolute, so that the recent
// project list finds it from any folder.
TEST_F(StartupTest, RelativeCommandLineProjectBecomesAbsolute) {
    makeProject(folder / "named.mvp2", L"named", L"");
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    edit.applicationBegin(options({{OptionKey::Project, L"./sub/../named.mvp2"}}));
    fs::current_path(previous);
    EXPECT_EQ(sceneName(), L"named");
    EXPECT_EQ(edit.project.path, (folder / "named.mvp2").wstring());
}

TEST_F(StartupTest, RestartOpensTheRestartFileOnly) {
    const fs::path named = makeProject(folder / "named.mvp2", L"named", L"");
    makeProject(data() / "resume.mvp2", L"resumed", L"");
    edit.editResume = 1;

    // Without a restart file nothing opens: neither the named project nor
    // the resume file.
    edit.applicationBegin(options({{OptionKey::Restart, L""}, {OptionKey::Project, named.wstring()}}));
    EXPECT_EQ(sceneName(), L"Root");
    EXPECT_TRUE(dialogs.asked.empty());

    makeProject(data() / "restart.mvp2", L"restarted", L"/work/film.mvp2");
    edit.applicationBegin(options({{OptionKey::Restart, L""}, {OptionKey::Project, named.wstring()}}));
    EXPECT_EQ(sceneName(), L"restarted");
    EXPECT_EQ(edit.project.path, L"/work/film.mvp2");
    EXPECT_FALSE(fs::exists(data() / "restart.mvp2"));
}

TEST_F(StartupTest, ResumeOpensTheResumeFileAndKeepsIt) {
    // Resume off: no file opens, and the windows hear of the current scene.
    makeProject(data() / "resume.mvp2", L"resumed", L"/work/film.mvp2");
    edit.applicationBegin({});
    EXPECT_EQ(sceneName(), L"Root");
    EXPECT_EQ(sceneChanges, std::vector<int>{0});

    edit.editResume = 1;
    sceneChanges.clear();
    edit.applicationBegin({});
    EXPECT_EQ(sceneName(), L"resumed");
    EXPECT_EQ(edit.project.path, L"/work/film.mvp2");
    EXPECT_TRUE(fs::exists(data() / "resume.mvp2"));

    // Resume on without a resume file: nothing opens, nothing is announced.
    fs::remove(data() / "resume.mvp2");
    sceneChanges.clear();
    Edit::EditService fresh(&registry.service);
    fresh.editResume = 1;
    fresh.applicationBegin({});
    EXPECT_EQ(fresh.getCurrentScene()->name, L"Root");
    EXPECT_TRUE(sceneChanges.empty());
}

TEST_F(StartupTest, ExitWritesTheResumeFileWhenAsked) {
    edited();
    edit.saveResumeProject();
    EXPECT_FALSE(fs::exists(data() / "resume.mvp2"));

    edit.editResume = 1;
    edit.saveResumeProject();
    ASSERT_TRUE(fs::exists(data() / "resume.mvp2"));
    Edit::Project reread(&registry.service);
    Edit::Project::loadProjectFile(reread, (data() / "resume.mvp2").wstring());
    EXPECT_EQ(reread.getScene(0)->name, L"edited");

    // After a fatal error the resume file is not written.
    fs::remove(data() / "resume.mvp2");
    System::Process::exceptionOccurred = true;
    edit.saveResumeProject();
    EXPECT_FALSE(fs::exists(data() / "resume.mvp2"));
}

TEST_F(StartupTest, ATerminationRequestEndsALongLoadAndTheResumeFileStays) {
    Edit::Project big(&registry.service);
    for (int id = 0; id < 3000; ++id) big.getOrCreateScene(id)->name = L"big";
    Edit::Project::saveProjectFile(big, (data() / "resume.mvp2").wstring());
    const std::string resume = read(data() / "resume.mvp2");

    edit.editResume = 1;
    System::Process::terminationRequested = true;
    edit.applicationBegin({});
    edit.saveResumeProject();
    System::Process::terminationRequested = false;
    EXPECT_EQ(edit.project.scenes.size(), 1u);
    EXPECT_EQ(sceneName(), L"Root");
    EXPECT_EQ(read(data() / "resume.mvp2"), resume);
}

TEST_F(StartupTest, StartAppliesTheListSizesAndDeletesSurplusBackups) {
    for (const char* name : {"AutoBackup_2026-01-01_10-00-00-000.mvp2", "AutoBackup_2026-01-02_10-00-00-000.mvp2",
                             "AutoBackup_2026-01-03_10-00-00-000.mvp2"})
        std::ofstream(backups() / name) << "x";
    std::ofstream(data() / "history.ini", std::ios::binary)
        << "[project]\r\n1=/p/1.mvp2\r\n2=/p/2.mvp2\r\n3=/p/3.mvp2\r\n4=/p/4.mvp2\r\n5=/p/5.mvp2\r\n";
    Edit::EditService service(&registry.service);
    EXPECT_EQ(service.projectHistory.getFileList().size(), 5u);  // kept until the settings apply
    service.historyFileMax = 3;
    service.autoBackupFileMax = 2;
    service.applicationBegin({});
    EXPECT_EQ(backupFiles(), (std::vector<std::string>{"AutoBackup_2026-01-02_10-00-00-000.mvp2",
                                                       "AutoBackup_2026-01-03_10-00-00-000.mvp2"}));
    EXPECT_EQ(service.projectHistory.getFileName(2), L"/p/3.mvp2");
    EXPECT_EQ(service.projectHistory.getFileName(3), L"");
}

TEST_F(StartupTest, AutomaticBackupTicksWriteOnlyAfterEdits) {
    std::function<void()> tick;
    int period = 0;
    edit.backupHistory.timer.set = [&](int elapse, std::function<void()> callback) {
        period = elapse;
        tick = std::move(callback);
    };
    edit.backupHistory.timer.clear = [&] { tick = nullptr; };

    // No timer without a positive interval.
    edit.autoBackupInterval = 0;
    edit.applicationBegin({});
    EXPECT_FALSE(tick);
    edit.autoBackupInterval = 3;
    edit.updateAutoBackupTimer();
    ASSERT_TRUE(tick);
    EXPECT_EQ(period, 180000);

    tick();
    EXPECT_TRUE(backupFiles().empty());  // unchanged since the start
    edited();
    tick();
    ASSERT_EQ(backupFiles().size(), 1u);
    tick();
    EXPECT_EQ(backupFiles().size(), 1u);  // unchanged since the last backup
    EXPECT_EQ(edit.backupHistory.getFileName(0), (backups() / backupFiles()[0]).wstring());

    edit.autoBackup = 0;
    edit.updateAutoBackupTimer();
    EXPECT_FALSE(tick);
    // The exit stops the timer as well.
    edit.autoBackup = 1;
    edit.updateAutoBackupTimer();
    edit.saveResumeProject();
    EXPECT_FALSE(tick);
}

TEST_F(StartupTest, RecoveryWritesTheEmergencyBackupOnce) {
    edited();
    std::ofstream(data() / "resume.mvp2") << "old";
    edit.applicationRecovery();
    EXPECT_TRUE(System::Process::exceptionOccurred);
    ASSERT_EQ(backupFiles().size(), 1u);
    EXPECT_EQ(backupFiles()[0].rfind("ExceptionBackup_", 0), 0u);
    EXPECT_EQ(read(data() / "recover.mvp2"), read(backups() / backupFiles()[0]));
    EXPECT_NE(read(data() / "recover.mvp2").find("edited"), std::string::npos);
    EXPECT_FALSE(fs::exists(data() / "resume.mvp2"));

    fs::remove(data() / "recover.mvp2");
    edit.applicationRecovery();
    EXPECT_FALSE(fs::exists(data() / "recover.mvp2"));
    EXPECT_EQ(backupFiles().size(), 1u);
}

// While an edit holds the project lock the model is not read: the newest
// backup becomes the recovery project.
TEST_F(StartupTest, RecoveryDuringAnEditCopiesTheNewestBackup) {
    std::ofstream(backups() / "AutoBackup_2026-01-01_10-00-00-000.mvp2") << "older";
    std::ofstream(backups() / "AutoBackup_2026-01-02_10-00-00-000.mvp2") << "newest";
    Edit::EditService service(&registry.service);
    service.getLock().lock();
    std::thread([&] { service.applicationRecovery(); }).join();
    // The thread that holds the lock itself does not wait for it.
    service.applicationRecovery();
    service.getLock().unlock();
    EXPECT_EQ(read(data() / "recover.mvp2"), "newest");
    EXPECT_EQ(backupFiles().size(), 2u);

    // The holder itself faulting in the middle of an edit.
    fs::remove(data() / "recover.mvp2");
    Edit::EditService other(&registry.service);
    other.getLock().lock();
    other.applicationRecovery();
    other.getLock().unlock();
    EXPECT_EQ(read(data() / "recover.mvp2"), "newest");
}

}  // namespace
