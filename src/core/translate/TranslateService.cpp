#include "core/translate/TranslateService.h"
#include "core/translate/LanguageSwitch.h"

#include "core/file/AtomicFile.h"
#include "core/base/Exception.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/base/Singleton.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "platform/gtk/SystemParameters.h"
#include "core/event/MessageBox.h"
#include "core/event/UserInterface.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <system_error>

namespace Translate {

namespace {

const TranslateTables& builtInTexts() {
    static const TranslateTables tables;
    return tables;
}

// The snapshot in force; null for the built-in texts.
std::atomic<const TranslateTables*> current{nullptr};

// Every snapshot ever published, so that texts handed out by an older one
// stay valid to the end of the process. User-interface thread only.
std::vector<std::unique_ptr<const TranslateTables>>& published() {
    static auto* list = new std::vector<std::unique_ptr<const TranslateTables>>;
    return *list;
}

void publish(std::unique_ptr<const TranslateTables> tables) {
    const TranslateTables* shown = tables.get();
    published().push_back(std::move(tables));
    current.store(shown, std::memory_order_release);
}

void useBuiltInTexts() { current.store(nullptr, std::memory_order_release); }

// "\n" written as backslash and n stands for a line break.
std::wstring unescapeLineBreaks(std::wstring text) {
    System::String::replaceAll(text, L"\\n", L"\n");
    return text;
}

std::wstring languageFolderPath(const std::wstring& name) {
    std::wstring path = L"%Language%\\" + name;
    System::FileName::expandVariable(path);
    return path;
}

void flushToDisk(const std::filesystem::path& path, std::error_code& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) error.assign(errno, std::generic_category());
    if (fd >= 0) ::close(fd);
}

// Copies through a temporary file renamed over the target, so a failed copy
// keeps a language file of the same name. Copying a file onto itself does
// nothing.
void copyLanguageFile(const std::wstring& source, const std::wstring& target) {
    namespace fs = std::filesystem;
    const fs::path from = System::String::toUtf8(source);
    const fs::path to = System::String::toUtf8(target);
    std::error_code error;
    if (fs::equivalent(from, to, error)) return;
    error.clear();
    const fs::path temporary = System::AtomicFile::temporaryPath(to.string());
    fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error);
    if (!error) flushToDisk(temporary, error);
    if (!error) fs::rename(temporary, to, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw System::makeErrnoException("CopyFile", "Translate::TranslateService::registerLanguageFile",
                                         error.value());
    }
}

// The tables of a language file; mustExist makes a missing or unreadable
// file an error instead of an empty language.
std::unique_ptr<TranslateTables> readLanguage(const std::wstring& name, bool mustExist) {
    System::IniFile file;
    const std::wstring path = languageFolderPath(name + L".mvl2");
    // At start-up a missing file loads as empty: every text stays as built
    // in. A file chosen while the program runs must be there.
    if (!file.loadFile(path.c_str(), false, false) && mustExist)
        throw System::makeExceptionFormat("Translate::TranslateService::readLanguage", "language file load failed.",
                                          L"%ls", path.c_str());
    auto tables = std::make_unique<TranslateTables>();
    TranslateService::loadTable(tables->Effect, file.getSection("Effect"));
    TranslateService::loadTable(tables->Message, file.getSection("Message"));
    TranslateService::loadTable(tables->Menu, file.getSection("Menu"));
    TranslateService::loadTable(tables->Dialog, file.getSection("Dialog"));
    TranslateService::loadTable(tables->Name, file.getSection("Name"));
    tables->languageLoaded = true;
    return tables;
}

}  // namespace

TranslateService::TranslateService() { loadLanguage(); }

TranslateService::~TranslateService() = default;

const TranslateTables& TranslateService::tables() {
    const TranslateTables* tables = current.load(std::memory_order_acquire);
    return tables ? *tables : builtInTexts();
}

const wchar_t* TranslateService::translate(Table table, const wchar_t* text) {
    const TranslateTables& t = tables();
    if (!t.languageLoaded) return text;
    switch (table) {
    case Table::Effect: return t.Effect.translate(text);
    case Table::Message: return t.Message.translate(text);
    case Table::Menu: return t.Menu.translate(text);
    case Table::Dialog: return t.Dialog.translate(text);
    case Table::Name: return t.Name.translate(text);
    }
    return text;
}

const wchar_t* TranslateService::translateMenu(const std::wstring& text) {
    return translate(Table::Menu, text.c_str());
}

void TranslateService::loadLanguage() {
    if (language == L"*") {
        // The first run: the choice is made once and saved with the group.
        language.clear();
        if (Setting::userInterfaceLanguage() != "ja") {
            const std::vector<std::wstring> list = getLanguageList();
            if (list.size() > 1) language = list[1];
        }
    }
    if (language.empty()) {
        useBuiltInTexts();
        return;
    }
    try {
        publish(readLanguage(language, false));
    } catch (const std::exception&) {
        language.clear();
        useBuiltInTexts();
    }
}

void switchLanguage(TranslateService& service, const std::wstring& name) {
    if (name.empty()) {
        useBuiltInTexts();
    } else {
        // Read first: a failure leaves the language and texts in force.
        publish(readLanguage(name, true));
    }
    service.language = name;
    refreshWindows(service);
}

void TranslateService::loadTable(TranslateTable& table, const System::IniFile::SectionRef& section) {
    table.map.clear();
    table.map.reserve(section.size());
    for (const auto& [key, value] : section) {
        std::wstring source = unescapeLineBreaks(System::String::toWide(key));
        // An empty value keeps the text as it is.
        std::wstring shown = unescapeLineBreaks(value.toString(source.c_str()));
        table.map.insert_or_assign(std::move(source), std::move(shown));
    }
}

std::vector<std::wstring> TranslateService::getLanguageList() const {
    std::vector<std::wstring> list{L"Default"};
    for (const System::File::FileInfo& file : System::File::findFiles(languageFolderPath(L"*.mvl2"), nullptr))
        list.push_back(System::FileName::getTitle(file.name));
    return list;
}

void TranslateService::reloadLanguage() {
    loadLanguage();
    refreshWindows(*this);
}

void refreshWindows(TranslateService& service) {
    if (service.onLanguageSwitch) service.onLanguageSwitch();
    if (auto* ui = System::UserInterface::current()) ui->requestLayout();
    // Every window refreshes its texts here, through an edit scope with
    // every update flag, once the edit service exists.
}

void TranslateService::registerLanguageFile(const wchar_t* path) {
    std::wstring source = path ? path : L"";
    System::FileName::expandVariable(source);
    const std::size_t slash = source.find_last_of(L"\\/");
    const std::wstring target = languageFolderPath(slash == std::wstring::npos ? source : source.substr(slash + 1));
    copyLanguageFile(source, target);
    language = System::FileName::getTitle(target);
    reloadLanguage();
    Dialog::showInformation(L"言語ファイルを設定しました");
}

}  // namespace Translate
