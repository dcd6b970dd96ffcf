#pragma once
// Window tests: an X server of the test's own (Xvfb, started and stopped by
// its pid; the server picks a free display number, so tests may run in
// parallel), and in-process helpers for tests that open program windows.
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

typedef struct _GtkWidget GtkWidget;

namespace TestSupport {

class VirtualDisplay {
public:
    // Starts Xvfb with one 1280x800 screen; throws std::runtime_error when
    // it does not come up within ten seconds.
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N".
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// Starts one display for this test process (kept to its end), points
// DISPLAY at it and opens the windowing toolkit there.
void useTestDisplay();

// A message box the program showed, as seen while it was open.
struct SeenBox {
    std::string title;
    std::string text;
    bool modal = false;
    bool owned = false;  // transient for another window
};

// Answers the program's message boxes from inside the test process: a
// GLib timeout, which runs in the box's own modal loop, records each box it
// finds, calls whileOpen, then presses the given response (OK by default).
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(int response = -5 /* GTK_RESPONSE_OK */);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<SeenBox> boxes;
    std::function<void(const SeenBox&)> whileOpen;

private:
    static int tick(void* self);
    int response_;
    unsigned source_ = 0;
};

}  // namespace TestSupport
