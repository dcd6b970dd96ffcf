#include "settings/SettingHeaderGaugeControl.h"

#include "core/text/StringUtility.h"
#include "core/translate/TranslateService.h"
#include "edit/command/LengthCommand.h"
#include "edit/command/SectionCommand.h"
#include "edit/service/EditService.h"
#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextLayout.h"
#include "settings/SettingComponent.h"
#include "window/WindowMouseService.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/ControlTooltip.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace Component {

namespace {

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

int roundHalfAway(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

SettingHeaderGaugeControl::SettingHeaderGaugeControl(SettingComponent& window, Window::WindowControl& parent,
                                                     int left, int top, int right, int bottom)
    : WindowControlRenderTarget(parent, left, top, right, bottom), window(window) {}

void SettingHeaderGaugeControl::setObject(const Edit::Object* shown) {
    object = shown;
    start = shown ? shown->start : 0;
    length = shown ? shown->end - shown->start + 1 : 0;
}

int SettingHeaderGaugeControl::lineHeight() {
    if (!fontList) return 0;
    Resource::TextLayout empty((*fontList)[Resource::TextFormatList::Control].get(), L"0");
    return static_cast<int>(std::ceil(empty.getMetrics().height));
}

void SettingHeaderGaugeControl::updateGeometry() {
    const Window::Rect& full = fullRect();
    trackWidth = std::max(full.width - 2 * margin, 0);
    barBottom = std::max(full.height - topMargin - lineHeight(), 0);
}

GaugeTrack SettingHeaderGaugeControl::track() const { return GaugeTrack{start, length, trackWidth, margin}; }

void SettingHeaderGaugeControl::procMove() {
    const double h = fullRect().height;
    bandHeight = roundHalfAway(h * 0.125) + 2;
    margin = roundHalfAway(h * 0.25);
    topMargin = roundHalfAway(h / 4.5);
    updateGeometry();
}

void SettingHeaderGaugeControl::setCursorFrame(int frame) {
    if (Edit::EditService* edit = window.editServiceOf()) edit->setCurrentFrame(frame);
}

void SettingHeaderGaugeControl::setFrameFromPosition(int x) {
    updateGeometry();
    if (!object || trackWidth < 2 || length < 2) return;
    const int frame = std::clamp(start + track().offsetAt(x), object->start, object->end);
    setCursorFrame(frame);
}

void SettingHeaderGaugeControl::procMouseMove(int x, int) {
    if (!object) return;
    updateGeometry();
    const int k = hitTestBoundary(*object, track(), x);
    if (k != hoveredBoundary) {
        hoveredBoundary = k;
        procPaint();
    }
    int s = -1;
    if (window.sectionViewMode != SectionViewSections)
        s = std::clamp(object->getSectionIndex(start + track().offsetAt(x)), 0, std::max(window.sectionCount - 1, 0));
    if (s != hoveredSection) {
        hoveredSection = s;
        procPaint();
    }
    if (service)
        service->currentCursor = Window::WindowMouseService::cursor(
            hoveredBoundary >= 0 ? Window::WindowMouseService::CursorHand : Window::WindowMouseService::CursorArrow);
}

void SettingHeaderGaugeControl::procLButtonDown(int x, int) {
    if (!object) return;
    if (service) {
        const bool onBoundary = hoveredBoundary >= 0;
        service->startDrag(0, 0,
                           Window::WindowMouseService::cursor(onBoundary ? Window::WindowMouseService::CursorHand
                                                                         : Window::WindowMouseService::CursorArrow));
        // The press itself moves the cursor: no threshold for the drag.
        service->dragMoved = true;
    }
    if (hoveredBoundary >= 0) {
        setCursorFrame(std::clamp(boundaryFrame(*object, hoveredBoundary), object->start, object->end));
        return;
    }
    setFrameFromPosition(x);
}

void SettingHeaderGaugeControl::procMouseDrag(int x, int) {
    if (service) service->currentCursor = Window::WindowMouseService::cursor(Window::WindowMouseService::CursorArrow);
    setFrameFromPosition(x);
}

void SettingHeaderGaugeControl::procMouseLeave() {
    if (hoveredBoundary != -1) {
        hoveredBoundary = -1;
        procPaint();
    }
    if (!menuOpen && hoveredSection != -1) {
        hoveredSection = -1;
        procPaint();
    }
}

void SettingHeaderGaugeControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    if (!object || object->layer < 0 || hoveredBoundary < 0) return;
    Edit::EditService* edit = window.editServiceOf();
    if (!edit || !edit->getCurrentScene()) return;
    const Edit::Scene& scene = *edit->getCurrentScene();
    const double perFrame = static_cast<double>(scene.videoScale) / std::max(scene.videoRate, 1);
    const int b = hoveredBoundary == 0 ? start : boundaryFrame(*object, hoveredBoundary);
    wchar_t absolute[32];
    System::String::formatTimePrecise(absolute, b * perFrame);
    const std::wstring text = std::wstring(absolute) + L" ( " + formatShortTime((b - start) * perFrame) + L" )";
    Control::showTooltipBelowPointer(text);
}

void SettingHeaderGaugeControl::drawBoundary(int x, const Platform::Cairo::Brush& brush) {
    drawLine(x, bandHeight, x, barBottom, brush, 1.0f);
    fillEllipse(static_cast<float>(x) + 0.5f, static_cast<float>(bandHeight) / 2 - 1 + 0.5f, 2.0f, 2.0f, brush);
}

void SettingHeaderGaugeControl::drawPointMarker(int boundary, Control::Brushes& brushes) {
    int x;
    if (boundary >= window.sectionCount) {
        x = trackWidth - 1;
    } else {
        x = track().xOf(boundaryFrame(*object, boundary));
        if (x < 0) return;
    }
    const float fx = static_cast<float>(x);
    const float b = static_cast<float>(bandHeight);
    const float points[] = {fx - b + 2, 1, fx + b - 1, 1, fx + 0.5f, b};
    fillPath(points, brushes[boundary == hoveredBoundary ? Control::Brushes::BorderSelect
                                                         : Control::Brushes::ObjectSection]);
}

void SettingHeaderGaugeControl::procPaint() {
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    Control::Brushes& brushes = scope.brushes();
    fill(brushes[Control::Brushes::Grouping]);
    updateGeometry();
    if (trackWidth == 0) return;
    Media::RenderTarget::DrawScope trackScope(*this, margin, topMargin, margin + trackWidth,
                                              std::max(scope.height(), topMargin + 1));
    const int w = trackWidth;
    fillRectangle(0, 0, w, bandHeight, brushes[Control::Brushes::Background]);
    if (barBottom > bandHeight)
        fillGradient(0, bandHeight, w, barBottom, brushes.gradient(Control::Brushes::ObjectVideo), false);
    const Platform::Cairo::Brush& border = brushes[Control::Brushes::Border];
    Platform::Cairo::TextFormat* format = fontList ? (*fontList)[Resource::TextFormatList::Control].get() : nullptr;
    auto rightText = [&](const std::wstring& text, int right, const Platform::Cairo::Brush& brush) {
        if (!format) return 0;
        Resource::TextLayout layout(format, text);
        const float width = layout.getMetrics().widthIncludingTrailingWhitespace;
        drawTextLayout(static_cast<float>(right) - width, static_cast<float>(barBottom - 1), *layout.get(), brush);
        return static_cast<int>(std::ceil(width));
    };
    if (!object) {
        drawLine(0, 0, 0, barBottom, border, 1.0f);
        drawLine(w - 1, 0, w - 1, barBottom, border, 1.0f);
        rightText(L"--:--.-- / --:--.--", w - 1, brushes[Control::Brushes::TextDisable]);
        return;
    }
    const GaugeTrack t = track();
    const int count = object->getMidPointCount();
    // The marked section.
    int marked = hoveredSection;
    if (marked == -1 && window.sectionViewMode == SectionViewSections && window.sectionCount >= 2 &&
        window.sectionIndex >= 0 && window.sectionIndex < window.sectionCount)
        marked = window.sectionIndex;
    if (marked >= 0) {
        const int x0 = t.xOf(boundaryFrame(*object, marked));
        const int x1 = marked >= count ? w - 1 : t.xOf(boundaryFrame(*object, marked + 1));
        if (x0 >= 0 && x1 >= 0)
            fillRectangle(x0, bandHeight, x1, barBottom, brushes[Control::Brushes::ObjectVideoSelect]);
    }
    drawLine(0, 0, 0, barBottom, border, 1.0f);
    drawLine(w - 1, 0, w - 1, barBottom, border, 1.0f);
    int previous = -1;
    for (int k = 1; k <= count; ++k) {
        const int x = t.xOf(boundaryFrame(*object, k));
        if (x != previous) drawBoundary(x, border);
        previous = x;
    }
    if (hoveredBoundary >= 0) {
        const Platform::Cairo::Brush& lit = brushes[Control::Brushes::BorderSelect];
        if (hoveredBoundary == 0)
            drawLine(0, 0, 0, barBottom, lit, 1.0f);
        else if (hoveredBoundary > count)
            drawLine(w - 1, 0, w - 1, barBottom, lit, 1.0f);
        else
            drawBoundary(t.xOf(boundaryFrame(*object, hoveredBoundary)), lit);
    }
    drawPointMarker(window.sectionIndex, brushes);
    if (window.sectionViewMode == SectionViewSections) drawPointMarker(window.sectionIndex + 1, brushes);

    // Time text: the cursor's offset / the object's length.
    double perFrame = 1.0 / 30;
    if (Edit::EditService* edit = window.editServiceOf(); edit && edit->getCurrentScene()) {
        const Edit::Scene& scene = *edit->getCurrentScene();
        perFrame = static_cast<double>(scene.videoScale) / std::max(scene.videoRate, 1);
    }
    const int totalWidth = rightText(L" " + formatShortTime(length * perFrame), w - 1, brushes[Control::Brushes::Text]);
    const bool inside = currentFrame >= start && currentFrame < start + length;
    rightText(formatShortTime((currentFrame - start) * perFrame) + L" /", w - 1 - totalWidth,
              brushes[inside ? Control::Brushes::Text : Control::Brushes::TextDisable]);
    if (inside) {
        const int x = t.xOf(currentFrame);
        drawLine(x, 0, x, barBottom, brushes[Control::Brushes::FrameCursor], 1.0f);
    }
}

Window::MenuEntries SettingHeaderGaugeControl::buildMenu() {
    Window::MenuEntries menu;
    Edit::EditService* edit = window.editServiceOf();
    if (object && edit && window.settingObject.get() == object) {
        const Edit::ObjectPointer shown = window.settingObject;
        const int frame = currentFrame;
        const int section = window.sectionIndex;
        const int count = shown->getMidPointCount();
        const int lengthSection = window.sectionViewMode == SectionViewSections ? window.sectionIndex : hoveredSection;
        menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"カーソル位置に中間点を追加"),
                        shown->isInsideSection(frame), false,
                        [edit, shown, frame] { Edit::EditCommand::createSection(*edit, shown, frame); }, {}});
        menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"中間点を削除"), section >= 1 && section <= count,
                        false, [edit, shown, section] { Edit::EditCommand::deleteSection(*edit, shown, section); }, {}});
        menu.push_back(Window::MenuEntry::separator());
        menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"中間点を均等配置"), window.sectionCount >= 2,
                        false, [edit, shown] { Edit::EditCommand::changeSectionSpaceEvenly(*edit, shown); }, {}});
        menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"選択区間の長さを変更"), lengthSection != -1,
                        false,
                        [edit, shown, lengthSection] { Edit::EditCommand::changeSectionLength(*edit, shown, lengthSection); },
                        {}});
        menu.push_back(Window::MenuEntry::separator());
    }
    window.createWindowMenu(menu);
    return menu;
}

void SettingHeaderGaugeControl::showMenu() {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    const Window::MenuEntries menu = buildMenu();
    menuOpen = true;
    show(window.window, menu);
    menuOpen = false;
    // The window may have been rebuilt by the command; the gauge lives as
    // long as the window.
    hoveredSection = -1;
    procPaint();
}

}  // namespace Component
