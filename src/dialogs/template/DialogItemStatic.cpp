#include "dialogs/template/DialogItemStatic.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"

#include <algorithm>
#include <cmath>

namespace Dialog {

namespace {

int scaledIconSize() {
    const auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    const double scale = settings ? settings->dpiScale : 1.0;
    return static_cast<int>(std::lround(32.0 * scale));
}

}  // namespace

DialogItemStatic::DialogItemStatic(std::wstring text) : text(std::move(text)), iconSize(scaledIconSize()) {}

void DialogItemStatic::measure(Platform::DialogWindow& owner) {
    const Platform::TextSize size = owner.measureText(System::String::toUtf8(text), bold);
    width = size.width;
    height = size.height + (border ? 8 : 0);
    if (!icon.empty()) {
        width += iconSize + 8;
        height = std::max(height, iconSize);
    }
}

void DialogItemStatic::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    if (!icon.empty()) {
        owner.createIcon({x, y, x + iconSize, y + iconSize}, icon);
        x += iconSize + 8;
        w -= iconSize + 8;
        h = std::max(h, iconSize);
    }
    dialog = &owner;
    window = owner.createStatic({x, y, x + std::max(0, w), y + h}, translateDialogText(text), bold, border);
}

void DialogItemConfirmButton::measure(Platform::DialogWindow& owner) {
    declineWidth = owner.measureText(translateDialogText(declineText), true).width + 32;
    const Platform::TextSize accept = owner.measureText(translateDialogText(acceptText), true);
    width = accept.width + 2 * declineWidth + 32;
    height = accept.height + 16;
}

void DialogItemConfirmButton::create(Platform::DialogWindow& owner, int x, int y, int w, int h) {
    dialog = &owner;
    window = owner.createButton(6, {x, y, x + std::max(0, w - 2 * declineWidth), y + h},
                                translateDialogText(acceptText), true);
    owner.createButton(Platform::IDCANCEL, {x + w - declineWidth, y, x + w, y + h}, translateDialogText(declineText),
                       true);
}

}  // namespace Dialog
