#include "panels/preview/PreviewGridGuides.h"

namespace Component {

namespace {

// Regular lines closer than this are not drawn.
constexpr int kMinimumSpacing = 8;

void addGuide(Anchor::AnchorList& anchors, Anchor::Float2 a, Anchor::Float2 b) {
    Anchor::AnchorItem item(Anchor::AnchorItem::GuideLine, Anchor::AnchorItem::SnapSource, nullptr, nullptr, 0);
    item.points = {a, b};
    item.snapPoints = {a, b};
    anchors.items.push_back(std::move(item));
}

// Offsets k × spacing / half for k = 0, 1, ... while within 1, mirrored.
template <class Add>
void addRegular(int spacing, float half, Add add) {
    if (spacing < kMinimumSpacing || half <= 0) return;
    for (int k = 0;; ++k) {
        const float u = static_cast<float>(k) * static_cast<float>(spacing) / half;
        if (u > 1.0f) break;
        add(u);
        if (k >= 1) add(-u);
    }
}

float freeOffset(int p, float half) {
    return p >= 0 ? static_cast<float>(p) / half - 1.0f : static_cast<float>(p) / half + 1.0f;
}

}  // namespace

void addGridGuides(const GridGuides& grid, int frameWidth, int frameHeight, Anchor::AnchorList& anchors) {
    const float hw = static_cast<float>(frameWidth) * 0.5f;
    const float hh = static_cast<float>(frameHeight) * 0.5f;
    addRegular(grid.width, hw, [&](float x) { addGuide(anchors, {x, -1.0f}, {x, 1.0f}); });
    addRegular(grid.height, hh, [&](float y) { addGuide(anchors, {-1.0f, y}, {1.0f, y}); });
    if (hw > 0) {
        for (const int p : grid.x) {
            const float u = freeOffset(p, hw);
            if (u >= -1.0f && u <= 1.0f) addGuide(anchors, {u, 1.0f}, {u, -1.0f});
        }
    }
    if (hh > 0) {
        for (const int p : grid.y) {
            const float v = freeOffset(p, hh);
            if (v >= -1.0f && v <= 1.0f) addGuide(anchors, {1.0f, -v}, {-1.0f, -v});
        }
    }
}

}  // namespace Component
