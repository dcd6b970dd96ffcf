#pragma once
// The bar at the bottom of the main window: a left and a right status text,
// and the progress display of long operations, which takes the left text's
// place while its message is not empty. It draws through the main window's
// drawing target in the style's colours and its "Footer" font; setters
// draw it at once. User-interface thread only.
#include "media/draw/RenderTarget.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextFormatList.h"
#include "platform/gtk/Messages.h"

#include <string>

namespace Window {

class WindowFooter : public Media::RenderTarget, public Resource::FontResource {
public:
    explicit WindowFooter(Media::RenderTargetWindow& window);

    // Null keeps a text.
    void setText(const wchar_t* left, const wchar_t* right);
    // An empty message ends the progress display; detail may be null.
    void setProgress(const wchar_t* message, const wchar_t* detail, float fraction);
    // Draws the bar into its rectangle of the window; failures are logged
    // by their exception and otherwise ignored.
    void draw();

    // The bar's place in the window's client area, set by the window's layout.
    void setRect(const Platform::RECT& rect) { rect_ = rect; }
    const Platform::RECT& rect() const { return rect_; }

    const std::wstring& leftText() const { return leftText_; }
    const std::wstring& rightText() const { return rightText_; }
    const std::wstring& progressText() const { return progressText_; }
    float progress() const { return progress_; }

private:
    void paint();

    Media::RenderTargetWindow& window_;
    Platform::RECT rect_;
    std::wstring leftText_;
    std::wstring rightText_;
    std::wstring progressText_;
    float progress_ = 0.0f;
};

}  // namespace Window
