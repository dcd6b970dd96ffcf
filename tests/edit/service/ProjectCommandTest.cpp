#include "edit/service/EditService.h"

#include "edit/scope/ScopeTestSupport.h"
#include "edit/service/ProjectFakeDialogs.h"
#include "effect/EffectConfTestSupport.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A new project's file, written out by hand from the file's layout.
std::string newProjectFile(const std::string& path, int width, int height, int rate,
                           int audioRate) {
    return "[project]\r\nversion=2001802\r\nfile=" + path + "\r\ndisplay.scene=0\r\n"
           "[scene.0]\r\nscene=0\r\nname=Root\r\nvideo.width=" + std::to_string(width) +
           "\r\nvideo.height=" + std::to_string(height) + "\r\nvideo.rate=" + std::to_string(rate) +
           "\r\nvideo.scale=1\r\naudio.rate=" + std::to_string(audioRate) +
           "\r\ncursor.frame=0\r\ndisplay.frame=0\r\n"
           "display.layer=0\r\ndisplay.zoom=10000\r\ndisplay.order=0\r\ndisplay.camera=\r\n"
           "display.grid.x=16,-16\r\ndisplay.grid.y=16,-16\r\ndisplay.grid.width=200\r\n"
           "display.grid.height=200\r\ndisplay.grid.step=200.000000\r\n"
           "display.grid.range=10000.000000\r\n"
           "display.tempo.bpm=120.000000\r\ndisplay.tempo.beat=4\r\ndisplay.tempo.offset=0.000000\r\n";
}

Dialog::SceneDialogValues sceneValues(int width, int height, int rate, int scale, int audioRate) {
    Dialog::SceneDialogValues values;
    values.width = width;
    values.height = height;
    values.rate = rate;
    values.scale = scale;
    values.audioRate = audioRate;
    return values;
}

class ProjectCommand : public ::testing::Test, public ScopeTest::Fixture {
protected:
    ProjectCommand() {
        events.getInstance()->sceneChange.add(this, [this](int id) { sceneChanges.push_back(id); });
        edit.projectHooks.setProgress = [this](const wchar_t* text) { progress.push_back(text); };
        edit.projectHooks.addProjectHistory = [this](const std::wstring& path) { history.push_back(path); };
        edit.projectHooks.updateAutoBackupTimer = [this] { ++backupTimerArmed; };
    }
    ~ProjectCommand() override { events.getInstance()->sceneChange.remove(this); }

    std::string file(const char* name) const { return (folder.path() / name).string(); }
    std::wstring wide(const char* name) const { return (folder.path() / name).wstring(); }
    std::string bytes(const char* name) const { return CoreTest::readBytes(file(name)); }
    int loadFailures() {
        int n = 0;
        for (const auto& line : registry.env.log.of(System::Log::ERROR))
            n += line.tag == "Edit::EditService::loadProject";
        return n;
    }

    EffectTest::EffectConf conf{registry.env.folder, ""};
    CoreTest::TempFolder folder;
    ProjectTest::FakeDialogs dialogs;
    std::vector<int> sceneChanges;
    std::vector<std::wstring> progress;
    std::vector<std::wstring> history;
    int backupTimerArmed = 0;
};

