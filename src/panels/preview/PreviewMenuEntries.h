#pragma once
// The preview's context menu: a right click first selects the object whose
// handle is under the pointer, then offers the object commands, copies of
// the picture to the clipboard, the display switches, the zoom list and
// the editing options with their settings dialogs. User-interface thread
// only.
#include "panels/anchor/AnchorControl.h"
#include "window/WindowMenuEntry.h"

#include <functional>

namespace Component {

// What the menu needs of the preview window, filled by the window when it
// opens the menu; an empty entry leaves its item out or greyed.
struct PreviewMenuHost {
    Anchor::AnchorControl* picture = nullptr;
    // The preview of the cursor frame again.
    std::function<void()> requestPreviewFrame;
    // The level meter shown or removed: the window lays itself out and
    // repaints.
    std::function<void()> layoutAgain;
    // The meter drops to silence until playback.
    std::function<void()> resetLevelMeter;
    std::function<void()> levelMeterDialog;
    // The zoom list of the picture.
    std::function<void(Window::MenuEntries&)> appendZoomMenu;
    // The panel's own window items.
    std::function<void(Window::MenuEntries&)> appendWindowMenu;
};

class PreviewContextMenu {
public:
    // The dialogs of the options submenu, filled by the dialog layer.
    static std::function<void()>& gridDialog();
    static std::function<void()>& gridCameraDialog();

    // Selects the object of the handle at the picture control's point
    // (unless Ctrl is held).
    static void selectAt(Anchor::AnchorControl& picture, int x, int y);
    static Window::MenuEntries build(const PreviewMenuHost& host);
    // Selects, builds and shows the menu over the picture's window.
    static void show(const PreviewMenuHost& host, int x, int y);
};

}  // namespace Component
