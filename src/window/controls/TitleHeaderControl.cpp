#include "window/controls/TitleHeaderControl.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "media/draw/TextLayout.h"
#include "window/WindowService.h"
#include "window/controls/ControlPaint.h"

#include <cmath>

namespace Control {

namespace {

// A panel is hosted by a floating window when its owner's window is not
// the main window.
bool hostedByFloatingWindow(const Window::WindowControlOwner& owner) {
    const Window::WindowService* service = System::Singleton<Window::WindowService>::getInstance();
    return service && owner.hostWindow && owner.hostWindow != service->mainWindow;
}

int ceilOf(float value) { return static_cast<int>(std::ceil(value)); }

}  // namespace

TitleHeaderControl::TitleHeaderControl(Window::WindowControlOwner& owner, std::wstring title)
    : WindowControlRenderTarget(owner, 0, 0, 0, Setting::TitleHeaderHeight + 2),
      title(std::move(title)),
      floating(hostedByFloatingWindow(owner)) {
    WindowMouse::detach();
    if (floating) {
        visible = false;
        updateLayout();
    }
}

void TitleHeaderControl::updateLayout() {
    if (!floating) {
        WindowControlRenderTarget::updateLayout();
        return;
    }
    const Window::Rect& s = *source;
    setRect(s.x, s.y, s.x, s.y);
}

void TitleHeaderControl::procPaint() {
    PaintScope scope(*this);
    if (scope.empty() || !fontList) return;
    Brushes& brushes = scope.brushes();
    const int band = Setting::TitleHeaderHeight;
    fillRectangle(0, 0, scope.width(), band, brushes[Brushes::TitleHeader]);
    fillRectangle(0, band, scope.width(), scope.height(), brushes[Brushes::Background]);
    Platform::Cairo::TextFormat* format = (*fontList)[Resource::TextFormatList::ControlSmall].get();
    const Platform::Cairo::Brush& text = brushes[Brushes::Text];
    Resource::TextLayout titleLayout(format, Translate::TranslateService::translateMenu(title));
    const Platform::Cairo::TextMetrics titleMetrics = titleLayout.getMetrics();
    drawTextLayout(3, static_cast<float>((band - ceilOf(titleMetrics.height)) / 2 + 1), *titleLayout.get(), text,
                   true);
    if (subtitle.empty()) return;
    Resource::TextLayout subtitleLayout(format, subtitle);
    const Platform::Cairo::TextMetrics subtitleMetrics = subtitleLayout.getMetrics();
    drawTextLayout(static_cast<float>(ceilOf(titleMetrics.width) + 9),
                   static_cast<float>((band - ceilOf(subtitleMetrics.height)) / 2 + 1), *subtitleLayout.get(), text,
                   true);
}

}  // namespace Control
