#pragma once
// The main window's menu bar: the root of its command table, its five
// menus ファイル, 編集, 表示, 設定 and その他, and the callbacks that set the
// bar's items when a menu of it opens (enabled, checked, text) together with
// the numbered item lists (recent projects and the like). The menu builders
// fill the five menus at start-up and again after a language switch, which
// rebuilds the bar in place (rebuildMenus). One manager is the main one: the
// last constructed that still lives. User-interface thread only.
#include "window/WindowMenu.h"

#include <deque>
#include <functional>
#include <string>
#include <unordered_map>

namespace Window {

class WindowMenuManager;

namespace WindowMenu {

// The five menus of the bar, in bar order.
struct Menus {
    explicit Menus(WindowMenuManager& manager);

    // Deletes every item of the five menus, in bar order.
    void DeleteMenuItem();
    Entry& entry(int position);

    WindowMenuManager* manager;
    Entry file;
    Entry edit;
    Entry display;
    Entry setting;
    Entry etc;
};

}  // namespace WindowMenu

class WindowMenuManager : public RootMenu {
public:
    WindowMenuManager();
    ~WindowMenuManager();
    WindowMenuManager(const WindowMenuManager&) = delete;
    WindowMenuManager& operator=(const WindowMenuManager&) = delete;

    static WindowMenuManager* mainMenu() { return main_; }

    // Attaches the bar to the main window.
    void setWindowMenu(Platform::WindowHandle window);
    // A menu item's command (WM_COMMAND with lParam 0, a shortcut); an id
    // without command does nothing.
    void executeCommand(int id) { runCommand(id); }
    // Before a menu of the bar opens: greying, check marks, texts and the
    // numbered lists.
    void updateMenuState();
    // After a language switch: the bar's items, the shortcuts bound to
    // them, the callbacks and lists go; the titles are set again, the
    // builders run again and the bar is redrawn. The command table keeps
    // growing.
    void rebuildMenus();

    WindowMenu::Menus windowMenu{*this};
    std::unordered_map<int, std::function<bool()>> enableCallbacks;
    std::unordered_map<int, std::function<bool()>> checkCallbacks;
    std::unordered_map<int, std::function<std::wstring()>> textCallbacks;
    // A deque: lists handed out stay where they are.
    std::deque<WindowMenu::ItemList> itemLists;
    // The builders of the five menus, run at start-up and by rebuildMenus.
    std::function<void(WindowMenuManager&)> buildMenus;

private:
    Platform::WindowHandle window_ = nullptr;
    WindowMenuManager* previous_ = nullptr;
    static WindowMenuManager* main_;
};

}  // namespace Window
