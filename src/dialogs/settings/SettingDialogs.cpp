#include "dialogs/settings/SettingDialogs.h"

#include "core/base/Singleton.h"
#include "dialogs/settings/AviFileSaveDialog.h"
#include "dialogs/settings/GridDialog.h"
#include "dialogs/settings/LogSettingDialog.h"
#include "edit/service/EditService.h"
#include "panels/log/LogComponent.h"
#include "panels/preview/PreviewMenuEntries.h"
#include "plugin/output/WriterSettingCalls.h"

namespace Dialog {

void installSettingDialogs() {
    Component::LogComponent::logSettingDialog() = [] { LogSettingDialog(L"ログの設定").show(); };
    Component::PreviewContextMenu::gridDialog() = [] {
        if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance())
            GridDialog(L"グリッド(XY軸)の設定").show(*edit);
    };
    // The save dialog is a toolkit window of its own, no window of ours: the
    // main window owns the format dialog, which opens above the chooser.
    Plugin::writerSettingCalls().aviFormat = [](const std::wstring& title, void*, std::wstring& video,
                                                std::wstring& audio) {
        return AviFileSaveDialog(title).show(nullptr, video, audio);
    };
}

void removeSettingDialogs() {
    Component::LogComponent::logSettingDialog() = nullptr;
    Component::PreviewContextMenu::gridDialog() = nullptr;
    Plugin::writerSettingCalls().aviFormat = nullptr;
}

}  // namespace Dialog
