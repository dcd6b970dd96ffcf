#include "window/Shortcut.h"

#include "core/base/Log.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <unordered_map>

namespace Window {

namespace {

using KeyNames = std::unordered_map<int, std::wstring>;

KeyNames builtinKeyNames() {
    KeyNames names;
    names[0] = L"";
    for (int c = 'A'; c <= 'Z'; ++c) names[c] = std::wstring(1, static_cast<wchar_t>(c));
    for (int c = '0'; c <= '9'; ++c) names[c] = std::wstring(1, static_cast<wchar_t>(c));
    names[8] = L"BackSpace";
    names[9] = L"Tab";
    names[13] = L"Enter";
    names[32] = L"Space";
    names[45] = L"Insert";
    names[46] = L"Delete";
    names[36] = L"Home";
    names[35] = L"End";
    names[33] = L"PageUp";
    names[34] = L"PageDown";
    names[38] = L"\u2191";
    names[40] = L"\u2193";
    names[37] = L"\u2190";
    names[39] = L"\u2192";
    for (int n = 0; n <= 9; ++n) names[96 + n] = std::to_wstring(n) + L" (NumPad)";
    names[111] = L"/ (NumPad)";
    names[106] = L"* (NumPad)";
    names[109] = L"- (NumPad)";
    names[107] = L"+ (NumPad)";
    names[110] = L". (NumPad)";
    for (int n = 1; n <= 12; ++n) names[111 + n] = L"F" + std::to_wstring(n);
    return names;
}

// The table is filled at start-up on the user-interface thread.
KeyNames& keyNames() {
    static KeyNames names = builtinKeyNames();
    return names;
}

}  // namespace

std::wstring Shortcut::getCodeName(int code) {
    const auto found = keyNames().find(code & KeyMask);
    if (found == keyNames().end()) {
        System::Log::warn("Window::Shortcut::getCodeName", "invalid shortcut key code. %08x",
                          static_cast<unsigned>(code));
        return L"";
    }
    std::wstring name;
    if (code & Ctrl) name += L"Ctrl+";
    if (code & Shift) name += L"Shift+";
    if (code & Alt) name += L"Alt+";
    return name + found->second;
}

void Shortcut::applyKeyNames(const System::IniFile::SectionRef& section) {
    for (const auto& [key, value] : section) {
        const std::wstring name = value.toString(L"");
        if (name.empty() || key.empty()) continue;
        errno = 0;
        char* end = nullptr;
        const long number = std::strtol(key.c_str(), &end, 10);
        if (*end != '\0' || errno == ERANGE || number < INT32_MIN || number > INT32_MAX) continue;
        keyNames()[static_cast<int>(number) & KeyMask] = name;
    }
}

}  // namespace Window
