#include "dialogs/template/DialogTemplate.h"

#include "core/event/UserInterface.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "window/ModalScope.h"

namespace Dialog {

bool DialogTemplate::show() {
    Platform::FormDialogOptions options;
    auto* ui = System::UserInterface::current();
    options.owner = ui ? ui->commandWindow() : nullptr;
    options.title = System::String::toUtf8(
        Translate::TranslateService::translate(Translate::TranslateService::Table::Dialog, title.c_str()));
    for (const auto& item : items) options.rows.push_back(item->createRow());
    options.check = [this](const Platform::FormTexts& texts) -> std::optional<Platform::FormRefusal> {
        for (std::size_t r = 0; r < items.size(); ++r) {
            std::vector<std::wstring> row;
            for (const std::string& text : texts.at(r)) row.push_back(System::String::toWide(text));
            if (auto refusal = items[r]->readValue(row))
                return Platform::FormRefusal{static_cast<int>(r), refusal->box,
                                             System::String::toUtf8(refusal->message),
                                             System::String::toUtf8(refusal->detail)};
        }
        return std::nullopt;
    };
    Window::ModalScope modal;
    Platform::FormTexts texts;
    return Platform::runFormDialog(options, texts);
}

}  // namespace Dialog
