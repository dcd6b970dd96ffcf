#include "window/WindowMenuManager.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/NativeWindow.h"
#include "window/ShortcutService.h"

namespace Window {

WindowMenuManager* WindowMenuManager::main_ = nullptr;

namespace {

Platform::MenuHandle createBar() {
    Platform::MenuHandle bar = Platform::createMenu();
    if (!bar) throw System::makeLastErrorException("CreateMenu", "Window::WindowMenuManager::WindowMenuManager");
    return bar;
}

}  // namespace

WindowMenu::Menus::Menus(WindowMenuManager& manager)
    : manager(&manager),
      file(manager, L"ファイル", 0),
      edit(manager, L"編集", 1),
      display(manager, L"表示", 2),
      setting(manager, L"設定", 3),
      etc(manager, L"その他", 4) {}

WindowMenu::Entry& WindowMenu::Menus::entry(int position) {
    Entry* entries[] = {&file, &edit, &display, &setting, &etc};
    return *entries[position];
}

void WindowMenu::Menus::DeleteMenuItem() {
    for (int position = 0; position < 5; ++position) {
        Platform::MenuHandle menu = entry(position).hmenu;
        while (Platform::getMenuItemCount(menu) > 0)
            if (!Platform::deleteMenu(menu, 0, Platform::MF_BYPOSITION))
                throw System::makeLastErrorException("DeleteMenu", "Window::WindowMenu::DeleteMenuItem");
    }
}

WindowMenuManager::WindowMenuManager() : RootMenu(createBar()), previous_(main_) {
    main_ = this;
    // A language switch rebuilds the bar with the new texts.
    if (auto* translate = System::Singleton<Translate::TranslateService>::getInstance())
        translate->onLanguageSwitch = [this] { rebuildMenus(); };
}

WindowMenuManager::~WindowMenuManager() {
    if (auto* translate = System::Singleton<Translate::TranslateService>::getInstance())
        translate->onLanguageSwitch = nullptr;
    if (main_ == this) main_ = previous_;
    // A bar still attached goes with its window.
    if (!window_ || !Platform::isWindow(window_)) Platform::destroyMenu(hmenu);
}

void WindowMenuManager::setWindowMenu(Platform::WindowHandle window) {
    if (!Platform::setMenu(window, hmenu))
        throw System::makeLastErrorException("SetMenu", "Window::WindowMenuManager::setWindowMenu");
    window_ = window;
}

void WindowMenuManager::updateMenuState() {
    using namespace Platform;
    // Copies: a callback may touch the maps (a rebuild).
    const auto enables = enableCallbacks;
    for (const auto& [id, predicate] : enables)
        enableMenuItem(hmenu, static_cast<UINT>(id), MF_BYCOMMAND | (predicate() ? MF_ENABLED : MF_GRAYED));
    const auto checks = checkCallbacks;
    for (const auto& [id, predicate] : checks)
        checkMenuItem(hmenu, static_cast<UINT>(id), MF_BYCOMMAND | (predicate() ? MF_CHECKED : MF_UNCHECKED));
    const auto texts = textCallbacks;
    for (const auto& [id, text] : texts) setMenuItemText(hmenu, id, text());
    for (WindowMenu::ItemList& list : itemLists) list.updateItemList(true);
}

void WindowMenuManager::rebuildMenus() {
    windowMenu.DeleteMenuItem();
    if (auto* shortcuts = System::Singleton<ShortcutService>::getInstance())
        shortcuts->removeShortcuts([](const Shortcut& s) { return s.menu != nullptr; });
    enableCallbacks.clear();
    checkCallbacks.clear();
    textCallbacks.clear();
    itemLists.clear();
    for (int position = 0; position < 5; ++position) windowMenu.entry(position).updateTitle();
    if (buildMenus) buildMenus(*this);
    if (window_) Platform::drawMenuBar(window_);
}

}  // namespace Window
