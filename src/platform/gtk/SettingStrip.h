#pragma once
// The extra strip an output writer adds to the save dialog: a one-line text,
// right-aligned and cut with an ellipsis, and a push button beside it. The
// widgets belong to the container the chooser hands over; the strip only
// keeps pointers to them and must be dropped when the dialog goes.
// User-interface thread only.
#include <functional>
#include <string>

typedef struct _GtkWidget GtkWidget;

namespace Platform {

class SettingStrip {
public:
    // container: a GtkContainer; clicked runs when the button is pressed.
    SettingStrip(void* container, const std::wstring& text, const std::wstring& buttonText,
                 std::function<void()> clicked);
    ~SettingStrip();
    SettingStrip(const SettingStrip&) = delete;
    SettingStrip& operator=(const SettingStrip&) = delete;

    void setText(const std::wstring& text);

private:
    GtkWidget* label_ = nullptr;
    GtkWidget* button_ = nullptr;
    unsigned long handler_ = 0;
    std::function<void()> clicked_;
};

}  // namespace Platform
