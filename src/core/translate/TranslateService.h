#pragma once
// The language of the user interface. Every text the program shows is
// written in Japanese in the program; a language file ("%Language%\<name>.mvl2",
// an ini text with the sections Effect, Message, Menu, Dialog and Name,
// "\n" standing for a line break) replaces them where they are shown.
//
// A process-wide service (System::Singleton) that chooses and loads the
// language at start-up, lists and installs language files and switches the
// language while the program runs, all on the user-interface thread.
// Lookups may come from any thread: each load publishes the tables and the
// loaded flag as one snapshot that stays valid to the end of the process,
// so texts already handed out never dangle.
#include "core/file/Config.h"
#include "core/file/IniFile.h"
#include "core/translate/TranslateTable.h"

#include <functional>
#include <string>
#include <vector>

namespace Translate {

// One load: the five tables and whether a language file is in force.
struct TranslateTables {
    bool languageLoaded = false;
    TranslateTable Effect;   // effect, item and movement names
    TranslateTable Message;  // messages, warnings, questions
    TranslateTable Menu;     // menu labels
    TranslateTable Dialog;   // dialog titles and rows
    TranslateTable Name;     // default names ("Layer", "Scene", "Root")
};

class TranslateService {
public:
    enum class Table { Effect, Message, Menu, Dialog, Name };

    // Loads the "Translate" group, then the language.
    TranslateService();
    ~TranslateService();
    TranslateService(const TranslateService&) = delete;
    TranslateService& operator=(const TranslateService&) = delete;

    // Chooses the language (on the first run from the desktop's language)
    // and loads its file; a missing file loads as empty, a failing one
    // leaves the built-in texts and an empty choice.
    void loadLanguage();
    // Fills a table from a section of a language file.
    static void loadTable(TranslateTable& table, const System::IniFile::SectionRef& section);
    // "Default", then the title of every language file, in listing order.
    std::vector<std::wstring> getLanguageList() const;
    // Switches to the current `language` while the program runs.
    void reloadLanguage();
    // Installs a language file dropped on the program, switches to it and
    // says so in an information box. A failing copy raises "CopyFile" and
    // leaves the language as it was.
    void registerLanguageFile(const wchar_t* path);

    // The tables in force (any thread).
    static const TranslateTables& tables();
    static bool languageLoaded() { return tables().languageLoaded; }
    // The text to show: its translation from the table while a language
    // file is loaded, otherwise the text itself.
    static const wchar_t* translate(Table table, const wchar_t* text);
    static const wchar_t* translateMenu(const std::wstring& text);

    // Empty: the built-in texts; "*": not chosen yet (first run).
    std::wstring language;

    // The window side of a switch, run after the new language was
    // loaded: the menus are rebuilt with the new texts.
    std::function<void()> onLanguageSwitch;

private:
    System::Config config_{"Translate"};
    System::Config::String languageParameter_{config_, "Language", &language, L"*"};
    System::Config::Scope configScope_{config_};
};

}  // namespace Translate
