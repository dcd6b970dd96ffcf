#pragma once
// A filled rectangle with an optional painter that draws over it (in the
// control's own coordinates).
#include "window/WindowControlRenderTarget.h"

#include <functional>

namespace Platform::Cairo {
class Brush;
}

namespace Control {

class RectControl : public Window::WindowControlRenderTarget {
public:
    using WindowControlRenderTarget::WindowControlRenderTarget;

    void procPaint() override;

    const Platform::Cairo::Brush* fillBrush = nullptr;
    std::function<void(RectControl&)> painter;
};

}  // namespace Control
