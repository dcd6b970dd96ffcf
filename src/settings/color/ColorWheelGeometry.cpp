#include "settings/color/ColorWheelGeometry.h"

#include "core/text/ColorText.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Component {

namespace {

constexpr float twoPi = 2 * std::numbers::pi_v<float>;

float frac(float x) { return x - std::floor(x); }

int channel(float x) { return static_cast<int>(std::lround(x * 255)); }

std::uint32_t pack(int r, int g, int b, int a) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(r) << 16 |
           static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

}  // namespace

ColorWheelGeometry ColorWheelGeometry::fromSize(int width, int height) {
    ColorWheelGeometry g;
    g.d = std::min(width, height) - 2;
    if (g.d < 1) g.d = 0;
    g.ring = g.d / 8;
    const int c = static_cast<int>(std::floor((g.d - 2 * g.ring) * 0.70710677f)) - 4;
    g.sq = std::max(c, 0);
    g.sqOff = (g.d - g.sq) / 2;
    if (g.sq == 0) g.d = 0;
    g.ox = (width - g.d) / 2;
    g.oy = (height - g.d) / 2;
    return g;
}

int ColorWheelGeometry::hoverMode(int x, int y) const {
    if (d == 0) return 0;
    const int qx = x - ox, qy = y - oy;
    const int dist = static_cast<int>(std::hypot(qx - d / 2.0, qy - d / 2.0));
    const int ringDist = std::abs(dist - (d - ring) / 2) - ring / 2;
    const int squareDist = std::max({sqOff - qx, qx - sqOff - sq, sqOff - qy, qy - sqOff - sq});
    if (ringDist > 8 && squareDist > 8) return 0;
    return ringDist < squareDist ? 1 : 2;
}

std::optional<float> ColorWheelGeometry::ringHueAt(float x, float y, int baseAngle) const {
    const float e = x - ox - d / 2.0f, f = y - oy - d / 2.0f;
    if (e == 0 && f == 0) return std::nullopt;
    return frac(std::atan2(e, -f) / twoPi + baseAngle / 360.0f + 1);
}

void ColorWheelGeometry::squareValueAt(float x, float y, float& saturation, float& value) const {
    const float span = static_cast<float>(std::max(sq - 1, 1));
    saturation = std::clamp((x - ox - sqOff) / span, 0.0f, 1.0f);
    value = std::clamp(1 - (y - oy - sqOff) / span, 0.0f, 1.0f);
}

ColorWheelGeometry::Marker ColorWheelGeometry::hueMarker(float hue, int baseAngle) const {
    const float a = twoPi * (hue - baseAngle / 360.0f);
    const float r = (d - ring) / 2.0f;
    return {centreX() + r * std::sin(a), centreY() - r * std::cos(a), std::sin(a), -std::cos(a)};
}

void ColorWheelGeometry::svMarker(float saturation, float value, float& x, float& y) const {
    x = centreX() + (saturation - 0.5f) * sq;
    y = centreY() + (0.5f - value) * sq;
}

std::vector<std::uint32_t> ColorWheelGeometry::buildBitmap(float hue, int baseAngle) const {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(d) * d, 0);
    if (d == 0) return pixels;
    const float half = d / 2.0f, inner = half - ring;
    for (int i = 0; i < d; ++i) {
        for (int j = 0; j < d; ++j) {
            const float dx = j - half, dy = i - half;
            const float l = std::hypot(dx, dy);
            if (l < inner || l > half || l == 0) continue;
            const float hsv[3] = {frac(std::atan2(dx, -dy) / twoPi + baseAngle / 360.0f), 1, 1};
            const Media::RGBA c = Media::hsvToRgb(hsv);
            const int r = channel(c.r), g = channel(c.g), b = channel(c.b);
            const int a = static_cast<int>(std::lround(std::min(l - inner, half - l) * 255));
            pixels[static_cast<std::size_t>(i) * d + j] =
                a < 255 ? pack(r * a / 255, g * a / 255, b * a / 255, a) : pack(r, g, b, 255);
        }
    }
    const float top[3] = {hue, 1, 1};
    const Media::RGBA p = Media::hsvToRgb(top);
    const float span = static_cast<float>(std::max(sq - 1, 1));
    for (int j = 0; j < sq; ++j) {
        for (int i = 0; i < sq; ++i) {
            const float s = i / span, v = (sq - 1 - j) / span;
            const auto ch = [&](float pc) { return channel(v * (1 + s * (pc - 1))); };
            pixels[static_cast<std::size_t>(sqOff + j) * d + sqOff + i] = pack(ch(p.r), ch(p.g), ch(p.b), 255);
        }
    }
    return pixels;
}

}  // namespace Component
