#pragma once
// The "Edit" group of the main settings file as the edit service keeps it:
// binds the service's option members, loads them when built and writes them
// back when destroyed. The project defaults of the same section belong to
// the setting service; each group writes only its own keys.
#include "core/file/Config.h"

namespace Edit {

class EditService;

class EditSettings {
public:
    // Loads from the given store; without one (no settings file) every
    // option takes its default and nothing is written back.
    EditSettings(EditService& service, System::IniFile* ini);
    EditSettings(const EditSettings&) = delete;
    EditSettings& operator=(const EditSettings&) = delete;

private:
    System::Config config_{"Edit"};
    System::Config::Int editResume_;
    System::Config::Int autoBackup_;
    System::Config::Int autoBackupInterval_;
    System::Config::Int autoBackupFileMax_;
    System::Config::Int historyFileMax_;
    System::Config::Int layerObjectMoveSnap_;
    System::Config::AtomicInt anchorObjectMoveSnap_;
    System::Config::Int singleClickFocusLayerObject_;
    System::Config::Int singleClickFocusAnchorObject_;
    System::Config::Int clickLayerObjectSelectGroup_;
    System::Config::Int clickAnchorObjectSelectGroup_;
    System::Config::AtomicInt displayObjectMovePoint_;
    System::Config::AtomicInt displayObjectCenterAnchor_;
    System::Config::Int mouseHoverHideOtherAnchor_;
    System::Config::Int addSectionSplitByCursorFrame_;
    System::Config::Int fixedMovieTimeRange_;
    System::Config::Int moveFrameSelectRangeMode_;
    System::Config::Int moveFrameFollowFocusObject_;
    System::Config::String customMoveFrameA_;
    System::Config::String customMoveFrameB_;
    System::Config::String customMoveFrameC_;
    System::Config::String customMoveFrameD_;
    System::Config::String outputCompleteSoundFile_;
    System::Config::Int altLeftClickToRightClick_;
    System::Config::Int adjustSceneByDropFile_;
    // Last: loads once every parameter is declared, writes back first.
    System::Config::Scope scope_;
};

}  // namespace Edit
