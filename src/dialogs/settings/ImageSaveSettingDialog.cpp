#include "dialogs/settings/ImageSaveSettingDialog.h"

#include "dialogs/template/DialogItemValue.h"

namespace Dialog {

bool ImageSaveSettingDialog::show(Platform::WindowHandle owner, int& transparent, int& quality) {
    auto& alpha = addItem<DialogItemListBox>(L"PNG透明色", transparent != 0 ? 1 : 0);
    alpha.addItem(L"なし");
    alpha.addItem(L"あり");
    auto& jpeg = addItem<DialogItemInteger>(L"JPEG品質", quality, 1, 100);
    if (!create(0, owner)) return false;
    transparent = alpha.selected;
    quality = jpeg.value;
    return true;
}

}  // namespace Dialog
