#include "window/controls/WindowTitleControl.h"

#include "core/base/Singleton.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/WindowFrame.h"
#include "platform/gtk/WindowInput.h"
#include "platform/gtk/WindowPosition.h"
#include "window/WindowClient.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"
#include "window/controls/ControlPaint.h"

namespace Component {

using Control::Brushes;

WindowTitleControl::ClientCalls WindowTitleControl::clientCalls;

WindowTitleControl::WindowTitleControl(Window::WindowControlOwner& owner, int height, std::wstring titleIn,
                                       cairo_surface_t* icon)
    : WindowControlRenderTarget(owner, 0, 0, 0, height),
      title(std::move(titleIn)),
      iconBitmap(icon),
      inner(owner.client, owner.hostWindow, owner.hostTarget, priority, &visibleRect(), &fullRect()),
      iconButton(inner, 2, 2, height - 4, height - 4),
      titleText(inner, height + 2, 0, 0, 0, L"", 0),
      buttonRow(inner, -1, 2, 0, -2),
      height_(height) {
    iconButton.bitmap = icon;
    iconButton.onClick = [this](Control::ButtonControl&) {
        if (floats()) {
            Platform::showSystemMenu(window);
        } else if (clientCalls.openDockedMenu) {
            clientCalls.openDockedMenu(*this);
        }
    };
    updateTitle();
}

bool WindowTitleControl::floats() const {
    if (const Window::WindowClient* client = WindowControl::owner ? WindowControl::owner->client : nullptr)
        return client->isFloating();
    const auto* windows = System::Singleton<Window::WindowService>::getInstance();
    return windows && window && window != windows->mainWindow;
}

void WindowTitleControl::updateTitle() {
    titleText.text = Translate::TranslateService::translateMenu(title);
    if (host) titleText.textBrush = &host->brushList[Brushes::TextDisable];
}

void WindowTitleControl::placeButton(Window::WindowControl& button) {
    buttonRow.left = -(buttonCount * height_);
    button.left = (buttonCount - 1) * height_;
    button.right = height_ - 4;
    inner.updateLayout();
}

Control::BitmapButtonControl* WindowTitleControl::addBitmapButton(cairo_surface_t* bitmap) {
    ++buttonCount;
    auto button = std::make_unique<Control::BitmapButtonControl>(buttonRow, 0, 0, 1, 0);
    button->bitmap = bitmap;
    placeButton(*button);
    bitmapButtons.push_back(std::move(button));
    return bitmapButtons.back().get();
}

Control::IconButtonControl* WindowTitleControl::addIconButton(const Control::IconShape& icon) {
    ++buttonCount;
    auto button = std::make_unique<Control::IconButtonControl>(buttonRow, 0, 0, 1, 0);
    button->icon = &icon;
    if (host) button->iconBrush = &host->brushList[Brushes::Text];
    placeButton(*button);
    iconButtons.push_back(std::move(button));
    return iconButtons.back().get();
}

Control::IconButtonControl* WindowTitleControl::addCloseButton(Window::WindowClient* client) {
    Control::IconButtonControl* button = addIconButton(Control::IconClose);
    button->onClick = [client](Control::ButtonControl&) {
        if (client && !client->isHidden()) client->setVisible(false);
        if (auto* windows = System::Singleton<Window::WindowService>::getInstance()) windows->updateLayout();
    };
    return button;
}

void WindowTitleControl::procLButtonDown(int x, int y) {
    moving_ = false;
    if (!floats()) {
        if (onClick) onClick(*this);
        return;
    }
    // The window follows the pointer in screen coordinates: the client
    // coordinates move with the window.
    if (service) service->startDrag(x, y, service->defaultCursor);
    pressCursor_ = Platform::getCursorPos();
    moving_ = Platform::getWindowPosition(window, pressWindow_);
}

void WindowTitleControl::procMouseDrag(int, int) {
    if (!moving_) return;
    const Platform::POINT cursor = Platform::getCursorPos();
    Platform::setWindowPosition(window, pressWindow_.x + cursor.x - pressCursor_.x,
                                pressWindow_.y + cursor.y - pressCursor_.y);
}

void WindowTitleControl::procLButtonUp(int, int) {
    if (!moving_) return;
    moving_ = false;
    Platform::POINT now;
    const bool moved = Platform::getWindowPosition(window, now) && (now.x != pressWindow_.x || now.y != pressWindow_.y);
    if (!moved && !(service && service->dragMoved) && onClick) onClick(*this);
}

void WindowTitleControl::procMouseEnter() {
    if (onClick) procPaint();
}

void WindowTitleControl::procMouseLeave() {
    if (onClick) procPaint();
}

void WindowTitleControl::procPickColor(const Window::PickedColor* color) {
    if (onPickColor) onPickColor(color);
}

void WindowTitleControl::procMove() { inner.updateLayout(); }

void WindowTitleControl::procPaint() {
    const Platform::Cairo::Brush* face = nullptr;
    {
        Control::PaintScope scope(*this);
        if (scope.empty()) return;
        face = &scope.brushes()[hover && onClick ? Brushes::GroupingSelect : Brushes::Grouping];
        fill(*face);
    }
    iconButton.faceBrush = face;
    for (auto& button : bitmapButtons) button->faceBrush = face;
    for (auto& button : iconButtons) button->faceBrush = face;
    for (Window::WindowControl* child : inner.controls)
        if (child->visible) child->procPaint();
}

}  // namespace Component
