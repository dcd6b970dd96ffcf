#include "settings/DefinitionMenus.h"

#include "window/MenuDefinePopups.h"
#include "window/PopupMenu.h"

namespace Component {

namespace {

using Window::MenuEntry;

// The popup's items as entries; each command keeps the popup (which holds
// the actions) alive until it runs.
Window::MenuEntries readBack(const std::shared_ptr<Window::PopupMenu>& root, Platform::MenuHandle menu) {
    Window::MenuEntries entries;
    const int count = Platform::getMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT at = static_cast<UINT>(i);
        std::wstring text;
        Platform::getMenuString(menu, at, Platform::MF_BYPOSITION, text);
        if (const std::size_t tab = text.find(L'\t'); tab != std::wstring::npos) text.resize(tab);
        const int state = Platform::getMenuState(menu, at, Platform::MF_BYPOSITION);
        const bool enabled = state < 0 || !(state & Platform::MF_GRAYED);
        const bool checked = state >= 0 && (state & Platform::MF_CHECKED);
        if (Platform::MenuHandle submenu = Platform::getSubMenu(menu, i)) {
            entries.push_back({MenuEntry::Kind::Submenu, text, enabled, checked, {}, readBack(root, submenu)});
            continue;
        }
        const int id = Platform::getMenuItemID(menu, i);
        if (id < 0) {
            entries.push_back(MenuEntry::separator());
            continue;
        }
        entries.push_back({checked ? MenuEntry::Kind::Radio : MenuEntry::Kind::Command, text, enabled, checked,
                           [root, id] { root->runCommand(id); }, {}});
    }
    return entries;
}

}  // namespace

Window::MenuEntries definitionEffectMenu(const Edit::ObjectPointer& object, int code, std::uint8_t media,
                                         const Effect::EffectBase* position) {
    auto popup = std::make_shared<Window::PopupMenu>();
    Menu::createEffectMenu(*popup, object, static_cast<std::uint8_t>(code), media, position);
    return readBack(popup, popup->hmenu);
}

Window::MenuEntries definitionSelectMenu(const Edit::ObjectPointer& object,
                                         const std::shared_ptr<Effect::EffectBase>& effect, int kind) {
    auto popup = std::make_shared<Window::PopupMenu>();
    const Menu::SelectVariant variant = kind == SelectInput     ? Menu::SelectVariant::Input
                                        : kind == SelectControl ? Menu::SelectVariant::Control
                                                                : Menu::SelectVariant::Filter;
    Menu::createEffectSelectMenu(*popup, object, effect.get(), variant);
    return readBack(popup, popup->hmenu);
}

void installDefinitionMenus(SettingMenuCalls& calls) {
    calls.effectMenu = definitionEffectMenu;
    calls.effectSelectMenu = definitionSelectMenu;
}

}  // namespace Component
