#include "edit/service/EditService.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/file/IniFile.h"
#include "edit/EditTestSupport.h"
#include "edit/undo/UndoService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> sectionLines(const System::IniFile& ini, const char* name) {
    std::vector<std::string> lines;
    for (const auto& [key, value] : ini.getSection(name)) lines.push_back(key + "=" + value.text);
    return lines;
}

TEST(EditSettings, LoadedFromTheMainSettingsAndWrittenBackWhole) {
    System::Singleton<System::IniFile> mainSettings;
    System::IniFile& ini = *mainSettings.getInstance();
    ini.loadMemory(
        "[Edit]\nEditResume=1\nDisplayObjectCenterAnchor=1\nCustomMoveFrameA=10f\nProjectWidth=640\n"
        "AutoBackup=x\nOutputCompleteSoundFile=/tmp/終了.wav\n");
    {
        EditTest::Registry registry;
        System::Singleton<Event::EventService> events;
        System::Singleton<Undo::UndoService> undo;
        Edit::EditService edit{&registry.service};
        EXPECT_EQ(edit.editResume, 1);
        EXPECT_EQ(edit.displayObjectCenterAnchor, 1);
        EXPECT_EQ(edit.customMoveFrameA, L"10f");
        EXPECT_EQ(edit.autoBackup, 1);  // unreadable: the default
        EXPECT_EQ(edit.outputCompleteSoundFile, L"/tmp/終了.wav");
        EXPECT_EQ(edit.anchorObjectMoveSnap, 1);  // missing: the default
        edit.anchorObjectMoveSnap = 0;
        edit.customMoveFrameD = L"2.5";
        edit.historyFileMax = 3;
    }
    // Keys already there keep their places, the project defaults of the
    // setting service stay, the missing ones follow in order.
    EXPECT_EQ(sectionLines(ini, "Edit"), (std::vector<std::string>{
                                             "EditResume=1",
                                             "DisplayObjectCenterAnchor=1",
                                             "CustomMoveFrameA=10f",
                                             "ProjectWidth=640",
                                             "AutoBackup=1",
                                             "OutputCompleteSoundFile=/tmp/終了.wav",
                                             "AutoBackupInterval=5",
                                             "AutoBackupFileMax=20",
                                             "HistoryFileMax=3",
                                             "LayerObjectMoveSnap=1",
                                             "AnchorObjectMoveSnap=0",
                                             "SingleClickFocusLayerObject=1",
                                             "SingleClickFocusAnchorObject=0",
                                             "ClickLayerObjectSelectGroup=1",
                                             "ClickAnchorObjectSelectGroup=1",
                                             "DisplayObjectMovePoint=1",
                                             "MouseHoverHideOtherAnchor=0",
                                             "AddSectionSplitByCursorFrame=0",
                                             "FixedMovieTimeRange=0",
                                             "MoveFrameSelectRangeMode=1",
                                             "MoveFrameFollowFocusObject=0",
                                             "CustomMoveFrameB=1",
                                             "CustomMoveFrameC=30",
                                             "CustomMoveFrameD=2.5",
                                             "AltLeftClickToRightClick=0",
                                             "AdjustSceneByDropFile=0",
                                         }));
}

}  // namespace
