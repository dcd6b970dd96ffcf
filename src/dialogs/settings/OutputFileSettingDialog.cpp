#include "dialogs/settings/OutputFileSettingDialog.h"

#include "core/base/Singleton.h"
#include "core/event/DialogSeam.h"
#include "dialogs/template/DialogItemStatic.h"
#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogItemValue.h"
#include "edit/service/EditService.h"
#include "media/gpu/Direct3DService.h"
#include "media/image/YUVformat.h"

namespace Dialog {

bool OutputFileSettingDialog::show() {
    auto* edit = System::Singleton<Edit::EditService>::getInstance();
    auto* direct3d = System::Singleton<Media::Direct3DService>::getInstance();
    if (!edit || !direct3d) return false;

    DialogItemFile* sound = nullptr;
    // The chooser starts from the value last stored, not from typed text.
    const int browse = addButton(nullptr, [&sound] {
        std::wstring path = sound->text;
        static const std::wstring filter = [] {
            std::wstring f = L"WavFile (*.wav)";
            f += L'\0';
            f += L"*.wav";
            f += L'\0';
            f += L'\0';
            return f;
        }();
        if (!selectOpenFile(path, filter)) return;
        sound->text = path;
        sound->update();
    });
    sound = &addItem<DialogItemFile>(L"ファイル出力完了時のサウンド", edit->outputCompleteSoundFile, L"ファイル", browse);
    addItem<DialogItemMargin>(2);
    const Media::YUVformat::ColorTable& spaces = Media::YUVformat::getRGB2YUVTable();
    auto& space = addItem<DialogItemListBox>(
        L"YUV色空間", Media::YUVformat::getColorSpaceIndex(direct3d->settings.outputYUVColorSpace));
    space.addItem(L"自動");
    for (const Media::YUVformat::ColorEntry& entry : spaces.entries) space.addItem(entry.name.c_str());
    auto& range = addItem<DialogItemListBox>(L"YUVレンジ", direct3d->settings.outputYUVColorRange);
    range.addItem(L"Limited");
    range.addItem(L"Full");
    addItem<DialogItemStatic>(L"ファイル出力時にYUVが利用される場合の設定です");
    if (!create()) return false;

    edit->outputCompleteSoundFile = sound->text;
    direct3d->settings.outputYUVColorSpace =
        space.selected > 0 && space.selected <= spaces.size()
            ? spaces.entries[static_cast<std::size_t>(space.selected - 1)].name
            : std::wstring();
    direct3d->settings.outputYUVColorRange = range.selected;
    return true;
}

}  // namespace Dialog
