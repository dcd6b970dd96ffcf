#pragma once
// The time gauge of the shown object: its span as a bar with the section
// boundaries, the marked section, the cursor and the time text. A press
// scrubs the cursor (on a boundary: jumps to it), hovering a boundary shows
// its time, and the context menu adds, deletes and spaces mid-points or
// changes a section's length.
// User-interface thread only.
#include "edit/model/Object.h"
#include "media/draw/TextFormatList.h"
#include "settings/SettingGeometry.h"
#include "window/controls/ControlPaint.h"
#include "window/WindowControlRenderTarget.h"
#include "window/WindowMenuEntry.h"

namespace Component {

class SettingComponent;

class SettingHeaderGaugeControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    SettingHeaderGaugeControl(SettingComponent& window, Window::WindowControl& parent, int left, int top,
                              int right, int bottom);

    // The object shown (null: none).
    void setObject(const Edit::Object* shown);
    // Track width and bar bottom from the control's size.
    void updateGeometry();
    GaugeTrack track() const;
    // The cursor to the frame under x (kept inside the object).
    void setFrameFromPosition(int x);
    // The gauge's menu at the pointer.
    void showMenu();
    Window::MenuEntries buildMenu();

    void procMouseMove(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procLButtonDown(int x, int y) override;
    void procMouseLeave() override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procPaint() override;
    void procMove() override;

    SettingComponent& window;
    const Edit::Object* object = nullptr;
    int length = 0;
    int start = 0;
    int currentFrame = 0;
    int trackWidth = 0;
    int barBottom = 0;
    int hoveredBoundary = -1;
    int hoveredSection = -1;
    int bandHeight = 8;
    int margin = 12;
    int topMargin = 12;
    // A popup of the gauge is open: leaving keeps the section marked.
    bool menuOpen = false;

private:
    void setCursorFrame(int frame);
    void drawBoundary(int x, const Platform::Cairo::Brush& brush);
    void drawPointMarker(int boundary, Control::Brushes& brushes);
    int lineHeight();
};

}  // namespace Component
