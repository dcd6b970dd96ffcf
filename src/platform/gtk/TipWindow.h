#pragma once
// A small borderless popup window of ours that shows text, drawn with Cairo
// and Pango: the tracking tooltip (pale box, lines break only at line
// feeds) and the notification balloon (a title line over the message, at
// the bottom-right corner of the screen). Its size follows the text at
// once, so its rectangle is known before it is mapped. It takes no input.
// User-interface thread only.
#include "platform/gtk/Messages.h"

#include <string>

typedef struct _GtkWidget GtkWidget;

namespace Platform {

class TipWindow {
public:
    enum class Style { Tooltip, Balloon };

    TipWindow(Style style, WindowHandle owner);
    ~TipWindow();
    TipWindow(const TipWindow&) = delete;
    TipWindow& operator=(const TipWindow&) = delete;

    // The title is drawn only by the balloon.
    void setText(const std::wstring& title, const std::wstring& text);
    void moveTo(int x, int y);
    void show();
    void hide();
    bool visible() const;
    // The window on the screen, in pixels.
    RECT screenRect() const;

    GtkWidget* toolkitWindow() const { return window_; }
    // What is drawn, in UTF-8.
    const std::string& shownTitle() const { return title_; }
    const std::string& shownText() const { return text_; }

private:
    struct Callbacks;
    void layout();

    Style style_;
    GtkWidget* window_ = nullptr;
    std::string title_;
    std::string text_;
    int x_ = 0;
    int y_ = 0;
    int width_ = 1;
    int height_ = 1;
};

}  // namespace Platform
