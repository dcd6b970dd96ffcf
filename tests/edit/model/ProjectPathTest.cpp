// Media paths of a project opened from another folder than it was saved in.
#include "edit/model/Project.h"

#include "core/text/StringConvert.h"
#include "edit/EditTestSupport.h"
#include "effect/item/EffectItemFile.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace EditTest;

constexpr const wchar_t* kImage = L"画像ファイル";

class Image : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = kImage;
    Image() : EffectBase(kImage, Effect::EffectKind::Input, Effect::MediaKind::Video, Effect::MediaKind::Video, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Image>(); }
    Effect::EffectItemFile file{items, L"ファイル", L"", L"\0\0"};
};

class ProjectPaths : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        registry.service.registerEffect<Image>();
        old = (root.path() / "old").wstring() + L"/";
        moved = (root.path() / "new").wstring() + L"/";
        for (const char* file : {"new/a.png", "new/sub/c.png", "old/b.png"}) {
            std::filesystem::create_directories((root.path() / file).parent_path());
            CoreTest::writeBytes((root.path() / file).string(), "x");
        }
        project.path = old + L"project.mvp2";
        // Items on two scenes and several layers.
        const std::vector<std::pair<int, std::wstring>> placed = {
            {0, old + L"a.png"},                // missing under the old folder
            {0, old + L"b.png"},                // still there
            {1, old + L"sub/c.png"},
            {1, old + L"nested" + old + L"f.png"},  // the folder text again inside
            {1, root.path().wstring() + L"/OLD/e.png"},  // another folder on Linux
            {1, L"/elsewhere/d.png"},
            {1, L""},
        };
        int frame = 0;
        for (const auto& [id, path] : placed) {
            Edit::Scene& scene = *project.getOrCreateScene(id);
            scene.createObject(kImage, frame % 3, frame, frame + 5)->effectList[0]->items[0]->setFilePath(path.c_str());
            scene.updateLayerObject();
            frame += 10;
        }
    }
    std::vector<std::wstring> paths() const {
        std::vector<std::wstring> list;
        for (const auto& scene : project.getSceneList())
            for (int k = 0; k <= scene->lastLayer; ++k)
                for (const auto& object : scene->getLayerObjectList(k).objects)
                    list.push_back(object->effectList[0]->items[0]->getFilePath());
        std::sort(list.begin(), list.end());
        return list;
    }

    CoreTest::TempFolder root;
    Registry registry;
    Edit::Project project{&registry.service};
    std::wstring old, moved;
};

TEST_F(ProjectPaths, MissingFilesUnderTheOldFolderMoveAfterOneQuestion) {
    TestSupport::MessageBoxWatcher watcher;
    project.updateEffectItemFilePath(moved + L"project.mvp2");
    ASSERT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(watcher.boxes[0].text.rfind("プロジェクトファイルのパスが変更されています。", 0), 0u);
    std::vector<std::wstring> expected = {
        moved + L"a.png",
        old + L"b.png",
        moved + L"sub/c.png",
        moved + L"nested" + old + L"f.png",
        root.path().wstring() + L"/OLD/e.png",
        L"/elsewhere/d.png",
        L"",
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(paths(), expected);
}

TEST_F(ProjectPaths, CancelChangesNothing) {
    const std::vector<std::wstring> before = paths();
    TestSupport::MessageBoxWatcher watcher(-6 /* Cancel */);
    project.updateEffectItemFilePath(moved + L"project.mvp2");
    EXPECT_EQ(watcher.boxes.size(), 1u);
    EXPECT_EQ(paths(), before);

    // Nothing qualifies: no question at all.
    project.path = L"project.mvp2";
    project.updateEffectItemFilePath(moved + L"project.mvp2");
    EXPECT_EQ(watcher.boxes.size(), 1u);
}

TEST_F(ProjectPaths, AFolderWhoseNameHoldsALineBreakIsNotTakenOver) {
    // The project opened from such a folder: its paths could not be written
    // into the project again, so none is moved there and no question is
    // asked; the project still saves.
    const std::wstring broken = (root.path() / "new\nplace").wstring() + L"/";
    std::filesystem::create_directories(root.path() / "new\nplace");
    CoreTest::writeBytes((root.path() / "new\nplace" / "a.png").string(), "x");
    const std::vector<std::wstring> before = paths();
    TestSupport::MessageBoxWatcher watcher;
    project.updateEffectItemFilePath(broken + L"project.mvp2");
    EXPECT_TRUE(watcher.boxes.empty());
    EXPECT_EQ(paths(), before);
    EXPECT_NO_THROW(Edit::Project::saveProjectFile(project, (root.path() / "saved.mvp2").wstring()));
}

}  // namespace
