#pragma once
// The swatch of the colour window: the current colour with the previous
// colour in its bottom-right corner; a click on the corner swaps them.
// User-interface thread only.
#include "window/WindowControlRenderTarget.h"

namespace Component {

class EffectColorSettingComponent;

class EffectColorPreviewControl : public Window::WindowControlRenderTarget {
public:
    EffectColorPreviewControl(Window::WindowControlOwner& owner, EffectColorSettingComponent& window);

    void procMouseMove(int x, int y) override;
    void procLButtonDown(int x, int y) override;
    void procMouseLeave() override;
    void procPaint() override;
    void procMove() override;

    EffectColorSettingComponent& window;
    int cornerX = 0, cornerY = 0;
    bool hoverCorner = false;
};

}  // namespace Component
