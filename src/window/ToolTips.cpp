#include "window/ToolTips.h"

#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/Screen.h"
#include "platform/gtk/TipWindow.h"
#include "window/Timer.h"

namespace Window {

bool ToolTips::shown = false;
int ToolTips::duration = 0;
std::wstring ToolTips::text;

namespace {

std::unique_ptr<Platform::TipWindow> tipWindow;
std::unique_ptr<System::Timer> hideTimer;
int endListenerKey = 0;

// At most capacity - 1 UTF-16 units, the cut never leaving half a pair.
std::wstring cutToUnits(const std::wstring& text, std::size_t units) {
    std::size_t used = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const std::size_t size = static_cast<std::uint32_t>(text[i]) > 0xFFFF ? 2 : 1;
        if (used + size > units) break;
        used += size;
    }
    return text.substr(0, i);
}

}  // namespace

Platform::TipWindow* ToolTips::window() { return tipWindow.get(); }

void ToolTips::initialize() {
    tipWindow = std::make_unique<Platform::TipWindow>(Platform::TipWindow::Style::Tooltip, nullptr);
    hideTimer = std::make_unique<System::Timer>();
    hide();
    if (auto* events = System::Singleton<Event::EventService>::getInstance())
        events->applicationEnd.add(&endListenerKey, [] {
            hide();
            hideTimer.reset();
            tipWindow.reset();
        });
}

void ToolTips::show(Platform::POINT point, const std::wstring& newText, int newDuration) {
    if (!tipWindow) initialize();
    if (newDuration != 0) {
        duration = newDuration;
        if (newDuration > 0)
            hideTimer->set(newDuration, [] {
                hideTimer->clear();
                if (shown && duration != 0) hide();
            });
    } else if (duration != 0) {
        duration = 0;
        hideTimer->clear();
    }
    const std::wstring shownText = cutToUnits(
        Translate::TranslateService::translate(Translate::TranslateService::Table::Message, newText.c_str()),
        TextCapacity - 1);
    if (shownText != text) {
        text = shownText;
        tipWindow->setText(L"", text);
    }
    tipWindow->moveTo(point.x, point.y);
    if (!shown) {
        shown = true;
        tipWindow->show();
    }
    const Platform::RECT rect = tipWindow->screenRect();
    const int screenRight = Platform::virtualScreenRect().right;
    if (rect.right > screenRight) tipWindow->moveTo(point.x - (rect.right - screenRight), point.y);
}

void ToolTips::hide() {
    if (!shown) return;
    shown = false;
    duration = 0;
    if (hideTimer) hideTimer->clear();
    if (tipWindow) tipWindow->hide();
}

void ToolTips::hideOnMouseMove() {
    if (shown && duration < 0) hide();
}

void ToolTips::showAtCursor(const std::wstring& newText, int newDuration) {
    Platform::POINT point = Platform::pointerPosition();
    point.y += Platform::cursorHeight();
    show(point, newText, newDuration);
}

void ToolTips::showMessage(const Platform::RECT& field, const std::wstring& message, const std::wstring& detail) {
    const std::wstring translated =
        Translate::TranslateService::translate(Translate::TranslateService::Table::Message, message.c_str());
    show({field.left, field.bottom + 1}, translated + L" " + detail, 3000);
}

}  // namespace Window
