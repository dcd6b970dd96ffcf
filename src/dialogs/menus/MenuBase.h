#pragma once
// The common base of the five menus of the bar: the bar's menu it fills and
// how its items are appended. Every item, in a submenu too, is named for
// the shortcut service after the bar's menu title, a colon and its own
// label. createMenu only appends, so it may run again after the menu was
// emptied (a language switch). User-interface thread only.
#include "window/WindowMenuManager.h"

#include <functional>
#include <string>

namespace Menu {

class MenuBase {
public:
    explicit MenuBase(Window::WindowMenu::Entry& menu) : menu(&menu) {}

    // Appends every item of the menu.
    virtual void createMenu() = 0;

    Window::WindowMenu::Entry* menu;

protected:
    ~MenuBase() = default;

    // A command item of the menu, or of a submenu of it.
    Window::MenuItem insertItem(const Window::BaseMenu& where, const std::wstring& label,
                                std::function<void()> action) const;
    // A command item registered as a shortcut with its default key
    // (0: none), greyed while enabled (when given) says no.
    Window::MenuItem insertCommand(const Window::BaseMenu& where, const std::wstring& label, int key,
                                   std::function<void()> action, std::function<bool()> enabled = {}) const;
    // A check item registered as a shortcut without a default key.
    Window::MenuItem insertCheck(const Window::BaseMenu& where, const std::wstring& label,
                                 std::function<void()> action, std::function<bool()> checked) const;
};

}  // namespace Menu
