#pragma once
// A context menu: a root with its own command table (ids from 40000),
// built on the stack by the handler that opens it, shown at the pointer in
// a nested loop, and running the chosen command itself. Item states are set
// while building (Platform::enableMenuItem, checkMenuItem by command on
// hmenu, MenuItem::setRadio); the bar's callbacks do not apply.
// User-interface thread only.
#include "platform/gtk/Messages.h"
#include "window/WindowMenu.h"

#include <functional>

namespace Window {

class PopupMenu : public RootMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Opens the menu at the pointer, owned by the main window. after runs
    // once the menu has closed, chosen or not, before the chosen command.
    void show(const std::function<void()>& after = {});

    // True while a popup menu is open and while its chosen command runs.
    static bool tracking;
    // The pointer's screen position when the last popup menu opened:
    // dialogs opened from a popup's command open there.
    static Platform::POINT trackPoint;

    // Call points: the pointer position (screen), the owner window, and
    // what ends key-release waits whose key went up while the menu was
    // open. Empty: the toolkit's pointer, no owner, nothing.
    struct Hooks {
        std::function<Platform::POINT()> cursorPos;
        std::function<Platform::WindowHandle()> owner;
        std::function<void()> checkKeyReleaseWait;
    };
    static Hooks hooks;
};

}  // namespace Window
