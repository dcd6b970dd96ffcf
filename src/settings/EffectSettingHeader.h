#pragma once
// The header row of an effect block: the fold button at the left, the
// effect's title, and right-aligned switches (enable, lock, the switch
// popup, clipping, camera, placed in that order from the right edge).
// Presses elsewhere on the header go to the block (reordering filters).
// User-interface thread only.
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/CheckButtonControl.h"
#include "window/controls/IconButtonControl.h"
#include "window/controls/IconShape.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/TextControl.h"

#include <memory>
#include <string>

namespace Component {

class EffectSetting;

// A check button showing a vector symbol, lit while checked.
class IconCheckButtonControl : public Control::CheckButtonControl {
public:
    using CheckButtonControl::CheckButtonControl;
    void drawContent(Control::Brushes& brushes, int width, int height) override;
    const Control::IconShape* icon = nullptr;
};

class EffectSettingHeader : public Window::WindowControlRenderTarget {
public:
    // H: the row height less 2 (SettingItemHeight).
    EffectSettingHeader(EffectSetting& block, Window::WindowControl& parent, int left, int top, int right, int bottom,
                        int itemHeight);
    ~EffectSettingHeader() override;

    // Places the next switch from the right edge.
    Control::CheckButtonControl& addEnableCheck();
    IconCheckButtonControl& addIconCheck(std::unique_ptr<IconCheckButtonControl>& slot, const Control::IconShape& icon);
    Control::IconButtonControl& addPopupButton();
    void setTitle(std::wstring text);
    void setFolded(bool folded);
    // Leaves the routing service with every control of the header.
    void detach();

    // Presses and their drags belong to the block.
    void procLButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procCaptureLost() override;
    void procMouseEnter() override;
    void procMouseLeave() override;
    void procPaint() override;
    void procMove() override;

    EffectSetting& block;
    int itemHeight;
    // Switches placed so far.
    int placed = 0;
    Window::WindowControlOwner inner;
    Control::LayoutControl layout;
    Control::IconButtonControl foldButton;
    Control::TextControl title;
    Control::LayoutControl buttonRow;
    std::unique_ptr<Control::CheckButtonControl> enableCheck;
    std::unique_ptr<IconCheckButtonControl> lockCheck;
    std::unique_ptr<IconCheckButtonControl> cameraCheck;
    std::unique_ptr<IconCheckButtonControl> clippingCheck;
    std::unique_ptr<Control::IconButtonControl> popupButton;

private:
    // The slot rectangle of the next switch.
    void placeNext(Window::WindowControl& control);
    const Platform::Cairo::Brush* buttonFace();
};

// Symbols of the header's switches.
extern const Control::IconShape IconFoldClosed;
extern const Control::IconShape IconLock;
extern const Control::IconShape IconCamera;
extern const Control::IconShape IconClipping;

}  // namespace Component
