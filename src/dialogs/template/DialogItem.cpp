#include "dialogs/template/DialogItem.h"

#include "core/base/Exception.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"

namespace Dialog {

void DialogItem::create(Platform::DialogWindow&, int, int, int, int) {
    throw System::makeException("Dialog::DialogItem::create", "not implement.");
}

bool DialogItem::submit() { throw System::makeException("Dialog::DialogItem::submit", "not implement."); }

void DialogItem::update() { throw System::makeException("Dialog::DialogItem::update", "not implement."); }

void DialogItem::attach(Platform::DialogWindow& owner, Platform::ControlHandle control) {
    dialog = &owner;
    window = control;
    if (filter)
        owner.setKeyFilter(control, [this](UINT message, WPARAM wParam, LPARAM lParam) {
            return filter && filter(message, wParam, lParam);
        });
}

bool DialogItem::refuse(Platform::ControlHandle control, const ItemRefusal& refusal) {
    if (dialog)
        dialog->showRefusal(control,
                            System::String::toUtf8(Translate::TranslateService::translate(
                                Translate::TranslateService::Table::Message, refusal.message.c_str())),
                            System::String::toUtf8(refusal.detail));
    return false;
}

std::wstring DialogItem::controlText(Platform::ControlHandle control) {
    return System::String::toWide(Platform::DialogWindow::getText(control));
}

std::string translateDialogText(const std::wstring& text) {
    return System::String::toUtf8(
        Translate::TranslateService::translate(Translate::TranslateService::Table::Dialog, text.c_str()));
}

}  // namespace Dialog
