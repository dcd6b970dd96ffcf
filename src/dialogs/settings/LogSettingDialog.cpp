#include "dialogs/settings/LogSettingDialog.h"

#include "core/base/Logger.h"
#include "core/base/Singleton.h"
#include "dialogs/template/DialogItemValue.h"

namespace Dialog {

namespace {

// The list index is the level stored; 0 writes nothing.
DialogItemListBox& addLevel(DialogTemplate& dialog, const wchar_t* label, int level) {
    auto& row = dialog.addItem<DialogItemListBox>(label, level);
    for (const wchar_t* name : {L"NONE", L"VERBOSE", L"INFO", L"WARN", L"ERROR"}) row.addItem(name);
    return row;
}

}  // namespace

bool LogSettingDialog::show() {
    auto* logger = System::Singleton<System::Logger>::getInstance();
    if (!logger) return false;
    auto& view = addLevel(*this, L"ログウィンドウの表示対象レベル", logger->ViewLogLevel);
    auto& file = addLevel(*this, L"ログファイルの記録対象レベル", logger->FileLogLevel);
    auto& debugger = addLevel(*this, L"OutputDebugStringの出力対象レベル", logger->DebuggerLogLevel);
    auto& lines = addItem<DialogItemInteger>(L"ログウィンドウの最大行数", logger->MaxViewLine, 1, 10000);
    auto& files = addItem<DialogItemInteger>(L"ログファイルの最大ファイル数", logger->MaxFileNum, 1, 100);
    if (!create()) return false;
    logger->setSettings(lines.value, files.value, view.selected, file.selected, debugger.selected);
    return true;
}

}  // namespace Dialog
