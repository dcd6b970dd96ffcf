#include "dialogs/menudefine/KeyDialogSlots.h"

#include "dialogs/keys/ShortcutKeyDialog.h"
#include "dialogs/menudefine/MenuDefineDialogs.h"
#include "dialogs/menus/SettingMenu.h"

namespace Menu {

namespace {

std::function<void(const std::wstring&)> menuDefine(Dialog::MenuDefineKind kind) {
    return [kind](const std::wstring& title) { Dialog::openMenuDefineDialog(kind, title); };
}

}  // namespace

void connectKeyDialogs() {
    SettingMenu::KeyDialogs& slots = SettingMenu::keyDialogs();
    slots.shortcutKey = [](const std::wstring& title) { Dialog::openShortcutKeyDialog(title); };
    slots.effectMenu = menuDefine(Dialog::MenuDefineKind::Effect);
    slots.movementMenu = menuDefine(Dialog::MenuDefineKind::Movement);
    slots.movementParamsMenu = menuDefine(Dialog::MenuDefineKind::MovementParams);
    slots.presetColorMenu = menuDefine(Dialog::MenuDefineKind::PresetColor);
    slots.fontMenu = menuDefine(Dialog::MenuDefineKind::Font);
}

}  // namespace Menu
