#include "dialogs/settings/DislpaySettingDialog.h"

#include "core/base/Singleton.h"
#include "dialogs/template/DialogItemStatic.h"
#include "dialogs/template/DialogItemValue.h"
#include "edit/service/EditService.h"
#include "media/gpu/Direct3DService.h"

namespace Dialog {

bool DislpaySettingDialog::show() {
    auto* direct3d = System::Singleton<Media::Direct3DService>::getInstance();
    if (!direct3d) return false;
    auto& mode = addItem<DialogItemListBox>(L"高DPI表示", direct3d->settings.highDpiMode);
    mode.addItem(L"固定サイズ表示");
    mode.addItem(L"拡大サイズ表示");
    addItem<DialogItemStatic>(L"アプリケーションの再起動後に反映されます");
    if (!create()) return false;
    direct3d->settings.highDpiMode = mode.selected;
    // The windows redraw through the frame listeners.
    if (auto* edit = System::Singleton<Edit::EditService>::getInstance())
        edit->setCurrentFrame(edit->getCurrentScene()->cursorFrame);
    return true;
}

}  // namespace Dialog
