#include "window/MenuConnections.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "media/draw/StyleValue.h"
#include "core/text/StringConvert.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/PopupList.h"
#include "platform/gtk/WindowInput.h"
#include "window/ListBox.h"
#include "window/MenuEntryPopup.h"
#include "window/PopupMenu.h"
#include "window/ShortcutService.h"
#include "window/ToolTips.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"
#include "window/controls/ControlTooltip.h"

#include <cmath>

namespace Window {

namespace {

WindowMouseService* mouse() { return System::Singleton<WindowMouseService>::getInstance(); }
WindowService* windows() { return System::Singleton<WindowService>::getInstance(); }
ShortcutService* shortcuts() { return System::Singleton<ShortcutService>::getInstance(); }

}  // namespace

void connectMenus() {
    if (WindowMouseService* m = mouse()) {
        m->hooks.dispatchKey = [](int key) {
            ShortcutService* s = shortcuts();
            return s && s->dispatchKey(key);
        };
        m->hooks.hideOnMove = [] { ToolTips::hideOnMouseMove(); };
        m->hooks.hideOnClick = [] { ToolTips::hideOnMouseMove(); };
        m->hooks.hideTracking = [] { ToolTips::hide(); };
    }
    if (ShortcutService* s = shortcuts()) {
        s->hooks.keyDown = [](int key) { return Platform::getKeyState(key) < 0; };
        s->hooks.interruptMouse = [] {
            if (WindowMouseService* m = mouse()) m->cancelDrag();
        };
    }
    // Failures posted while a popup menu is open wait until it closes.
    if (auto* events = System::Singleton<Event::EventService>::getInstance())
        events->deferCommands = [] { return PopupMenu::tracking; };
    popupListBoxHook.isOpen = [] { return ListBox::open; };
    popupListBoxHook.close = [] { ListBox::close(); };
    popupMenuCall() = showMenuEntries;
    Control::showTooltipCall = [](Platform::POINT point, const std::wstring& text, int duration) {
        ToolTips::show(point, text, duration);
    };
    PopupMenu::hooks.cursorPos = [] { return Platform::getCursorPos(); };
    PopupMenu::hooks.owner = []() -> Platform::WindowHandle {
        WindowService* w = windows();
        return w ? w->mainWindow : nullptr;
    };
    PopupMenu::hooks.checkKeyReleaseWait = [] {
        if (WindowMouseService* m = mouse()) m->checkKeyReleaseWait();
    };
    ListBox::hooks.clientToScreen = [](Platform::WindowHandle window, Platform::POINT point) {
        return Platform::clientToScreen(window, point);
    };
    ListBox::hooks.mainWindowHeight = [] {
        WindowService* w = windows();
        return w ? Platform::getClientRect(w->mainWindow).bottom : 0;
    };
    // The list box keeps the toolkit's font when the style has none.
    try {
        const Resource::StyleFont font = Resource::styleFont("Control");
        if (font.size > 0)
            ListBox::hooks.font =
                System::String::toUtf8(font.family) + " " + std::to_string(std::lround(font.size)) + "px";
    } catch (const std::exception&) {
    }
}

void disconnectMenus() {
    if (WindowMouseService* m = mouse()) {
        m->hooks.dispatchKey = nullptr;
        m->hooks.hideOnMove = nullptr;
        m->hooks.hideOnClick = nullptr;
        m->hooks.hideTracking = nullptr;
    }
    if (ShortcutService* s = shortcuts()) s->hooks = {};
    // What still waits is dropped with the event service.
    if (auto* events = System::Singleton<Event::EventService>::getInstance()) events->deferCommands = nullptr;
    popupListBoxHook = {};
    PopupMenu::hooks = {};
    popupMenuCall() = nullptr;
    Control::showTooltipCall = nullptr;
    ListBox::close();
    ListBox::list.reset();
    ListBox::hooks = {};
}

}  // namespace Window
