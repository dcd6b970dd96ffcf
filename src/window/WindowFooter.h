#pragma once
// The bar at the bottom of the main window: a left and a right status text,
// and the progress display of long operations, which takes the left text's
// place while its message is not empty. Setters ask the window to repaint
// the bar; the window's paint draws it. User-interface thread only.
#include "platform/gtk/Messages.h"

#include <string>

typedef struct _cairo cairo_t;

namespace Window {

class WindowFooter {
public:
    explicit WindowFooter(Platform::WindowHandle window);

    // Null keeps a text.
    void setText(const wchar_t* left, const wchar_t* right);
    // An empty message ends the progress display; detail may be null.
    void setProgress(const wchar_t* message, const wchar_t* detail, float fraction);
    // Asks the window to repaint the bar.
    void draw();
    // Draws the bar into its rectangle of the window's frame.
    void paint(cairo_t* cr) const;

    // The bar's place in the window's client area, set by the window's layout.
    void setRect(const Platform::RECT& rect) { rect_ = rect; }
    const Platform::RECT& rect() const { return rect_; }

    const std::wstring& leftText() const { return leftText_; }
    const std::wstring& rightText() const { return rightText_; }
    const std::wstring& progressText() const { return progressText_; }
    float progress() const { return progress_; }

private:
    Platform::WindowHandle window_;
    Platform::RECT rect_;
    std::wstring leftText_;
    std::wstring rightText_;
    std::wstring progressText_;
    float progress_ = 0.0f;
};

}  // namespace Window
