#include "dialogs/form/SliderSettingDialog.h"

#include "dialogs/template/DialogItemValue.h"

#include <algorithm>

namespace Dialog {

SliderSettingDialog::SliderSettingDialog() : DialogTemplate(L"スライダーの移動量の設定") {}

bool SliderSettingDialog::show(int& moveMode, int& moveRatio) {
    auto& mode = addItem<DialogItemListBox>(L"スライダーの移動量の基準", std::clamp(moveMode, 0, 2));
    mode.addItem(L"固定の移動量");
    mode.addItem(L"数値の範囲とスクリーンの幅");
    mode.addItem(L"数値の範囲とスライダーの幅");
    auto& ratio = addItem<DialogItemInteger>(L"スライダーの移動量の感度", std::clamp(moveRatio, 1, 1000), 1, 1000);
    if (!create()) return false;
    moveMode = mode.selected;
    moveRatio = ratio.value;
    return true;
}

}  // namespace Dialog
