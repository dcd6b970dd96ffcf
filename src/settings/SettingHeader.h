#pragma once
// The strip at the top of the object settings window: the section gauge of
// the shown object and, at its right end, the button that adds a filter.
// The wheel over it steps the cursor a frame through the object; its
// context menu is the gauge's.
// User-interface thread only.
#include "settings/SettingHeaderGaugeControl.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/IconButtonControl.h"
#include "window/controls/LayoutControl.h"

namespace Component {

class SettingComponent;

class SettingHeader : public Window::WindowControlRenderTarget {
public:
    SettingHeader(SettingComponent& window, Window::WindowControlOwner& owner, int left, int top, int right,
                  int bottom, int height);

    // The gauge and the button from the window's object.
    void updateGauge();
    // The filter menu at the pointer; the filter goes to the end.
    void showAddMenu();

    void procMouseWheel(int x, int y, int delta) override;
    void procContextMenu(int x, int y) override;
    void procPaint() override;

    SettingComponent& window;
    SettingHeaderGaugeControl gauge;
    Control::LayoutControl buttonArea;
    Control::IconButtonControl addButton;
};

}  // namespace Component
