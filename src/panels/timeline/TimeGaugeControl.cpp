#include "panels/timeline/TimeGaugeControl.h"

#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "panels/timeline/EditComponent.h"
#include "panels/timeline/TimeGaugeScale.h"
#include "media/draw/TextLayout.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"

#include <cmath>

namespace Component {

namespace {

float interfaceScale() {
    const Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance();
    return settings ? settings->dpiScale : 1.0f;
}

}  // namespace

TimeGaugeControl::TimeGaugeControl(EditComponent& panel, Window::WindowControl& parent, int left, int top, int right,
                                   int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom), panel(panel) {
    acceptsContextMenu = true;
    acceptsRightButton = true;
    acceptsWheel = true;
}

int TimeGaugeControl::targetX(int x) const {
    const Window::WindowControl* target = dynamic_cast<const Window::WindowControl*>(forwardTarget);
    return target ? x + fullRect().x - target->fullRect().x : x;
}

int TimeGaugeControl::targetY(int y) const {
    const Window::WindowControl* target = dynamic_cast<const Window::WindowControl*>(forwardTarget);
    return target ? y + fullRect().y - target->fullRect().y : y;
}

void TimeGaugeControl::procLButtonDown(int x, int y) {
    if (!forwardTarget || !service || service->pressed != this) return;
    service->pressed = forwardTarget;
    forwardTarget->procLButtonDown(targetX(x), targetY(y));
}

void TimeGaugeControl::procRButtonDown(int x, int y) {
    if (!forwardTarget || !service || service->pressed != this) return;
    service->pressed = forwardTarget;
    forwardTarget->procRButtonDown(targetX(x), targetY(y));
}

void TimeGaugeControl::procMouseWheel(int x, int y, int delta) {
    if (forwardTarget) forwardTarget->procMouseWheel(targetX(x), targetY(y), delta);
}

void TimeGaugeControl::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    const Edit::Scene& scene = panel.scene();
    const bool range = scene.selectStartFrame >= 0 && scene.selectEndFrame >= 0;
    Window::MenuEntries menu;
    menu.push_back({Window::MenuEntry::Kind::Command,
                    Translate::TranslateService::translateMenu(L"フレーム範囲選択を解除"), range, false,
                    [this] { clearFrameRange(); }, {}});
    menu.push_back(Window::MenuEntry::separator());
    panel.createWindowMenu(menu);
    show(window, menu);
}

void TimeGaugeControl::clearFrameRange() {
    Edit::Scene& scene = panel.scene();
    if (scene.selectStartFrame == -1 && scene.selectEndFrame == -1) return;
    scene.selectStartFrame = -1;
    scene.selectEndFrame = -1;
    procPaint();
    if (Event::EventService* events = System::Singleton<Event::EventService>::getInstance())
        events->frameRangeSelect.notify(-1, -1);
}

void TimeGaugeControl::procPaint() {
    const Window::Rect& full = fullRect();
    const int w = full.width;
    const int h = full.height;
    if (!visible || w <= 0 || h <= 0) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Control::Brushes& brushes = scope.brushes();
    const Edit::Scene& scene = panel.scene();
    const int zoom = panel.zoom();
    const long long first = scene.displayFrame;
    const int half = static_cast<int>(h * 0.5);
    const int threeQuarter = static_cast<int>(h * 0.75);
    Platform::Cairo::TextFormat* format = fontList ? (*fontList)[Resource::TextFormatList::TimeGauge].get() : nullptr;
    float lineHeight = 0.0f;
    if (format) {
        Resource::TextLayout empty(format, L"");
        lineHeight = empty.getMetrics().height;
    }
    const int labelTop = static_cast<int>(std::lround(h * 0.5 - lineHeight)) + 1;

    fill(brushes[Control::Brushes::Background]);
    if (scene.selectStartFrame >= 0 && scene.selectEndFrame >= 0) {
        fillRectangle(0, half + 1, w, h, brushes[Control::Brushes::FrameRangeOutside]);
        const int xs = timeGaugeX(scene.selectStartFrame, first, zoom);
        const int xe = timeGaugeX(scene.selectEndFrame + 1LL, first, zoom);
        fillRectangle(xs, half + 1, xe, h, brushes[Control::Brushes::FrameRangeSelect]);
    }

    const int step = std::max(1, timeGaugeTickStep(interfaceScale(), zoom));
    const long long major = 10LL * step;
    long long frame = first - first % major;
    int x = timeGaugeX(frame, first, zoom);
    while (x < w) {
        const bool isMajor = frame % major == 0;
        if (isMajor && format) {
            const std::wstring label = timeGaugeLabel(static_cast<int>(frame), scene.videoRate, scene.videoScale);
            drawText(label, *format, x, labelTop, w, h, brushes[Control::Brushes::Text]);
        }
        if (x >= 0) drawLine(x, isMajor ? half : threeQuarter, x, h, brushes[Control::Brushes::Border], 1.0f);
        frame += step;
        x = timeGaugeX(frame, first, zoom);
    }

    const long long c = scene.cursorFrame - first;
    const int cx0 = timeGaugeX(c, 0, zoom);
    const int cx1 = timeGaugeX(c + 1, 0, zoom);
    if (cx1 >= 0 && cx0 < w) {
        if (cx1 - cx0 <= 1)
            drawLine(cx0, 0, cx0, h, brushes[Control::Brushes::FrameCursor], 1.0f);
        else
            fillRectangle(cx0, 0, cx1, h, brushes[Control::Brushes::FrameCursorWide]);
    }
}

}  // namespace Component
