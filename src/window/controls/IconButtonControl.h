#pragma once
// A button showing a vector icon over its whole rectangle.
// - A plain icon button (neither selected nor given an icon brush) fills
//   only with its face brush, when it has one, and draws the icon in the
//   state face's colour: the icon itself lights up on hover and press.
// - Otherwise the face is the face brush while idle (when both brushes are
//   set), else the state face; the icon takes the icon brush, or Text
//   (TextDisable when disabled) for a selected button.
// A selected button gets a 2 px Border outline.
#include "window/controls/ButtonControl.h"
#include "window/controls/IconShape.h"

namespace Control {

class IconButtonControl : public ButtonControl {
public:
    using ButtonControl::ButtonControl;

    void procPaint() override;

    const IconShape* icon = nullptr;
    bool selected = false;
    const Platform::Cairo::Brush* faceBrush = nullptr;
    const Platform::Cairo::Brush* iconBrush = nullptr;
};

}  // namespace Control
