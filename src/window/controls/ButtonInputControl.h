#pragma once
// The click-to-edit field: a short value shown as a button; a press turns
// it into a text edit over the same rectangle and leaving the edit (Enter,
// Escape, another press) turns it back. What is typed is kept in the form
// the filter allows (ButtonInputValue); the colour rows use it for the
// hexadecimal colour code.
#include "media/draw/TextFormatList.h"
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/ButtonControl.h"
#include "window/controls/ButtonInputValue.h"
#include "window/controls/EditControl.h"

namespace Control {

class ButtonInputControl : public Window::WindowControlRenderTarget,
                           public Resource::FontResource,
                           public ButtonInputValue {
public:
    class Button : public ButtonControl {
    public:
        Button(Window::WindowControlOwner& owner, ButtonInputControl& field);
        void procLButtonDown(int x, int y) override;
        void procPaint() override;
        ButtonInputControl& field;
    };
    class Edit : public EditControl {
    public:
        Edit(Window::WindowControlOwner& owner, ButtonInputControl& field);
        bool procKeyDown(int virtualKey) override;
        void procKillFocus(Window::WindowMouse* by) override;
        void setGroupFocus(bool on) override;
        bool canGroupFocus() override;
        ButtonInputControl& field;
    };

    // The parent's full height, from left with the right layout number.
    ButtonInputControl(Window::WindowControl& parent, int left, int right);

    // The value through the filter; with updateEdit the edit shows it, with
    // notify onChange runs. Always true.
    bool setText(const std::wstring& t, bool updateEdit, bool notify);
    void setEditMode(bool on);

    void procPaint() override;
    void procMove() override;

    Resource::TextFormat* textFormat = nullptr;
    Window::WindowControlOwner inner;
    Button button;
    Edit edit;
};

}  // namespace Control
