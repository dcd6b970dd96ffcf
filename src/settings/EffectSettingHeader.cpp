#include "settings/EffectSettingHeader.h"

#include "media/draw/RenderTargetWindow.h"
#include "settings/EffectSetting.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>

namespace Component {

namespace {

using Point = Media::RenderTarget::Point;
using Line = Media::RenderTarget::IconLine;
using Box = Media::RenderTarget::Rectangle;

constexpr Point kFoldClosed[] = {{0.3f, 0.2f}, {0.3f, 0.8f}, {0.75f, 0.5f}};
constexpr Box kLockBody{0.25f, 0.48f, 0.75f, 0.85f};
constexpr Line kLockShackle[] = {{0.35f, 0.48f, 0.35f, 0.3f, 0.1f},
                                 {0.35f, 0.25f, 0.65f, 0.25f, 0.1f},
                                 {0.65f, 0.3f, 0.65f, 0.48f, 0.1f}};
constexpr Box kCameraBody{0.12f, 0.32f, 0.62f, 0.72f};
constexpr Point kCameraLens[] = {{0.6f, 0.52f}, {0.88f, 0.32f}, {0.88f, 0.72f}};
constexpr Line kClippingMarks[] = {{0.3f, 0.15f, 0.3f, 0.7f, 0.1f},
                                   {0.3f, 0.7f, 0.85f, 0.7f, 0.1f},
                                   {0.15f, 0.3f, 0.7f, 0.3f, 0.1f},
                                   {0.7f, 0.3f, 0.7f, 0.85f, 0.1f}};

}  // namespace

const Control::IconShape IconFoldClosed{kFoldClosed, nullptr, nullptr, 0};
const Control::IconShape IconLock{nullptr, &kLockBody, kLockShackle, 3};
const Control::IconShape IconCamera{kCameraLens, &kCameraBody, nullptr, 0};
const Control::IconShape IconClipping{nullptr, nullptr, kClippingMarks, 4};

void IconCheckButtonControl::drawContent(Control::Brushes& brushes, int width, int height) {
    if (!icon) return;
    const float side = static_cast<float>(std::min(width, height));
    drawIcon(*icon, (static_cast<float>(width) - side) / 2, (static_cast<float>(height) - side) / 2, side, side,
             brushes[checked ? Control::Brushes::Text : Control::Brushes::TextDisable]);
}

EffectSettingHeader::EffectSettingHeader(EffectSetting& block, Window::WindowControl& parent, int left, int top,
                                         int right, int bottom, int itemHeight)
    : WindowControlRenderTarget(parent, left, top, right, bottom),
      block(block),
      itemHeight(itemHeight),
      inner(parent.owner->client, parent.owner->hostWindow, parent.owner->hostTarget, priority, &visibleRect(),
            &fullRect()),
      layout(inner, 0, 0, 0, itemHeight),
      foldButton(layout, 0, 0, itemHeight, 0),
      title(layout, itemHeight, 0, 0, 0, L"", 2),
      buttonRow(layout, 0, 4, 0, -2) {
    foldButton.icon = &Control::IconTriangleDown;
}

EffectSettingHeader::~EffectSettingHeader() = default;

void EffectSettingHeader::detach() {
    inner.detachControls();
    WindowControl::detach();
}

void EffectSettingHeader::placeNext(Window::WindowControl& control) {
    ++placed;
    control.left = -(placed * itemHeight);
    control.top = 0;
    control.right = itemHeight - 6;
    control.bottom = 0;
    title.right = -(placed * itemHeight);
}

const Platform::Cairo::Brush* EffectSettingHeader::buttonFace() {
    if (!host) return nullptr;
    Control::Brushes& brushes = host->brushList;
    if (block.selected) return &brushes[Control::Brushes::GroupingSelect];
    return &brushes[hover ? Control::Brushes::GroupingHover : Control::Brushes::Grouping];
}

Control::CheckButtonControl& EffectSettingHeader::addEnableCheck() {
    enableCheck = std::make_unique<Control::CheckButtonControl>(buttonRow, 0, 0, 0, 0);
    enableCheck->toggleStyle = false;
    enableCheck->faceBrushProvider = [this] { return buttonFace(); };
    placeNext(*enableCheck);
    return *enableCheck;
}

IconCheckButtonControl& EffectSettingHeader::addIconCheck(std::unique_ptr<IconCheckButtonControl>& slot,
                                                          const Control::IconShape& icon) {
    slot = std::make_unique<IconCheckButtonControl>(buttonRow, 0, 0, 0, 0);
    slot->toggleStyle = false;
    slot->icon = &icon;
    slot->faceBrushProvider = [this] { return buttonFace(); };
    placeNext(*slot);
    return *slot;
}

Control::IconButtonControl& EffectSettingHeader::addPopupButton() {
    popupButton = std::make_unique<Control::IconButtonControl>(buttonRow, 0, 0, 0, 0);
    popupButton->icon = &Control::IconTriangleDown;
    placeNext(*popupButton);
    return *popupButton;
}

void EffectSettingHeader::setTitle(std::wstring text) { title.text = std::move(text); }

void EffectSettingHeader::setFolded(bool folded) {
    foldButton.icon = folded ? &IconFoldClosed : &Control::IconTriangleDown;
}

void EffectSettingHeader::procLButtonDown(int x, int y) {
    block.procLButtonDown(x + fullRect().x - block.fullRect().x, y + fullRect().y - block.fullRect().y);
}

void EffectSettingHeader::procMouseDrag(int x, int y) { block.procMouseDrag(x, y); }

void EffectSettingHeader::procCaptureLost() { block.procCaptureLost(); }

void EffectSettingHeader::procMouseEnter() { procPaint(); }
void EffectSettingHeader::procMouseLeave() { procPaint(); }

void EffectSettingHeader::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    block.paintItemBackground(*this, *block.effect);
    if (popupButton) popupButton->faceBrush = buttonFace();
    for (Window::WindowControl* control : inner.controls) control->procPaint();
}

void EffectSettingHeader::procMove() { inner.updateLayout(); }

}  // namespace Component
