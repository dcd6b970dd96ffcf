#include "window/controls/SliderInputControl.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/IconShape.h"

#include <cmath>

namespace Control {

using Cursors = Window::WindowMouseService;

SliderInputControl::Settings SliderInputControl::settings;

// ---- the face

SliderInputControl::SliderButton::SliderButton(Window::WindowControlOwner& owner, SliderInputControl& slider)
    : ButtonControl(owner, 0, 0, 0, 0), slider(slider) {}

bool SliderInputControl::SliderButton::updateModifiers() {
    const bool shift = Platform::getKeyState(Platform::VK::SHIFT) < 0;
    const bool alt = Platform::getKeyState(Platform::VK::MENU) < 0;
    const bool fine = shift;
    const bool absolute = settings.directMove ? !shift : alt;
    const bool changed = fine != fineMode || absolute != absoluteMode;
    fineMode = fine;
    absoluteMode = absolute;
    return changed;
}

void SliderInputControl::SliderButton::procLButtonDown(int x, int y) {
    slider.beginGesture();
    if (service) {
        // Offsets count from the press point; a hidden pointer stays there.
        service->startDrag(x, y,
                           slider.hideCursorWhileDragging ? Cursors::cursor(Cursors::CursorHidden)
                                                          : Cursors::cursor(Cursors::CursorColorPick));
    }
    dragStartValue = slider.value;
    pressX = x;
    updateModifiers();
    if (absoluteMode && slider.changeTo(slider.absoluteValue(pressX, fullRect().width))) slider.refresh();
    procPaint();
}

void SliderInputControl::SliderButton::procMouseDrag(int dx, int) {
    if (updateModifiers()) {
        // A changed mode starts over from here: the value does not jump.
        if (service) service->dragOriginX += dx;
        pressX += dx;
        dragStartValue = slider.value;
        dx = 0;
    }
    std::int32_t next;
    if (absoluteMode) {
        next = slider.absoluteValue(pressX + dx, fullRect().width);
    } else {
        next = slider.dragValue(dragStartValue, dx, fineMode);
    }
    if (slider.changeTo(next)) slider.refresh();
}

bool SliderInputControl::SliderButton::procDragKey(int virtualKey) {
    if (virtualKey != Platform::VK::LEFT && virtualKey != Platform::VK::RIGHT) return false;
    const int step = virtualKey == Platform::VK::LEFT ? -1 : 1;
    if (slider.changeTo(std::int64_t(slider.value) + step)) slider.refresh();
    dragStartValue += step;
    return true;
}

void SliderInputControl::SliderButton::procLButtonUp(int, int) {
    // A click: the entry (in absolute mode only a double click).
    if (service && !service->dragMoved && (!absoluteMode || service->doubleClick)) slider.setEditMode(true);
}

void SliderInputControl::SliderButton::procCaptureLost() {
    slider.endGesture();
    procPaint();
}

void SliderInputControl::SliderButton::procMouseMove(int, int) {
    if (!settings.directMove && service) service->currentCursor = Cursors::cursor(Cursors::CursorLeftRight);
}

void SliderInputControl::SliderButton::procPaint() {
    PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    const int w = scope.width(), h = scope.height();
    if (!enabled) {
        fill(brushes[Brushes::Grouping]);
        return;
    }
    if (captured || hover) {
        fill(brushes[captured ? Brushes::ButtonBodySelect : Brushes::ButtonBodyHover]);
        if (slider.showPositionMark && slider.maximum > slider.minimum && w > 8) {
            const int x = static_cast<int>(std::lround(double(slider.value - slider.minimum) * (w - 4) /
                                                       (double(slider.maximum) - slider.minimum)));
            fillRectangle(x, 0, x + 4, h, brushes[Brushes::SliderCursor]);
        }
    } else {
        fill(brushes[Brushes::ButtonBody]);
        if (w > 8) {
            if (slider.atFirst) {
                fillRectangle(0, 0, 2, h, brushes[Brushes::Border]);
                fillRectangle(3, 0, 4, h, brushes[Brushes::Border]);
            }
            if (slider.atLast) {
                fillRectangle(w - 4, 0, w - 3, h, brushes[Brushes::Border]);
                fillRectangle(w - 2, 0, w, h, brushes[Brushes::Border]);
            }
        }
    }
    const std::wstring& shown =
        slider.value == 0 && !slider.zeroText.empty() ? slider.zeroText : slider.valueText;
    Platform::Cairo::TextFormat& format = *slider.textFormat->get();
    const int textWidth = slider.textFormat->getTextWidth(shown);
    const int textHeight = static_cast<int>(std::ceil(slider.textFormat->getLineHeight()));
    drawText(shown, format, (w - textWidth) / 2, (h - textHeight) / 2, (w + textWidth) / 2 + 1,
             (h + textHeight) / 2 + 1, brushes[Brushes::Text]);
}

// ---- the entry

SliderInputControl::SliderEdit::SliderEdit(Window::WindowControlOwner& owner, SliderInputControl& slider)
    : EditControl(owner), slider(slider) {}

bool SliderInputControl::SliderEdit::procKeyDown(int virtualKey) {
    if (focus && (virtualKey == Platform::VK::RETURN || virtualKey == Platform::VK::ESCAPE)) {
        // Losing the focus closes the entry; the value followed the typing.
        if (service) service->dropFocus(nullptr);
        return true;
    }
    return EditControl::procKeyDown(virtualKey);
}

void SliderInputControl::SliderEdit::procKillFocus(Window::WindowMouse* by) {
    EditControl::procKillFocus(by);
    slider.setEditMode(false);
    if (service) service->currentCursor = service->defaultCursor;
}

void SliderInputControl::SliderEdit::procMouseWheel(int, int, int delta) {
    slider.applyEditText(wideText(), delta <= 0 ? 1 : -1);
    slider.copyTextToEdit();
    procPaint();
}

void SliderInputControl::SliderEdit::setGroupFocus(bool on) { slider.setEditMode(on); }

bool SliderInputControl::SliderEdit::canGroupFocus() { return slider.visible && slider.enabled; }

// ---- the slider

SliderInputControl::SliderInputControl(Window::WindowControl& parent, int left, int top, int height)
    : WindowControlRenderTarget(parent, left, top, 0, height),
      inner(parent.owner ? parent.owner->client : nullptr, parent.owner ? parent.owner->hostWindow : nullptr, host,
            priority, &visibleRect(), &fullRect()),
      minusButton(inner, 0, 0, 1, 0, IconMinus),
      plusButton(inner, -1, 0, 0, 0, IconPlus),
      face(inner, *this),
      edit(inner, *this) {
    textFormat = &(*fontList)[Resource::TextFormatList::EditControl];
    probeWidth = static_cast<std::uint32_t>(textFormat->getTextWidth(L"-999999.000"));
    edit.textFormat = textFormat;
    edit.visible = false;
    edit.centerX = edit.centerY = true;
    edit.inputFilter = L"[0-9+-.]";
    edit.acceptsWheel = true;
    edit.onChange = [this](EditControl& e) { applyEditText(e.wideText(), 0); };
    for (RepeatClickButtonControl* button : {&minusButton, &plusButton}) {
        const int step = button == &minusButton ? -1 : 1;
        button->onPress = [this](RepeatClickButtonControl&) { beginGesture(); };
        button->onClick = [this, step](ButtonControl&) { stepBy(step); };
        button->onRelease = [this](RepeatClickButtonControl&) { endGesture(); };
    }
    procMove();
}

SliderInputControl::~SliderInputControl() = default;

void SliderInputControl::beginGesture() {
    if (changing) return;
    changing = true;
    if (onBeginChange) onBeginChange(*this);
}

void SliderInputControl::endGesture() {
    if (!changing) return;
    changing = false;
    if (onEndChange) onEndChange(*this);
}

void SliderInputControl::copyTextToEdit() {
    edit.text = System::String::toUtf16(valueText);
    edit.updateTextLayout();
    edit.updateScroll();
}

void SliderInputControl::refresh() {
    copyTextToEdit();
    edit.procPaint();
    face.procPaint();
    if (onChange) onChange(*this);
}

void SliderInputControl::stepBy(int steps) {
    if (changeTo(std::int64_t(value) + steps)) refresh();
}

void SliderInputControl::setRange(double defaultIn, double minimumIn, double maximumIn, double step) {
    SliderValue::setRange(defaultIn, minimumIn, maximumIn, step);
    copyTextToEdit();
    updateDragRatio();
}

void SliderInputControl::setValue(double x) {
    if (SliderValue::setValue(x)) copyTextToEdit();
}

void SliderInputControl::updateDragRatio() {
    const auto* system = System::Singleton<Setting::SettingService>::getInstance();
    const int screenWidth = system && system->screenWidth > 0 ? system->screenWidth : 1920;
    SliderValue::updateDragRatio(settings.moveMode, settings.moveRatio, std::max(visibleRect().width, 1),
                                 screenWidth);
}

void SliderInputControl::applyEditText(const std::wstring& typed, int delta) {
    beginGesture();
    if (applyText(typed, delta)) {
        face.procPaint();
        if (onChange) onChange(*this);
    }
}

void SliderInputControl::setEditMode(bool on) {
    endGesture();
    if (on) {
        face.visible = false;
        edit.visible = true;
        edit.beginEntry(System::String::toUtf16(valueText), false);
    } else {
        face.visible = true;
        edit.visible = false;
        if (edit.focus && service) service->dropFocus(nullptr);
    }
    face.procPaint();
    edit.procPaint();
}

void SliderInputControl::procMove() {
    const Window::Rect& full = fullRect();
    const int a = full.height / 2;
    const bool arrows =
        !hideArrows && (alwaysShowArrows || full.width >= static_cast<int>(probeWidth) + 2 * a);
    minusButton.visible = plusButton.visible = arrows;
    minusButton.right = a;
    plusButton.left = -a;
    face.left = edit.left = arrows ? a : 0;
    face.right = edit.right = arrows ? -a : 0;
    inner.updateLayout();
    updateDragRatio();
}

void SliderInputControl::procPaint() {
    for (Window::WindowControl* child : inner.controls)
        if (child->visible) child->procPaint();
}

}  // namespace Control
