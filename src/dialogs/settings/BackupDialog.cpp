#include "dialogs/settings/BackupDialog.h"

#include "core/base/Singleton.h"
#include "dialogs/template/DialogItemValue.h"
#include "edit/service/EditService.h"

namespace Dialog {

namespace {

DialogItemListBox& addSwitch(DialogTemplate& dialog, const wchar_t* label, int value) {
    auto& row = dialog.addItem<DialogItemListBox>(label, value);
    row.addItem(L"無効");
    row.addItem(L"有効");
    return row;
}

}  // namespace

bool BackupDialog::show() {
    auto* edit = System::Singleton<Edit::EditService>::getInstance();
    if (!edit) return false;
    auto& resume = addSwitch(*this, L"編集レジューム", edit->editResume);
    auto& backup = addSwitch(*this, L"自動バックアップ", edit->autoBackup);
    auto& interval = addItem<DialogItemInteger>(L"バックアップの間隔(分)", edit->autoBackupInterval, 1, 1000);
    auto& backupMax = addItem<DialogItemInteger>(L"バックアップファイルの最大数", edit->autoBackupFileMax, 1, 100);
    auto& historyMax = addItem<DialogItemInteger>(L"ファイル履歴の最大数", edit->historyFileMax, 1, 100);
    if (!create()) return false;

    edit->editResume = resume.selected;
    edit->autoBackup = backup.selected;
    edit->autoBackupInterval = interval.value;
    edit->autoBackupFileMax = backupMax.value;
    edit->historyFileMax = historyMax.value;
    // Each list clamps its count and trims; the backup list deletes the
    // files it drops.
    edit->projectHistory.setMaxCount(edit->historyFileMax);
    edit->backupHistory.setMaxCount(edit->autoBackupFileMax);
    edit->updateAutoBackupTimer();
    return true;
}

}  // namespace Dialog
