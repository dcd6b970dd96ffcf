#pragma once
// The text rows: a one-line text box, the name and move-amount kinds that
// check what was typed, the combo box with its two name kinds, and the file
// row with its browse button.
#include "dialogs/template/DialogItem.h"

#include <vector>

namespace Dialog {

class DialogItemText : public DialogItem {
public:
    DialogItemText(std::wstring label, std::wstring text, bool required = false)
        : DialogItem(std::move(label)), text(std::move(text)), required(required) {}
    // The name row: labelled "名前".
    DialogItemText(std::wstring text, bool required) : DialogItemText(L"名前", std::move(text), required) {}

    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    // An empty box fails a required row with "必須項目です"; otherwise the
    // text is taken.
    bool submit() override;
    void update() override;

    std::wstring text;
    bool required;
};

// Required; names refuse the characters file names and menu keys cannot hold.
class DialogItemNameText : public DialogItemText {
public:
    DialogItemNameText(std::wstring label, std::wstring text) : DialogItemText(std::move(label), std::move(text), true) {}
    bool submit() override;
};

// Required; a move amount in seconds ("1.5") or frames ("5f").
class DialogItemMoveFrameText : public DialogItemText {
public:
    DialogItemMoveFrameText(std::wstring label, std::wstring text)
        : DialogItemText(std::move(label), std::move(text), true) {}
    bool submit() override;
};

// A text box with a drop-down list of choices (added untranslated).
class DialogItemComboBox : public DialogItemText {
public:
    DialogItemComboBox(std::wstring label, std::wstring text, std::vector<std::wstring> choices = {})
        : DialogItemText(std::move(label), std::move(text), false), choices(std::move(choices)) {}
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    // Refills the list first when a refill function is set.
    void update() override;

    std::vector<std::wstring> choices;
    std::function<void(std::vector<std::wstring>& choices)> refill;
};

class DialogItemNameComboBox : public DialogItemComboBox {
public:
    using DialogItemComboBox::DialogItemComboBox;
    bool submit() override;
};

class DialogItemNameFolderComboBox : public DialogItemComboBox {
public:
    using DialogItemComboBox::DialogItemComboBox;
    bool submit() override;
};

// A path box and a browse button carrying the id of an unlabelled button
// of the dialog, whose action runs when it is pressed.
class DialogItemFile : public DialogItemText {
public:
    DialogItemFile(std::wstring label, std::wstring text, std::wstring buttonText, int buttonId)
        : DialogItemText(std::move(label), std::move(text), false), buttonText(std::move(buttonText)),
          buttonId(buttonId) {}
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    void measure(Platform::DialogWindow& dialog) override;

    std::wstring buttonText;
    int buttonWidth = 0;
    int buttonId;
};

}  // namespace Dialog
