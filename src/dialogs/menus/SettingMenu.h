#pragma once
// "設定": fourteen items, each opening one modal settings dialog titled
// with its label. The shortcut-key and menu-definition dialogs belong to
// their own folders and are reached through keyDialogs(), which their
// owner fills; an item whose slot is empty does nothing.
// User-interface thread only.
#include "dialogs/menus/MenuBase.h"

#include <functional>
#include <string>

namespace Menu {

class SettingMenu : public MenuBase {
public:
    // Each opens its dialog with the given title.
    struct KeyDialogs {
        std::function<void(const std::wstring& title)> shortcutKey;
        std::function<void(const std::wstring& title)> effectMenu;
        std::function<void(const std::wstring& title)> movementMenu;
        std::function<void(const std::wstring& title)> movementParamsMenu;
        std::function<void(const std::wstring& title)> presetColorMenu;
        std::function<void(const std::wstring& title)> fontMenu;
    };
    static KeyDialogs& keyDialogs();

    explicit SettingMenu(Window::WindowMenu::Entry& menu) : MenuBase(menu) {}
    void createMenu() override;
};

}  // namespace Menu
