#pragma once
// The menus of the main window's bar, filled once the windows exist and
// filled again after every language switch (the bar empties its menus,
// then asks for them anew). A process-wide object (System::Singleton),
// made after the panels at start-up. User-interface thread only.
#include "dialogs/menus/DisplayMenu.h"
#include "dialogs/menus/EditMenu.h"
#include "dialogs/menus/FileMenu.h"
#include "dialogs/menus/OtherMenu.h"

namespace Menu {

class MainMenu {
public:
    // The bar of the window service (without one, nothing is built).
    MainMenu();
    explicit MainMenu(Window::WindowMenuManager& bar);
    ~MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    // Appends the items of every menu, in bar order.
    void createMenus();

private:
    Window::WindowMenuManager* bar_;
    FileMenu file_;
    EditMenu edit_;
    DisplayMenu display_;
    EtcMenu etc_{bar_->windowMenu.etc};
};

}  // namespace Menu
