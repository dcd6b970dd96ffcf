#include "dialogs/file/FileDialog.h"

#include "core/base/Log.h"
#include "core/event/UserInterface.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "window/ModalScope.h"

namespace Dialog::FileDialog {

namespace {

// The file-name buffer holds 260 characters with its terminating null.
constexpr std::size_t kPathLimit = 259;

std::vector<std::wstring> splitPatterns(const std::wstring& list) {
    std::vector<std::wstring> patterns;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(L';', start), list.size());
        if (end > start) patterns.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return patterns;
}

// The extension a name without one gets; a wildcard extension ("*.*") gives
// none.
std::string defaultExtensionOf(const std::wstring& filter, const std::wstring& path) {
    const int index = System::FileName::findFilterIndex(filter, path.c_str());
    const std::wstring extension = System::FileName::getFilterExtension(filter, index);
    if (extension.find_first_of(L"*?") != std::wstring::npos) return {};
    return System::String::toUtf8(extension);
}

Platform::FileChooserOptions baseOptions(const std::wstring& path, const std::wstring& filter) {
    Platform::FileChooserOptions options;
    auto* ui = System::UserInterface::current();
    options.owner = ui ? ui->commandWindow() : nullptr;
    options.filters = parseFilter(filter);
    options.filterIndex = System::FileName::findFilterIndex(filter, path.c_str());
    return options;
}

// One showing, and once more with an empty name when the proposed name is
// not a valid file name.
bool run(Platform::FileChooserOptions& options, std::wstring& path) {
    std::wstring buffer = proposedPath(path);
    options.path = System::String::toUtf8(buffer);
    std::string chosen;
    Platform::FileChooserResult result = Platform::runFileChooser(options, chosen);
    if (result == Platform::FileChooserResult::InvalidName && !buffer.empty()) {
        options.path.clear();
        result = Platform::runFileChooser(options, chosen);
    }
    if (result != Platform::FileChooserResult::Accepted) return false;
    path = System::String::toWide(chosen);
    return true;
}

}  // namespace

std::vector<Platform::FileChooserFilter> parseFilter(const std::wstring& filter) {
    std::vector<Platform::FileChooserFilter> entries;
    std::size_t pos = 0;
    while (pos < filter.size() && filter[pos] != L'\0') {
        const std::size_t nameEnd = filter.find(L'\0', pos);
        if (nameEnd == std::wstring::npos) break;
        const std::size_t listEnd = filter.find(L'\0', nameEnd + 1);
        if (listEnd == std::wstring::npos) break;
        Platform::FileChooserFilter entry;
        entry.name = System::String::toUtf8(filter.substr(pos, nameEnd - pos));
        for (const std::wstring& pattern : splitPatterns(filter.substr(nameEnd + 1, listEnd - nameEnd - 1)))
            entry.patterns.push_back(System::String::toUtf8(pattern));
        entries.push_back(std::move(entry));
        pos = listEnd + 1;
    }
    return entries;
}

std::wstring proposedPath(const std::wstring& path) { return path.substr(0, kPathLimit); }

bool selectOpenFile(std::wstring& path, const std::wstring& filter) {
    try {
        Window::ModalScope modal;
        Platform::FileChooserOptions options = baseOptions(path, filter);
        return run(options, path);
    } catch (const std::exception& e) {
        System::Log::error("Dialog::selectOpenFile", "%s", e.what());
        return false;
    }
}

bool selectSaveFile(std::wstring& path, const std::wstring& filter, const wchar_t* title,
                    FileDialogTemplate* childTemplate, bool defaultExtension, unsigned extraFlags) {
    try {
        Window::ModalScope modal;
        Platform::FileChooserOptions options = baseOptions(path, filter);
        options.save = true;
        options.overwritePrompt = (extraFlags & OFN_OVERWRITEPROMPT) != 0;
        if (defaultExtension) options.defaultExtension = defaultExtensionOf(filter, path);
        if (title)
            options.title = System::String::toUtf8(
                Translate::TranslateService::translate(Translate::TranslateService::Table::Dialog, title));
        if (childTemplate) {
            options.onInit = [childTemplate](void* area, void* dialog, void* ok, void* font) {
                childTemplate->childWindow = area;
                childTemplate->fileDialogWindow = dialog;
                childTemplate->okButton = ok;
                childTemplate->okButtonFont = font;
                childTemplate->procInit();
            };
            options.onSize = [childTemplate] { childTemplate->procSize(); };
            options.onDestroy = [childTemplate] {
                childTemplate->procDestroy();
                childTemplate->childWindow = childTemplate->fileDialogWindow = nullptr;
                childTemplate->okButton = childTemplate->okButtonFont = nullptr;
            };
        }
        return run(options, path);
    } catch (const std::exception& e) {
        System::Log::error("Dialog::selectSaveFile", "%s", e.what());
        return false;
    }
}

}  // namespace Dialog::FileDialog
