#include "window/MenuEntryPopup.h"

#include "window/PopupMenu.h"

namespace Window {

namespace {

void append(const BaseMenu& menu, const MenuEntries& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntry::Kind::Separator) {
            menu.insertSeparator();
            continue;
        }
        if (entry.kind == MenuEntry::Kind::Submenu) {
            BaseMenu submenu(menu, entry.text);
            append(submenu, entry.children);
            if (!entry.enabled) Platform::enableMenuItem(menu.hmenu, menu.findSubMenu(submenu), Platform::MF_BYPOSITION | Platform::MF_GRAYED);
            continue;
        }
        MenuItem item = menu.insertItem(entry.text, entry.command);
        if (entry.kind == MenuEntry::Kind::Radio) item.setRadio();
        if (entry.checked) Platform::checkMenuItem(item.menu, item.commandId, Platform::MF_BYCOMMAND | Platform::MF_CHECKED);
        if (!entry.enabled) Platform::enableMenuItem(item.menu, item.commandId, Platform::MF_BYCOMMAND | Platform::MF_GRAYED);
    }
}

}  // namespace

void showMenuEntries(Platform::WindowHandle, const MenuEntries& entries) {
    PopupMenu popup;
    append(popup, entries);
    popup.show();
}

}  // namespace Window
