#pragma once
// Switching the language while the program runs, from the language
// dialog. User-interface thread only.
#include "core/translate/TranslateService.h"

#include <string>

namespace Translate {

// Switches to the named language (empty: the built-in texts). A file that
// cannot be read raises its error and leaves the language and the texts
// in force as they were.
void switchLanguage(TranslateService& service, const std::wstring& name);
// Rebuilds the menus and lays the windows out in the texts in force.
void refreshWindows(TranslateService& service);

}  // namespace Translate
