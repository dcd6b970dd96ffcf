#include "dialogs/template/DialogItemKeyCode.h"

#include "core/text/StringConvert.h"
#include "platform/gtk/VirtualKeys.h"

namespace Dialog {

namespace {

std::wstring defaultCodeName(int code) {
    const int key = code & 0xFFF;
    std::wstring name;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) name = std::wstring(1, wchar_t(key));
    else if (key >= 0x70 && key <= 0x87) name = L"F" + std::to_wstring(key - 0x6F);
    if (name.empty()) return name;
    return std::wstring(code & 0x4000 ? L"Ctrl+" : L"") + (code & 0x2000 ? L"Shift+" : L"") +
           (code & 0x1000 ? L"Alt+" : L"") + name;
}

}  // namespace

std::function<std::wstring(int code)> DialogItemKeyCode::codeName = &defaultCodeName;

void DialogItemKeyCode::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    Platform::EditOptions options;
    options.noInputMethod = true;
    options.cueBanner = translateDialogText(L"キーを入力してください");
    dialog = &owner;
    window = owner.createEdit(0, {x, y, x + w, y + h}, "", options);
    owner.setKeyFilter(window, [this](UINT message, WPARAM wParam, LPARAM lParam) {
        return capture(message, wParam, lParam);
    });
    update();
}

void DialogItemKeyCode::update() {
    Platform::DialogWindow::setText(window, System::String::toUtf8(code && codeName ? codeName(code) : L""));
}

bool DialogItemKeyCode::capture(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case Platform::WM_SETFOCUS:
        Platform::DialogWindow::setText(window, "");
        return false;
    case Platform::WM_KILLFOCUS:
        update();
        return false;
    case Platform::WM_KEYDOWN:
    case Platform::WM_SYSKEYDOWN: {
        const int key = static_cast<int>(wParam);
        if (key == Platform::VK::SHIFT || key == Platform::VK::CONTROL || key == Platform::VK::MENU) return true;
        const int pressed = key + ((lParam & Platform::KEY_CONTROL) ? 0x4000 : 0) +
                            ((lParam & Platform::KEY_SHIFT) ? 0x2000 : 0) + ((lParam & Platform::KEY_ALT) ? 0x1000 : 0);
        code = key && codeName && !codeName(pressed).empty() ? pressed : 0;
        update();
        return true;
    }
    default:
        // Key releases and typed characters never reach the box.
        return true;
    }
}

}  // namespace Dialog
