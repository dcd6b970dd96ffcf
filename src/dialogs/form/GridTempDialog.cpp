#include "dialogs/form/GridTempDialog.h"

#include "dialogs/template/DialogTemplate.h"
#include "dialogs/template/DialogItemValue.h"

namespace Dialog::GridTempDialog {

bool show(TempoGridValues& values) {
    DialogTemplate dialog(L"グリッド(BPM)の設定");
    auto& tempo = dialog.addItem<DialogItemNumber>(L"テンポ", values.tempo, 1.0, 1000.0);
    auto& beats = dialog.addItem<DialogItemInteger>(L"拍子", values.beats, 0, 100);
    auto& offset = dialog.addItem<DialogItemNumber>(L"基準時間", values.offset, -3600.0, 3600.0);
    if (!dialog.create()) return false;
    values.tempo = tempo.value;
    values.beats = beats.value;
    values.offset = offset.value;
    return true;
}

}  // namespace Dialog::GridTempDialog
