#pragma once
// An icon button that keeps clicking while held, as a held key repeats:
// the press runs onPress and clicks, a second click follows after the
// keyboard repeat delay, then one every keyboard repeat interval until the
// press ends, which stops the repetition and runs onRelease.
#include "window/Timer.h"
#include "window/controls/IconButtonControl.h"

#include <functional>

namespace Control {

class RepeatClickButtonControl : public IconButtonControl {
public:
    RepeatClickButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom,
                             const IconShape& icon);
    RepeatClickButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom,
                             const IconShape& icon);

    void procLButtonDown(int x, int y) override;
    void procCaptureLost() override;

    // The desktop's repeat delay and interval in ms (the setting service's,
    // or the toolkit's defaults without one).
    static int repeatDelay();
    static int repeatInterval();

    std::function<void(RepeatClickButtonControl&)> onPress;
    std::function<void(RepeatClickButtonControl&)> onRelease;
    System::Timer repeatTimer;
    // How the repetition waits: by default repeatTimer. Tests run it on a
    // clock of their own.
    std::function<void(int elapse, std::function<void()> tick)> setTimer;
    std::function<void()> clearTimer;

private:
    void useRepeatTimer();
    void tick();

    bool firstTick_ = false;
};

}  // namespace Control
