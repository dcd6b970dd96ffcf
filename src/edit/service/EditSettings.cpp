#include "edit/service/EditSettings.h"

#include "edit/service/EditService.h"

namespace Edit {

EditSettings::EditSettings(EditService& s, System::IniFile* ini)
    : editResume_{config_, "EditResume", &s.editResume, 0},
      autoBackup_{config_, "AutoBackup", &s.autoBackup, 1},
      autoBackupInterval_{config_, "AutoBackupInterval", &s.autoBackupInterval, 5},
      autoBackupFileMax_{config_, "AutoBackupFileMax", &s.autoBackupFileMax, 20},
      historyFileMax_{config_, "HistoryFileMax", &s.historyFileMax, 10},
      layerObjectMoveSnap_{config_, "LayerObjectMoveSnap", &s.layerObjectMoveSnap, 1},
      anchorObjectMoveSnap_{config_, "AnchorObjectMoveSnap", &s.anchorObjectMoveSnap, 1},
      singleClickFocusLayerObject_{config_, "SingleClickFocusLayerObject", &s.singleClickFocusLayerObject, 1},
      singleClickFocusAnchorObject_{config_, "SingleClickFocusAnchorObject", &s.singleClickFocusAnchorObject, 0},
      clickLayerObjectSelectGroup_{config_, "ClickLayerObjectSelectGroup", &s.clickLayerObjectSelectGroup, 1},
      clickAnchorObjectSelectGroup_{config_, "ClickAnchorObjectSelectGroup", &s.clickAnchorObjectSelectGroup, 1},
      displayObjectMovePoint_{config_, "DisplayObjectMovePoint", &s.displayObjectMovePoint, 1},
      displayObjectCenterAnchor_{config_, "DisplayObjectCenterAnchor", &s.displayObjectCenterAnchor, 0},
      mouseHoverHideOtherAnchor_{config_, "MouseHoverHideOtherAnchor", &s.mouseHoverHideOtherAnchor, 0},
      addSectionSplitByCursorFrame_{config_, "AddSectionSplitByCursorFrame", &s.addSectionSplitByCursorFrame, 0},
      fixedMovieTimeRange_{config_, "FixedMovieTimeRange", &s.fixedMovieTimeRange, 0},
      moveFrameSelectRangeMode_{config_, "MoveFrameSelectRangeMode", &s.moveFrameSelectRangeMode, 1},
      moveFrameFollowFocusObject_{config_, "MoveFrameFollowFocusObject", &s.moveFrameFollowFocusObject, 0},
      customMoveFrameA_{config_, "CustomMoveFrameA", &s.customMoveFrameA, L"5f"},
      customMoveFrameB_{config_, "CustomMoveFrameB", &s.customMoveFrameB, L"1"},
      customMoveFrameC_{config_, "CustomMoveFrameC", &s.customMoveFrameC, L"30"},
      customMoveFrameD_{config_, "CustomMoveFrameD", &s.customMoveFrameD, L"60"},
      outputCompleteSoundFile_{config_, "OutputCompleteSoundFile", &s.outputCompleteSoundFile, L""},
      altLeftClickToRightClick_{config_, "AltLeftClickToRightClick", &s.altLeftClickToRightClick, 0},
      adjustSceneByDropFile_{config_, "AdjustSceneByDropFile", &s.adjustSceneByDropFile, 0},
      scope_(config_, ini) {}

}  // namespace Edit
