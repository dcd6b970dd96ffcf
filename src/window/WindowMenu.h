#pragma once
// The pieces every menu of the program is built from: a root that owns the
// command table (ids 40000, 40001, ... in registration order, never
// reused), menus and submenus that append items to a menu handle, and the
// record of an appended item through which its enable, check, radio and
// shortcut behaviour is attached. Titles and item texts are given
// untranslated and shown through the menu table of the language.
// User-interface thread only.
#include "platform/gtk/Menu.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Window {

class RootMenu;
class WindowMenuManager;

// The item just appended; each setter returns the item for chaining.
struct MenuItem {
    Platform::MenuHandle menu = nullptr;
    int commandId = 0;
    // The untranslated title of the bar's menu the item belongs to (the
    // caller fills it in); names the item's shortcut.
    std::wstring menuTitle;

    MenuItem& setRadio();
    // Enters the predicate under the item's id in the main menu manager
    // (an id already entered keeps its first predicate).
    MenuItem& setEnable(std::function<bool()> predicate);
    MenuItem& setCheck(std::function<bool()> predicate);
    // The item's text is replaced by the callback's whenever a menu of the
    // bar opens.
    MenuItem& setText(std::function<std::wstring()> text);
    // Registers the item as a keyboard shortcut with its default key.
    MenuItem& setShortcut(int defaultCode);
    // The translated menu title, a colon and the item's shown text.
    std::wstring getShortcutName() const;
};

namespace WindowMenu {

struct Entry;

// A run of consecutive command ids in a menu of its own, whose items are
// regenerated from the provider's texts.
struct ItemList {
    Platform::MenuHandle menu = nullptr;
    int firstCommandId = 0;
    std::function<std::vector<std::wstring>()> provider;
    // Once set the list is never regenerated.
    bool fixed = false;

    // Empties the menu and appends one item per text, "&<n> <text>" when
    // numbered.
    void updateItemList(bool numbered);
    // Fills the list once without numbers, fixes it and registers every
    // item as a shortcut named after the entry's translated title.
    void registerShortcuts(const Entry& entry);
};

}  // namespace WindowMenu

class BaseMenu {
public:
    // A submenu appended at the end of parent under the translated title;
    // it shares the parent's root.
    BaseMenu(const BaseMenu& parent, const std::wstring& title);
    BaseMenu(const BaseMenu&) = delete;
    BaseMenu& operator=(const BaseMenu&) = delete;

    // Stores the command in the root's table under the next id.
    int registerCommand(std::function<void()> command) const;
    MenuItem insertItem(const std::wstring& title, std::function<void()> command) const;
    void insertSeparator() const;
    // The position of the submenu among this menu's items; -1 when absent.
    int findSubMenu(const BaseMenu& submenu) const;
    // Reserves count ids (at least one) whose i-th runs handler(i) and
    // enters an empty list for this menu with the main menu manager.
    WindowMenu::ItemList& insertItemList(int count, std::function<std::vector<std::wstring>()> provider,
                                         std::function<void(int)> handler) const;

    RootMenu* root = nullptr;
    Platform::MenuHandle hmenu = nullptr;

    // The menu handle belongs to the parent menu (or to the root's owner).
    ~BaseMenu() = default;

protected:
    BaseMenu(RootMenu* root, Platform::MenuHandle hmenu) : root(root), hmenu(hmenu) {}
};

// A menu with its own command table: the bar, or a popup menu.
class RootMenu : public BaseMenu {
public:
    static constexpr int firstCommandId = 40000;

    // Runs the command under the id; nothing for an id without one.
    void runCommand(int id) const;

    // Entries are never removed while the root lives.
    std::unordered_map<int, std::function<void()>> commands;

protected:
    explicit RootMenu(Platform::MenuHandle hmenu) : BaseMenu(this, hmenu) {}
    ~RootMenu() = default;
};

namespace WindowMenu {

// One of the five menus of the bar.
struct Entry : BaseMenu {
    Entry(const BaseMenu& bar, std::wstring title, int position)
        : BaseMenu(bar, title), title(std::move(title)), position(position) {}

    // Sets the entry's title in the bar again, translated.
    void updateTitle() const;

    const std::wstring title;  // untranslated
    const int position;        // 0 to 4
};

}  // namespace WindowMenu

// Item text = its text up to the first TAB, then a TAB and the key name
// when the name is not empty. Failures are ignored.
void setMenuItemShortcutText(Platform::MenuHandle menu, int id, const std::wstring& keyName);
// Item text = text followed by the old text from its first TAB on, so the
// shown key name stays. Failures are ignored.
void setMenuItemText(Platform::MenuHandle menu, int id, const std::wstring& text);

}  // namespace Window
