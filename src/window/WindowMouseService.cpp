#include "window/WindowMouseService.h"

#include "core/base/Exception.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "edit/service/EditService.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/DropInfo.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace Window {

using namespace Platform;

WindowMouseService::MouseCursor WindowMouseService::cursors[CursorCount] = {
    {0, true},
    {IDC_ARROW, true},
    {IDC_SIZEWE, true},
    {IDC_SIZENS, true},
    {IDC_SIZEALL, true},
    {IDC_HAND, true},
    {IDC_IBEAM, true},
    {IDC_NO, true},
    {IDC_WAIT, true},
    {IDC_APPSTARTING, true},
    {129, false},
    {143, false},
    {130, false},
    {32652, true},
    {32653, true},
    {32657, true},
    {32658, true},
};

namespace {

// Clears the delivery guard when the message that set it has been handled
// (also when an exception unwinds); a guard set by an outer message stays.
class GuardRelease {
public:
    explicit GuardRelease(WindowMouseService& service)
        : service_(service), wasClear_(!service.guardSet()) {}
    ~GuardRelease() {
        if (wasClear_) service_.releaseGuard();
    }
    GuardRelease(const GuardRelease&) = delete;
    GuardRelease& operator=(const GuardRelease&) = delete;

private:
    WindowMouseService& service_;
    bool wasClear_;
};

}  // namespace

WindowMouseService::WindowMouseService() {
    if (auto* settings = System::Singleton<Setting::SettingService>::getInstance()) {
        dragWidth = settings->dragWidth < 2 ? 1 : settings->dragWidth;
        dragHeight = settings->dragHeight < 2 ? 1 : settings->dragHeight;
        if (settings->doubleClickTime > 0) doubleClickTime = unsigned(settings->doubleClickTime);
    }
    hooks.altLeftClickToRightClick = [] {
        const auto* edit = System::Singleton<Edit::EditService>::getInstance();
        return edit && edit->altLeftClickToRightClick != 0;
    };
}

WindowMouseService::~WindowMouseService() {
    // Objects that outlive the service no longer reach it.
    for (WindowMouse* object : objects) object->attached_ = false;
}

