#include "panels/preview/PreviewZoomMenu.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"

#include <cwchar>

namespace Component {

std::vector<int> parseZoomList(const System::IniFile::VALUE& value) {
    std::vector<int> list;
    for (const System::IniFile::VALUE& piece : value.split(",")) {
        const int zoom = piece.toInt(-1);
        if (zoom >= 0) list.push_back(zoom);
    }
    return list;
}

std::vector<int> previewZoomList() {
    const Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance();
    if (!settings) return {};
    return parseZoomList(settings->config.getValue("PreviewZoom"));
}

std::wstring zoomLabel(int zoom) {
    if (zoom == 0) return Translate::TranslateService::translateMenu(L"WindowSize");
    wchar_t text[16];
    std::swprintf(text, 16, L"%d%%", zoom);
    return Translate::TranslateService::translateMenu(text);
}

void appendZoomItems(Window::MenuEntries& menu, const std::vector<int>& values, int current,
                     const std::function<void(int)>& choose) {
    for (const int value : values)
        menu.push_back({Window::MenuEntry::Kind::Radio, zoomLabel(value), true, value == current,
                        [choose, value] { choose(value); }, {}});
}

}  // namespace Component
