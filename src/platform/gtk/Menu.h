#pragma once
// Menus over GTK 3, in the shape of the system's menu handles: a menu bar
// (GtkMenuBar) or a popup menu (GtkMenu) holding string items with command
// ids, separators and submenus. Item texts are the system's form: '&' marks
// the mnemonic (shown underlined, "&&" is a plain '&'), and the text after
// the first TAB is the key name, shown right-aligned. Greyed items cannot be
// chosen; a checked item shows a check mark, or a dot when it has the radio
// type.
//
// A bar attached to a window (setMenu) sits above its client area; a
// chosen item posts WM_COMMAND (wParam = its id, lParam = 0) to the window,
// and a submenu of the bar sends WM_INITMENUPOPUP before it opens.
// trackPopupMenu runs a popup in a nested loop and returns the chosen id.
// Calls on a handle that is not a live menu fail (false, -1 or null).
// User-interface thread only.
#include "platform/gtk/Messages.h"

#include <string>

typedef struct _GtkWidget GtkWidget;

namespace Platform {

class NativeMenu;
using MenuHandle = NativeMenu*;

inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;

MenuHandle createMenu();
MenuHandle createPopupMenu();
// Destroys the menu and its submenus; false when it is not a menu.
bool destroyMenu(MenuHandle menu);
bool isMenu(MenuHandle menu);

// Inserts before the item at position (by position; a position past the
// end appends). MF_POPUP: idOrSubmenu is the submenu's handle, which the
// menu then owns; MF_SEPARATOR: a separator; else a string item with id.
bool insertMenu(MenuHandle menu, UINT position, UINT flags, std::uintptr_t idOrSubmenu,
                const std::wstring& text);
bool appendMenu(MenuHandle menu, UINT flags, std::uintptr_t idOrSubmenu, const std::wstring& text);
// Removes an item (MF_BYPOSITION or by command, submenus searched);
// its submenu is destroyed with it.
bool deleteMenu(MenuHandle menu, UINT item, UINT flags);
// -1 when the handle is not a menu.
int getMenuItemCount(MenuHandle menu);
// The submenu at a position, null when the item has none.
MenuHandle getSubMenu(MenuHandle menu, int position);
// The command id at a position; -1 for submenus, separators and no item.
int getMenuItemID(MenuHandle menu, int position);
// The whole item text (key name after its TAB included); false when the
// item does not exist.
bool getMenuString(MenuHandle menu, UINT item, UINT flags, std::wstring& text);
bool setMenuItemText(MenuHandle menu, UINT item, UINT flags, const std::wstring& text);
// Gives the item the radio-button mark (MFT_RADIOCHECK).
bool setMenuItemRadio(MenuHandle menu, UINT item, UINT flags);
// The previous state (MF_GRAYED or MF_ENABLED, MF_CHECKED or
// MF_UNCHECKED), -1 when the item does not exist.
int enableMenuItem(MenuHandle menu, UINT item, UINT flags);
int checkMenuItem(MenuHandle menu, UINT item, UINT flags);
// The item's state bits (MF_GRAYED, MF_CHECKED), -1 when it does not exist.
int getMenuState(MenuHandle menu, UINT item, UINT flags);

// Puts the bar above the window's client area (null takes it away).
// False when the window or the bar is not valid or the bar belongs to
// another window.
bool setMenu(WindowHandle window, MenuHandle bar);
MenuHandle getMenu(WindowHandle window);
void drawMenuBar(WindowHandle window);

// Shows the popup with its top-left corner at the screen point, owned by
// the window, and runs a nested loop (which delivers posted messages)
// until the menu closes. Returns the chosen item's id, 0 when none was
// chosen (Escape, a click elsewhere, the quit message).
UINT trackPopupMenu(MenuHandle menu, int x, int y, WindowHandle owner);
// The popup open in trackPopupMenu, null when none (tests).
MenuHandle trackedPopupMenu();

// The toolkit widget of a menu (its GtkMenuBar or GtkMenu) and of an item
// (by position), for tests.
GtkWidget* toolkitMenu(MenuHandle menu);
GtkWidget* toolkitMenuItem(MenuHandle menu, int position);

}  // namespace Platform
