#include "panels/log/LogViewControl.h"

#include "core/base/Logger.h"
#include "core/base/Singleton.h"
#include "core/text/StringConvert.h"
#include "media/draw/TextLayout.h"
#include "render/service/RenderService.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <regex>

namespace Component {

namespace {

constexpr int kRefreshInterval = 200;

bool playing() {
    const Render::RenderService* render = System::Singleton<Render::RenderService>::getInstance();
    return render && render->player.isPlaying();
}

Platform::Cairo::ColorF levelColour(const System::Log::Type* type) {
    const std::uint32_t rgb = type ? type->colour : 0xFFFFFF;
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, 1.0f};
}

}  // namespace

LogViewControl::LogViewControl(Window::WindowControlOwner& owner, System::Logger* logger, int left, int top,
                               int right, int bottom)
    : WindowControlRenderTarget(owner, left, top, right, bottom), logger(logger) {
    WindowMouse::detach();
    if (fontList) {
        Resource::TextLayout empty((*fontList)[Resource::TextFormatList::Log].get(), L"");
        lineHeight = std::max(1, static_cast<int>(std::ceil(empty.getMetrics().height)));
    }
}

LogViewControl::~LogViewControl() { timer.clear(); }

std::wstring LogViewControl::makeDisplayText(const std::string& text) {
    static const std::regex lambda("<lambda.+?>::operator \\(\\)");
    return System::String::toWide(std::regex_replace(text, lambda, "<lambda>"));
}

void LogViewControl::fetchLines() {
    lines.clear();
    if (!logger) {
        ringSize = 0;
        return;
    }
    std::lock_guard lock(logger->mutex);
    const int count = static_cast<int>(logger->viewLines.size());
    ringSize = count;
    const int first = std::max(0, count - scrollOffset - visibleLineCount);
    const int last = std::min(first + visibleLineCount, count) - 1;
    for (int i = first; i <= last; ++i) {
        const System::Logger::ViewLine& entry = logger->viewLines[static_cast<std::size_t>(i)];
        lines.push_back({entry.type, entry.text});
    }
}

void LogViewControl::procPaint() {
    const Window::Rect& full = fullRect();
    if (!visible || full.width <= 0 || full.height <= 0) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    fill(scope.brushes()[Control::Brushes::Background]);
    fetchLines();
    if (!fontList) return;
    Platform::Cairo::TextFormat* format = (*fontList)[Resource::TextFormatList::Log].get();
    for (std::size_t n = 0; n < lines.size(); ++n) {
        Resource::TextLayout layout(format, makeDisplayText(lines[n].text));
        const float height = layout.getMetrics().height;
        const Platform::Cairo::SolidColorBrush brush(levelColour(lines[n].type));
        const float y = static_cast<float>(full.height) - static_cast<float>(n) * static_cast<float>(lineHeight) - height;
        drawTextLayout(0.0f, y, *layout.get(), brush, true);
    }
}

void LogViewControl::procMove() {
    const Window::Rect& full = fullRect();
    visibleLineCount = full.height / lineHeight + 1;
    const bool wanted = visible && full.width > 0 && full.height > 0;
    if (wanted == armed) return;
    armed = wanted;
    if (wanted)
        timer.set(kRefreshInterval, [this] { onTimer(); });
    else
        timer.clear();
}

void LogViewControl::onTimer() {
    if (playing() || !logger) return;
    const int serial = logger->changeCount.load();
    if (serial == lastSerial) return;
    lastSerial = serial;
    {
        std::lock_guard lock(logger->mutex);
        ringSize = static_cast<int>(logger->viewLines.size());
        scrollOffset = ringSize;
    }
    if (onRingChanged) onRingChanged();
}

}  // namespace Component
