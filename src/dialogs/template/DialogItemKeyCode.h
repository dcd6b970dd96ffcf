#pragma once
// A box that captures one shortcut key: pressing a key (with Ctrl, Shift,
// Alt) stores its shortcut code and shows its name. Every key, Tab, Enter
// and Escape included, belongs to the box while it has the focus.
#include "dialogs/template/DialogItem.h"

namespace Dialog {

class DialogItemKeyCode : public DialogItem {
public:
    DialogItemKeyCode(std::wstring label, int code) : DialogItem(std::move(label)), code(code) {}
    void create(Platform::DialogWindow& dialog, int x, int y, int w, int h) override;
    bool submit() override { return true; }
    void update() override;

    // The key-capture procedure (key and focus messages of the box).
    bool capture(UINT message, WPARAM wParam, LPARAM lParam);

    // Virtual key + 0x4000 Ctrl, 0x2000 Shift, 0x1000 Alt; 0 for none.
    int code;

    // The shortcut service's key names: the name of a code ("" when the
    // key has none). The service installs its table here; until then the
    // letters, digits and function keys are named.
    static std::function<std::wstring(int code)> codeName;
};

}  // namespace Dialog
