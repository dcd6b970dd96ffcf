#pragma once
// The colour wheel of the colour window: a hue ring around a
// saturation/value square. A press on either starts a drag that keeps its
// part wherever the pointer goes; the whole drag is one undo step.
// User-interface thread only.
#include "settings/color/ColorWheelGeometry.h"
#include "window/WindowControlRenderTarget.h"

#include <cstdint>
#include <vector>

namespace Component {

class EffectColorSettingComponent;

class EffectColorCircleControl : public Window::WindowControlRenderTarget {
public:
    EffectColorCircleControl(Window::WindowControlOwner& owner, EffectColorSettingComponent& window);

    void procMouseMove(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procKeyUp() override;
    void procLButtonDown(int x, int y) override;
    void procMouseLeave() override;
    void procCaptureLost() override;
    void procPaint() override;
    void procMove() override;

    void updateBitmap();
    void pickAt(int x, int y);
    void endDrag();

    EffectColorSettingComponent& window;
    ColorWheelGeometry geometry;
    std::vector<std::uint32_t> bitmap;
    float cachedHue = -1;
    int dragMode = 0;
    int hoverMode = 0;
    int lastX = 0, lastY = 0;
};

}  // namespace Component
