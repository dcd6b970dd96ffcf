#pragma once
// Rows that hold no value: a text (optionally bold, framed or with an
// icon), an empty margin, and the accept/decline button pair of a
// confirmation.
#include "dialogs/template/DialogItem.h"

namespace Dialog {

class DialogItemStatic : public DialogItem {
public:
    explicit DialogItemStatic(std::wstring text);
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    bool submit() override { return true; }
    void update() override {}
    void measure(Platform::DialogWindow& dialog) override;

    std::wstring text;
    // 32 pixels at the display scale.
    int iconSize;
    // A frame around the text.
    bool border = false;
    // The desktop theme's name of the icon shown left of the text; empty
    // for none.
    std::string icon;
    bool bold = false;
};

class DialogItemMargin : public DialogItem {
public:
    explicit DialogItemMargin(int margin) { height = margin; }
    void create(Platform::DialogWindow& dialog, int, int, int, int) override { this->dialog = &dialog; }
    bool submit() override { return true; }
    void update() override {}
};

// The accept button (command 6: submits the dialog whatever its Enter
// policy) and the decline button (command 2: cancels), in bold.
class DialogItemConfirmButton : public DialogItem {
public:
    explicit DialogItemConfirmButton(std::wstring declineText) : declineText(std::move(declineText)) {}
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    bool submit() override { return true; }
    void measure(Platform::DialogWindow& dialog) override;

    int declineWidth = 64;
    std::wstring acceptText = L"このプラグイン・スクリプトを信頼して使用する";
    std::wstring declineText;
};

}  // namespace Dialog
