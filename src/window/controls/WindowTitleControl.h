#pragma once
// The title bar of the settings windows: the window's icon as a button,
// the title, and a right-aligned row of buttons in the order they were
// added. It is also the handle a floating window is moved by: dragged, the
// window follows the pointer; pressed and released without moving (or
// pressed while docked) it runs onClick. Its face (Grouping, GroupingSelect
// while hovered with onClick set) is the face of its buttons too, so they
// blend into the bar.
#include "media/draw/TextFormatList.h"
#include "platform/gtk/Messages.h"
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/BitmapButtonControl.h"
#include "window/controls/IconButtonControl.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/TextControl.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Window {
class WindowClient;
}

namespace Component {

class WindowTitleControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    // The icon's menu of a docked panel, whose "個別ウィンドウ" makes the
    // panel float: the popup menu service fills this call point. Empty: no
    // menu.
    struct ClientCalls {
        std::function<void(WindowTitleControl&)> openDockedMenu;
    };
    static ClientCalls clientCalls;

    // Across the owner's width, height high.
    WindowTitleControl(Window::WindowControlOwner& owner, int height, std::wstring title, cairo_surface_t* icon);

    Control::BitmapButtonControl* addBitmapButton(cairo_surface_t* bitmap);
    Control::IconButtonControl* addIconButton(const Control::IconShape& icon);
    // A close button that hides the panel (when shown) and lays the main
    // window out.
    Control::IconButtonControl* addCloseButton(Window::WindowClient* client);
    // The title, translated through the menu table, in TextDisable.
    void updateTitle();
    // The owner's panel floats; without a panel, when the bar's window is
    // not the main window.
    bool floats() const;

    void procLButtonDown(int x, int y) override;
    void procLButtonUp(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procMouseEnter() override;
    void procMouseLeave() override;
    void procPickColor(const Window::PickedColor* color) override;
    void procPaint() override;
    void procMove() override;

    std::wstring title;
    cairo_surface_t* iconBitmap = nullptr;
    int buttonCount = 0;
    std::function<void(WindowTitleControl&)> onClick;
    std::function<void(const Window::PickedColor*)> onPickColor;

    Window::WindowControlOwner inner;
    Control::BitmapButtonControl iconButton;
    Control::TextControl titleText;
    Control::LayoutControl buttonRow;
    std::vector<std::unique_ptr<Control::BitmapButtonControl>> bitmapButtons;
    std::vector<std::unique_ptr<Control::IconButtonControl>> iconButtons;

private:
    void placeButton(Window::WindowControl& button);

    int height_;
    bool moving_ = false;
    Platform::POINT pressCursor_;
    Platform::POINT pressWindow_;
};

}  // namespace Component
