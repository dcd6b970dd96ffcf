#pragma once
// A popup list window in the shape of the system's list box: rows of text
// of one height, one selected row, a top row, a border and a scroll bar
// when the rows do not fit. Drawn with Cairo and Pango in a borderless
// popup window of its own. While shown it holds the pointer and the
// keyboard (a press outside it arrives as WM_LBUTTONDOWN or WM_RBUTTONDOWN
// with a point outside the client area; a broken grab as WM_KILLFOCUS).
//
// Its input goes to a procedure as messages: WM_KEYDOWN (wParam: the
// virtual key of Escape, Enter, the arrows, Page Up/Down, Home, End),
// WM_MOUSEMOVE and WM_LBUTTONDOWN / WM_RBUTTONDOWN (lParam: the client
// point, wParam: MK_CONTROL when Ctrl is held), WM_MOUSEWHEEL (delta in
// the high word of wParam, positive away from the user), WM_KILLFOCUS.
// Its X11 class is "movane2ListBox".
// defaultProc is the list's own handling: keys move the selection, a press
// selects the row under it, the wheel scrolls. User-interface thread only.
#include "platform/gtk/Messages.h"

#include <functional>
#include <string>
#include <vector>

typedef struct _GtkWidget GtkWidget;

namespace Platform {

inline constexpr int LB_ERR = -1;

class PopupList {
public:
    using Procedure = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;
    // The messages, flag and key of the procedure, with the system's codes.
    enum Message : UINT {
        KillFocus = 0x0008,
        KeyDown = 0x0100,
        MouseMove = 0x0200,
        LButtonDown = 0x0201,
        RButtonDown = 0x0204,
        MouseWheel = 0x020A
    };
    static constexpr WPARAM ControlHeld = 0x0008;
    static constexpr int KeyEscape = 0x1B;

    // owner: the window the list belongs to (may be null).
    explicit PopupList(WindowHandle owner);
    ~PopupList();
    PopupList(const PopupList&) = delete;
    PopupList& operator=(const PopupList&) = delete;

    // The Pango font ("Sans 9" form); the row height follows it.
    void setFont(const std::string& description);
    int addString(const std::wstring& text);
    void resetContent();
    int getCount() const { return static_cast<int>(rows_.size()); }
    int getItemHeight() const { return itemHeight_; }
    void setItemHeight(int height);
    int getCurSel() const { return selection_; }
    // -1 or an index outside the rows: no selection.
    void setCurSel(int index);
    int getTopIndex() const { return top_; }
    void setTopIndex(int index);
    // The row under a screen point, -1 when none.
    int itemFromPoint(POINT screen) const;

    // Moves and sizes the window (screen coordinates) and hides it.
    void setWindowPos(int x, int y, int width, int height);
    // The window's rectangle on the screen.
    RECT screenRect() const;
    void show();
    void hide();
    bool visible() const;
    // Takes the pointer and the keyboard.
    void setFocus();

    Procedure procedure;
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    GtkWidget* toolkitWindow() const { return window_; }

private:
    struct Callbacks;
    friend struct Callbacks;
    void redraw();
    void ensureVisible(int index);
    int visibleRows() const;
    void releaseGrab();
    LRESULT deliver(UINT message, WPARAM wParam, LPARAM lParam);

    GtkWidget* window_ = nullptr;
    GtkWidget* area_ = nullptr;
    std::vector<std::wstring> rows_;
    std::string font_ = "Sans 9";
    int itemHeight_ = 16;
    int selection_ = -1;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool grabbed_ = false;
};

}  // namespace Platform
