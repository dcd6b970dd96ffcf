#pragma once
// The keyboard shortcuts of the program: one entry per command of the menu
// bar (and per action registered without a menu item), the user's keys
// saved in %AppData%/keyboard.ini, the key names written into the menu
// item texts, and the dispatch of keys pressed while no control holds the
// keyboard focus. Created at start-up before the menus are built; the
// shortcut dialog edits the entries' codes and calls save.
//
// keyboard.ini holds sections [shortcut.0], [shortcut.1], ... without gaps,
// each with "name" and "code"; only entries whose key differs from their
// default are written. Reading stops at the first missing section; a
// damaged section (no name or code, a code that is not an integer) stops
// it too, with a WARN line, and what was read before it is kept.
//
// A process-wide service (System::Singleton). User-interface thread only.
#include "window/Shortcut.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Window {

class ShortcutService {
public:
    // Applies the "KeyCode" section of system.conf to the key names (when
    // the setting service exists), then load.
    ShortcutService();
    ShortcutService(const ShortcutService&) = delete;
    ShortcutService& operator=(const ShortcutService&) = delete;

    static std::wstring getPath();
    void load();
    // Rewrites keyboard.ini atomically; a failure is only logged.
    void save();
    // The saved key wins over an earlier entry's default; a default already
    // held by an earlier entry leaves this one without a key. A menu item
    // shows its key name after a TAB.
    void registerShortcut(const std::wstring& name, int defaultCode, std::function<void()> action,
                          Platform::MenuHandle menu, int commandId);
    // The first entry holding the code; null for 0 or none.
    Shortcut* findEntry(int code);
    // Runs the command of the key with the held modifiers; a key with
    // Ctrl or Shift and no entry falls back to the key without them (Alt
    // kept). Refused (false) while an undo group is open. True when a
    // command ran.
    bool dispatchKey(int virtualKey);
    // The default key of the entry holding the key with the held modifiers;
    // 0 when none.
    int getDefaultCode(int virtualKey);
    void removeShortcuts(const std::function<bool(const Shortcut&)>& predicate);
    // The key with the modifiers held now.
    int codeWithModifiers(int virtualKey) const;

    std::vector<Shortcut> shortcuts;
    std::unordered_map<std::wstring, int> savedCodes;

    // Call points of the services around; empty = nobody.
    struct Hooks {
        // Whether a virtual key (Ctrl 17, Shift 16, Alt 18) is held.
        std::function<bool(int virtualKey)> keyDown;
        // A running press or drag of the mouse is cut off.
        std::function<void()> interruptMouse;
        // Runs a command of the menu bar.
        std::function<void(int commandId)> executeMenuCommand;
    } hooks;
};

}  // namespace Window
