#pragma once
// The desktop's input and display settings that the setting service caches
// at start-up, read from the toolkit's settings (GtkSettings, the primary
// monitor, the font resolution), sysconf and the locale. Without a display
// (tests, a failed toolkit start) each value is the toolkit's default.
// User-interface thread only.
#include <cstdint>
#include <string>

namespace Setting {

struct SystemParameters {
    int keyboardDelay = 1;    // 0..3, the four steps of the repeat delay
    int keyboardSpeed = 31;   // 0..31, the repeat rate steps
    int caretBlinkTime = 0;   // ms the caret stays on (or off)
    int dragWidth = 0;        // pixels the pointer moves before a drag
    int dragHeight = 0;
    int doubleClickTime = 0;  // ms
    int screenWidth = 0;      // device pixels of the primary monitor
    int screenHeight = 0;
    int systemDpi = 96;
    std::int64_t physicalMemoryKB = -1;  // -1 when it cannot be read
};

SystemParameters querySystemParameters();

// The cached values made from the settings.
// (v × 1000 + 1000) / 4: 250, 500, 750 or 1000 ms.
int keyRepeatDelayFromSetting(int keyboardDelay);
// 1000 / (v + 2): 500 down to 30 ms.
int keyRepeatIntervalFromSetting(int keyboardSpeed);
// Metrics below 2 become 1.
int atLeastOnePixel(int value);
// The nearest setting steps for a repeat delay and interval in ms.
int keyboardDelayFromMilliseconds(int delay);
int keyboardSpeedFromMilliseconds(int interval);

// The height of the pointer's image (32 without a display): tooltips below
// the pointer start that far down.
int systemCursorHeight();

// The language of the user interface from the locale (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG), such as "ja" or "en"; "C" when unset.
std::string userInterfaceLanguage();

}  // namespace Setting
