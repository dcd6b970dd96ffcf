#include "dialogs/settings/GeneralSettingDialog.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "dialogs/template/DialogItemStatic.h"
#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogItemValue.h"
#include "edit/service/EditService.h"

namespace Dialog {

namespace {

DialogItemListBox& addChoice(DialogTemplate& dialog, const wchar_t* label, int selected,
                             std::initializer_list<const wchar_t*> choices) {
    auto& row = dialog.addItem<DialogItemListBox>(label, selected);
    for (const wchar_t* choice : choices) row.addItem(choice);
    return row;
}

}  // namespace

bool GeneralSettingDialog::show() {
    auto* edit = System::Singleton<Edit::EditService>::getInstance();
    auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    if (!edit || !settings) return false;
    auto& selectRange = addChoice(*this, L"フレーム移動時の範囲選択", edit->moveFrameSelectRangeMode,
                                  {L"しない", L"Shiftキーを押しながらフレーム移動した時"});
    auto& enterSubmit = addChoice(*this, L"ダイアログをEnterキーで決定", settings->EnableEnterSubmit,
                                  {L"決定ボタンが無い時のみ", L"する"});
    auto& altLeft = addChoice(*this, L"Alt+左クリックドラックで右クリックドラック操作", edit->altLeftClickToRightClick,
                              {L"しない", L"する"});
    auto& moveA = addItem<DialogItemMoveFrameText>(L"カスタムフレーム移動A", edit->customMoveFrameA);
    auto& moveB = addItem<DialogItemMoveFrameText>(L"カスタムフレーム移動B", edit->customMoveFrameB);
    auto& moveC = addItem<DialogItemMoveFrameText>(L"カスタムフレーム移動C", edit->customMoveFrameC);
    auto& moveD = addItem<DialogItemMoveFrameText>(L"カスタムフレーム移動D", edit->customMoveFrameD);
    addItem<DialogItemStatic>(L"移動量は秒数もしくはフレーム数(\"5f\")で指定出来ます");
    if (!create()) return false;
    edit->moveFrameSelectRangeMode = selectRange.selected;
    settings->EnableEnterSubmit = enterSubmit.selected;
    edit->altLeftClickToRightClick = altLeft.selected;
    edit->customMoveFrameA = moveA.text;
    edit->customMoveFrameB = moveB.text;
    edit->customMoveFrameC = moveC.text;
    edit->customMoveFrameD = moveD.text;
    return true;
}

}  // namespace Dialog
