#pragma once
// A text field with a clear square at its right end: the square shows
// while the pointer is over the field (when onClear is set and canClear,
// when set, agrees), lights up while the pointer is over it, and a press
// on it runs onClear. Not a button: elsewhere the field takes no click.
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/ControlPaint.h"

#include <functional>
#include <string>

namespace Control {

class TextClearButtonControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    TextClearButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    TextClearButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom);

    void procMouseEnter() override;
    void procMouseLeave() override;
    void procMouseMove(int x, int y) override;
    void procLButtonDown(int x, int y) override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procPaint() override;

    std::wstring text;
    // The clear square is shown (the pointer is over the field and the
    // text may be cleared); not the routing service's hover flag.
    bool clearHover = false;
    // The pointer is over the square.
    bool overClear = false;
    std::function<void(TextClearButtonControl&)> onHover;
    std::function<void()> onClear;
    std::function<bool()> canClear;
    std::function<const Platform::Cairo::Brush*()> faceBrushProvider;
};

}  // namespace Control
