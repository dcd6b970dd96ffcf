#pragma once
// A menu as data: what a panel's window menu and the tab strip's menu hold
// (texts, radio and check marks, greyed items, submenus) with the command
// each item runs. The menu framework turns it into a popup menu; until one
// is installed, showing a menu shows nothing.
#include "platform/gtk/Messages.h"

#include <functional>
#include <string>
#include <vector>

namespace Window {

struct MenuEntry {
    enum class Kind { Command, Radio, Check, Separator, Submenu };

    Kind kind = Kind::Command;
    // Already translated.
    std::wstring text;
    bool enabled = true;
    bool checked = false;
    std::function<void()> command;
    std::vector<MenuEntry> children;

    static MenuEntry separator() { return MenuEntry{Kind::Separator, {}, true, false, {}, {}}; }
};

using MenuEntries = std::vector<MenuEntry>;

// The popup menu of the menu framework: shows the entries at the pointer
// over the window and runs the chosen item's command before it returns.
// Empty: no menu is shown.
using PopupMenuCall = std::function<void(Platform::WindowHandle window, const MenuEntries& entries)>;
PopupMenuCall& popupMenuCall();

// The entry of the text (searching submenus), or null.
const MenuEntry* findMenuEntry(const MenuEntries& entries, const std::wstring& text);

}  // namespace Window