std::uint64_t WindowMouseService::now() const {
    if (tickCount) return tickCount();
    using namespace std::chrono;
    return std::uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void WindowMouseService::addMouse(WindowMouse* object) {
    object->serial_ = nextSerial_++;
    objects.push_back(object);
}

void WindowMouseService::removeMouse(WindowMouse* object) {
    const auto found = std::find(objects.begin(), objects.end(), object);
    if (found != objects.end()) {
        *found = objects.back();
        objects.pop_back();
    }
    if (focus == object) focus = nullptr;
    if (pressed == object) pressed = nullptr;
    if (hover == object) hover = nullptr;
    if (dropTarget == object) dropTarget = nullptr;
    if (keyReleaseWaiter == object) {
        keyReleaseWaiter = nullptr;
        keyReleaseKey = 0;
    }
    if (colorPicker == object) {
        colorPicker = nullptr;
        endScreenPick();
    }
}

WindowMouse* WindowMouseService::findObject(WindowHandle target, int x, int y,
                                            const std::function<bool(WindowMouse&)>& predicate) const {
    WindowMouse* best = nullptr;
    int bestDistance = 0;
    for (WindowMouse* object : objects) {
        if (!object->visible || object->window != target || !object->rect) continue;
        const Rect& r = *object->rect;
        if (!r.contains(x, y)) continue;
        if (predicate && !predicate(*object)) continue;
        const int distance = std::abs(x - (r.x + r.width / 2)) + std::abs(y - (r.y + r.height / 2));
        if (best) {
            if (object->priority < best->priority) continue;
            if (object->priority == best->priority) {
                if (distance > bestDistance) continue;
                // Equal priority and distance: the earlier object.
                if (distance == bestDistance && object->serial_ > best->serial_) continue;
            }
        }
        best = object;
        bestDistance = distance;
    }
    return best && best->enabled ? best : nullptr;
}

WindowMouse* WindowMouseService::hitTest(WindowHandle target, int x, int y) {
    return hitTestIf(target, x, y, {});
}

WindowMouse* WindowMouseService::hitTestIf(WindowHandle target, int x, int y,
                                           const std::function<bool(WindowMouse&)>& predicate) {
    if (guard_) return nullptr;
    WindowMouse* found = pressed ? pressed : findObject(target, x, y, predicate);
    if (found) guard_ = true;
    return found;
}

void WindowMouseService::updateWindowCursor() {
    if (currentCursor == shownCursor) return;
    shownCursor = currentCursor;
    if (!currentCursor->handle && currentCursor->name != 0) {
        currentCursor->handle = loadCursor(currentCursor->name, currentCursor->system);
        if (!currentCursor->handle)
            throw System::makeLastErrorException(
                "LoadCursor", "Window::WindowMouseService::MouseCursor::updateWindowCursor");
    }
    setClassCursor(currentCursor->handle);
}

void WindowMouseService::startDrag(int grabX, int grabY, MouseCursor* cursorRecord) {
    if (pressed) {
        pressed->captured = true;
        dragging = true;
        dragMoved = false;
        dragOriginX = grabX + pressed->rect->x;
        dragOriginY = grabY + pressed->rect->y;
    } else if (!dragging) {
        return;
    }
    // No record: the drag keeps the default cursor.
    currentCursor = cursorRecord ? cursorRecord : defaultCursor;
    if (cursorRecord == cursor(CursorHidden)) savedPointer = getCursorPos();
}

void WindowMouseService::takeFocus(WindowMouse* object) {
    if (!object || focus == object) return;
    dropFocus(nullptr);
    focus = object;
    object->focus = true;
    if (getFocus() != object->window) setFocus(object->window);
    if (!ime.associated) {
        associateIme(object->window, true);
        ime.associated = true;
        ime.window = object->window;
    }
}

bool WindowMouseService::dropFocus(WindowMouse* by) {
    if (!focus || focus == by) return false;
    WindowMouse* old = focus;
    const WindowHandle oldWindow = old->window;
    if (old->focus) {
        old->focus = false;
        old->procKillFocus(by);
    }
    if (ime.associated) {
        ime.associated = false;
        // Before any input method was switched, the focused object's.
        if (!ime.window) ime.window = oldWindow;
        associateIme(ime.window, false);
    }
    focus = nullptr;
    if (keyReleaseWaiter && keyReleaseKey == KeyReleaseFocus) endKeyReleaseWait();
    currentCursor = defaultCursor;
    updateWindowCursor();
    return true;
}

void WindowMouseService::setKeyReleaseWait(WindowMouse* object, int key) {
    keyReleaseWaiter = object;
    keyReleaseKey = object ? key : 0;
}

void WindowMouseService::endKeyReleaseWait() {
    WindowMouse* waiter = keyReleaseWaiter;
    keyReleaseWaiter = nullptr;
    keyReleaseKey = 0;
    if (waiter) waiter->procKeyUp();
}

void WindowMouseService::checkKeyReleaseWait() {
    if (!keyReleaseWaiter) return;
    const bool ended =
        keyReleaseKey == KeyReleaseFocus ? focus == nullptr : getKeyState(keyReleaseKey) >= 0;
    if (ended) endKeyReleaseWait();
}

void WindowMouseService::endPress() {
    if (pressed && pressed->captured) {
        pressed->captured = false;
        pressed->procCaptureLost();
    }
    pressed = nullptr;
}

void WindowMouseService::startColorPick(WindowMouse* object) {
    if (colorPicker == object) return;
    if (WindowMouse* old = colorPicker) {
        colorPicker = nullptr;
        endScreenPick();
        old->procPickColor(nullptr);
        currentCursor = defaultCursor;
    }
    endPress();
    dragging = false;
    endHover();
    colorPicker = object;
    currentCursor = cursor(CursorColorPick);
    updateWindowCursor();
    // A click anywhere on the screen ends the pick.
    beginScreenPick(object->window, currentCursor->handle);
}

void WindowMouseService::cancelColorPick() {
    if (!colorPicker) return;
    WindowMouse* picker = colorPicker;
    colorPicker = nullptr;
    currentCursor = defaultCursor;
    endScreenPick();
    picker->procPickColor(nullptr);
}

bool WindowMouseService::endColorPick() {
    if (!colorPicker) return false;
    WindowMouse* picker = colorPicker;
    colorPicker = nullptr;
    currentCursor = defaultCursor;
    endScreenPick();
    const int x = GET_X_LPARAM(lastMovePosition);
    const int y = GET_Y_LPARAM(lastMovePosition);
    if (picker->rect && picker->rect->contains(x, y)) {
        picker->procPickColor(nullptr);
    } else {
        const POINT at = getCursorPos();
        std::uint8_t rgb[3] = {};
        if (getScreenPixel(at.x, at.y, rgb)) {
            const PickedColor color{rgb[0], rgb[1], rgb[2]};
            picker->procPickColor(&color);
        } else {
            picker->procPickColor(nullptr);
        }
    }
    return true;
}

void WindowMouseService::endHover() {
    WindowMouse* old = hover;
    hover = nullptr;
    if (old && old->hover) {
        old->hover = false;
        old->procMouseLeave();
        trackMouseEvent(old->window, TME_CANCEL | TME_HOVER | TME_LEAVE);
    }
}

void WindowMouseService::endDropTarget() {
    if (!dropTarget) return;
    WindowMouse* old = dropTarget;
    dropTarget = nullptr;
    if (hooks.hideTracking) hooks.hideTracking();
    old->procDragLeave();
}

void WindowMouseService::cancelDrag() {
    if (pressed) {
        pressed->captured = false;
        if (dragging) pressed->procDragCancel();
    }
    dragging = false;
    currentCursor = defaultCursor;
    updateWindowCursor();
}

std::wstring WindowMouseService::getImeResultString(WindowMouse* object) {
    return object ? imeResultString(object->window) : std::wstring();
}

void WindowMouseService::beginClick(WindowHandle target, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hooks.hideOnClick) hooks.hideOnClick();
    if (getFocus() != target) setFocus(target);
    const std::uint64_t t = now();
    if (message == lastPressMessage && t - lastPressTime < doubleClickTime &&
        lParam == lastPressPosition) {
        // The press record stays: a third press within the time of the
        // first is a double click too.
        doubleClick = true;
        return;
    }
    lastPressMessage = message;
    lastPressTime = t;
    lastPressPosition = lParam;
    doubleClick = false;
    // Hover and cursor follow the press point.
    if (lParam != lastMovePosition) routeMessage(target, WM_MOUSEMOVE, wParam, lParam);
}

