#include "window/WindowMenuEntry.h"

namespace Window {

PopupMenuCall& popupMenuCall() {
    static PopupMenuCall call;
    return call;
}

const MenuEntry* findMenuEntry(const MenuEntries& entries, const std::wstring& text) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind != MenuEntry::Kind::Separator && entry.text == text) return &entry;
        if (const MenuEntry* found = findMenuEntry(entry.children, text)) return found;
    }
    return nullptr;
}

}  // namespace Window
