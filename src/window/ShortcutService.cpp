#include "window/ShortcutService.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/file/FileName.h"
#include "core/file/SettingService.h"
#include "edit/undo/UndoService.h"
#include "platform/gtk/VirtualKeys.h"
#include "window/WindowMenuManager.h"

#include <algorithm>
#include <string>

namespace Window {

namespace {

constexpr const char* kSection = "shortcut";

}  // namespace

ShortcutService::ShortcutService() {
    if (auto* settings = System::Singleton<Setting::SettingService>::getInstance())
        Shortcut::applyKeyNames(settings->systemConfig.getSection(settings->keyCode.name));
    load();
}

std::wstring ShortcutService::getPath() {
    std::wstring path = L"%AppData%/keyboard.ini";
    System::FileName::expandVariable(path);
    return path;
}

void ShortcutService::load() {
    savedCodes.clear();
    const std::wstring path = getPath();
    System::IniFile file;
    file.loadFile(path.c_str());
    for (int n = 0;; ++n) {
        if (!file.hasSection(kSection + std::string(".") + std::to_string(n))) break;
        const System::IniFile::SectionRef section = file.getSection(kSection, n);
        try {
            const std::wstring name = section.getValue("name").toString();
            const int code = section.getValue("code").toInt();
            savedCodes.emplace(name, code);
        } catch (const std::exception&) {
            // The entries read so far are kept; start-up goes on.
            System::Log::warn("Window::ShortcutService::load", L"%ls: section %ls.%d is damaged; reading stops.",
                              path.c_str(), L"shortcut", n);
            break;
        }
    }
}

void ShortcutService::save() {
    try {
        const std::wstring path = getPath();
        System::IniFile::Save file(path.c_str());
        int n = 0;
        for (const Shortcut& entry : shortcuts) {
            if (entry.code == entry.defaultCode) continue;
            file.writeSection(kSection + std::string(".") + std::to_string(n++));
            file.writeValue("name", entry.name.c_str());
            file.writeValue("code", std::to_string(entry.code));
        }
        file.close();
    } catch (const std::exception&) {
        // Logged where it was raised; the user sees nothing.
    }
}

void ShortcutService::registerShortcut(const std::wstring& name, int defaultCode, std::function<void()> action,
                                       Platform::MenuHandle menu, int commandId) {
    int code = defaultCode;
    const auto saved = savedCodes.find(name);
    if (saved == savedCodes.end()) {
        // The earlier command keeps the key.
        if (findEntry(defaultCode)) code = 0;
    } else {
        code = saved->second;
        // The user's binding wins over an earlier default.
        if (Shortcut* holder = findEntry(code)) holder->code = 0;
    }
    if (menu) setMenuItemShortcutText(menu, commandId, Shortcut::getCodeName(code));
    shortcuts.push_back({name, code, defaultCode, std::move(action), menu, commandId});
}

Shortcut* ShortcutService::findEntry(int code) {
    if (code == 0) return nullptr;
    const auto found =
        std::find_if(shortcuts.begin(), shortcuts.end(), [code](const Shortcut& s) { return s.code == code; });
    return found == shortcuts.end() ? nullptr : &*found;
}

int ShortcutService::codeWithModifiers(int virtualKey) const {
    int code = virtualKey;
    if (!hooks.keyDown) return code;
    if (hooks.keyDown(Platform::VK::CONTROL)) code += Shortcut::Ctrl;
    if (hooks.keyDown(Platform::VK::SHIFT)) code += Shortcut::Shift;
    if (hooks.keyDown(Platform::VK::MENU)) code += Shortcut::Alt;
    return code;
}

bool ShortcutService::dispatchKey(int virtualKey) {
    int code = codeWithModifiers(virtualKey);
    Shortcut* entry = findEntry(code);
    if (!entry) {
        // Ctrl and Shift dropped, Alt kept: Alt+F never becomes F.
        code &= 0x1FFF;
        if (code == 0) return false;
        entry = findEntry(code);
        if (!entry) return false;
    }
    if (hooks.interruptMouse) hooks.interruptMouse();
    // An edit in progress holds an undo group open.
    if (const auto* undo = System::Singleton<Undo::UndoService>::getInstance(); undo && undo->recording)
        return false;
    // Copies: the command may rebuild the menus and the entries with them.
    if (entry->menu) {
        const int id = entry->commandId;
        if (hooks.executeMenuCommand)
            hooks.executeMenuCommand(id);
        else if (WindowMenuManager* bar = WindowMenuManager::mainMenu())
            bar->executeCommand(id);
    } else {
        const std::function<void()> action = entry->action;
        if (action) action();
    }
    return true;
}

int ShortcutService::getDefaultCode(int virtualKey) {
    const Shortcut* entry = findEntry(codeWithModifiers(virtualKey));
    return entry ? entry->defaultCode : 0;
}

void ShortcutService::removeShortcuts(const std::function<bool(const Shortcut&)>& predicate) {
    std::erase_if(shortcuts, predicate);
}

}  // namespace Window
