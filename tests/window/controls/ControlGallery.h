#pragma once
// A gallery of the drawn controls in a program window: every button kind,
// the 21 icons, both scroll bars, a titled row list, a layout box, a
// painter rectangle and labels, each of them wired to write what it was
// asked into a list of events (and, for the bars and the list, to apply
// the request as an owner does). The gallery draws into the window's
// target when the window paints and after every change.
#include "platform/gtk/Messages.h"
#include "window/WindowControlOwner.h"
#include "window/WindowProcHook.h"
#include "window/controls/CheckButtonControl.h"
#include "window/controls/IconButtonControl.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/ListItemControl.h"
#include "window/controls/RectControl.h"
#include "window/controls/RepeatClickButtonControl.h"
#include "window/controls/ScrollBarControl.h"
#include "window/controls/SliderButtonControl.h"
#include "window/controls/TextButtonControl.h"
#include "window/controls/TextClearButtonControl.h"
#include "window/controls/TextControl.h"
#include "window/controls/TextIconButtonControl.h"
#include "window/controls/TitleHeaderControl.h"

#include <memory>
#include <string>
#include <vector>

namespace Window {
class WindowService;
}

namespace ControlGallery {

// Where the gallery lies in the window's client area.
constexpr int kWidth = 560;
constexpr int kHeight = 330;

class Gallery : public Window::WindowProcHook {
public:
    // Takes over the window's procedure (painting; everything else goes on
    // to the service's).
    explicit Gallery(Window::WindowService& service);
    ~Gallery();

    LRESULT wndProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint();
    int count(const std::string& event) const;

    std::vector<std::string> events;

    Window::WindowService& service;
    Window::Rect area{0, 0, kWidth, kHeight};
    Window::Rect listArea{300, 120, 250, 200};
    Window::WindowControlOwner owner;
    Window::WindowControlOwner listOwner;
    std::vector<std::unique_ptr<Window::WindowControl>> controls;
    Control::TextButtonControl* plain = nullptr;
    Control::TextButtonWheelControl* wheel = nullptr;
    Control::RepeatClickButtonControl* repeat = nullptr;
    Control::CheckButtonControl* check = nullptr;
    Control::TextClearButtonControl* clear = nullptr;
    Control::ScrollBarControl* vertical = nullptr;
    Control::ScrollBarControl* horizontal = nullptr;
    Control::ListItemControl* list = nullptr;
    int wheelValue = 0;
    int sliderValue = 50;

private:
    template <class T, class... Args>
    T& add(Args&&... args);
    void build();

    cairo_surface_t* picture_ = nullptr;
};

}  // namespace ControlGallery
