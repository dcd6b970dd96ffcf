#pragma once
// The windows' side of an export: the input block, the footer's progress
// display and the progress timer's wait handle through the window service,
// the completion sound through the sound output. Installed once at start-up
// for the output service; every request finds the window service anew, so
// it does nothing before the main window exists or after it is gone.
namespace Window {

void installExportWindowHost();

}  // namespace Window