bool WindowMouseService::routeMouseMove(WindowHandle target, WPARAM, LPARAM lParam) {
    if (lParam != lastMovePosition && hooks.hideOnMove) hooks.hideOnMove();
    const bool hiddenDrag = dragging && currentCursor == cursor(CursorHidden);
    if (!hiddenDrag) {
        if (lParam == lastMovePosition) return true;
        lastMovePosition = lParam;
    } else if (dragMoved) {
        // The pointer stays pinned; only the horizontal motion counts.
        const POINT at = getCursorPos();
        if (at.x != savedPointer.x || at.y != savedPointer.y) {
            dragOriginX += savedPointer.x - at.x;
            setCursorPos(savedPointer.x, savedPointer.y);
            return true;
        }
    }
    if (colorPicker) return true;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (dragging) {
        if (!dragMoved) {
            const int dx = std::abs(x - GET_X_LPARAM(lastPressPosition));
            const int dy = std::abs(y - GET_Y_LPARAM(lastPressPosition));
            if (dx == 0 && dy == 0) return true;
            if (dx < dragWidth && dy < dragHeight && now() - lastPressTime < doubleClickTime)
                return true;
            dragMoved = true;
        }
        WindowMouse* object = hitTest(target, x, y);
        if (object && object->captured) object->procMouseDrag(x - dragOriginX, y - dragOriginY);
        updateWindowCursor();
        return true;
    }
    currentCursor = defaultCursor;
    WindowMouse* object = hitTest(target, x, y);
    if (object != hover) {
        endHover();
        if (object) {
            hover = object;
            object->hover = true;
            object->procMouseEnter();
            trackMouseEvent(object->window, TME_HOVER | TME_LEAVE);
        }
    }
    if (!object) {
        updateWindowCursor();
        return true;
    }
    object->procMouseMove(x - object->rect->x, y - object->rect->y);
    updateWindowCursor();
    return true;
}

