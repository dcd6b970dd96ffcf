#include "edit/service/EditService.h"

#include "edit/scope/ScopeTestSupport.h"
#include "effect/EffectConfTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class QroCommand : public ::testing::Test, public ScopeTest::Fixture {
protected:
    QroCommand() {
        events.getInstance()->sceneChange.add(this, [this](int id) {
            changes.push_back(id);
            // Listeners run after the lock was released.
            EXPECT_TRUE(lockFree());
        });
    }
    ~QroCommand() override { events.getInstance()->sceneChange.remove(this); }

    std::wstring write(const std::string& ascii, const char* name) {
        const std::filesystem::path path = folder.path() / name;
        CoreTest::writeBytes(path.string(), ascii);
        return path.wstring();
    }

    EffectTest::EffectConf conf{registry.env.folder, ""};
    CoreTest::TempFolder folder;
    std::vector<int> changes;
};

TEST_F(QroCommand, AnImportedSceneBecomesCurrentAndIsAnnounced) {
    // "図形" in the legacy code page.
    const std::wstring path = write("[quorin]\nwidth=320\nheight=240\nrate=30\nscale=1\n"
                                    "[0]\nlayer=2\nstart=3\nend=9\n[0.0]\n_name=\x90\x7d\x8c\x60\n",
                                    "take.qro");
    edit.project.getOrCreateScene(1);
    ASSERT_FALSE(undo.modified);
    ASSERT_TRUE(edit.importQroScene(path));
    // Unsaved work: closing the project asks first.
    EXPECT_TRUE(undo.modified);
    EXPECT_EQ(edit.project.currentSceneId, 2);
    EXPECT_EQ(scene().id, 2);
    EXPECT_EQ(scene().name, L"take");
    EXPECT_EQ(scene().getLayerObjectList(1).objects.at(0)->start, 2);
    EXPECT_EQ(changes, std::vector<int>{2});
    EXPECT_TRUE(lockFree());
    EXPECT_EQ(registry.env.infoLines("Edit::EditService::updateScene"),
              std::vector<std::string>{"set current scnene [take](2)"});
}

TEST_F(QroCommand, AFailedImportLeavesTheProjectAsItWas) {
    EXPECT_FALSE(edit.importQroScene(write("[quorin]\nwidth=320\n", "bad.qro")));
    EXPECT_FALSE(edit.importQroScene((folder.path() / "missing.qro").wstring()));
    EXPECT_EQ(edit.project.currentSceneId, 0);
    EXPECT_EQ(scene().id, 0);
    EXPECT_EQ(edit.project.scenes.size(), 1u);
    EXPECT_FALSE(undo.modified);
    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(lockFree());
}

}  // namespace
