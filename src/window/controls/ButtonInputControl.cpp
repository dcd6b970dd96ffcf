#include "window/controls/ButtonInputControl.h"

#include "core/text/StringConvert.h"
#include "platform/gtk/VirtualKeys.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"

#include <cmath>

namespace Control {

ButtonInputControl::Button::Button(Window::WindowControlOwner& owner, ButtonInputControl& field)
    : ButtonControl(owner, 0, 0, 0, 0), field(field) {}

void ButtonInputControl::Button::procLButtonDown(int, int) { field.setEditMode(true); }

void ButtonInputControl::Button::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    if (!enabled) {
        fill(brushes[Brushes::Grouping]);
        return;
    }
    fill(brushes[captured ? Brushes::BorderFocus : hover ? Brushes::ButtonBodyHover : Brushes::ButtonBody]);
    const std::wstring& shown = field.text.empty() ? field.placeholder : field.text;
    const int w = scope.width(), h = scope.height();
    const int textWidth = field.textFormat->getTextWidth(shown);
    const int textHeight = static_cast<int>(std::ceil(field.textFormat->getLineHeight()));
    drawText(shown, *field.textFormat->get(), (w - textWidth) / 2, (h - textHeight) / 2, (w + textWidth) / 2 + 1,
             (h + textHeight) / 2 + 1, brushes[Brushes::Text]);
}

ButtonInputControl::Edit::Edit(Window::WindowControlOwner& owner, ButtonInputControl& field)
    : EditControl(owner), field(field) {}

bool ButtonInputControl::Edit::procKeyDown(int virtualKey) {
    if (focus && (virtualKey == Platform::VK::RETURN || virtualKey == Platform::VK::ESCAPE)) {
        if (service) service->dropFocus(nullptr);
        return true;
    }
    return EditControl::procKeyDown(virtualKey);
}

void ButtonInputControl::Edit::procKillFocus(Window::WindowMouse* by) {
    EditControl::procKillFocus(by);
    field.setEditMode(false);
    if (service) service->currentCursor = service->defaultCursor;
}

void ButtonInputControl::Edit::setGroupFocus(bool on) {
    if (on) {
        field.setEditMode(true);
    } else {
        procKillFocus(nullptr);
    }
}

bool ButtonInputControl::Edit::canGroupFocus() { return field.visible && field.enabled; }

ButtonInputControl::ButtonInputControl(Window::WindowControl& parent, int left, int right)
    : WindowControlRenderTarget(parent, left, 0, right, 0),
      inner(parent.owner ? parent.owner->client : nullptr, parent.owner ? parent.owner->hostWindow : nullptr, host,
            priority, &visibleRect(), &fullRect()),
      button(inner, *this),
      edit(inner, *this) {
    textFormat = &(*fontList)[Resource::TextFormatList::EditControl];
    edit.textFormat = textFormat;
    edit.centerX = edit.centerY = true;
    edit.visible = false;
    edit.onChange = [this](EditControl& e) { editChanged(e.wideText()); };
    inner.updateLayout();
}

bool ButtonInputControl::setText(const std::wstring& t, bool updateEdit, bool notify) {
    setTextValue(t, notify);
    if (updateEdit) {
        edit.text = System::String::toUtf16(text);
        edit.updateTextLayout();
        edit.updateScroll();
    }
    return true;
}

void ButtonInputControl::setEditMode(bool on) {
    endEditing();
    if (on) {
        button.visible = false;
        edit.visible = true;
        edit.beginEntry(System::String::toUtf16(text), true);
    } else {
        button.visible = true;
        edit.visible = false;
        if (edit.focus && service) service->dropFocus(nullptr);
    }
    button.procPaint();
    edit.procPaint();
}

void ButtonInputControl::procMove() { inner.updateLayout(); }

void ButtonInputControl::procPaint() {
    for (Window::WindowControl* child : inner.controls)
        if (child->visible) child->procPaint();
}

}  // namespace Control
