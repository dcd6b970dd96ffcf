#pragma once
// The program's one drop-down list: a popup list that opens under a control
// (a selection field, say), highlights the row under the pointer and runs a
// command per row. A click runs the row's command and closes the list; a
// Ctrl+click runs it and keeps the list open; Escape, a lost focus or a
// click in another program window closes it. The owner fills it between
// initialize and show. Process-wide; user-interface thread only.
#include "platform/gtk/Messages.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

namespace Platform {
class PopupList;
}

namespace Window {

class ListBox {
public:
    // Makes the window on first use, then closes and empties the list.
    static void initialize();
    // Adds a row (translated through the menu table) and its command; the
    // row's index. current: the row stands for the current value.
    static int addRow(const std::wstring& text, std::function<void()> command, bool current = false);
    // Opens the list at (x, y) of the parent's client area, width wide and
    // yOffset lower, above the point when it would pass the screen's
    // bottom. Nothing while the list is open.
    static void show(Platform::WindowHandle parent, int x, int y, int width, int yOffset, const void* owner);
    static void close();
    static void runSelected();
    // Moves the selection by delta rows and runs the new row's command.
    static void moveSelection(int delta);
    static LRESULT wndProc(UINT message, WPARAM wParam, LPARAM lParam);

    static bool open;
    static const void* owner;
    static std::unordered_map<int, std::function<void()>> commands;
    static int currentIndex;
    static std::unique_ptr<Platform::PopupList> list;

    // Call points: the client-to-screen conversion, the height of the main
    // window, the screen's bottom edge, and the user-interface font. Empty:
    // the toolkit's answers.
    struct Hooks {
        std::function<Platform::POINT(Platform::WindowHandle, Platform::POINT)> clientToScreen;
        std::function<int()> mainWindowHeight;
        std::function<int()> screenBottom;
        std::string font;
    };
    static Hooks hooks;
};

}  // namespace Window
