#pragma once
// Buttons with a checked state. The owner usually sets the check callback
// (setCheckCallback): a click then inverts checked before the callback
// runs, so the callback sees the new state.
//
// Face: the state face while hovered or pressed, and for a toggle-style
// button while checked; otherwise the provider's brush, else faceBrush
// (Grouping). Then the content; a toggle-style button gets a 2 px Border
// outline.
#include "media/draw/TextFormatList.h"
#include "window/controls/ButtonControl.h"

#include <functional>
#include <string>

typedef struct _cairo_surface cairo_surface_t;

namespace Control {

class CheckButtonControl : public ButtonControl {
public:
    CheckButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    CheckButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom);

    void setCheckCallback(std::function<void(CheckButtonControl&)> callback);
    void procPaint() override;
    // A check mark in Text, when checked, in the top-left square.
    virtual void drawContent(Brushes& brushes, int width, int height);

    bool checked = false;
    bool toggleStyle = true;
    const Platform::Cairo::Brush* faceBrush = nullptr;
    std::function<void(CheckButtonControl&)> onCheck;
    std::function<const Platform::Cairo::Brush*()> faceBrushProvider;
};

// Shows one of two pictures over the whole button.
class CheckBitmapButtonControl : public CheckButtonControl {
public:
    using CheckButtonControl::CheckButtonControl;

    void drawContent(Brushes& brushes, int width, int height) override;

    cairo_surface_t* checkedBitmap = nullptr;
    cairo_surface_t* uncheckedBitmap = nullptr;
};

// Shows its text centred, in Text when checked and TextDisable when not.
class CheckTextButtonControl : public CheckButtonControl, public Resource::FontResource {
public:
    CheckTextButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom);
    CheckTextButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom);

    void drawContent(Brushes& brushes, int width, int height) override;

    Resource::TextFormat* textFormat = nullptr;
    std::wstring text;
};

}  // namespace Control
