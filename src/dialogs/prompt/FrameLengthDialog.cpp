#include "dialogs/prompt/FrameLengthDialog.h"

#include "core/text/FormatDouble.h"
#include "core/text/StringConvert.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cwchar>

namespace Dialog {

namespace {

constexpr int kMostFrames = 2000000000;

std::wstring trimmedText(const DialogItem* row) {
    if (!row || !row->window) return {};
    const std::wstring text = System::String::toWide(Platform::DialogWindow::getText(row->window));
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

void setRowText(DialogItem* row, const std::wstring& text) {
    if (row && row->window) Platform::DialogWindow::setText(row->window, System::String::toUtf8(text));
}

}  // namespace

bool FrameLengthDialog::show(const std::wstring& title, int rate, int scale, int& frames) {
    FrameLengthDialog dialog(title);
    dialog.rate = rate;
    dialog.scale = scale;
    const double mostSeconds = static_cast<double>(kMostFrames) * scale / rate;
    dialog.secondsRow = &dialog.addItem<DialogItemNumber>(L"秒数指定", 0.0, 0.0, mostSeconds);
    dialog.framesRow = &dialog.addItem<DialogItemInteger>(L"フレーム数指定", frames, 0, kMostFrames);
    dialog.buttonMode = ButtonMode::Never;
    if (!dialog.create()) return false;
    frames = dialog.framesRow->value;
    return true;
}

bool FrameLengthDialog::procMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message == Platform::WM_COMMAND && Platform::HIWORD(static_cast<LPARAM>(wParam)) == Platform::EN_UPDATE)
        syncRows();
    return false;
}

void FrameLengthDialog::syncRows() {
    const std::wstring frames = trimmedText(framesRow);
    const bool framesChanged = frames != framesText;
    framesText = frames;
    const std::wstring seconds = trimmedText(secondsRow);
    const bool secondsChanged = seconds != secondsText;
    secondsText = seconds;
    if (framesChanged) {
        const wchar_t* begin = frames.c_str();
        wchar_t* end = nullptr;
        errno = 0;
        const long number = std::wcstol(begin, &end, 10);
        if (end == begin || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
            secondsText.clear();
        } else {
            secondsText = System::formatDouble(static_cast<double>(scale) * static_cast<double>(number) / rate);
        }
        setRowText(secondsRow, secondsText);
    } else if (secondsChanged) {
        const wchar_t* begin = seconds.c_str();
        wchar_t* end = nullptr;
        const double number = std::wcstod(begin, &end);
        const double count = std::round(static_cast<double>(rate) * number / scale);
        if (end == begin || !std::isfinite(count) || count < INT_MIN || count > INT_MAX) {
            framesText.clear();
        } else {
            framesText = std::to_wstring(static_cast<long long>(count));
        }
        setRowText(framesRow, framesText);
    }
}

}  // namespace Dialog
