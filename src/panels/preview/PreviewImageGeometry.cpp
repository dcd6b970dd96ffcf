#include "panels/preview/PreviewImageGeometry.h"

#include <algorithm>
#include <cmath>

namespace Component {

ImageRect fitImageRect(std::uint32_t w, std::uint32_t h, int areaWidth, int areaHeight) {
    if (w == 0 || h == 0) return {};
    const auto W = static_cast<std::uint32_t>(std::max(areaWidth, 0));
    const auto H = static_cast<std::uint32_t>(std::max(areaHeight, 0));
    if (h * W < w * H) {
        const float s = static_cast<float>(h) * static_cast<float>(W) / static_cast<float>(w);
        const float top = (static_cast<float>(H) - s) * 0.5f;
        return {0.0f, top, static_cast<float>(W), top + s};
    }
    const float s = static_cast<float>(w) * static_cast<float>(H) / static_cast<float>(h);
    const float left = (static_cast<float>(W) - s) * 0.5f;
    return {left, 0.0f, left + s, static_cast<float>(H)};
}

ZoomedImage zoomedImageRect(std::uint32_t w, std::uint32_t h, int zoom, int areaWidth, int areaHeight) {
    ZoomedImage out;
    const auto z = static_cast<std::uint32_t>(std::max(zoom, 1));
    const float sw = static_cast<float>(w * z) * 0.01f;
    const float sh = static_cast<float>(h * z) * 0.01f;
    const int left = (areaWidth - static_cast<int>(sw)) / 2;
    const int top = (areaHeight - static_cast<int>(sh)) / 2;
    out.overflowX = left < 0;
    out.overflowY = top < 0;
    out.contentWidth = static_cast<int>(std::lround(sw));
    out.contentHeight = static_cast<int>(std::lround(sh));
    out.rect = {static_cast<float>(left), static_cast<float>(top), static_cast<float>(left) + sw,
                static_cast<float>(top) + sh};
    return out;
}

int fitZoomOf(std::uint32_t w, std::uint32_t h, int areaWidth, int areaHeight) {
    if (w == 0 || h == 0) return 100;
    const long long byWidth = static_cast<long long>(areaWidth) * 100 / w;
    const long long byHeight = static_cast<long long>(areaHeight) * 100 / h;
    return static_cast<int>(std::min(byWidth, byHeight));
}

int dragZoom(int start, int steps) {
    int z = static_cast<int>(std::lround(std::pow(1.01, steps) * start));
    if (z == start && steps != 0) z = steps > 0 ? start + 1 : start - 1;
    return std::clamp(z, MinimumZoom, MaximumZoom);
}

}  // namespace Component
