#pragma once
// A modal dialog box built in memory over GTK: a GtkDialog whose content is
// one fixed-position area, so every control sits exactly where the caller's
// layout puts it (client pixels). Controls are GTK widgets and report to
// the owner as Win32-shaped commands:
//   entry text changed            -> (id, EN_UPDATE)
//   entry or combo lost the focus -> (id, EN_KILLFOCUS) / (id, CBN_KILLFOCUS)
//   button clicked                -> (id, BN_CLICKED)
//   Enter in a control            -> (IDOK, 0)
//   Escape, the close box         -> (IDCANCEL, 0)
// A control may carry a key filter that sees its key and focus messages
// first (WM_KEYDOWN ... WM_SETFOCUS) and may consume them.
// Commands arrive inside guardCallback; an exception ends the modal loop
// and leaves run(). User-interface thread only.
#include "platform/gtk/InputMessages.h"
#include "platform/gtk/MessageBox.h"
#include "platform/gtk/Messages.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

typedef struct _GtkWidget GtkWidget;
typedef struct _PangoFontDescription PangoFontDescription;

namespace Platform {

inline constexpr int BN_CLICKED = 0;
inline constexpr int CBN_KILLFOCUS = 4;
inline constexpr int EN_KILLFOCUS = 0x200;
inline constexpr int EN_UPDATE = 0x400;

// Modifier bits of a key message's lParam (the key states while it is
// handled).
inline constexpr LPARAM KEY_CONTROL = 0x1;
inline constexpr LPARAM KEY_SHIFT = 0x2;
inline constexpr LPARAM KEY_ALT = 0x4;

// A control of a dialog; valid while its dialog lives.
using ControlHandle = GtkWidget*;

struct TextSize {
    int width = 0;
    int height = 0;
};

struct EditOptions {
    bool digitsOnly = false;      // typed characters other than digits are refused
    bool noInputMethod = false;   // typed keys go to the box, not to an input method
    std::string cueBanner;        // shown while the box is empty, also when focused
};

class DialogWindow {
public:
    using Command = std::function<void(int id, int code, ControlHandle control)>;
    // message: WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP, WM_SYSKEYUP (wParam the
    // virtual key, lParam the KEY_ bits), WM_SETFOCUS or WM_KILLFOCUS.
    // True consumes the message.
    using KeyFilter = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

    // The dialog is owned by owner (null: none), titled, and uses font for
    // its controls (null: the toolkit's own).
    DialogWindow(WindowHandle owner, const std::string& title, const PangoFontDescription* font,
                 const PangoFontDescription* boldFont, Command command);
    ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // Pixel size of a text in the control font.
    TextSize measureText(const std::string& text, bool bold = false) const;

    // Client size, and the window's top-left corner in screen pixels.
    void place(int x, int y, int width, int height);
    // The owner's window rectangle on the screen (the screen when none).
    RECT ownerRect() const;
    // The pointer on the screen.
    static POINT cursorPosition();

    ControlHandle createEdit(int id, const RECT& rect, const std::string& text, const EditOptions& options = {});
    // editable: a drop-down with a text box of its own; otherwise a list to
    // pick from.
    ControlHandle createCombo(int id, const RECT& rect, bool editable);
    ControlHandle createStatic(const RECT& rect, const std::string& text, bool bold, bool border);
    // A named icon of the desktop theme at size x size.
    ControlHandle createIcon(const RECT& rect, const std::string& iconName);
    ControlHandle createButton(int id, const RECT& rect, const std::string& label, bool bold);
    // Puts a widget of the caller into the dialog (the list view).
    void attach(ControlHandle widget, const RECT& rect);

    static void setText(ControlHandle control, const std::string& text);
    static std::string getText(ControlHandle control);
    static void comboClear(ControlHandle combo);
    static void comboAdd(ControlHandle combo, const std::string& text);
    static void comboSelect(ControlHandle combo, int index);
    // -1 when nothing is selected.
    static int comboSelection(ControlHandle combo);
    static void move(ControlHandle control, const RECT& rect);
    static void show(ControlHandle control, bool visible);
    static void focus(ControlHandle control);
    // Gives the focus to the dialog itself: no control keeps it.
    void focusDialog();
    void setKeyFilter(ControlHandle control, KeyFilter filter);

    // The reason a value was refused, shown under the control (and as its
    // tooltip) until the control's text changes or another refusal comes.
    void showRefusal(ControlHandle control, const std::string& message, const std::string& detail);
    void hideRefusal();

    // Shows the dialog and runs its modal loop until end(); returns the end
    // code. An exception from a command ends the loop and leaves here.
    int run();
    void end(int result);
    bool ended() const { return ended_; }

    GtkWidget* widget() const { return dialog_; }

    // The virtual key of a GDK key value. The keyboard layer replaces it
    // with its full table; until then letters, digits, function keys and
    // the common control keys are known.
    static std::function<int(unsigned keyval)> virtualKeyOf;

private:
    struct Filter;
    void deliver(int id, int code, ControlHandle control);
    void connectEditSignals(GtkWidget* entry, int id, int killFocusCode);

    GtkWidget* dialog_ = nullptr;
    GtkWidget* area_ = nullptr;
    Command command_;
    PangoFontDescription* font_ = nullptr;
    PangoFontDescription* boldFont_ = nullptr;
    WindowHandle owner_ = nullptr;
    bool ended_ = false;
    std::exception_ptr failure_;
    int result_ = 0;
    int x_ = 0, y_ = 0;
    GtkWidget* refused_ = nullptr;
    GtkWidget* popover_ = nullptr;
    unsigned long refusalHandler_ = 0;
    std::vector<std::unique_ptr<Filter>> filters_;
};

}  // namespace Platform
