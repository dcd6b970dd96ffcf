#include "core/Clipboard.h"

#include "core/Exception.h"
#include "core/StringConvert.h"
#include "dialogs/MessageBox.h"
#include "platform/gtk/SystemClipboard.h"
#include "platform/gtk/Toolkit.h"

#include <cerrno>

namespace System {

Clipboard::Clipboard() {
    if (!Platform::toolkitReady()) throw makeErrnoException("OpenClipboard", "System::Clipboard::Clipboard", ENXIO);
}

bool Clipboard::getText(std::wstring& out) {
    constexpr const char* place = "System::Clipboard::getText";
    try {
        if (!Platform::clipboardHasText()) return false;
        Clipboard scope;
        std::string text;
        if (!Platform::getClipboardText(text)) throw makeLastErrorException("GetClipboardData", place);
        out = String::toWide(text);
        return true;
    } catch (const std::exception&) {
        // Logged by the builder; a paste simply finds nothing.
        return false;
    }
}

bool Clipboard::setText(const wchar_t* text) {
    try {
        Clipboard scope;
        if (!Platform::setClipboardText(String::toUtf8(text ? text : L"")))
            throw makeLastErrorException("SetClipboardData", "System::Clipboard::setText");
        return true;
    } catch (const std::exception& e) {
        Dialog::showException(e);
        return false;
    }
}

}  // namespace System
