#pragma once
// The toolkit's file chooser for opening an existing file or naming a save
// target, run modally (the caller holds the program's modal scope). The save
// form can carry an extra area below the file list, where an output writer
// puts its own controls. User-interface thread only.
#include "platform/gtk/Messages.h"

#include <functional>
#include <string>
#include <vector>

namespace Platform {

struct FileChooserFilter {
    std::string name;
    // Shell patterns ("*.mvp2"), matched without regard to case; "*.*"
    // matches every file.
    std::vector<std::string> patterns;
};

struct FileChooserOptions {
    bool save = false;
    WindowHandle owner = nullptr;
    // Empty: the toolkit's own title.
    std::string title;
    // UTF-8: the folder shown and the name proposed.
    std::string path;
    std::vector<FileChooserFilter> filters;
    // 1-based entry of filters shown first; 0: the first.
    int filterIndex = 0;
    // Without a dot; a chosen name without an extension gets it.
    std::string defaultExtension;
    // Ask before a chosen file that exists is replaced.
    bool overwritePrompt = false;

    // The extra area (a GtkContainer), the chooser, its accept button and
    // that button's PangoFontDescription; called once before the chooser
    // shows. Without it there is no extra area.
    std::function<void(void* area, void* dialog, void* okButton, void* font)> onInit;
    // The chooser changed size.
    std::function<void()> onSize;
    // Before the area goes.
    std::function<void()> onDestroy;
};

enum class FileChooserResult { Accepted, Cancelled, InvalidName };

// Accepted: chosen holds the UTF-8 path. InvalidName: the proposed name
// cannot be a file name here (a control character, or longer than a file
// name may be); nothing was shown.
FileChooserResult runFileChooser(const FileChooserOptions& options, std::string& chosen);

// Whether the last path component could be offered as a file name.
bool isValidChooserName(const std::string& path);

}  // namespace Platform
