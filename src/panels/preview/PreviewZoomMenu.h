#pragma once
// The preview's zoom choices: the "PreviewZoom" list of system.conf
// ("Config"), each a percentage or 0 for fitting the picture to the window,
// as radio items that store the chosen value. Used by the preview's
// context menu, the zoom button's menu and the View menu.
#include "core/file/IniFile.h"
#include "window/WindowMenuEntry.h"

#include <functional>
#include <vector>

namespace Component {

// The listed values in order, negative and empty pieces left out; a piece
// that is not a number raises the ini value error.
std::vector<int> parseZoomList(const System::IniFile::VALUE& value);
// The list of the program's system.conf (empty without a setting service).
std::vector<int> previewZoomList();

// "WindowSize" for 0, else "150%"; translated as a menu text.
std::wstring zoomLabel(int zoom);

// One radio item per value, checked when it equals current; choosing one
// calls choose with its value.
void appendZoomItems(Window::MenuEntries& menu, const std::vector<int>& values, int current,
                     const std::function<void(int)>& choose);

}  // namespace Component
