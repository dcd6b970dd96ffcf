#include "settings/time/EffectTimeSettingControl.h"

#include "core/translate/TranslateService.h"
#include "edit/scope/EditScope.h"
#include "edit/undo/UndoService.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/movement/CurveFunction.h"
#include "effect/movement/MovementBase.h"
#include "media/draw/RenderTargetWindow.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>
#include <cmath>

namespace Component {

using Control::Brushes;

namespace {

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

int roundHalfAway(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

EffectTimeSettingControl::EffectTimeSettingControl(Window::WindowControlOwner& owner,
                                                   const TimeControlOptions& options,
                                                   std::function<void(Window::MenuEntries&)> windowMenu)
    : WindowControlRenderTarget(owner, 0, 0, 0, 0), options_(options), windowMenu_(std::move(windowMenu)) {
    acceptsContextMenu = true;
}

void EffectTimeSettingControl::storeItemParams(const std::vector<double>& flat) {
    if (!target_.item) return;
    for (Effect::EffectItemNumber* member : linkedMembers(*target_.item)) member->curve = flat;
}

bool EffectTimeSettingControl::setTarget(const Edit::ObjectPointer& object,
                                         const std::shared_ptr<Effect::EffectBase>& effect,
                                         Effect::EffectItemNumber* item) {
    if (object == target_.object && effect == target_.effect && item == target_.item) return false;
    target_ = {object, effect, item};
    hover = {};
    loadControlPoints(item ? item->curve : std::vector<double>());
    procPaint();
    return true;
}

bool EffectTimeSettingControl::clearTarget() {
    if (!target_) return false;
    target_ = {};
    hover = {};
    curve.points.clear();
    procPaint();
    return true;
}

void EffectTimeSettingControl::setCursorFrame(int frame) {
    const Edit::Object* object = target_.object.get();
    if (target_ && object && object->start <= frame && frame <= object->end) {
        cursorFraction = static_cast<float>(static_cast<double>(frame - object->start) /
                                            std::max(object->end - object->start, 1));
        procPaint();
        return;
    }
    const bool wasShown = cursorFraction >= 0;
    cursorFraction = -1;
    if (wasShown) procPaint();
}

void EffectTimeSettingControl::seekFrame(int x) {
    if (!target_ || !editService) return;
    const Edit::Object& object = *target_.object;
    const double offset =
        static_cast<double>(x - CurvePlot::Margin) * (object.end - object.start) / std::max(plot.width, 1);
    editService->setCurrentFrame(std::clamp(object.start + roundHalfAway(offset), object.start, object.end));
}

void EffectTimeSettingControl::writeChange(bool undoable, const std::function<void()>& change) {
    if (!target_ || !editService) return;
    Edit::EditScope scope(*editService);
    scope.refreshSetting = scope.notifyObjectUpdate = true;
    scope.targetObject = target_.object;
    if (undoable) {
        scope.beginUndo();
        if (undoService) undoService->addEffectUndoUpdate(target_.effect);
    }
    change();
    storeItemParams(saveControlPoints());
    procPaint();
}

void EffectTimeSettingControl::setControlPoints(const std::vector<double>& flat) {
    writeChange(true, [&] { loadControlPoints(flat); });
}

void EffectTimeSettingControl::addControlPoint(double x, double y) {
    writeChange(true, [&] { curve.add(x, y); });
}

void EffectTimeSettingControl::deleteControlPoint(int index) {
    if (index <= 0 || index >= static_cast<int>(curve.points.size()) - 1) return;
    writeChange(true, [&] {
        curve.remove(index);
        hover = {};
    });
}

bool EffectTimeSettingControl::updateHover(int x, int y) {
    const CurveHover next = target_ ? curve.hoverAt(plot, x, y) : CurveHover{};
    const bool changed = next != hover;
    hover = next;
    return changed;
}

std::vector<double> EffectTimeSettingControl::sectionTimes() const {
    std::vector<double> times;
    if (!target_) return times;
    const Edit::Object& object = *target_.object;
    const double length = std::max(object.end - object.start, 1);
    for (const int boundary : object.boundaries) times.push_back(boundary / length);
    return times;
}

std::vector<double> EffectTimeSettingControl::sectionPositions() const {
    if (!target_) return {};
    return target_.item->movement->getSectionPositions(*target_.object, *target_.item);
}

CurveSnapGuides EffectTimeSettingControl::snapGuides() const {
    CurveSnapGuides guides;
    guides.cursor = cursorFraction;
    if (options_.displaySectionTime == 1) guides.times = sectionTimes();
    if (options_.displaySectionPosition == 1) guides.positions = sectionPositions();
    return guides;
}

void EffectTimeSettingControl::procMouseMove(int x, int y) {
    if (updateHover(x, y)) procPaint();
}

void EffectTimeSettingControl::procMouseLeave() {
    if (dragged.part != CurvePart::None) return;
    if (hover != CurveHover{}) {
        hover = {};
        procPaint();
    }
}

void EffectTimeSettingControl::procLButtonDown(int x, int y) {
    if (hover.part != CurvePart::None && target_) {
        if (dragged.part != CurvePart::None) return;
        dragged = hover;
        pressed = curve.points[static_cast<std::size_t>(hover.index)];
        pressX_ = x, pressY_ = y, dragX_ = 0, dragY_ = 0;
        if (service) service->startDrag(x, y, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSizeAll));
        if (undoService) {
            undoService->beginUndoGroup();
            undoService->addEffectUndoUpdate(target_.effect);
        }
        return;
    }
    if (!target_) return;
    if (service) service->startDrag(0, 0, nullptr);
    seekFrame(x);
}

void EffectTimeSettingControl::procMouseDrag(int x, int y) {
    if (dragged.part != CurvePart::None) {
        dragX_ = x, dragY_ = y;
        if (dragged.index >= static_cast<int>(curve.points.size())) return;
        const bool shift = Platform::getKeyState(Platform::VK::SHIFT) < 0;
        const CurveSnapGuides guides = snapGuides();
        writeChange(false, [&] { curve.drag(dragged, pressed, x, y, shift, plot, guides); });
        return;
    }
    if (target_) seekFrame(x);
}

void EffectTimeSettingControl::endDrag() {
    if (dragged.part == CurvePart::None) return;
    dragged = {};
    if (undoService) undoService->commitUndoGroup();
    // The drag's offsets count from the press point.
    procMouseMove(pressX_ + dragX_, pressY_ + dragY_);
}

void EffectTimeSettingControl::procKeyUp() { endDrag(); }

void EffectTimeSettingControl::procCaptureLost() { endDrag(); }

Window::MenuEntries EffectTimeSettingControl::createContextMenu(int x, int y) {
    const double px = plot.curveX(x), py = plot.curveY(y);
    const bool targeted = static_cast<bool>(target_);
    const int hovered = hover.part == CurvePart::InnerPoint ? hover.index : -1;
    using Kind = Window::MenuEntry::Kind;
    Window::MenuEntries menu{
        {Kind::Command, menuText(L"制御点を追加"), targeted, false, [this, px, py] { addControlPoint(px, py); }, {}},
        {Kind::Command, menuText(L"制御点を削除"), targeted && hovered > 0, false,
         [this, hovered] { deleteControlPoint(hovered); }, {}},
        Window::MenuEntry::separator(),
        {Kind::Command, menuText(L"コピー"), targeted, false, [this] { copyControlPoints(); }, {}},
        {Kind::Command, menuText(L"貼り付け"), targeted, false, [this] { pasteControlPoints(); }, {}},
        Window::MenuEntry::separator(),
    };
    if (windowMenu_) windowMenu_(menu);
    return menu;
}

void EffectTimeSettingControl::procContextMenu(int x, int y) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    const Window::MenuEntries menu = createContextMenu(x, y);
    show(window, menu);
}

void EffectTimeSettingControl::procMove() {
    const Window::Rect& full = fullRect();
    plot.width = full.width - 2 * CurvePlot::Margin;
    plot.height = full.height - 2 * CurvePlot::Margin;
}

void EffectTimeSettingControl::drawControlPoint(const ControlAnchor& point, bool after, bool before,
                                                CurvePart highlight) {
    Brushes& brushes = host->brushList;
    const float px = static_cast<float>(plot.screenX(point.x)), py = static_cast<float>(plot.screenY(point.y));
    const float vx = static_cast<float>(plot.width * point.hx), vy = static_cast<float>(-plot.height * point.hy);
    fillEllipse(px, py, 4, 4, brushes[Brushes::Anchor]);
    const auto& line = brushes[highlight != CurvePart::None ? Brushes::AnchorSelect : Brushes::Anchor];
    const float length = std::hypot(vx, vy);
    const float scale = length >= 4 ? 1 - 4 / length : 0;
    const auto handle = [&](float sign, const Platform::Cairo::Brush& ring) {
        drawLine(static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)),
                 static_cast<int>(std::lround(px + sign * vx * scale)),
                 static_cast<int>(std::lround(py + sign * vy * scale)), line, 2);
        drawEllipse(px + sign * vx, py + sign * vy, 3.5f, 3.5f, ring, 2);
    };
    if (before) handle(-1, brushes[Brushes::AnchorOut]);
    if (after) handle(1, brushes[Brushes::AnchorIn]);
    if (highlight == CurvePart::HandleAfter) fillEllipse(px + vx, py + vy, 4.5f, 4.5f, brushes[Brushes::AnchorIn]);
    if (highlight == CurvePart::HandleBefore) fillEllipse(px - vx, py - vy, 4.5f, 4.5f, brushes[Brushes::AnchorOut]);
    if (highlight == CurvePart::EndPoint || highlight == CurvePart::InnerPoint)
        fillEllipse(px, py, 5, 5, brushes[Brushes::AnchorSelect]);
}

