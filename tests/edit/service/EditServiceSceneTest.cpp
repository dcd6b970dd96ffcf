#include "edit/service/EditService.h"

#include "core/event/DialogSeam.h"
#include "edit/scope/ScopeTestSupport.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using EditTest::kFigure;

std::wstring describe(const Dialog::SceneDialogValues& v) {
    const auto number = [](const std::optional<int>& n) { return n ? std::to_wstring(*n) : L"-"; };
    return v.name.value_or(L"-") + L" " + number(v.width) + L"x" + number(v.height) + L" " + number(v.rate) +
           L"/" + number(v.scale) + L" " + number(v.audioRate);
}

// Answers the next question with ok and, on OK, text or scene; records each
// question asked.
class Dialogs : public Dialog::DialogSeam {
public:
    Dialogs() { install(this); }
    ~Dialogs() override { install(nullptr); }

    bool confirm(const std::wstring& text) override {
        asked.push_back(L"confirm " + text);
        return ok;
    }
    bool inputString(const std::wstring& title, const std::wstring& label, std::wstring& value) override {
        asked.push_back(title + L" " + label + L" [" + value + L"]");
        if (ok) value = text;
        return ok;
    }
    bool sceneDialog(const std::wstring& title, Dialog::SceneDialogValues& values) override {
        asked.push_back(title + L" " + describe(values));
        if (ok) values = scene;
        return ok;
    }

    bool ok = true;
    std::wstring text;
    Dialog::SceneDialogValues scene;
    std::vector<std::wstring> asked;
};

class SceneOperations : public ::testing::Test, public ScopeTest::Fixture {
protected:
    SceneOperations() {
        events.getInstance()->sceneChange.add(this, [this](int id) { heard.push_back(id); });
    }
    ~SceneOperations() override { events.getInstance()->removeListener(this); }

    Edit::Scene& make(int id, bool withObject) {
        Edit::Scene& s = *edit.project.getOrCreateScene(id);
        if (withObject) {
            s.createObject(kFigure, 0, 0, 59);
            s.updateLayerObject();
        }
        return s;
    }
    std::vector<std::tuple<int, int, std::wstring>> list() const {
        std::vector<std::tuple<int, int, std::wstring>> scenes;
        for (const Edit::ScenePointer& s : edit.project.getSceneList())
            scenes.emplace_back(s->id, s->listOrder, s->name);
        return scenes;
    }
    int infoLines(const std::string& tag, const std::string& text) { return log.count(System::Log::INFO, tag, text); }

    Dialogs dialogs;
    TestSupport::LogCapture log;
    std::vector<int> heard;
};

TEST_F(SceneOperations, RenameAsksWithTheNameAndStoresTheAnswer) {
    make(2, false);
    edit.renameScene(5);  // no such scene: no question
    dialogs.ok = false;
    edit.renameScene(2);
    EXPECT_EQ(edit.project.getScene(2)->name, L"Scene2");
    dialogs.ok = true;
    dialogs.text = L"夜景";
    edit.renameScene(2);
    EXPECT_EQ(dialogs.asked, (std::vector<std::wstring>{L"シーン名を変更 名前 [Scene2]", L"シーン名を変更 名前 [Scene2]"}));
    EXPECT_EQ(edit.project.getScene(2)->name, L"夜景");
    EXPECT_EQ(heard, std::vector<int>{0});  // the current scene is announced
    EXPECT_EQ(infoLines("Edit::EditService::renameScene", "update scnene name [夜景](2)"), 1);
}

// A name pasted with line breaks into any of the name boxes is kept as one
// line, so the project can still be saved.
TEST_F(SceneOperations, ATypedNameWithLineBreaksBecomesOneLine) {
    make(1, false);
    const std::wstring pasted = L"夜\n景\r\nA\rB";
    const std::wstring oneLine = L"夜 景 A B";
    dialogs.text = pasted;
    dialogs.scene = {pasted, 640, 360, 30, 1, 48000};
    edit.renameScene(1);
    EXPECT_EQ(edit.project.getScene(1)->name, oneLine);
    edit.settingScene(1, L"x", 30, 1, 640, 360, 48000);
    EXPECT_EQ(edit.project.getScene(1)->name, oneLine);
    edit.duplicateScene(1);
    edit.createScene(L"y", 640, 360, 30, 1, 48000);
    int named = 0;
    for (const Edit::ScenePointer& s : edit.project.getSceneList()) {
        if (s->id != 0) {
            EXPECT_EQ(s->name, oneLine) << s->id;
            ++named;
        }
    }
    EXPECT_EQ(named, 3);  // the scene, its copy and the new one
}

TEST_F(SceneOperations, SettingStoresTheDialogsValues) {
    Edit::Scene& s = make(1, false);
    const auto values = [&] { return std::tuple(s.name, s.videoRate, s.videoScale, s.width, s.height, s.audioRate); };
    const auto before = values();
    edit.settingScene(7, L"A", 24, 1, 640, 480, 48000);  // no such scene
    dialogs.ok = false;
    edit.settingScene(1, L"A", 24, 1, 640, 480, 48000);
    EXPECT_EQ(values(), before);
    dialogs.ok = true;
    dialogs.scene = {L"B", 800, 600, 30000, 1001, 22050};
    edit.settingScene(1, L"A", 24, 1, 640, 480, 48000);
    // The dialog shows the values it was given.
    EXPECT_EQ(dialogs.asked,
              (std::vector<std::wstring>{L"シーンの設定 A 640x480 24/1 48000", L"シーンの設定 A 640x480 24/1 48000"}));
    EXPECT_EQ(values(), std::tuple(std::wstring(L"B"), 30000, 1001, 800, 600, 22050));
    EXPECT_EQ(heard, std::vector<int>{0});
    EXPECT_EQ(infoLines("Edit::EditService::settingScene", "update scnene setting [B](1)"), 1);
}

