#pragma once
// The control-point presets of the time-control window: the menu of the
// movement parameter presets (nested by their labels) and the making of a
// new preset from the current curve, written as "%Default%\<name>.params".
// User-interface thread only.
#include "window/WindowMenu.h"

#include <functional>
#include <string>
#include <vector>

namespace Component {

struct TimeControlPresetCalls {
    // The name-and-label dialog (filled by the dialog layer): true with name
    // and label replaced on OK. Empty: cancelled.
    static inline std::function<bool(const std::wstring& title, const std::wstring& nameLabel, std::wstring& name,
                                     std::wstring& label, const std::vector<std::wstring>& labels)>
        inputNameLabel;
};

// Every shown preset in its label's submenu, each applying its values;
// false when none is shown.
bool appendPresetItems(Window::BaseMenu& menu, const std::function<void(const std::vector<double>&)>& apply);

// Asks for a name and a label until a new name is given, a replacement is
// confirmed or the dialog is cancelled; writes the values and reloads the
// presets with the chosen label. A failed write shows an error box.
void createTimeControlPreset(const std::vector<double>& values);

}  // namespace Component
