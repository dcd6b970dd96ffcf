#pragma once
// A text button with a small picture button at its right end (the square
// as high as the button). The picture shows only when set; hovering its
// square lights it (and the square's state face), a press on it calls
// onIconClick instead of the button's click, and resting on it shows
// iconTooltip.
#include "media/draw/TextFormatList.h"
#include "window/controls/ButtonControl.h"

#include <functional>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace Control {

class TextIconButtonControl : public ButtonControl, public Resource::FontResource {
public:
    // The picture's square: an input object of its own over the button.
    class IconControl : public Window::WindowMouse {
    public:
        explicit IconControl(TextIconButtonControl& button);

        void procLButtonDown(int x, int y) override;
        void procMouseEnter() override;
        void procMouseLeave() override;
        void procCaptureLost() override;
        void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;

        TextIconButtonControl& button;
        Window::Rect area;
    };

    TextIconButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    TextIconButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom);

    void procMove() override;
    void procPaint() override;
    // Leaves the routing service with the picture's square.
    void detach();

    Resource::TextFormat* textFormat = nullptr;
    std::wstring text;
    std::wstring iconTooltip;
    cairo_surface_t* iconBitmap = nullptr;
    std::function<void(TextIconButtonControl&)> onIconClick;
    IconControl iconControl;
};

}  // namespace Control
