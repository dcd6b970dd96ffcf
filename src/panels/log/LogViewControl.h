#pragma once
// The lines of the log window: the newest lines of the logger's view ring
// that fit, newest at the bottom, each in its level's colour. The ring is
// read on every paint; a 200 ms timer, running only while the view has an
// area, watches the ring's change count and brings the view back to the
// newest line when lines arrive (not during playback).
// User-interface thread only.
#include "core/base/Log.h"
#include "media/draw/TextFormatList.h"
#include "window/Timer.h"
#include "window/WindowControlRenderTarget.h"

#include <functional>
#include <string>
#include <vector>

namespace System {
class Logger;
}

namespace Component {

class LogViewControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    struct Line {
        const System::Log::Type* type;
        std::string text;
    };

    // Placed in the owner by the layout numbers; takes no input (the panel
    // gets the presses, the wheel and the menu). logger may be null.
    LogViewControl(Window::WindowControlOwner& owner, System::Logger* logger, int left, int top, int right,
                   int bottom);
    ~LogViewControl() override;

    void procPaint() override;
    void procMove() override;
    // The ring entries in view, newest first; stores the ring's size.
    void fetchLines();
    // Lambda operator names shortened to "<lambda>", as wide text.
    static std::wstring makeDisplayText(const std::string& text);
    void onTimer();

    System::Logger* const logger;
    int scrollOffset = 0;
    int visibleLineCount = 1;
    int ringSize = 0;
    int lineHeight = 1;
    int lastSerial = 0;
    bool armed = false;
    std::vector<Line> lines;
    System::Timer timer;
    // The panel clamps its scroll range and repaints.
    std::function<void()> onRingChanged;
};

}  // namespace Component
