#include "window/WindowMenu.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "core/translate/TranslateService.h"
#include "window/ShortcutService.h"
#include "window/WindowMenuManager.h"

#include <cwchar>

namespace Window {

namespace {

std::wstring translated(const std::wstring& text) { return Translate::TranslateService::translateMenu(text); }

[[noreturn]] void fail(const char* call, const char* place) { throw System::makeLastErrorException(call, place); }

}  // namespace

// MenuItem

MenuItem& MenuItem::setRadio() {
    Platform::setMenuItemRadio(menu, static_cast<UINT>(commandId), Platform::MF_BYCOMMAND);
    return *this;
}

MenuItem& MenuItem::setEnable(std::function<bool()> predicate) {
    if (WindowMenuManager* bar = WindowMenuManager::mainMenu()) bar->enableCallbacks.emplace(commandId, std::move(predicate));
    return *this;
}

MenuItem& MenuItem::setCheck(std::function<bool()> predicate) {
    if (WindowMenuManager* bar = WindowMenuManager::mainMenu()) bar->checkCallbacks.emplace(commandId, std::move(predicate));
    return *this;
}

MenuItem& MenuItem::setText(std::function<std::wstring()> text) {
    if (WindowMenuManager* bar = WindowMenuManager::mainMenu()) bar->textCallbacks.emplace(commandId, std::move(text));
    return *this;
}

MenuItem& MenuItem::setShortcut(int defaultCode) {
    if (auto* shortcuts = System::Singleton<ShortcutService>::getInstance())
        shortcuts->registerShortcut(getShortcutName(), defaultCode, nullptr, menu, commandId);
    return *this;
}

std::wstring MenuItem::getShortcutName() const {
    std::wstring text;
    Platform::getMenuString(menu, static_cast<UINT>(commandId), Platform::MF_BYCOMMAND, text);
    return translated(menuTitle) + L":" + text;
}

// BaseMenu

BaseMenu::BaseMenu(const BaseMenu& parent, const std::wstring& title) : root(parent.root) {
    hmenu = Platform::createPopupMenu();
    if (!hmenu) fail("CreatePopupMenu", "Window::BaseMenu::BaseMenu");
    if (!Platform::insertMenu(parent.hmenu, static_cast<UINT>(-1), Platform::MF_BYPOSITION | Platform::MF_POPUP,
                              reinterpret_cast<std::uintptr_t>(hmenu), translated(title))) {
        Platform::destroyMenu(hmenu);
        fail("InsertMenu", "Window::BaseMenu::BaseMenu");
    }
}

int BaseMenu::registerCommand(std::function<void()> command) const {
    const int id = RootMenu::firstCommandId + static_cast<int>(root->commands.size());
    root->commands.emplace(id, std::move(command));
    return id;
}

MenuItem BaseMenu::insertItem(const std::wstring& title, std::function<void()> command) const {
    const int id = registerCommand(std::move(command));
    if (!Platform::insertMenu(hmenu, static_cast<UINT>(-1), Platform::MF_BYPOSITION | Platform::MF_STRING,
                              static_cast<std::uintptr_t>(id), translated(title)))
        fail("InsertMenu", "Window::BaseMenu::insertItem");
    MenuItem item;
    item.menu = hmenu;
    item.commandId = id;
    return item;
}

void BaseMenu::insertSeparator() const {
    if (!Platform::insertMenu(hmenu, static_cast<UINT>(-1), Platform::MF_BYPOSITION | Platform::MF_SEPARATOR, 0, L""))
        fail("InsertMenu", "Window::BaseMenu::insertSeparator");
}

int BaseMenu::findSubMenu(const BaseMenu& submenu) const {
    const int count = Platform::getMenuItemCount(hmenu);
    for (int i = 0; i < count; ++i)
        if (Platform::getSubMenu(hmenu, i) == submenu.hmenu) return i;
    return -1;
}

WindowMenu::ItemList& BaseMenu::insertItemList(int count, std::function<std::vector<std::wstring>()> provider,
                                               std::function<void(int)> handler) const {
    const int first = registerCommand([handler] { handler(0); });
    for (int i = 1; i < count; ++i) registerCommand([handler, i] { handler(i); });
    WindowMenuManager* bar = WindowMenuManager::mainMenu();
    static WindowMenu::ItemList detached;
    if (!bar) {
        // No bar: the list is kept nowhere and never filled by it.
        detached = {hmenu, first, std::move(provider), false};
        return detached;
    }
    return bar->itemLists.emplace_back(WindowMenu::ItemList{hmenu, first, std::move(provider), false});
}

// RootMenu

void RootMenu::runCommand(int id) const {
    const auto found = commands.find(id);
    if (found == commands.end() || !found->second) return;
    // A copy: the command may register others, or rebuild the menus.
    const std::function<void()> command = found->second;
    command();
}

// WindowMenu

void WindowMenu::ItemList::updateItemList(bool numbered) {
    if (fixed) return;
    while (Platform::getMenuItemCount(menu) > 0)
        if (!Platform::deleteMenu(menu, 0, Platform::MF_BYPOSITION))
            fail("DeleteMenu", "Window::WindowMenu::DeleteMenuItem");
    if (!provider) return;
    const std::vector<std::wstring> texts = provider();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::wstring text = texts[i];
        if (numbered) {
            wchar_t buffer[520];
            std::swprintf(buffer, 520, L"&%d %ls", static_cast<int>(i) + 1, texts[i].c_str());
            text = buffer;
        }
        if (!Platform::appendMenu(menu, Platform::MF_STRING, static_cast<std::uintptr_t>(firstCommandId + static_cast<int>(i)),
                                  text))
            fail("AppendMenu", "Window::WindowMenu::ItemList::updateItemList");
    }
}

void WindowMenu::ItemList::registerShortcuts(const Entry& entry) {
    updateItemList(false);
    fixed = true;
    auto* shortcuts = System::Singleton<ShortcutService>::getInstance();
    if (!shortcuts || !provider) return;
    const std::vector<std::wstring> texts = provider();
    for (std::size_t i = 0; i < texts.size(); ++i)
        shortcuts->registerShortcut(translated(entry.title) + L":" + texts[i], 0, nullptr, menu,
                                    firstCommandId + static_cast<int>(i));
}

void WindowMenu::Entry::updateTitle() const {
    Platform::setMenuItemText(root->hmenu, static_cast<UINT>(position), Platform::MF_BYPOSITION, translated(title));
}

// Item texts

void setMenuItemShortcutText(Platform::MenuHandle menu, int id, const std::wstring& keyName) {
    std::wstring text;
    if (!Platform::getMenuString(menu, static_cast<UINT>(id), Platform::MF_BYCOMMAND, text)) return;
    text = text.substr(0, text.find(L'\t'));
    if (!keyName.empty()) text += L"\t" + keyName;
    Platform::setMenuItemText(menu, static_cast<UINT>(id), Platform::MF_BYCOMMAND, text);
}

void setMenuItemText(Platform::MenuHandle menu, int id, const std::wstring& text) {
    std::wstring old;
    if (!Platform::getMenuString(menu, static_cast<UINT>(id), Platform::MF_BYCOMMAND, old)) return;
    const std::size_t tab = old.find(L'\t');
    Platform::setMenuItemText(menu, static_cast<UINT>(id), Platform::MF_BYCOMMAND,
                              tab == std::wstring::npos ? text : text + old.substr(tab));
}

}  // namespace Window
