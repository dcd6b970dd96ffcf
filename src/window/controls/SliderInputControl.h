#pragma once
// The numeric field of the settings windows: a value in steps (SliderValue)
// changed by dragging across its face, by the - and + buttons at its ends
// (repeating while held), by the arrow keys during a drag, by the wheel in
// its entry, or by typing after a click on the face. Each gesture is
// bracketed by exactly one onBeginChange and one onEndChange, with any
// number of onChange between, so owners make one undo step of it.
//
// Dragging is relative (steps per pixel, snapped to a quantum), fine with
// Shift (fine quanta) or absolute (Alt, or without Shift when direct moves
// are on: the value under the pointer). With hideCursorWhileDragging the
// pointer is hidden and held in place while dragging.
#include "media/draw/TextFormatList.h"
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/ButtonControl.h"
#include "window/controls/EditControl.h"
#include "window/controls/RepeatClickButtonControl.h"
#include "window/controls/SliderValue.h"

#include <functional>
#include <string>

namespace Control {

class SliderInputControl : public Window::WindowControlRenderTarget,
                           public Resource::FontResource,
                           public SliderValue {
public:
    // The "Setting" section of the object settings window, which fills it.
    struct Settings {
        int moveMode = 1;    // SliderMoveMode
        int moveRatio = 100;  // SliderMoveRatio, percent
        bool directMove = false;  // SliderDirectMove
    };
    static Settings settings;

    // The drag face.
    class SliderButton : public ButtonControl {
    public:
        SliderButton(Window::WindowControlOwner& owner, SliderInputControl& slider);
        void procLButtonDown(int x, int y) override;
        void procLButtonUp(int x, int y) override;
        void procMouseDrag(int x, int y) override;
        bool procDragKey(int virtualKey) override;
        void procCaptureLost() override;
        void procMouseMove(int x, int y) override;
        void procPaint() override;

        SliderInputControl& slider;
        std::int32_t dragStartValue = 0;
        std::int32_t pressX = 0;
        bool fineMode = false;
        bool absoluteMode = false;

    private:
        // Shift and Alt; true when either mode changed.
        bool updateModifiers();
    };

    // The direct entry over the face.
    class SliderEdit : public EditControl {
    public:
        SliderEdit(Window::WindowControlOwner& owner, SliderInputControl& slider);
        bool procKeyDown(int virtualKey) override;
        void procKillFocus(Window::WindowMouse* by) override;
        void procMouseWheel(int x, int y, int delta) override;
        void setGroupFocus(bool on) override;
        bool canGroupFocus() override;

        SliderInputControl& slider;
    };

    // From left to the parent's right edge, height high.
    SliderInputControl(Window::WindowControl& parent, int left, int top, int height);
    ~SliderInputControl() override;

    void setRange(double defaultValue, double minimum, double maximum, double step);
    void setValue(double x);
    void updateDragRatio();
    void setEditMode(bool on);
    // Typed text (delta steps added); the value follows it live.
    void applyEditText(const std::wstring& text, int delta);

    void procPaint() override;
    void procMove() override;

    std::uint32_t probeWidth = 0;
    Resource::TextFormat* textFormat = nullptr;
    bool hideCursorWhileDragging = false;
    bool hideArrows = false;
    bool alwaysShowArrows = false;
    bool showPositionMark = true;
    bool changing = false;
    std::function<void(SliderInputControl&)> onChange;
    std::function<void(SliderInputControl&)> onBeginChange;
    std::function<void(SliderInputControl&)> onEndChange;

    Window::WindowControlOwner inner;
    RepeatClickButtonControl minusButton;
    RepeatClickButtonControl plusButton;
    SliderButton face;
    SliderEdit edit;

private:
    void beginGesture();
    void endGesture();
    void stepBy(int steps);
    // After an interactive change: the entry's text, both repainted, then
    // onChange.
    void refresh();
    void copyTextToEdit();
};

}  // namespace Control
