#include "dialogs/settings/SettingDialogs.h"

#include "core/base/Singleton.h"
#include "core/translate/TranslateService.h"
#include "dialogs/settings/AviFileSaveDialog.h"
#include "dialogs/settings/GridDialog.h"
#include "dialogs/settings/ImageSaveSettingDialog.h"
#include "dialogs/settings/LogSettingDialog.h"
#include "edit/service/EditService.h"
#include "panels/log/LogComponent.h"
#include "panels/preview/PreviewMenuEntries.h"
#include "plugin/output/WriterSettingCalls.h"
#include "window/WindowMenuEntry.h"

namespace Dialog {

void installSettingDialogs() {
    Component::LogComponent::logSettingDialog() = [] { LogSettingDialog(L"ログの設定").show(); };
    Component::PreviewContextMenu::gridDialog() = [] {
        if (Edit::EditService* edit = System::Singleton<Edit::EditService>::getInstance())
            GridDialog(L"グリッド(XY軸)の設定").show(*edit);
    };
    // The save dialog is a toolkit window of its own, no window of ours: the
    // main window owns the writers' dialogs, which open above the chooser.
    Plugin::writerSettingCalls().aviFormat = [](const std::wstring& title, void*, std::wstring& video,
                                                std::wstring& audio) {
        return AviFileSaveDialog(title).show(nullptr, video, audio);
    };
    Plugin::writerSettingCalls().pngTransparency = [](int& transparent) {
        const Window::PopupMenuCall& show = Window::popupMenuCall();
        if (!show) return;
        Window::MenuEntries menu;
        const auto entry = [&transparent](const wchar_t* text, int value) {
            return Window::MenuEntry{Window::MenuEntry::Kind::Radio,
                                     Translate::TranslateService::translateMenu(text),
                                     true,
                                     (transparent != 0) == (value != 0),
                                     [&transparent, value] { transparent = value; },
                                     {}};
        };
        menu.push_back(entry(L"PNGファイル(透過付き)", 1));
        menu.push_back(entry(L"PNGファイル(透過無し)", 0));
        show(nullptr, menu);
    };
    Plugin::writerSettingCalls().imageSaveSetting = [](const std::wstring& title, void*, int& transparent,
                                                       int& quality) {
        return ImageSaveSettingDialog(title).show(nullptr, transparent, quality);
    };
}

void removeSettingDialogs() {
    Component::LogComponent::logSettingDialog() = nullptr;
    Component::PreviewContextMenu::gridDialog() = nullptr;
    Plugin::writerSettingCalls() = {};
}

}  // namespace Dialog