TEST_F(ProjectCommand, NewSaveCloseOpenSaveAndSaveAsRoundTripByteForByte) {
    // New: the scene dialog offers the Edit group's values without a name.
    dialogs.sceneAnswers.push_back(sceneValues(640, 480, 24, 1, 48000));
    edit.createProject();
    ASSERT_EQ(dialogs.sceneTitles, std::vector<std::wstring>{L"プロジェクトを新規作成"});
    const Dialog::SceneDialogValues& offered = dialogs.sceneOffers.at(0);
    EXPECT_FALSE(offered.name.has_value());
    EXPECT_EQ(std::vector<int>({*offered.width, *offered.height, *offered.rate, *offered.scale,
                                *offered.audioRate}),
              std::vector<int>({1920, 1080, 30, 1, 44100}));
    EXPECT_EQ(scene().width, 640);
    EXPECT_EQ(scene().videoRate, 24);
    EXPECT_EQ(scene().audioRate, 48000);
    EXPECT_EQ(backupTimerArmed, 1);
    EXPECT_TRUE(edit.project.path.empty());
    EXPECT_FALSE(undo.modified);

    // Save without a file asks for one, starting empty, with the project filter.
    undo.modified = true;
    dialogs.fileAnswers.push_back(wide("a.mvp2"));
    edit.saveProjectOverwrite();
    ASSERT_EQ(dialogs.saveStarts, std::vector<std::wstring>{L""});
    EXPECT_EQ(dialogs.saveFlags, std::vector<unsigned>{Dialog::OFN_OVERWRITEPROMPT});
    EXPECT_EQ(dialogs.filters.at(0),
              std::wstring(L"ProjectFile (*.mvp2)\0*.mvp2\0AllFile (*.*)\0*.*\0\0", 47));
    const std::string first = bytes("a.mvp2");
    EXPECT_EQ(first, newProjectFile(file("a.mvp2"), 640, 480, 24, 48000));
    EXPECT_EQ(edit.project.path, wide("a.mvp2"));
    EXPECT_FALSE(undo.modified);
    EXPECT_EQ(progress, std::vector<std::wstring>({L"Saving...", L""}));
    EXPECT_EQ(history, std::vector<std::wstring>{wide("a.mvp2")});

    // Close, then open with the path adopted.
    edit.clearProject();
    EXPECT_TRUE(edit.project.path.empty());
    EXPECT_EQ(scene().width, 640);  // a fresh scene takes the last new project's values
    edit.project.getOrCreateScene(0)->width = 1;
    ASSERT_TRUE(edit.loadProject(wide("a.mvp2"), true, true));
    EXPECT_TRUE(dialogs.confirms.empty());
    EXPECT_EQ(scene().width, 640);
    EXPECT_EQ(edit.project.path, wide("a.mvp2"));
    EXPECT_EQ(progress, std::vector<std::wstring>({L"Saving...", L"", L"Loading...", L""}));
    EXPECT_EQ(history.back(), wide("a.mvp2"));

    // Save writes the same bytes to the same file without asking.
    std::filesystem::remove(file("a.mvp2"));
    edit.saveProjectOverwrite();
    EXPECT_EQ(dialogs.saveStarts.size(), 1u);
    EXPECT_EQ(bytes("a.mvp2"), first);

    // Save as: the new name is announced before the write and stored in it.
    sceneChanges.clear();
    dialogs.fileAnswers.push_back(wide("b.mvp2"));
    edit.saveProjectAs();
    EXPECT_EQ(dialogs.saveStarts.back(), wide("a.mvp2"));
    EXPECT_EQ(sceneChanges, std::vector<int>{0});
    EXPECT_EQ(bytes("b.mvp2"), newProjectFile(file("b.mvp2"), 640, 480, 24, 48000));
    EXPECT_EQ(edit.project.path, wide("b.mvp2"));

    // The next new project proposes the last one's values; cancelling changes nothing.
    edit.createProject();
    EXPECT_EQ(*dialogs.sceneOffers.at(1).width, 640);
    EXPECT_EQ(*dialogs.sceneOffers.at(1).audioRate, 48000);
    EXPECT_EQ(edit.project.path, wide("b.mvp2"));
    EXPECT_TRUE(lockFree());
}

