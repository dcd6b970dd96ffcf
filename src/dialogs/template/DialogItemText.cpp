#include "dialogs/template/DialogItemText.h"

#include "core/text/StringConvert.h"

namespace Dialog {

namespace {

std::string utf8(const std::wstring& text) { return System::String::toUtf8(text); }

}  // namespace

void DialogItemText::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    attach(owner, owner.createEdit(0, {x, y, x + w, y + h}, utf8(text)));
}

bool DialogItemText::submit() {
    const std::wstring typed = controlText(window);
    if (typed.empty() && required) return refuse(window, {kRequired, L""});
    text = typed;
    return true;
}

void DialogItemText::update() { Platform::DialogWindow::setText(window, utf8(text)); }

bool DialogItemNameText::submit() {
    if (!DialogItemText::submit()) return false;
    if (auto refusal = validateName(text)) return refuse(window, *refusal);
    return true;
}

bool DialogItemMoveFrameText::submit() {
    if (!DialogItemText::submit()) return false;
    if (!isMoveFrameText(text)) return refuse(window, {kInvalidValue, L""});
    return true;
}

void DialogItemComboBox::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    Platform::ControlHandle combo = owner.createCombo(0, {x, y, x + w, y + h}, true);
    for (const std::wstring& choice : choices) Platform::DialogWindow::comboAdd(combo, utf8(choice));
    Platform::DialogWindow::setText(combo, utf8(text));
    attach(owner, combo);
}

void DialogItemComboBox::update() {
    if (refill) {
        refill(choices);
        Platform::DialogWindow::comboClear(window);
        for (const std::wstring& choice : choices) Platform::DialogWindow::comboAdd(window, utf8(choice));
    }
    DialogItemText::update();
}

bool DialogItemNameComboBox::submit() {
    if (!DialogItemText::submit()) return false;
    if (auto refusal = validateName(text)) return refuse(window, *refusal);
    return true;
}

bool DialogItemNameFolderComboBox::submit() {
    if (!DialogItemText::submit()) return false;
    if (auto refusal = validateFolderName(text)) return refuse(window, *refusal);
    return true;
}

void DialogItemFile::measure(Platform::DialogWindow& owner) {
    buttonWidth = owner.measureText(translateDialogText(buttonText)).width + 32;
}

void DialogItemFile::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    const int boxWidth = std::max(0, w - buttonWidth);
    Platform::ControlHandle box = owner.createEdit(0, {x, y, x + boxWidth, y + h}, utf8(text));
    owner.createButton(buttonId, {x + boxWidth, y, x + w, y + h}, translateDialogText(buttonText), false);
    // The file row takes no filter.
    dialog = &owner;
    window = box;
}

}  // namespace Dialog
