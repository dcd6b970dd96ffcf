#pragma once
// A static text label in the Control font. Alignment: 0 left, 1 centred,
// 2 left and cut with an ellipsis when too wide, other top-left; the text
// is vertically centred except top-left. With a border brush the text is
// inset by 2 px and a 2 px outline is drawn. It takes no input: clicks fall
// through to what lies below.
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"

#include <string>

namespace Platform::Cairo {
class Brush;
}

namespace Control {

class TextControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    TextControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom, std::wstring text,
                int alignment);
    TextControl(Window::WindowControl& parent, int left, int top, int right, int bottom, std::wstring text,
                int alignment);

    void procPaint() override;

    std::wstring text;
    int alignment = 0;
    Resource::TextFormat* textFormat = nullptr;
    const Platform::Cairo::Brush* textBrush = nullptr;
    const Platform::Cairo::Brush* backgroundBrush = nullptr;
    const Platform::Cairo::Brush* borderBrush = nullptr;

private:
    void init();
};

}  // namespace Control
