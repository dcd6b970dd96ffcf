#include "dialogs/template/DialogItemValue.h"

#include "core/text/FormatDouble.h"
#include "core/text/StringConvert.h"

#include <string>

namespace Dialog {

void DialogItemInteger::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    Platform::EditOptions options;
    options.digitsOnly = minimum >= 0 && maximum >= 0;
    options.noInputMethod = true;
    attach(owner, owner.createEdit(0, {x, y, x + w, y + h}, "", options));
    update();
}

bool DialogItemInteger::submit() {
    if (auto refusal = getWindowTextInteger(controlText(window), value, minimum, maximum))
        return refuse(window, *refusal);
    return true;
}

void DialogItemInteger::update() { Platform::DialogWindow::setText(window, std::to_string(value)); }

void DialogItemNumber::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    attach(owner, owner.createEdit(0, {x, y, x + w, y + h}, System::String::toUtf8(System::formatDouble(value))));
}

bool DialogItemNumber::submit() {
    if (auto refusal = getWindowTextDouble(controlText(window), value, minimum, maximum))
        return refuse(window, *refusal);
    return true;
}

void DialogItemListBox::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    Platform::ControlHandle list = owner.createCombo(0, {x, y, x + w, y + h}, false);
    for (const std::wstring& choice : choices) Platform::DialogWindow::comboAdd(list, translateDialogText(choice));
    if (selected >= 0 && selected < static_cast<int>(choices.size())) Platform::DialogWindow::comboSelect(list, selected);
    attach(owner, list);
}

bool DialogItemListBox::submit() {
    const int picked = Platform::DialogWindow::comboSelection(window);
    if (picked >= 0) selected = picked;
    return true;
}

void DialogItemListBox::select(const wchar_t* text) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i] == text) {
            selected = static_cast<int>(i);
            return;
        }
    }
}

void DialogItemImageSize::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    Platform::EditOptions options;
    options.digitsOnly = true;
    const int boxWidth = (w - 4) / 2 > 0 ? (w - 4) / 2 : 0;
    Platform::ControlHandle first =
        owner.createEdit(0, {x, y, x + boxWidth, y + h}, std::to_string(imageWidth), options);
    heightWindow = owner.createEdit(0, {x + boxWidth + 4, y, x + 2 * boxWidth + 4, y + h},
                                    std::to_string(imageHeight), options);
    dialog = &owner;
    window = first;
}

bool DialogItemImageSize::submit() {
    if (auto refusal = getWindowTextInteger(controlText(window), imageWidth, minimum, maximum))
        return refuse(window, *refusal);
    if (auto refusal = getWindowTextInteger(controlText(heightWindow), imageHeight, minimum, maximum))
        return refuse(heightWindow, *refusal);
    return true;
}

}  // namespace Dialog
