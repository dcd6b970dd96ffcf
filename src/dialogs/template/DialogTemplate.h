#pragma once
// A modal dialog built in memory from rows: a title, the rows top to
// bottom, an optional note and extra buttons on the button row, and OK when
// the layout (or the button mode) asks for it. OK asks every row in order
// to read its value back; the first refusal keeps the dialog open. A
// dialog is run once, on the caller's stack; its rows keep their values for
// the caller afterwards. User-interface thread only.
#include "dialogs/template/DialogItem.h"
#include "dialogs/template/DialogLayout.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Dialog {

class DialogTemplate {
public:
    using ButtonMode = Dialog::ButtonMode;

    struct Button {
        const wchar_t* label = nullptr;
        std::function<void()> action;
        int width = 0;  // 0: four row heights
        int id = 0;     // 10000 + its index
    };

    explicit DialogTemplate(std::wstring title = {}) : title(std::move(title)) {}
    virtual ~DialogTemplate();
    DialogTemplate(const DialogTemplate&) = delete;
    DialogTemplate& operator=(const DialogTemplate&) = delete;

    // Adds a row of the kind and returns it as its own type.
    template <class Item, class... Args>
    Item& addItem(Args&&... args) {
        auto item = std::make_unique<Item>(std::forward<Args>(args)...);
        Item& added = *item;
        items.push_back(std::move(item));
        return added;
    }
    // Returns the button's command id.
    int addButton(const wchar_t* label, std::function<void()> action, int width = 0);

    // Runs the dialog modally (owner null: the main window); width is the
    // minimum client width. True when it ended through OK.
    bool create(int width = 0, Platform::WindowHandle owner = nullptr);

    // Sees the dialog's other messages (WM_COMMAND with wParam
    // MAKELPARAM(id, code) and lParam the control); true when handled.
    virtual bool procMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs once every control exists.
    virtual void procInitDialog() {}

    std::wstring title;
    const wchar_t* note = nullptr;
    int width = 0;
    int height = 0;
    bool showOk = false;
    bool noEnterSubmit = false;
    bool centred = false;
    ButtonMode buttonMode = ButtonMode::Auto;
    std::vector<std::unique_ptr<DialogItem>> items;
    std::vector<Button> buttons;

    // The point where the popup menu being tracked was opened, when one is;
    // the menu layer installs it. Dialogs opened from a menu start there.
    static std::function<bool(Platform::POINT& point)> trackedMenuPoint;

protected:
    // The open dialog; null outside create.
    Platform::DialogWindow* dialogWindow() const { return window_; }

private:
    void command(int id, int code, Platform::ControlHandle control);
    void submit();
    void layout();

    Platform::DialogWindow* window_ = nullptr;
};

}  // namespace Dialog
