#include "panels/preview/TimeCounterControl.h"

#include "core/text/StringUtility.h"
#include "edit/service/EditService.h"
#include "media/draw/TextLayout.h"
#include "window/controls/ControlPaint.h"

#include <cmath>

namespace Component {

TimeCounterControl::TimeCounterControl(Window::WindowControl& parent, int left, int top, int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom) {
    WindowMouse::detach();
}

std::wstring TimeCounterControl::counterText(int frame, int rate, int scale) {
    wchar_t text[16];
    const double seconds = rate != 0 ? static_cast<double>(frame) * scale / rate : 0.0;
    System::String::formatTimePrecise(text, seconds);
    return text;
}

std::wstring TimeCounterControl::currentText() const {
    if (!editService || !editService->getCurrentScene()) return counterText(0, 30, 1);
    const Edit::Scene& scene = *editService->getCurrentScene();
    const int frame = scene.playing ? scene.playingFrame : scene.cursorFrame;
    return counterText(frame, scene.videoRate, scene.videoScale);
}

int TimeCounterControl::counterWidth() {
    struct Fonts : Resource::FontResource {
        Resource::TextFormatList* list() const { return fontList; }
    } fonts;
    if (!fonts.list()) return 2;
    Resource::TextLayout layout((*fonts.list())[Resource::TextFormatList::PreviewTime].get(), L"00:00:00.00");
    return static_cast<int>(std::ceil(layout.getMetrics().width)) + 2;
}

void TimeCounterControl::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    fill(scope.brushes()[Control::Brushes::Background]);
    if (!fontList) return;
    Resource::TextLayout layout((*fontList)[Resource::TextFormatList::PreviewTime].get(), currentText());
    const Platform::Cairo::TextMetrics metrics = layout.getMetrics();
    const int x = (scope.width() - static_cast<int>(std::ceil(metrics.width))) / 2;
    const int y = (scope.height() - static_cast<int>(std::ceil(metrics.height))) / 2;
    drawTextLayout(static_cast<float>(x), static_cast<float>(y), *layout.get(),
                   scope.brushes()[Control::Brushes::Text], true);
}

}  // namespace Component
