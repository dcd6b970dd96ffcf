#include "dialogs/settings/LanguageDialog.h"

#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/translate/LanguageSwitch.h"
#include "dialogs/template/DialogItemValue.h"

#include <exception>

namespace Dialog {

bool LanguageDialog::show() {
    auto* translate = System::Singleton<Translate::TranslateService>::getInstance();
    if (!translate) return false;
    const std::vector<std::wstring> languages = translate->getLanguageList();
    auto& row = addItem<DialogItemListBox>(L"言語", 0);
    for (const std::wstring& language : languages) row.addItem(language.c_str());
    if (!translate->language.empty()) row.select(translate->language.c_str());
    // A single row still gets its OK button.
    buttonMode = ButtonMode::Always;
    if (!create()) return false;

    const std::wstring chosen =
        row.selected > 0 && row.selected < static_cast<int>(languages.size()) ? languages[row.selected] : std::wstring();
    try {
        Translate::switchLanguage(*translate, chosen);
    } catch (const std::exception& e) {
        showException(e);
        return false;
    }
    return true;
}

}  // namespace Dialog