TEST_F(SceneOperations, CreateTakesTheNextFreeIdAndSwitchesToIt) {
    make(1, false);
    make(3, false);
    scene().width = 1280;
    scene().height = 720;
    scene().videoRate = 24000;
    scene().videoScale = 1001;
    scene().audioRate = 48000;
    dialogs.ok = false;
    EXPECT_FALSE(edit.createNewScene());
    EXPECT_EQ(edit.project.scenes.size(), 3u);
    EXPECT_EQ(edit.project.currentSceneId, 0);

    dialogs.ok = true;
    dialogs.scene = {L"タイトル", 320, 240, 25, 1, 32000};
    EXPECT_TRUE(edit.createNewScene());
    // The default name of id 2 and the current scene's format were offered.
    EXPECT_EQ(dialogs.asked, (std::vector<std::wstring>{L"シーンを作成 Scene2 1280x720 24000/1001 48000",
                                                        L"シーンを作成 Scene2 1280x720 24000/1001 48000"}));
    EXPECT_EQ(edit.project.currentSceneId, 2);
    EXPECT_EQ(scene().id, 2);
    EXPECT_EQ(undo.history, &scene().undoHistory);
    EXPECT_EQ(std::tuple(scene().name, scene().width, scene().height, scene().videoRate, scene().videoScale,
                         scene().audioRate),
              std::tuple(std::wstring(L"タイトル"), 320, 240, 25, 1, 32000));
    EXPECT_EQ(list().back(), std::tuple(2, 3, std::wstring(L"タイトル")));
    EXPECT_EQ(heard, std::vector<int>{2});
    EXPECT_EQ(infoLines("Edit::EditService::createScene", "set current scnene (create) [タイトル](2)"), 1);
}

TEST_F(SceneOperations, DuplicateFollowsItsSourceInTheList) {
    make(1, true).name = L"B";
    make(2, false).name = L"C";
    edit.duplicateScene(9);  // no such scene: no question
    dialogs.ok = false;
    edit.duplicateScene(1);
    EXPECT_EQ(edit.project.scenes.size(), 3u);

    dialogs.ok = true;
    dialogs.text = L"B copy";
    edit.duplicateScene(1);
    EXPECT_EQ(dialogs.asked, (std::vector<std::wstring>{L"シーンを複製 名前 []", L"シーンを複製 名前 []"}));
    using Row = std::tuple<int, int, std::wstring>;
    EXPECT_EQ(list(), (std::vector<Row>{{0, 0, L"Root"}, {1, 1, L"B"}, {3, 2, L"B copy"}, {2, 3, L"C"}}));
    const Edit::Scene& copy = *edit.project.getScene(3);
    EXPECT_EQ(copy.totalLength, 59);
    const Edit::Scene& source = *edit.project.getScene(1);
    EXPECT_NE(copy.getLayerObjectList(0).objects.front(), source.getLayerObjectList(0).objects.front());
    EXPECT_EQ(edit.project.currentSceneId, 0);
    EXPECT_EQ(heard, std::vector<int>{0});
    EXPECT_EQ(infoLines("Edit::EditService::duplicateScene", "duplicate scnene [B copy]"), 1);
}

TEST_F(SceneOperations, DeleteAsksOnlyForScenesHoldingObjects) {
    const struct {
        const char* what;
        bool currentFull, targetFull, targetCurrent, answer;
        std::vector<std::wstring> asked;
        bool deleted;
    } cases[] = {
        // A full current scene does not make an empty scene elsewhere ask.
        {"empty other", true, false, false, false, {}, true},
        {"full other, cancelled", false, true, false, false, {L"confirm シーンを削除しますか？"}, false},
        {"full other", false, true, false, true, {L"confirm シーンを削除しますか？"}, true},
        {"full current, cancelled", false, true, true, false, {L"confirm 現在のシーンを削除しますか？"}, false},
        {"full current", false, true, true, true, {L"confirm 現在のシーンを削除しますか？"}, true},
        {"empty current", false, false, true, false, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        edit.updateScene(0);
        edit.project.deleteScene(4);
        edit.project.deleteScene(5);
        make(4, c.targetFull);
        make(5, c.currentFull);
        edit.updateScene(c.targetCurrent ? 4 : 5);
        dialogs.asked.clear();
        heard.clear();
        log.lines.clear();
        dialogs.ok = c.answer;

        edit.deleteScene(4);
        EXPECT_EQ(dialogs.asked, c.asked);
        EXPECT_EQ(edit.project.getScene(4) == nullptr, c.deleted);
        EXPECT_EQ(infoLines("Edit::EditService::deleteScene", "delete scnene (4)"), c.deleted ? 1 : 0);
        if (c.deleted && c.targetCurrent) {
            EXPECT_EQ(edit.project.currentSceneId, 0);
            EXPECT_EQ(scene().id, 0);
            EXPECT_EQ(undo.history, &scene().undoHistory);
            EXPECT_EQ(heard, std::vector<int>{0});
            EXPECT_EQ(infoLines("Edit::EditService::updateScene", "set current scnene [Root](0)"), 1);
        } else {
            EXPECT_EQ(edit.project.currentSceneId, c.targetCurrent ? 4 : 5);
            EXPECT_EQ(heard, c.deleted ? std::vector<int>{5} : std::vector<int>{});
        }
    }
    dialogs.asked.clear();
    edit.deleteScene(0);
    edit.updateScene(0);
    edit.deleteScene(0);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_NE(edit.project.getScene(0), nullptr);
}

}  // namespace
