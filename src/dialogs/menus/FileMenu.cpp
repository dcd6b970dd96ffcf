#include "dialogs/menus/FileMenu.h"

#include "core/base/Singleton.h"
#include "core/translate/TranslateService.h"
#include "dialogs/file/FileDialog.h"
#include "edit/service/EditService.h"
#include "platform/gtk/MessageQueue.h"
#include "plugin/output/OutputService.h"
#include "window/WindowService.h"

namespace Menu {

namespace {

Edit::EditService* edit() { return System::Singleton<Edit::EditService>::getInstance(); }

std::vector<std::wstring> historyTexts(const Edit::FileHistory& history) {
    std::vector<std::wstring> texts;
    for (const std::wstring* path : history.getFileList()) texts.push_back(*path);
    return texts;
}

}  // namespace

void FileMenu::openProject() {
    Edit::EditService* service = edit();
    if (!service || !service->confirmDiscardProject()) return;
    std::wstring path = service->project.path;
    if (!Dialog::FileDialog::selectOpenFile(path, Edit::EditService::projectFileFilter())) return;
    service->loadProject(path, false, true);
}

void FileMenu::openHistoryProject(const std::wstring& path) {
    if (Edit::EditService* service = edit()) service->loadProject(path, true, true);
}

void FileMenu::requestClose() {
    if (auto* windows = System::Singleton<Window::WindowService>::getInstance())
        Platform::postMessage(windows->mainWindow, Platform::WM_CLOSE, 0, 0);
}

void FileMenu::createMenu() {
    const Window::BaseMenu& m = *menu;
    insertCommand(m, L"プロジェクトを新規作成", 0x404E, [] {
        if (Edit::EditService* service = edit()) service->createProject();
    });
    insertCommand(m, L"プロジェクトを開く", 0x404F, [] { openProject(); });
    insertCommand(m, L"プロジェクトを閉じる", 0, [] {
        if (Edit::EditService* service = edit(); service && service->confirmDiscardProject()) service->clearProject();
    });
    {
        Window::BaseMenu recent(m, L"最近使ったプロジェクト");
        recent.insertItemList(
            100,
            [] {
                Edit::EditService* service = edit();
                return service ? historyTexts(service->projectHistory) : std::vector<std::wstring>{};
            },
            [](int index) {
                if (Edit::EditService* service = edit())
                    openHistoryProject(service->projectHistory.getFileName(index));
            });
    }
    {
        Window::BaseMenu backups(m, L"バックアップしたプロジェクト");
        backups.insertItemList(
            100,
            [] {
                Edit::EditService* service = edit();
                return service ? historyTexts(service->backupHistory) : std::vector<std::wstring>{};
            },
            [](int index) {
                if (Edit::EditService* service = edit())
                    openHistoryProject(service->backupHistory.getFileName(index));
            });
    }
    m.insertSeparator();
    insertCommand(m, L"プロジェクトを保存", 0x4053, [] {
        if (Edit::EditService* service = edit()) service->saveProjectOverwrite();
    });
    insertCommand(m, L"プロジェクトを別名で保存", 0x6053, [] {
        if (Edit::EditService* service = edit()) service->saveProjectAs();
    });
    m.insertSeparator();
    {
        Window::BaseMenu output(m, L"ファイル出力");
        auto* outputs = System::Singleton<Plugin::OutputService>::getInstance();
        const int count = outputs ? static_cast<int>(outputs->plugins.size()) : 0;
        if (count > 0)
            output
                .insertItemList(
                    count,
                    [] {
                        std::vector<std::wstring> names;
                        if (auto* service = System::Singleton<Plugin::OutputService>::getInstance())
                            for (const auto& plugin : service->plugins)
                                names.emplace_back(Translate::TranslateService::translateMenu(plugin->name));
                        return names;
                    },
                    [](int index) {
                        if (auto* service = System::Singleton<Plugin::OutputService>::getInstance())
                            service->outputFile(index);
                    })
                .registerShortcuts(*menu);
    }
    // The import and export entries of general plugins come with the
    // plugin host; without one there is no such submenu.
    m.insertSeparator();
    insertCommand(m, L"プロジェクトを保存して終了", 0, [] {
        if (Edit::EditService* service = edit()) service->saveProjectOverwrite();
        requestClose();
    });
    insertCommand(m, L"終了", 0, [] { requestClose(); });
}

}  // namespace Menu
