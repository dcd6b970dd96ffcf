#pragma once
// One keyboard shortcut: a command's unique name, the key bound to it, its
// default key and what it runs (a menu item of the bar, or an action of its
// own). Key codes: the virtual key in bits 0-11, Alt 0x1000, Shift 0x2000,
// Ctrl 0x4000; 0 is no key.
#include "core/file/IniFile.h"
#include "platform/gtk/Menu.h"

#include <functional>
#include <string>

namespace Window {

struct Shortcut {
    static constexpr int Alt = 0x1000;
    static constexpr int Shift = 0x2000;
    static constexpr int Ctrl = 0x4000;
    static constexpr int KeyMask = 0x0FFF;

    std::wstring name;
    int code = 0;
    int defaultCode = 0;
    // Run when the entry has no menu item.
    std::function<void()> action;
    Platform::MenuHandle menu = nullptr;
    int commandId = 0;

    // "Ctrl+", "Shift+", "Alt+" as held, then the key's name; empty for 0.
    // A key without a name gives the empty text and a WARN line.
    static std::wstring getCodeName(int code);
    // Adds or replaces key names from a "KeyCode" section: each key a
    // decimal virtual-key code (masked to 12 bits), each non-empty value
    // its name. Keys that are not decimal numbers are skipped.
    static void applyKeyNames(const System::IniFile::SectionRef& section);
};

}  // namespace Window
