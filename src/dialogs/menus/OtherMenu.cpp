#include "dialogs/menus/OtherMenu.h"

#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "dialogs/list/ListViewDialog.h"
#include "platform/gtk/ShellOpen.h"
#include "plugin/input/InputPlugin.h"
#include "plugin/input/InputService.h"
#include "plugin/output/OutputPlugin.h"
#include "plugin/output/OutputService.h"

namespace Menu {

const wchar_t* const EtcMenu::webSiteName = L"movane2 ウェブサイト";
const char* const EtcMenu::webSiteAddress = "https://movane2.example.org/";

namespace {

const wchar_t* const kAuthor = L"movane2 maintainers";

std::wstring dialogText(const wchar_t* text) {
    return Translate::TranslateService::translate(Translate::TranslateService::Table::Dialog, text);
}

// A table dialog whose columns set its size; rows of another width are left out.
void showList(const std::wstring& title, std::vector<Dialog::ListViewDialog::ColumnInfo> columns,
              std::vector<std::vector<std::wstring>> rows) {
    Dialog::ListViewDialog dialog(title);
    dialog.size = 0;
    for (const auto& column : columns) dialog.size += column.width;
    dialog.columns = std::move(columns);
    for (auto& row : rows)
        if (row.size() == dialog.columns.size()) dialog.rows.push_back(std::move(row));
    dialog.show();
}

}  // namespace

const std::vector<EtcMenu::DataFolder>& EtcMenu::dataFolders() {
    static const std::vector<DataFolder> folders{
        {L"アプリケーションデータフォルダ", L"%AppData%"},
        {L"スクリプトフォルダ", L"%Script%"},
        {L"プラグインフォルダ", L"%Plugin%"},
        {L"図形ファイルフォルダ", L"%Figure%"},
        {L"遷移画像ファイルフォルダ", L"%Transition%"},
        {L"エイリアスファイルフォルダ", L"%Alias%"},
        {L"初期値・プリセットフォルダ", L"%Default%"},
        {L"バックアップファイルフォルダ", L"%Backup%"},
        {L"ログファイルフォルダ", L"%Log%"},
        {L"言語ファイルフォルダ", L"%Language%"},
    };
    return folders;
}

void EtcMenu::openDataFolder(const wchar_t* variable) {
    std::wstring folder = std::wstring(variable) + L"\\";
    System::FileName::expandVariable(folder);
    Platform::shellOpen(System::String::toUtf8(folder));
}

std::vector<std::vector<std::wstring>> EtcMenu::pluginRows() {
    std::vector<std::vector<std::wstring>> rows;
    if (auto* input = System::Singleton<Plugin::InputService>::getInstance()) {
        const std::wstring kind = dialogText(L"入力プラグイン");
        for (const auto& reader : input->pluginList)
            if (!reader->information.empty()) rows.push_back({reader->information, kind});
    }
    if (auto* output = System::Singleton<Plugin::OutputService>::getInstance()) {
        const std::wstring kind = dialogText(L"出力プラグイン");
        for (const auto& writer : output->plugins)
            if (!writer->information.empty()) rows.push_back({writer->information, kind});
    }
    // Filter plugins, script modules and general plugins are not loaded by
    // this build, so they add no rows.
    return rows;
}

void EtcMenu::showPluginList() {
    showList(L"プラグイン情報", {{L"プラグイン", 550}, {L"種別", 150}}, pluginRows());
}

void EtcMenu::showScriptList() {
    // This build loads no script effects, so the list opens empty.
    showList(L"スクリプト情報", {{L"スクリプト情報", 550}, {L"種別", 150}}, {});
}

std::wstring EtcMenu::versionText() {
    return System::String::toWide(Dialog::productCaption) + L"  version " + System::String::toWide(MOVANE2_VERSION) +
           L"  By " + kAuthor;
}

void EtcMenu::showVersion() { Dialog::showInformation(versionText().c_str()); }

void EtcMenu::createMenu() {
    const Window::BaseMenu& m = *menu;
    insertItem(m, L"プラグイン情報", &EtcMenu::showPluginList);
    insertItem(m, L"スクリプト情報", &EtcMenu::showScriptList);
    m.insertSeparator();
    Window::BaseMenu data(m, L"アプリケーションデータ");
    for (const DataFolder& folder : dataFolders())
        insertItem(data, folder.label, [variable = folder.variable] { openDataFolder(variable); });
    Window::BaseMenu site(m, L"ウェブサイト");
    insertItem(site, webSiteName, [] { Platform::shellOpen(webSiteAddress); });
    m.insertSeparator();
    insertItem(m, L"バージョン情報", &EtcMenu::showVersion);
}

}  // namespace Menu
