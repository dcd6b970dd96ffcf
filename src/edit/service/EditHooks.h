#pragma once
// What an edit asks of the services and windows above the project model:
// stopping playback, dropping the cache entries rendered from scenes, and
// the refreshes of the settings windows when an edit scope closes. Each of
// them fills its entries when it starts and clears them when it goes; an
// empty entry is skipped. User-interface thread only.
#include "edit/model/Object.h"

#include <functional>

namespace Edit {

// The preview's view switches, kept by the render service's settings.
enum class PreviewSwitch { GridXY, CameraGrid, CameraFreeView, VisibleClippingObject };

struct EditHooks {
    // The player stops without returning to the start.
    std::function<void()> stopPlayback;
    // Before another scene becomes current: the waveform loader is idle and
    // every cache entry rendered from a scene is gone.
    std::function<void()> purgeSceneCaches;

    // The object settings window.
    std::function<void()> clearSettingSection;
    std::function<void()> rebuildSetting;
    std::function<void()> refreshSetting;
    // The time-control window; it acts only when the target is empty or is
    // the object whose item it edits.
    std::function<void(const ObjectPointer& target)> refreshTimeSetting;
    // The colour window.
    std::function<void()> refreshColorSetting;
    // The text window.
    std::function<void()> refreshTextSetting;

    // What on-picture handles read of the object settings window while a
    // preview frame renders (the window changes them only inside edit
    // scopes): the object it shows and its current section. Without a
    // window it shows the focus object at the rendered frame's section.
    std::function<ObjectPointer()> getSettingObject;
    std::function<int()> getSettingSection;
    // Selects the section holding the frame, repaints the rows and tells
    // the section listeners when the section changed.
    std::function<void(int frame)> setSettingFrame;

    // The timeline's layer and frame under its last known mouse position;
    // false when that position is not over its object area.
    std::function<bool(int& layer, int& frame)> getTimelinePastePosition;
    // Stores a view switch in the render service's settings.
    std::function<void(PreviewSwitch which, bool enable)> setPreviewSwitch;
};

}  // namespace Edit
