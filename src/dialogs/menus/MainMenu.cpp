#include "dialogs/menus/MainMenu.h"
#include "dialogs/menus/SettingMenu.h"

#include "core/base/Singleton.h"
#include "dialogs/menudefine/KeyDialogSlots.h"
#include "edit/service/EditService.h"
#include "render/service/RenderService.h"
#include "window/WindowService.h"

namespace Menu {

namespace {

Window::WindowMenuManager& serviceBar() {
    auto* windows = System::Singleton<Window::WindowService>::getInstance();
    if (!windows) throw std::logic_error("Menu::MainMenu needs the window service");
    return *windows;
}

}  // namespace

MainMenu::MainMenu() : MainMenu(serviceBar()) {}

MainMenu::MainMenu(Window::WindowMenuManager& bar)
    : bar_(&bar),
      file_(bar.windowMenu.file),
      edit_(bar.windowMenu.edit),
      display_(bar.windowMenu.display, System::Singleton<Edit::EditService>::getInstance(),
               System::Singleton<Render::RenderService>::getInstance()) {
    Menu::connectKeyDialogs();
    bar_->buildMenus = [this](Window::WindowMenuManager&) { createMenus(); };
    createMenus();
}

MainMenu::~MainMenu() { bar_->buildMenus = nullptr; }

void MainMenu::createMenus() {
    file_.createMenu();
    edit_.createMenu();
    display_.createMenu();
    SettingMenu(bar_->windowMenu.setting).createMenu();
    etc_.createMenu();
}

}  // namespace Menu
