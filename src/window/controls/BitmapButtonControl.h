#pragma once
// A button showing a picture over its whole rectangle. With a face brush it
// is filled first: with the state face while selected, hovered or pressed,
// else with the face brush; without one only the picture shows. A selected
// button gets a 2 px Border outline.
#include "window/controls/ButtonControl.h"

typedef struct _cairo_surface cairo_surface_t;

namespace Control {

class BitmapButtonControl : public ButtonControl {
public:
    using ButtonControl::ButtonControl;

    void procPaint() override;

    cairo_surface_t* bitmap = nullptr;
    bool selected = false;
    const Platform::Cairo::Brush* faceBrush = nullptr;
};

}  // namespace Control
