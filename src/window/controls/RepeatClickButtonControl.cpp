#include "window/controls/RepeatClickButtonControl.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "platform/gtk/SystemParameters.h"

namespace Control {

RepeatClickButtonControl::RepeatClickButtonControl(Window::WindowControlOwner& owner, int left, int top, int right,
                                                   int bottom, const IconShape& icon)
    : IconButtonControl(owner, left, top, right, bottom) {
    this->icon = &icon;
    useRepeatTimer();
}

RepeatClickButtonControl::RepeatClickButtonControl(Window::WindowControl& parent, int left, int top, int right,
                                                   int bottom, const IconShape& icon)
    : IconButtonControl(parent, left, top, right, bottom) {
    this->icon = &icon;
    useRepeatTimer();
}

void RepeatClickButtonControl::useRepeatTimer() {
    setTimer = [this](int elapse, std::function<void()> callback) { repeatTimer.set(elapse, std::move(callback)); };
    clearTimer = [this] { repeatTimer.clear(); };
}

int RepeatClickButtonControl::repeatDelay() {
    const Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance();
    return settings && settings->keyRepeatDelay > 0
               ? settings->keyRepeatDelay
               : Setting::keyRepeatDelayFromSetting(Setting::SystemParameters{}.keyboardDelay);
}

int RepeatClickButtonControl::repeatInterval() {
    const Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance();
    return settings && settings->keyRepeatInterval > 0
               ? settings->keyRepeatInterval
               : Setting::keyRepeatIntervalFromSetting(Setting::SystemParameters{}.keyboardSpeed);
}

void RepeatClickButtonControl::procLButtonDown(int, int) {
    if (onPress) onPress(*this);
    takePressAsClick();
    procPaint();
    // The click may rebuild the panel: whatever follows must find the
    // button still attached.
    click();
    if (!attached()) return;
    firstTick_ = true;
    setTimer(repeatDelay(), [this] { tick(); });
}

void RepeatClickButtonControl::tick() {
    if (firstTick_) {
        firstTick_ = false;
        setTimer(repeatInterval(), [this] { tick(); });
    }
    click();
    if (!attached()) clearTimer();
}

void RepeatClickButtonControl::procCaptureLost() {
    clearTimer();
    procPaint();
    if (onRelease) onRelease(*this);
}

}  // namespace Control
