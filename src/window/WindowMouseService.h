#pragma once
// Routes the input messages of every program window to WindowMouse objects
// (WindowMouse.h) and keeps the roles objects hold: the keyboard focus, the
// pressed object (which owns the mouse until the window's capture changes),
// the hovered object, the drop target, a key-release wait and a
// screen-colour pick. It detects double clicks and the start of a drag
// itself, picks the wheel's target (the last wheel target keeps the wheel
// for a double-click time), drops key repeats that pile up, forwards keys
// and IME results to the focused object and unfocused keys to the
// keyboard-shortcut call point, and keeps the mouse cursor.
//
// Delivery guard: a hit test returns an object only while the guard is
// clear and then sets it; the router clears it when the message that found
// the object has been handled. Mouse messages of a nested loop run from an
// object's handler (a popup menu, a dialog) therefore find no object.
//
// A process-wide service (System::Singleton), created before the window
// service and every input object. User-interface thread only.
#include "platform/gtk/Messages.h"
#include "window/WindowMouse.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

typedef struct _GdkCursor GdkCursor;

namespace Window {

class WindowMouseService {
public:
    // A cursor of the fixed table: a system cursor id or a program cursor
    // resource id (0: no cursor, which hides the pointer).
    struct MouseCursor {
        int name = 0;
        bool system = true;
        GdkCursor* handle = nullptr;
    };
    // The table's records by index.
    enum CursorIndex {
        CursorHidden = 0,
        CursorArrow = 1,
        CursorSizeWE = 2,
        CursorSizeNS = 3,
        CursorSizeAll = 4,
        CursorHand = 5,
        CursorIBeam = 6,
        CursorNo = 7,
        CursorWait = 8,
        CursorAppStarting = 9,
        CursorLeftRight = 10,   // program cursor 129
        CursorUpDown = 11,      // program cursor 143
        CursorColorPick = 12,   // program cursor 130
        CursorSwapNS = 13,      // system 32652
        CursorSwapWE = 14,      // system 32653
        CursorPanWest = 15,     // system 32657
        CursorPanEast = 16,     // system 32658
        CursorCount = 17
    };
    static MouseCursor cursors[CursorCount];
    static MouseCursor* cursor(int index) { return &cursors[index]; }
    // The key-release wait that lasts until the focus changes.
    static constexpr int KeyReleaseFocus = 0x10000;

    WindowMouseService();
    ~WindowMouseService();
    WindowMouseService(const WindowMouseService&) = delete;
    WindowMouseService& operator=(const WindowMouseService&) = delete;

    // True: handled, the window's own procedure does not see the message.
    bool routeMessage(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);

    // The pressed object regardless of the point, else the object under it.
    // Either way none while the delivery guard is set; a found object sets it.
    WindowMouse* hitTest(Platform::WindowHandle window, int x, int y);
    WindowMouse* hitTestIf(Platform::WindowHandle window, int x, int y,
                           const std::function<bool(WindowMouse&)>& predicate);
    // The hit-test rule alone (no pressed object, no guard).
    WindowMouse* findObject(Platform::WindowHandle window, int x, int y,
                            const std::function<bool(WindowMouse&)>& predicate = {}) const;
    // Clears the delivery guard (the window procedure's activation check).
    void releaseGuard() { guard_ = false; }
    bool guardSet() const { return guard_; }

    void addMouse(WindowMouse* object);
    void removeMouse(WindowMouse* object);

    // From a button-down operation: the pressed object takes the mouse; its
    // procMouseDrag receives the position minus (grab + its origin). With
    // the hidden cursor the pointer is pinned (an endless drag).
    void startDrag(int grabX, int grabY, MouseCursor* cursor);
    void takeFocus(WindowMouse* object);
    // Takes the focus from the focused object unless it is the given one;
    // true when it did. Never gives the focus.
    bool dropFocus(WindowMouse* by);
    // Waits for the release of a key (or KeyReleaseFocus): the waiter's
    // procKeyUp runs then.
    void setKeyReleaseWait(WindowMouse* object, int key);
    void checkKeyReleaseWait();
    void startColorPick(WindowMouse* object);
    void cancelColorPick();
    bool endColorPick();
    void endHover();
    void endDropTarget();
    // A running drag is cut off (a shortcut ran): the pressed object loses
    // the capture, gets procDragCancel when dragging, the cursor returns
    // to the default.
    void cancelDrag();
    // Applies currentCursor to every program window.
    void updateWindowCursor();
    std::wstring getImeResultString(WindowMouse* object);

    Platform::WindowHandle window = nullptr;
    MouseCursor* defaultCursor = cursor(CursorArrow);
    MouseCursor* currentCursor = cursor(CursorArrow);
    MouseCursor* shownCursor = nullptr;
    std::vector<WindowMouse*> objects;
    ImeState ime;
    WindowMouse* focus = nullptr;
    WindowMouse* pressed = nullptr;
    WindowMouse* hover = nullptr;
    WindowMouse* dropTarget = nullptr;
    WindowMouse* keyReleaseWaiter = nullptr;
    int keyReleaseKey = 0;
    WindowMouse* colorPicker = nullptr;
    bool dragging = false;
    int dragOriginX = 0;
    int dragOriginY = 0;
    bool dragMoved = false;
    Platform::POINT savedPointer;
    UINT lastPressMessage = 0;
    std::uint64_t lastPressTime = 0;
    LPARAM lastPressPosition = 0;
    LPARAM lastMovePosition = -1;
    std::uint64_t lastWheelTime = 0;
    const WindowMouse* lastWheelTarget = nullptr;
    // Identities only: compared, never called.
    const WindowMouse* lastPressedObject = nullptr;
    bool doubleClick = false;
    bool rightPressMovedFocus = false;
    bool systemKeyHandled = false;

    // The system's drag rectangle (each at least 1) and double-click time,
    // read from the setting service when it exists; tests may pin them.
    int dragWidth = 4;
    int dragHeight = 4;
    unsigned doubleClickTime = 500;
    // Milliseconds of a steady clock (GetTickCount64); tests may replace it.
    std::function<std::uint64_t()> tickCount;

    // Call points of services built elsewhere; empty = nobody.
    struct Hooks {
        // The keyboard-shortcut service: true when a shortcut ran.
        std::function<bool(int virtualKey)> dispatchKey;
        // Whether an Alt + left press acts as a right press (edit settings).
        std::function<bool()> altLeftClickToRightClick;
        // Tooltips: hide one shown to vanish on the next move, on the next
        // move or click, and the tracking tooltip of a file drag.
        std::function<void()> hideOnMove;
        std::function<void()> hideOnClick;
        std::function<void()> hideTracking;
    } hooks;

private:
    bool routeMouseMove(Platform::WindowHandle window, WPARAM wParam, LPARAM lParam);
    bool routeKeyDown(Platform::WindowHandle window, UINT message, WPARAM wParam);
    bool lButtonDown(Platform::WindowHandle window, WPARAM wParam, LPARAM lParam);
    bool lButtonUp(Platform::WindowHandle window, LPARAM lParam);
    bool rightButtonDown(Platform::WindowHandle window, int x, int y);
    bool rButtonUp(Platform::WindowHandle window, LPARAM lParam);
    bool mouseWheel(Platform::WindowHandle window, WPARAM wParam, LPARAM lParam);
    bool dragMessage(Platform::WindowHandle window, UINT message, LPARAM lParam);
    void beginClick(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);
    void endPress();
    void endKeyReleaseWait();
    std::uint64_t now() const;

    bool guard_ = false;
    std::uint64_t nextSerial_ = 0;
};

}  // namespace Window
