#include "panels/preview/PreviewEditComponent.h"

#include "panels/preview/PreviewMenuEntries.h"

namespace Component {

std::function<bool()>& PreviewEditComponent::levelMeterDialog() {
    static std::function<bool()> open;
    return open;
}

void PreviewEditComponent::procContextMenu(int x, int y) {
    PreviewMenuHost host;
    host.picture = &picture.video;
    host.requestPreviewFrame = [this] { requestCursorFrame(); };
    host.layoutAgain = [this] {
        procMove();
        procPaint();
    };
    host.resetLevelMeter = [this] { levelMeter.reset(); };
    if (const std::function<bool()>& open = levelMeterDialog())
        host.levelMeterDialog = [this, open] {
            if (open()) {
                procMove();
                procPaint();
            }
        };
    host.appendZoomMenu = [this](Window::MenuEntries& menu) { picture.appendZoomMenu(menu); };
    host.appendWindowMenu = [this](Window::MenuEntries& menu) { createWindowMenu(menu); };
    // The menu's selection works in the picture control's pixels.
    const Window::Rect& at = picture.video.fullRect();
    PreviewContextMenu::show(host, x + clientRect.x - at.x, y + clientRect.y - at.y);
}

}  // namespace Component
