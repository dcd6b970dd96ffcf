#pragma once
// A report list in a dialog over GtkTreeView: one line per item pointer of
// the caller, cell texts asked on demand, optional check boxes drawn from
// the caller's state, grid lines and full-row selection. The list does not
// act on the mouse by itself: presses, releases, moves (also beyond its
// edges while the button is held), header clicks and scrolling go to the
// owner, which decides what they do; the list never keeps the keyboard
// focus, so keys cannot toggle a check. User-interface thread only.
#include "platform/gtk/DialogWindow.h"

#include <functional>
#include <string>
#include <vector>

typedef struct _GtkListStore GtkListStore;

namespace Platform {

class ListView {
public:
    struct Events {
        std::function<std::string(void* item, int column)> text;
        std::function<bool(void* item)> check;
        // Pointer events in the list body's pixels.
        std::function<void(int x, int y)> mouseMove, leftDown, leftUp, rightDown, rightUp;
        // The held button was released or the grab taken away.
        std::function<void()> captureLost;
        std::function<void(int column)> columnClick;
        std::function<void()> beginScroll;
        // The list is about to go with its dialog.
        std::function<void()> destroying;
    };

    struct Hit {
        int line = -1;
        int column = -1;
        bool onCheck = false;
    };

    ListView(DialogWindow& dialog, const RECT& rect, bool checkBoxes, Events events);
    ~ListView();
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    // False once the dialog (and the list with it) is gone.
    bool alive() const { return tree_ != nullptr; }
    ControlHandle widget() const { return scroller_; }

    void addColumn(const std::string& header, int width);
    void addLine(void* item);
    int count() const;
    // Null for a line out of range.
    void* item(int line) const;
    void setItem(int line, void* item);
    // The lines in a new order (the same items).
    void setOrder(const std::vector<void*>& items);

    Hit hitTest(int x, int y) const;
    // The text part of a cell, in the dialog's client pixels.
    RECT cellRect(int line, int column) const;
    // Height of the list body in its own pixels.
    int bodyHeight() const;
    void select(int line);
    int selection() const;
    void redraw();
    void scrollBy(int pixels);
    // "pointer", "ns-resize" ... or empty for the default.
    void setCursor(const char* name);
    // Runs lostFocus each time the control loses the keyboard focus.
    void watchFocus(ControlHandle control, std::function<void()> lostFocus);
    // A menu of commands at the pointer (an empty label is a separator);
    // returns the index picked or -1.
    int popupMenu(const std::vector<std::string>& labels);

private:
    GtkWidget* scroller_ = nullptr;
    GtkWidget* tree_ = nullptr;
    GtkListStore* store_ = nullptr;
    void* toggle_ = nullptr;
    bool checkBoxes_;
    Events events_;
    std::vector<std::unique_ptr<std::function<void()>>> watchers_;
};

}  // namespace Platform
