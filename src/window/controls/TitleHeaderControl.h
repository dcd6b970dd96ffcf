#pragma once
// The title band across the top of a panel: the panel's title (translated
// through the menu table when drawn) and an optional second text in the
// small Control font on a TitleHeader band TitleHeaderHeight high, with a
// Background line below. It takes no input: clicks fall through to the
// panel. A panel shown in a floating window (which has its own caption)
// gets no band: the control is empty and hidden, so the panel's other
// controls, which start below it, start at the top.
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"

#include <string>

namespace Control {

class TitleHeaderControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    // At the owner's top, full width, TitleHeaderHeight + 2 high.
    TitleHeaderControl(Window::WindowControlOwner& owner, std::wstring title);

    void updateLayout() override;
    void procPaint() override;

    std::wstring title;
    std::wstring subtitle;
    // Shown in a floating window: no band.
    const bool floating;
};

}  // namespace Control
