#pragma once
// The system message box over GtkMessageDialog. With an owner the box is
// modal to that window; without one it stands alone and modal to the
// program (MB_TASKMODAL). Without a display the text goes to the standard
// error stream, so a failure at start-up is never silent, and 0 is returned.
// User-interface thread only.
#include "platform/gtk/Messages.h"

#include <string>

namespace Platform {

inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr UINT MB_ICONERROR = 0x0010;
inline constexpr UINT MB_ICONWARNING = 0x0030;
inline constexpr UINT MB_ICONINFORMATION = 0x0040;
inline constexpr UINT MB_TASKMODAL = 0x2000;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Returns IDOK or IDCANCEL (closing an OK-only box answers IDOK), 0 when no
// box could be shown. Text and caption are UTF-8.
int messageBox(WindowHandle owner, const std::string& text, const std::string& caption,
               UINT flags);

}  // namespace Platform
