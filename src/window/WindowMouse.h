#pragma once
// The input interface of everything that receives mouse, keyboard or IME
// input: the main window, every panel and every owner-drawn control. An
// object is a rectangle in the client area of one program window with a
// priority; the routing service (WindowMouseService) finds the object under
// the pointer and calls the operations below.
//
// Hit test: among the visible objects of the window whose rectangle holds
// the point, the highest priority wins; on equal priority the one whose
// centre is nearest (|dx| + |dy|), and on a further tie the one registered
// first. A disabled winner blocks the point: nobody gets it. Priorities:
// main window 0, panels 100, a control placed in an owner the owner's base
// + 1 (201 in panels and tab strips), a child control its parent's + 1.
//
// Coordinates passed to the operations are client pixels minus the
// object's rectangle origin unless an operation says otherwise.
//
// Lifetime: an object registers with the routing service when built and
// leaves it when destroyed or detached. An object that may be destroyed
// while input is being handled (a control whose own callback rebuilds its
// panel, a panel recreated from its own menu) must not be deleted on the
// spot: hand it to Window::deleteLater (DeferredDelete.h), which detaches it
// at once and frees it when the event has been handled completely.
// User-interface thread only.
#include "platform/gtk/Messages.h"

#include <cstdint>
#include <string>

namespace Window {

class WindowMouseService;
// The record of a file drag (its files, screen point, accepted flag); the
// drop target defines it and calls it Window::DropTarget::DropInfo too.
struct DropInfo;

// The font of the IME composition window, kept up to date by the text
// widgets.
struct CompositionFont {
    std::wstring faceName;
    int height = 0;  // pixels, 0 = the system's
    int weight = 0;
    bool italic = false;
};

// The routing service's IME state, handed to procFocusIme.
struct ImeState {
    // Whether the input method is switched on for the window below.
    bool associated = true;
    // The window whose input method was last switched.
    Platform::WindowHandle window = nullptr;
    CompositionFont compositionFont;
};

// A colour read from the screen.
struct PickedColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool contains(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

class WindowMouse {
public:
    // Registers with the routing service (when it exists: without one, in
    // tools and tests that need no input, the object receives nothing).
    // rect is owned by the derived class and must outlive the object.
    WindowMouse(Platform::WindowHandle window, const Rect* rect, int priority);
    virtual ~WindowMouse();
    WindowMouse(const WindowMouse&) = delete;
    WindowMouse& operator=(const WindowMouse&) = delete;

    // Leaves the routing service and every role it gives (focus, pressed,
    // hover, drop target, key-release wait, colour pick): the object is no
    // longer hit-tested or notified. Idempotent; the destructor calls it.
    void detach();
    bool attached() const { return attached_; }

    virtual void procMouseMove(int x, int y);
    // Relative to the drag origin that startDrag set.
    virtual void procMouseDrag(int x, int y);
    virtual void procDragCancel();
    // A key pressed during the object's drag; true consumes it.
    virtual bool procDragKey(int virtualKey);
    // The key-release wait the object registered ended.
    virtual void procKeyUp();
    virtual void procLButtonDown(int x, int y);
    virtual void procLButtonUp(int x, int y);
    virtual void procRButtonDown(int x, int y);
    virtual void procRButtonUp(int x, int y);
    virtual void procMouseEnter();
    virtual void procMouseLeave();
    // The object held the capture and the press ended without its button-up.
    virtual void procCaptureLost();
    // delta: 120 a notch, positive away from the user.
    virtual void procMouseWheel(int x, int y, int delta);
    virtual bool canMouseWheel();
    virtual bool procKeyDown(int virtualKey);
    virtual bool procChar(char16_t unit);
    // An IME result string; by default procChar for each UTF-16 unit.
    virtual void procString(const std::wstring& text);
    // by: the object whose press or wheel moved the focus away, or null.
    virtual void procKillFocus(WindowMouse* by);
    virtual void procContextMenu(int x, int y);
    // A composition starts while the object holds the focus; true keeps the
    // input method switched on.
    virtual bool procFocusIme(ImeState& ime);
    virtual bool procDragOver(int x, int y, DropInfo* info);
    virtual bool procDrop(int x, int y, DropInfo* info);
    virtual void procDragLeave();
    // The colour pick the object started ended; null = cancelled.
    virtual void procPickColor(const PickedColor* color);
    // The pointer rested on the object (widgets show their tooltip here).
    virtual void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam);

    bool captured = false;
    bool hover = false;
    bool focus = false;
    bool enabled = true;
    bool visible = true;
    bool acceptsContextMenu = false;
    bool acceptsRightButton = false;
    bool acceptsWheel = false;
    bool acceptsDrop = false;
    WindowMouseService* service = nullptr;
    const Rect* rect = nullptr;
    int priority = 0;
    Platform::WindowHandle window = nullptr;

private:
    friend class WindowMouseService;
    bool attached_ = false;
    std::uint64_t serial_ = 0;
};

}  // namespace Window
