#pragma once
// The drawn form of a panel: a window client whose drawing target is bound
// to the window that hosts it (its floating window, or the main window),
// sharing that window's back buffer, nesting and style resources. The
// binding never changes: a panel that moves between windows is rebuilt.
#include "media/draw/RenderTarget.h"
#include "window/WindowClient.h"

namespace Window {

class WindowClientRenderTarget : public WindowClient, public Media::RenderTarget {
public:
    WindowClientRenderTarget(const wchar_t* title, std::string section, const WindowClientLayout* layout, int kind);
};

}  // namespace Window