TEST_F(ProjectCommand, AFailedOpenAdoptsNoPathSoTheNextSaveAsksForAName) {
    const std::string broken[] = {
        "",
        std::string("\x00\xff\x13garbage", 10),
        "[scene.0]\nscene=0\nvideo.width=640\n",
    };
    for (const std::string& text : broken) {
        SCOPED_TRACE(text);
        CoreTest::writeBytes(file("work.mvp2"), text);
        undo.modified = false;
        history.clear();
        dialogs.saveStarts.clear();
        const int failures = loadFailures();

        EXPECT_TRUE(edit.loadProject(wide("work.mvp2"), true, true));
        EXPECT_EQ(loadFailures(), failures + 1);
        EXPECT_TRUE(edit.project.path.empty());
        EXPECT_EQ(edit.project.scenes.size(), 1u);
        EXPECT_EQ(scene().id, 0);
        EXPECT_TRUE(history.empty());

        // An edit, then Save: a name is asked for; cancelling keeps the file.
        undo.modified = true;
        edit.saveProjectOverwrite();
        EXPECT_EQ(dialogs.saveStarts, std::vector<std::wstring>{L""});
        EXPECT_EQ(bytes("work.mvp2"), text);
        EXPECT_TRUE(undo.modified);
    }
    EXPECT_TRUE(lockFree());
}

TEST_F(ProjectCommand, OpeningAMissingFileShowsTheErrorAndKeepsTheProject) {
    TestSupport::useTestDisplay();
    TestSupport::MessageBoxWatcher boxes;
    edit.project.path = wide("kept.mvp2");
    edit.project.getOrCreateScene(3);
    undo.modified = true;
    for (const char* name : {"missing.mvp2", "."}) {
        EXPECT_FALSE(edit.loadProject(wide(name), true, true));
    }
    ASSERT_EQ(boxes.boxes.size(), 2u);
    for (const TestSupport::SeenBox& box : boxes.boxes) {
        EXPECT_EQ(box.title, "Movane Quorin2");
        EXPECT_EQ(box.text, "指定のファイルが存在しません");
    }
    EXPECT_TRUE(dialogs.confirms.empty());
    EXPECT_EQ(edit.project.path, wide("kept.mvp2"));
    EXPECT_EQ(edit.project.scenes.size(), 2u);
    EXPECT_TRUE(undo.modified);
}

TEST_F(ProjectCommand, TheDiscardQuestionGuardsUnsavedEditsOnly) {
    bool restart = false;
    edit.projectHooks.restartRequested = [&] { return restart; };
    struct Case {
        bool modified, restart;
        bool answer;
        bool asked, result;
    };
    const Case cases[] = {
        {false, false, false, false, true},
        {true, false, true, true, true},
        {true, false, false, true, false},
        {true, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.modified << c.restart << c.answer);
        undo.modified = c.modified;
        restart = c.restart;
        dialogs.confirms.clear();
        dialogs.confirmAnswers = {c.answer};
        EXPECT_EQ(edit.confirmDiscardProject(), c.result);
        EXPECT_EQ(dialogs.confirms,
                  std::vector<std::wstring>(c.asked ? 1 : 0, L"現在の編集データは破棄されますがよろしいですか？"));
    }
    restart = false;

    // Declined: neither an open nor a new project replaces the edits.
    Edit::Project other(&registry.service);
    other.getOrCreateScene(5);
    Edit::Project::saveProjectFile(other, wide("other.mvp2"));
    edit.project.path = wide("mine.mvp2");
    undo.modified = true;
    dialogs.confirmAnswers = {false, false};
    EXPECT_FALSE(edit.loadProject(wide("other.mvp2"), true, true));
    edit.createProject();
    EXPECT_TRUE(dialogs.sceneTitles.empty());
    EXPECT_EQ(edit.project.path, wide("mine.mvp2"));
    EXPECT_FALSE(edit.project.getScene(5));

    // A failed save leaves the edits guarded; the footer and the list still
    // end as after a success.
    progress.clear();
    EXPECT_FALSE(edit.saveProject(wide("no-such-folder/mine.mvp2"), false));
    EXPECT_TRUE(undo.modified);
    EXPECT_EQ(progress, std::vector<std::wstring>({L"Saving...", L""}));
    EXPECT_EQ(history, std::vector<std::wstring>{wide("mine.mvp2")});
    dialogs.confirms.clear();
    dialogs.confirmAnswers = {false};
    EXPECT_FALSE(edit.confirmDiscardProject());
    EXPECT_EQ(dialogs.confirms.size(), 1u);

    // Accepted: the open goes on.
    dialogs.confirmAnswers = {true};
    EXPECT_TRUE(edit.loadProject(wide("other.mvp2"), true, true));
    EXPECT_TRUE(edit.project.getScene(5));
    EXPECT_FALSE(undo.modified);
}

