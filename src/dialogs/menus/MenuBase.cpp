#include "dialogs/menus/MenuBase.h"

namespace Menu {

Window::MenuItem MenuBase::insertItem(const Window::BaseMenu& where, const std::wstring& label,
                                      std::function<void()> action) const {
    Window::MenuItem item = where.insertItem(label, std::move(action));
    item.menuTitle = menu->title;
    return item;
}

Window::MenuItem MenuBase::insertCommand(const Window::BaseMenu& where, const std::wstring& label, int key,
                                         std::function<void()> action, std::function<bool()> enabled) const {
    Window::MenuItem item = insertItem(where, label, std::move(action));
    if (enabled) item.setEnable(std::move(enabled));
    item.setShortcut(key);
    return item;
}

Window::MenuItem MenuBase::insertCheck(const Window::BaseMenu& where, const std::wstring& label,
                                       std::function<void()> action, std::function<bool()> checked) const {
    Window::MenuItem item = insertItem(where, label, std::move(action));
    item.setCheck(std::move(checked));
    item.setShortcut(0);
    return item;
}

}  // namespace Menu
