#pragma once
// The one tracking tooltip of the program: hints and validation messages of
// every control. A duration in ms hides it after that time, 0 keeps it
// until it is replaced or hidden, a negative one hides it at the next mouse
// move or click. A tooltip that would pass the right edge of the screen is
// moved left to end there. Texts go through the language's message table
// and are cut to 1023 UTF-16 units. Process-wide; user-interface thread
// only.
#include "platform/gtk/Messages.h"

#include <memory>
#include <string>

namespace Platform {
class TipWindow;
}

namespace System {
class Timer;
}

namespace Window {

class ToolTips {
public:
    static constexpr std::size_t TextCapacity = 1024;

    // The point may move left (right edge of the screen).
    static void show(Platform::POINT point, const std::wstring& text, int duration);
    static void hide();
    // For tooltips shown with a negative duration.
    static void hideOnMouseMove();
    // Below the pointer's picture.
    static void showAtCursor(const std::wstring& text, int duration);
    // A validation message of a dialog field: the translated message, a
    // space and the detail, under the field (its screen rectangle) for 3 s.
    static void showMessage(const Platform::RECT& field, const std::wstring& message, const std::wstring& detail);

    // The state, for those who look.
    static bool shown;
    static int duration;
    static std::wstring text;
    static Platform::TipWindow* window();

private:
    static void initialize();
};

}  // namespace Window
