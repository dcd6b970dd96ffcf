#include "dialogs/keys/ShortcutKeyDialog.h"

#include "core/base/Singleton.h"
#include "dialogs/template/DialogItemKeyCode.h"
#include "window/ShortcutService.h"
#include "window/WindowMenu.h"

namespace Dialog {

ShortcutKeyDialog::ShortcutItem::ShortcutItem(Window::Shortcut& entry, int code) : entry(&entry) { setCode(code); }

std::wstring ShortcutKeyDialog::ShortcutItem::getText(int column) {
    if (column == 0) return entry->name;
    if (column == 1) return keyName;
    return {};
}

void ShortcutKeyDialog::ShortcutItem::beginEdit(int column, DialogItem& editor) {
    if (column != 1) return;
    if (auto* keys = dynamic_cast<DialogItemKeyCode*>(&editor)) keys->code = code;
}

void ShortcutKeyDialog::ShortcutItem::endEdit(int column, DialogItem& editor) {
    if (column != 1) return;
    if (auto* keys = dynamic_cast<DialogItemKeyCode*>(&editor)) setCode(keys->code);
}

void ShortcutKeyDialog::ShortcutItem::setCode(int newCode) {
    keyName = newCode ? Window::Shortcut::getCodeName(newCode) : std::wstring();
    code = keyName.empty() ? 0 : newCode;
}

ShortcutKeyDialog::ShortcutKeyDialog(std::wstring title, Window::ShortcutService* service)
    : DialogTemplate(std::move(title)),
      service_(service ? service : System::Singleton<Window::ShortcutService>::getInstance()) {}

bool ShortcutKeyDialog::show() {
    if (!service_) return false;
    // The editor names keys as the menus do.
    DialogItemKeyCode::codeName = &Window::Shortcut::getCodeName;
    auto& rows = addItem<DialogItemListView<ShortcutItem>>(600, false);
    list = &rows;
    rows.addColumn(L"操作", 400);
    rows.addColumn(L"ショートカットキー", 200, std::make_unique<DialogItemKeyCode>(L"", 0));
    for (Window::Shortcut& entry : service_->shortcuts) rows.addItem(std::make_unique<ShortcutItem>(entry, entry.code));
    rows.contextMenu.push_back({L"ショートカットキーを標準に戻す", [&rows] {
                                    auto* row = dynamic_cast<ShortcutItem*>(rows.contextItem);
                                    if (!row) return;
                                    row->setCode(row->entry->defaultCode);
                                    rows.update();
                                }});
    rows.contextMenu.push_back({});
    rows.contextMenu.push_back({L"全てのショートカットキーを標準に戻す", [&rows] {
                                    for (ShortcutItem* row : rows.getItemList()) row->setCode(row->entry->defaultCode);
                                    rows.update();
                                }});
    if (!create(600)) return false;
    for (ShortcutItem* row : rows.getItemList()) {
        Window::Shortcut& entry = *row->entry;
        if (row->code == entry.code) continue;
        entry.code = row->code;
        if (entry.menu) Window::setMenuItemShortcutText(entry.menu, entry.commandId, row->keyName);
    }
    service_->save();
    return true;
}

bool openShortcutKeyDialog(const std::wstring& title) {
    ShortcutKeyDialog dialog(title);
    return dialog.show();
}

}  // namespace Dialog