bool WindowMouseService::lButtonDown(WindowHandle target, WPARAM wParam, LPARAM lParam) {
    if (endColorPick()) return false;
    beginClick(target, WM_LBUTTONDOWN, wParam, lParam);
    setCapture(target);
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (hooks.altLeftClickToRightClick && hooks.altLeftClickToRightClick() &&
        getKeyState(VK::MENU) < 0)
        return rightButtonDown(target, x, y);
    WindowMouse* object = hitTest(target, x, y);
    lastPressedObject = object;
    dropFocus(object);
    if (object != pressed) {
        endPress();
        dragging = false;
        pressed = object;
    }
    if (object && !object->captured) object->procLButtonDown(x - object->rect->x, y - object->rect->y);
    updateWindowCursor();
    return object && object->captured;
}

bool WindowMouseService::lButtonUp(WindowHandle target, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    WindowMouse* object = hitTest(target, x, y);
    if (object && object->captured) object->procLButtonUp(x - object->rect->x, y - object->rect->y);
    updateWindowCursor();
    const bool result = object && object->captured && dragMoved;
    releaseCapture();
    return result;
}

bool WindowMouseService::rightButtonDown(WindowHandle target, int x, int y) {
    WindowMouse* object =
        hitTestIf(target, x, y, [](WindowMouse& o) { return o.acceptsRightButton; });
    rightPressMovedFocus = dropFocus(object);
    if (object != pressed) {
        endPress();
        dragging = false;
        pressed = object;
    }
    if (object && !object->captured) object->procRButtonDown(x - object->rect->x, y - object->rect->y);
    updateWindowCursor();
    return object && object->captured;
}

bool WindowMouseService::rButtonUp(WindowHandle target, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    WindowMouse* object =
        hitTestIf(target, x, y, [](WindowMouse& o) { return o.acceptsRightButton; });
    if (object && object->captured) object->procRButtonUp(x - object->rect->x, y - object->rect->y);
    updateWindowCursor();
    if (rightPressMovedFocus) {
        // The click that took the focus away opens no context menu.
        releaseCapture();
        return true;
    }
    const bool result = object && object->captured && dragMoved;
    releaseCapture();
    return result;
}

