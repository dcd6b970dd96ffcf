#pragma once
// What the menu bar asks of the timeline and preview windows. Each window
// fills its slots while it lives and empties them when it goes; an empty
// slot means the window is not there and the command does nothing.
// User-interface thread only.
#include "edit/model/Scene.h"

#include <functional>

namespace Window {

struct MenuPanelCalls {
    // A window switch stored in its settings (tempo grid, waveform).
    struct Flag {
        std::function<bool()> get;
        std::function<void(bool)> set;
    };

    // Timeline: a new zoom of the current scene, the cursor frame kept at
    // its place on the screen.
    std::function<void(const Edit::FrameZoom&)> setTimelineZoom;
    // Timeline: repaint everything, or only the time gauge (where the
    // selected frame range is drawn).
    std::function<void()> repaintTimeline;
    std::function<void()> repaintTimeGauge;
    Flag tempoGrid;
    Flag displayWaveform;

    // Preview: the display zoom (0 fits the window) and the percentage
    // that fits; setting it repaints the picture.
    std::function<int()> getDisplayZoom;
    std::function<void(int)> setDisplayZoom;
    std::function<int()> getFitZoom;
    // Preview: lay out and repaint (the level meter came or went).
    std::function<void()> relayoutPreview;
};

MenuPanelCalls& menuPanelCalls();

}  // namespace Window
