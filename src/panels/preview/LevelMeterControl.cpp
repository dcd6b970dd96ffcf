#include "panels/preview/LevelMeterControl.h"

#include "media/draw/RenderTargetWindow.h"
#include "media/draw/TextLayout.h"
#include "render/player/MoviePlayer.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Component {

namespace {

using Id = Control::Brushes::Id;

// Lit (first colour of the key) and unlit (second) brushes.
constexpr Id kGreen[2] = {Control::Brushes::LevelMeterGreen0, Control::Brushes::LevelMeterGreen1};
constexpr Id kYellow[2] = {Control::Brushes::LevelMeterYellow0, Control::Brushes::LevelMeterYellow1};
constexpr Id kRed[2] = {Control::Brushes::LevelMeterRed0, Control::Brushes::LevelMeterRed1};
constexpr int kLit = 0;
constexpr int kUnlit = 1;

}  // namespace

LevelMeterControl::LevelMeterControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom,
                                     Render::MoviePlayer* player)
    : WindowControlRenderTarget(owner, left, top, right, bottom), player(player) {
    resetLevels(values);
    values.frame = 0;
    showScale = [this] { return hover && this->player && this->player->isPlaying(); };
}

void LevelMeterControl::procMouseEnter() { procPaint(); }

void LevelMeterControl::procMouseLeave() { procPaint(); }

void LevelMeterControl::procMove() {
    const int h = fullRect().height;
    meterHeight = h > 1 ? h : 1;
    bottomY = h;
    barWidth = std::max(1, (fullRect().width - 6) / 2);
    leftX = 2;
    rightX = barWidth + 4;
    markerThickness = h / 200 > 3 ? h / 200 : 3;
    const int red = player ? player->levelMeterThresholdRed : -3;
    const int yellow = player ? player->levelMeterThresholdYellow : -20;
    redLine = levelPixels(static_cast<float>(std::clamp(red, -60, 0)), meterHeight);
    yellowLine = levelPixels(static_cast<float>(std::clamp(yellow, -60, 0)), meterHeight);
}

void LevelMeterControl::reset() {
    resetLevels(values);
    procPaint();
}

void LevelMeterControl::setValues(const LevelMeterValues& next) {
    values = next;
    procPaint();
}

std::vector<LevelMeterControl::Segment> LevelMeterControl::barSegments(int e) const {
    const int Y = yellowLine;
    const int R = redLine;
    const int M = meterHeight;
    if (e < Y)
        return {{kGreen[kLit], e, 0}, {kGreen[kUnlit], Y, e}, {kYellow[kUnlit], R, Y}, {kRed[kUnlit], M, R}};
    if (e < R)
        return {{kGreen[kLit], Y, 0}, {kYellow[kLit], e, Y}, {kYellow[kUnlit], R, e}, {kRed[kUnlit], M, R}};
    return {{kGreen[kLit], Y, 0}, {kYellow[kLit], R, Y}, {kRed[kLit], e, R}, {kRed[kUnlit], M, e}};
}

void LevelMeterControl::procPaint() {
    if (!visible) return;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    fill(scope.brushes()[Control::Brushes::Background]);
    drawBar(leftX, leftX + barWidth, values.left);
    drawBar(rightX, rightX + barWidth, values.right);
    if (showScale && showScale()) drawScale();
}

void LevelMeterControl::drawBar(int x0, int x1, const ChannelLevel& channel) {
    Resource::ColorBrushList* brushes = host ? &host->brushList : nullptr;
    if (!brushes) return;
    const int B = bottomY;
    for (const Segment& s : barSegments(levelPixels(channel.falling, meterHeight))) {
        if (s.top <= s.bottom) continue;
        fillRectangle(x0, B - s.top, x1, B - s.bottom, (*brushes)[static_cast<Id>(s.brush)]);
    }
    Platform::Cairo::Brush& background = (*brushes)[Control::Brushes::Background];
    for (int d = -5; d >= -55; d -= 5) {
        const int y = B - levelPixels(static_cast<float>(d), meterHeight);
        fillRectangle(x0, y, x1, y + 1, background);
    }
    const int m = levelPixels(channel.held, meterHeight);
    const Id hold = m < yellowLine ? kGreen[kLit] : m < redLine ? kYellow[kLit] : kRed[kLit];
    fillRectangle(x0, B - m, x1, B - std::max(m - markerThickness, 0), (*brushes)[hold]);
    const int v = levelPixels(channel.rms, meterHeight);
    fillRectangle(x0, B - v, x1, B - std::max(v - markerThickness, 0), background);
}

void LevelMeterControl::drawScale() {
    if (!fontList || !host) return;
    Platform::Cairo::TextFormat* format = (*fontList)[Resource::TextFormatList::LevelMeter].get();
    Platform::Cairo::Brush& outline = host->brushList[Control::Brushes::Background];
    Platform::Cairo::Brush& text = host->brushList[Control::Brushes::Text];
    for (int d = 0; d >= -55; d -= 5) {
        Resource::TextLayout layout(format, std::to_wstring(d));
        const float width = std::ceil(layout.getMetrics().width);
        const float x = static_cast<float>(fullRect().width) - width - 1.0f;
        const float y = static_cast<float>(bottomY - levelPixels(static_cast<float>(d), meterHeight));
        drawTextLayout(x, y - 1, *layout.get(), outline, true);
        drawTextLayout(x - 1, y, *layout.get(), outline, true);
        drawTextLayout(x + 1, y, *layout.get(), outline, true);
        drawTextLayout(x, y + 1, *layout.get(), outline, true);
        drawTextLayout(x, y, *layout.get(), text, true);
    }
}

}  // namespace Component
