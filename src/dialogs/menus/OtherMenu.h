#pragma once
// "その他": the lists of the loaded plugin modules and scripts, the data
// folders opened in the desktop's file browser, the web site and the
// version box. No item is a shortcut command and none is greyed or checked.
#include "dialogs/menus/MenuBase.h"

#include <string>
#include <vector>

namespace Menu {

class EtcMenu : public MenuBase {
public:
    using MenuBase::MenuBase;
    void createMenu() override;

    struct DataFolder {
        const wchar_t* label;
        const wchar_t* variable;
    };
    // The data folders in menu order.
    static const std::vector<DataFolder>& dataFolders();
    // Opens the folder of the path variable ("%Log%") in the file browser.
    static void openDataFolder(const wchar_t* variable);

    // {information text, kind} of every reader and writer that has an
    // information text, readers first, each in its service's order; the
    // kinds translated.
    static std::vector<std::vector<std::wstring>> pluginRows();
    static void showPluginList();
    static void showScriptList();
    // "<product>  version <version>  By <author>".
    static std::wstring versionText();
    static void showVersion();

    static const wchar_t* const webSiteName;
    static const char* const webSiteAddress;
};

}  // namespace Menu
