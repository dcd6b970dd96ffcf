#pragma once
// The program's only text-entry widget: owner-drawn UTF-16 text with a
// caret, selection, keyboard editing (EditBuffer), the clipboard, input
// method placement, scrolling, a right-button edit menu and Tab cycling
// through its focus group. Owners set text directly and then call
// updateTextLayout and updateScroll. The text is inset 4 px; the inner area
// is the visible size minus 8 px each way.
// User-interface thread only.
#include "media/draw/TextFormatList.h"
#include "window/Timer.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/EditBuffer.h"
#include "window/controls/EditFocusGroup.h"
#include "window/controls/EditTextLayout.h"

#include <functional>
#include <string>

namespace Platform::Cairo {
class Brush;
}

namespace Control {

class EditControl : public Window::WindowControlRenderTarget,
                    public EditFocusGroup,
                    public Resource::FontResource,
                    public EditBuffer {
public:
    // Filling the owner, or in a parent control from left to right (the
    // layout numbers of WindowControl, full height).
    explicit EditControl(Window::WindowControlOwner& owner);
    EditControl(Window::WindowControl& parent, int left, int right);
    ~EditControl() override;

    void procMouseMove(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procLButtonDown(int x, int y) override;
    void procRButtonDown(int x, int y) override;
    void procMouseWheel(int x, int y, int delta) override;
    bool procKeyDown(int virtualKey) override;
    bool procChar(char16_t unit) override;
    void procString(const std::wstring& text) override;
    void procKillFocus(Window::WindowMouse* by) override;
    bool procFocusIme(Window::ImeState& ime) override;
    void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;
    void procPaint() override;
    void procMove() override;

    // Line breaks, indices, the layout and its size.
    void updateTextLayout() override;
    // Scrolls so that the caret shows (or centres short text), then
    // onScroll.
    void updateScroll();
    // Moves the input method's candidate window to the caret.
    void updateImePosition();
    // The text position at a point of layout coordinates.
    int getTextPosition(int x, int y) const;
    // What a left press does for the focus: the caret on and blinking, the
    // wheel and the right button accepted as configured, the keyboard focus
    // with the input method.
    void takeEditFocus();
    // Opens the edit for typing a value over: the text, all of it selected
    // with the caret at the end, the caret blinking, the keyboard focus
    // (with the input method or, for numbers, without).
    void beginEntry(const std::u16string& entry, bool withIme);
    void drawCursor(bool on);
    void drawSelectRange();

    void setGroupFocus(bool on) override;
    bool canGroupFocus() override;

    // The items of the edit menu for the current selection.
    struct MenuEntry {
        const wchar_t* title;
        char16_t character;  // what choosing it types
    };
    std::vector<MenuEntry> editMenuEntries() const;

    Resource::TextFormat* textFormat = nullptr;
    std::int32_t scrollX = 0;
    std::int32_t scrollY = 0;
    std::int32_t textWidth = 0;
    std::int32_t textHeight = 0;
    std::int32_t hitRectCapacity = 0;
    bool centerX = false;
    bool centerY = false;
    System::Timer caretTimer;
    bool caretVisible = false;
    bool menuEnabled = false;
    // The scroll bar the wheel goes to (not owned), or null.
    Window::WindowControl* scrollBar = nullptr;
    EditTextLayout textLayout;
    Platform::Cairo::Brush* backgroundBrush = nullptr;
    std::function<void(EditControl&)> onChange;
    std::function<void(EditControl&)> onScroll;
    // Sees every key first; true consumes it (and its characters).
    std::function<bool(int)> onKeyDown;
    std::function<void(Platform::WindowHandle, UINT, WPARAM)> onHover;

    // Call point of the right-button menu: opens a popup menu filled by
    // appendEditMenu at the pointer. Empty: no menu.
    static std::function<void(EditControl&)> openEditMenu;

protected:
    void editCursorUp(int lines) override;
    void editCursorDown(int lines) override;
    int pageLines() override;
    bool readClipboard(std::u16string& out) override;
    void writeClipboard(const std::u16string& text) override;
    bool hasTabGroup() const override { return inFocusGroup(); }
    bool cycleTab(bool backward) override { return cycleGroupFocus(backward); }
    void afterEdit() override;
    void afterMove() override;
    void afterSelectAll() override;

    // The visible size less the insets, and the scroll margins.
    int innerWidth() const;
    int innerHeight() const;
    int marginX() const;
    int marginY() const;
    // Restarts the blink with the caret shown.
    void restartCaret();
    void hideMouseCursor();
    Modifiers modifiers() const;

private:
    void init();
    bool discardChars_ = false;
    System::Timer discardTimer_;
};

}  // namespace Control