bool WindowMouseService::mouseWheel(WindowHandle target, WPARAM wParam, LPARAM lParam) {
    const std::uint64_t t = now();
    const POINT at = screenToClient(target, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    WindowMouse* object = hitTestIf(target, at.x, at.y, [&](WindowMouse& o) {
        return o.acceptsWheel && o.canMouseWheel() &&
               (&o == lastWheelTarget || t - lastWheelTime > doubleClickTime);
    });
    dropFocus(object);
    if (object) {
        lastWheelTarget = object;
        lastWheelTime = t;
        object->procMouseWheel(at.x - object->rect->x, at.y - object->rect->y,
                               GET_WHEEL_DELTA_WPARAM(wParam));
    }
    updateWindowCursor();
    return true;
}

bool WindowMouseService::dragMessage(WindowHandle target, UINT message, LPARAM lParam) {
    auto* info = reinterpret_cast<DropInfo*>(lParam);
    if (!info || info->files.empty()) return true;
    if (message == WM_USER + 2 && hooks.hideTracking) hooks.hideTracking();
    const POINT at = screenToClient(target, info->point);
    WindowMouse* object = hitTestIf(target, at.x, at.y, [](WindowMouse& o) { return o.acceptsDrop; });
    if (object != dropTarget) {
        endDropTarget();
        dropTarget = object;
    }
    if (!object) return true;
    const int x = at.x - object->rect->x;
    const int y = at.y - object->rect->y;
    const bool accepted =
        message == WM_USER + 1 ? object->procDragOver(x, y, info) : object->procDrop(x, y, info);
    if (accepted) {
        info->accepted = true;
        if (!isWindowActive(target)) setForegroundWindow(target);
    }
    return true;
}

bool WindowMouseService::routeKeyDown(WindowHandle target, UINT message, WPARAM wParam) {
    const int key = int(wParam);
    // Repeats that piled up while an earlier one was handled are dropped.
    if (isKeyDownQueued(target, wParam)) return false;
    if (colorPicker) cancelColorPick();
    if (message == WM_SYSKEYDOWN) {
        systemKeyHandled = hooks.dispatchKey ? hooks.dispatchKey(key) : false;
        return systemKeyHandled;
    }
    if (dragging && pressed) {
        if (key >= VK::LEFT && key <= VK::DOWN) dragMoved = true;
        if (pressed->procDragKey(key)) return true;
    }
    if (focus) {
        if (focus->procKeyDown(key)) return true;
        // A Ctrl key the focused field leaves is a shortcut (Ctrl+S saves
        // while a value is typed), except the ones a field takes as
        // characters (select all, copy, paste, cut) and the modifiers
        // themselves. The field's edit ends first, so its undo step is
        // closed and what was typed is kept.
        const bool fieldKey = key == 'A' || key == 'C' || key == 'V' || key == 'X' || key == VK::CONTROL ||
                              key == VK::SHIFT || key == VK::MENU;
        if (getKeyState(VK::CONTROL) >= 0 || fieldKey) return false;
        dropFocus(nullptr);
    }
    return hooks.dispatchKey ? hooks.dispatchKey(key) : false;
}

bool WindowMouseService::routeMessage(WindowHandle target, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    GuardRelease guard(*this);
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(LPARAM(wParam)) != 0)
            checkKeyReleaseWait();
        else
            endColorPick();
        return false;
    case WM_KILLFOCUS:
        dropFocus(nullptr);
        return true;
    case WM_CONTEXTMENU: {
        cancelColorPick();
        const POINT at = screenToClient(target, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        WindowMouse* object =
            hitTestIf(target, at.x, at.y, [](WindowMouse& o) { return o.acceptsContextMenu; });
        if (object) object->procContextMenu(at.x - object->rect->x, at.y - object->rect->y);
        return true;
    }
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
        endHover();
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return routeKeyDown(target, message, wParam);
    case WM_KEYUP:
        if (keyReleaseWaiter && keyReleaseKey == int(wParam)) endKeyReleaseWait();
        return false;
    case WM_CHAR:
        return focus ? focus->procChar(char16_t(wParam & 0xFFFF)) : false;
    case WM_SYSCHAR:
        return systemKeyHandled;
    case WM_IME_STARTCOMPOSITION:
        if (!(focus && focus->procFocusIme(ime)) && ime.associated) {
            // No text widget asks for it: composition is switched off.
            ime.associated = false;
            if (!ime.window) ime.window = target;
            associateIme(ime.window, false);
        }
        return false;
    case WM_IME_COMPOSITION:
        if ((lParam & GCS_RESULTSTR) && focus && ime.associated) {
            WindowMouse* object = focus;
            const std::wstring text = getImeResultString(object);
            if (!text.empty()) object->procString(text);
        }
        return false;
    case WM_IME_CHAR:
        return true;
    case WM_MOUSEMOVE:
        return routeMouseMove(target, wParam, lParam);
    case WM_LBUTTONDOWN:
        return lButtonDown(target, wParam, lParam);
    case WM_LBUTTONUP:
        return lButtonUp(target, lParam);
    case WM_RBUTTONDOWN:
        cancelColorPick();
        beginClick(target, message, wParam, lParam);
        setCapture(target);
        return rightButtonDown(target, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_RBUTTONUP:
        return rButtonUp(target, lParam);
    case WM_MOUSEWHEEL:
        return mouseWheel(target, wParam, lParam);
    case WM_CAPTURECHANGED:
        endPress();
        dragging = false;
        currentCursor = defaultCursor;
        updateWindowCursor();
        return true;
    case WM_MOUSEHOVER:
        if (hover && !hover->captured) hover->procMouseHover(target, message, wParam);
        return true;
    case WM_USER + 1:
    case WM_USER + 2:
        return dragMessage(target, message, lParam);
    case WM_USER + 3:
        endDropTarget();
        return true;
    default:
        return false;
    }
}

}  // namespace Window
