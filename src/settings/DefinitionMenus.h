#pragma once
// The settings window's effect menus built by the menu-definition popups
// (the labels' groups, order, hidden entries and marks the user set), read
// back as menu entries whose commands run the popups' own actions.
// User-interface thread only.
#include "settings/SettingMenuCalls.h"

namespace Component {

Window::MenuEntries definitionEffectMenu(const Edit::ObjectPointer& object, int code, std::uint8_t media,
                                         const Effect::EffectBase* position);
Window::MenuEntries definitionSelectMenu(const Edit::ObjectPointer& object,
                                         const std::shared_ptr<Effect::EffectBase>& effect, int kind);
// Fills the effect menus of the settings window's calls with the two above.
void installDefinitionMenus(SettingMenuCalls& calls);

}  // namespace Component