void EffectTimeSettingControl::procPaint() {
    if (!visible) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Brushes& brushes = scope.brushes();
    fill(brushes[Brushes::Background]);
    const int w = plot.width, h = plot.height;
    if (w > 0 && h > 0) {
        fillRectangle(10, 10, w + 11, h + 11, brushes[Brushes::Grouping]);
        drawRectangle(10, 10, w + 11, h + 11, brushes[Brushes::Border], 1);
        drawLine(10, (h + 20) / 2, w + 10, (h + 20) / 2, brushes[Brushes::BorderHalf], 1);
        drawLine((w + 20) / 2, 10, (w + 20) / 2, h + 10, brushes[Brushes::BorderHalf], 1);
    }
    const std::vector<ControlAnchor>& points = curve.points;
    if (points.size() < 2) return;
    if (target_) {
        if (options_.displaySectionTime == 1) {
            for (const double time : sectionTimes()) {
                const int x = roundHalfAway(time * w + 10);
                drawLine(x, 10, x, h + 10, brushes[Brushes::BorderHalf], 1);
            }
        }
        if (options_.displaySectionPosition == 1) {
            for (const double v : sectionPositions()) {
                const int y = roundHalfAway((1 - v) * h + 10);
                drawLine(10, y, w + 10, y, brushes[Brushes::BorderHalf], 1);
            }
        }
    }
    if (cursorFraction >= 0) {
        const int x = roundHalfAway(w * cursorFraction) + 10;
        drawLine(x, 0, x, scope.height() - 1, brushes[Brushes::FrameCursor], 1);
    }
    const int steps = w / 3;
    if (steps > 0) {
        int lastX = 0, lastY = 0;
        for (int j = 0; j <= steps; ++j) {
            const double u = static_cast<double>(j) / steps;
            std::size_t i = 0;
            while (i + 2 < points.size() && points[i + 1].x < u) ++i;
            const ControlAnchor& a = points[i];
            const ControlAnchor& b = points[i + 1];
            const double t = Effect::solveCubicBezier(a.x, a.x + a.hx, b.x - b.hx, b.x, u, 1e-6);
            const double y = Effect::bezier(a.y, a.y + a.hy, b.y - b.hy, b.y, t);
            const int sx = roundHalfAway(plot.screenX(u)), sy = roundHalfAway(plot.screenY(y));
            if (j > 0) drawLine(lastX, lastY, sx, sy, brushes[Brushes::Anchor], 1);
            lastX = sx, lastY = sy;
        }
    }
    const std::size_t last = points.size() - 1;
    for (std::size_t i = 0; i < points.size(); ++i)
        drawControlPoint(points[i], i != last, i != 0, CurvePart::None);
    if (hover.part != CurvePart::None && hover.index >= 0 && static_cast<std::size_t>(hover.index) < points.size()) {
        const std::size_t i = static_cast<std::size_t>(hover.index);
        drawControlPoint(points[i], i != last, i != 0, hover.part);
    }
}

}  // namespace Component