TEST_F(ProjectCommand, ResumeFilesKeepTheirProjectsPathAndQuietSavesTouchNothing) {
    std::vector<std::string> handlers;
    events.getInstance()->projectSave.add(&handlers, [&] {
        handlers.push_back("first");
        throw std::runtime_error("plugin");
    });
    events.getInstance()->projectSave.add(&handlers, [&] { handlers.push_back("second"); });

    edit.project.path = L"/home/u/orig.mvp2";
    edit.project.getOrCreateScene(0)->width = 800;
    undo.modified = true;
    ASSERT_TRUE(edit.saveProject(wide("resume.mvp2"), true));
    EXPECT_EQ(handlers, std::vector<std::string>{"first"});
    // The edits are in no file of the project's own.
    EXPECT_TRUE(undo.modified);
    EXPECT_TRUE(progress.empty());
    EXPECT_TRUE(history.empty());
    events.getInstance()->projectSave.remove(&handlers);

    edit.clearProject();
    ASSERT_TRUE(edit.loadProject(wide("resume.mvp2"), false, false));
    EXPECT_EQ(edit.project.path, L"/home/u/orig.mvp2");
    EXPECT_EQ(scene().width, 800);
    EXPECT_EQ(history, std::vector<std::wstring>{L"/home/u/orig.mvp2"});

    // Save as to the own path in another letter case is another path: the
    // name changes (announced) before the write.
    edit.project.path = wide("Case.mvp2");
    sceneChanges.clear();
    dialogs.fileAnswers = {wide("case.mvp2"), wide("case.mvp2")};
    edit.saveProjectAs();
    EXPECT_EQ(edit.project.path, wide("case.mvp2"));
    EXPECT_EQ(sceneChanges, std::vector<int>{0});
    edit.saveProjectAs();
    EXPECT_EQ(sceneChanges, std::vector<int>{0});
    EXPECT_NE(bytes("case.mvp2").find("file=" + file("case.mvp2") + "\r\n"), std::string::npos);
}

TEST_F(ProjectCommand, SceneOperationsAreUnsavedWorkThatOnlyTheProjectsOwnFileHolds) {
    edit.project.path = wide("own.mvp2");
    const std::function<void()> operations[] = {
        [&] {
            dialogs.sceneAnswers.push_back(sceneValues(320, 240, 30, 1, 48000));
            ASSERT_TRUE(edit.createNewScene());
        },
        [&] {
            dialogs.sceneAnswers.push_back(sceneValues(640, 240, 30, 1, 48000));
            edit.settingScene(1, L"S", 30, 1, 320, 240, 48000);
            ASSERT_EQ(edit.project.getScene(1)->width, 640);
        },
        [&] {
            edit.deleteScene(1);
            ASSERT_FALSE(edit.project.getScene(1));
        },
    };
    for (const auto& operation : operations) {
        undo.modified = false;
        operation();
        EXPECT_TRUE(undo.modified);
    }
    // A backup (a quiet save elsewhere) leaves the question in place.
    ASSERT_TRUE(edit.saveProject(wide("backup.mvp2"), true));
    EXPECT_TRUE(undo.modified);
    dialogs.confirmAnswers = {false};
    EXPECT_FALSE(edit.confirmDiscardProject());
    EXPECT_EQ(dialogs.confirms.size(), 1u);
    // The project's own file holds the work.
    edit.saveProjectOverwrite();
    EXPECT_FALSE(undo.modified);
    EXPECT_TRUE(edit.confirmDiscardProject());
    EXPECT_TRUE(lockFree());
}

}  // namespace
