#include "window/PopupMenu.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "core/event/EventService.h"

#include "platform/gtk/Screen.h"

namespace Window {

bool PopupMenu::tracking = false;
Platform::POINT PopupMenu::trackPoint;
PopupMenu::Hooks PopupMenu::hooks;

namespace {

Platform::MenuHandle createPopup() {
    Platform::MenuHandle menu = Platform::createPopupMenu();
    if (!menu) throw System::makeLastErrorException("CreatePopupMenu", "Window::PopupMenu::PopupMenu");
    return menu;
}

Platform::POINT pointerPosition() {
    return PopupMenu::hooks.cursorPos ? PopupMenu::hooks.cursorPos() : Platform::pointerPosition();
}

// tracking set for a scope, cleared also when an exception leaves it.
struct TrackingScope {
    TrackingScope() { PopupMenu::tracking = true; }
    ~TrackingScope() { PopupMenu::tracking = false; }
};

}  // namespace

PopupMenu::PopupMenu() : RootMenu(createPopup()) {}

PopupMenu::~PopupMenu() {
    // A failure here cannot be raised from a destructor; the handle is
    // gone either way.
    Platform::destroyMenu(hmenu);
}

void PopupMenu::show(const std::function<void()>& after) {
    trackPoint = pointerPosition();
    UINT chosen = 0;
    {
        TrackingScope scope;
        chosen = Platform::trackPopupMenu(hmenu, trackPoint.x, trackPoint.y, hooks.owner ? hooks.owner() : nullptr);
    }
    if (after) after();
    if (chosen != 0) {
        TrackingScope scope;
        runCommand(static_cast<int>(chosen));
    }
    if (hooks.checkKeyReleaseWait) hooks.checkKeyReleaseWait();
    // Failures and export ends that came while the menu was open.
    if (auto* events = System::Singleton<Event::EventService>::getInstance()) events->flushDeferredCommands();
}

}  // namespace Window
