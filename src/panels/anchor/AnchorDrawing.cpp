// Drawing the handles: each kind is an outline pass in the edge colour and
// a colour pass over it; the hovered handle is drawn again on top.
#include "panels/anchor/AnchorControl.h"

#include "core/base/Exception.h"
#include "edit/model/Object.h"
#include "media/draw/RenderTargetWindow.h"
#include "platform/cairo/DeviceContext.h"
#include "platform/cairo/PathGeometry.h"

#include <algorithm>

namespace Anchor {

namespace {

using Brushes = Resource::ColorBrushList;
using Platform::Cairo::Brush;
using Platform::Cairo::PointF;
using Platform::Cairo::StrokeStyle;

bool isSectionIndex(int index) { return index >= 0 && index < AnchorIndex::AllSections; }

Brushes::Id axisColour(std::uint32_t flags, bool hover) {
    if (flags & AnchorItem::HandleX) return hover ? Brushes::HandleXHover : Brushes::HandleX;
    if (flags & AnchorItem::HandleY) return hover ? Brushes::HandleYHover : Brushes::HandleY;
    if (flags & AnchorItem::HandleZ) return hover ? Brushes::HandleZHover : Brushes::HandleZ;
    return hover ? Brushes::AnchorHover : Brushes::Anchor;
}

// One pass over the target at the control's origin.
class AnchorPainter {
public:
    AnchorPainter(Platform::Cairo::DeviceContext& dc, Brushes& brushes, float x, float y)
        : dc_(dc), brushes_(brushes), x_(x), y_(y) {}

    PointF at(const Float2& p) const { return {p.x + x_, p.y + y_}; }

    // colour: the colour-pass brush; dash: the colour pass's stroke; state:
    // 0 ordinary, 1 the hovered handle drawn on top.
    void draw(const AnchorItem& item, const Brush& colour, float width, StrokeStyle* dash, bool hoveredPass,
              cairo_surface_t* icon) {
        const std::vector<Float2>& p = item.screenPoints;
        Brush& edge = brushes_[Brushes::AnchorEdge];
        switch (item.type) {
        case AnchorItem::Image:
            if (p.size() < 2) return;
            if (hoveredPass) {
                rectangle(p[0], p[1], edge, 3.0f);
                rectangle(p[0], p[1], colour, 2.0f);
            } else if (icon) {
                const PointF a = at(p[0]), b = at(p[1]);
                dc_.drawBitmap(icon, {a.x, a.y, b.x, b.y}, 1.0f, Platform::Cairo::Interpolation::Linear);
            }
            return;
        case AnchorItem::Cross:
            cross(p[0], edge, 2.8f);
            dc_.drawEllipse(at(p[0]), 4.0f, 4.0f, edge, 3.0f, nullptr);
            cross(p[0], colour, 2.2f);
            dc_.drawEllipse(at(p[0]), 4.0f, 4.0f, colour, 2.0f, nullptr);
            return;
        case AnchorItem::ColorPoint:
            dc_.drawEllipse(at(p[0]), 4.0f, 4.0f, edge, 3.0f, nullptr);
            dc_.drawEllipse(at(p[0]), 4.0f, 4.0f, colour, 2.0f, nullptr);
            return;
        case AnchorItem::Handle:
            if (p.size() < 2) return;
            dc_.drawLine(at(p[0]), at(p[1]), edge, 2.8f, nullptr);
            dc_.fillEllipse(at(p[1]), 5.3f, 5.3f, edge);
            dc_.drawLine(at(p[0]), at(p[1]), colour, 2.2f, nullptr);
            dc_.fillEllipse(at(p[1]), 5.0f, 5.0f, colour);
            return;
        case AnchorItem::Square: {
            const PointF c = at(p[0]);
            const Platform::Cairo::RectF box = {c.x - 6.0f, c.y - 6.0f, c.x + 6.0f, c.y + 6.0f};
            if (hoveredPass) {
                dc_.fillRectangle(box, colour);
            } else {
                dc_.drawRectangle(box, edge, width + 0.6f, nullptr);
                dc_.drawRectangle(box, colour, width, nullptr);
            }
            return;
        }
        case AnchorItem::Circle:
        case AnchorItem::SmallCircle:
        case AnchorItem::LargeCircle: {
            const float r = item.type == AnchorItem::Circle ? 20.0f : item.type == AnchorItem::SmallCircle ? 10.0f : 36.0f;
            dc_.drawEllipse(at(p[0]), r, r, edge, width + 0.6f, nullptr);
            dc_.drawEllipse(at(p[0]), r, r, colour, width, dash);
            return;
        }
        case AnchorItem::Polygon: {
            if (p.size() < 2) return;
            Platform::Cairo::PathGeometry path;
            path.beginFigure(at(p[0]));
            for (std::size_t i = 1; i < p.size(); ++i) path.addLine(at(p[i]));
            path.endFigure(true);
            dc_.drawGeometry(path, edge, width + 0.6f, nullptr);
            dc_.drawGeometry(path, colour, width, dash);
            return;
        }
        case AnchorItem::ColorLine:
            segments(p, edge, width + 0.6f, nullptr);
            segments(p, colour, width, dash);
            return;
        case AnchorItem::Line:
            segments(p, edge, 2.8f, nullptr);
            segments(p, brushes_[Brushes::AnchorLine], 2.2f, nullptr);
            return;
        case AnchorItem::Dot:
            dc_.fillEllipse(at(p[0]), 3.3f, 3.3f, edge);
            dc_.fillEllipse(at(p[0]), 3.0f, 3.0f, colour);
            return;
        case AnchorItem::GuideLine:
            if (p.size() >= 2) dc_.drawLine(at(p[0]), at(p[1]), brushes_[Brushes::GridLine], 1.0f, nullptr);
            return;
        default:
            return;
        }
    }

private:
    void rectangle(const Float2& a, const Float2& b, const Brush& brush, float width) {
        const PointF pa = at(a), pb = at(b);
        dc_.drawRectangle({pa.x, pa.y, pb.x, pb.y}, brush, width, nullptr);
    }
    void cross(const Float2& c, const Brush& brush, float width) {
        const PointF p = at(c);
        dc_.drawLine({p.x - 8.0f, p.y}, {p.x + 8.0f, p.y}, brush, width, nullptr);
        dc_.drawLine({p.x, p.y - 8.0f}, {p.x, p.y + 8.0f}, brush, width, nullptr);
    }
    void segments(const std::vector<Float2>& p, const Brush& brush, float width, StrokeStyle* style) {
        if (p.size() < 2) return;
        Platform::Cairo::PathGeometry path;
        path.beginFigure(at(p[0]));
        for (std::size_t i = 1; i < p.size(); ++i) path.addLine(at(p[i]));
        path.endFigure(false);
        dc_.drawGeometry(path, brush, width, style);
    }

    Platform::Cairo::DeviceContext& dc_;
    Brushes& brushes_;
    float x_;
    float y_;
};

Resource::BitmapList::Id iconOf(int image) {
    switch (image) {
    case 0: return Resource::BitmapList::CameraGrey;
    case 1: return Resource::BitmapList::CameraGreen;
    case 2: return Resource::BitmapList::CameraWhite;
    case 3: return Resource::BitmapList::ClipOn;
    case 4: return Resource::BitmapList::ClipOff;
    default: throw System::makeException("Anchor::AnchorItem::getImageBitmap", "invalid anchor image");
    }
}

}  // namespace

void AnchorControl::procPaint() { drawAnchors(); }

void AnchorControl::drawAnchors() {
    if (items.empty() || !host || !visible) return;
    const Window::Rect& full = fullRect();
    const Window::Rect& shown = visibleRect();
    if (shown.width <= 0 || shown.height <= 0) return;
    target = Media::RenderTarget::owner->target;
    Media::RenderTarget::DrawScope scope(*this, shown.x, shown.y, shown.x + shown.width, shown.y + shown.height,
                                         true);
    originX = full.x;
    originY = full.y;
    if (!target) return;

    Brushes& brushes = host->brushList;
    StrokeStyle* dash = strokeStyleList ? strokeStyleList->get(Resource::StrokeStyleList::CustomDash) : nullptr;
    AnchorPainter painter(*target, brushes, static_cast<float>(originX), static_cast<float>(originY));

    const Edit::EditService* edit = editService;
    const int section = edit && edit->hooks.getSettingSection ? edit->hooks.getSettingSection() : -1;
    const int viewMode = getSectionViewMode ? getSectionViewMode() : 0;
    const bool hideOthers = edit && edit->mouseHoverHideOtherAnchor != 0 && hovered;

    const auto colourOf = [&](const AnchorItem& item) -> Brush& {
        if ((item.type == AnchorItem::Polygon || item.type == AnchorItem::LargeCircle) && isSectionIndex(item.index)) {
            if (item.index == section) return brushes[Brushes::AnchorIn];
            if (viewMode == 2 && item.index == section + 1) return brushes[Brushes::AnchorOut];
            return brushes[Brushes::Anchor];
        }
        if (item.type == AnchorItem::Handle) return brushes[axisColour(item.flags, false)];
        return brushes[Brushes::Anchor];
    };
    const auto selectedWhole = [](const AnchorItem& item) {
        return item.index == AnchorIndex::AllSections && (item.flags & AnchorItem::SelectObject) && item.object &&
               item.object->selected;
    };
    const auto iconFor = [&](const AnchorItem& item) -> cairo_surface_t* {
        if (item.type != AnchorItem::Image) return nullptr;
        return host->bitmapList[iconOf(item.image)];
    };

    std::vector<const AnchorItem*> order;
    order.reserve(items.size());
    for (const AnchorItem& item : items)
        if (!(item.flags & AnchorItem::NotDrawn)) order.push_back(&item);
    std::stable_sort(order.begin(), order.end(),
                     [](const AnchorItem* a, const AnchorItem* b) { return a->type > b->type; });

    for (const AnchorItem* item : order) {
        if (selectedWhole(*item)) {
            painter.draw(*item, brushes[Brushes::AnchorSelect], 2.2f, nullptr, false, iconFor(*item));
            continue;
        }
        if (item->flags & AnchorItem::HiddenUnlessSelected) continue;
        if (hideOthers && item->owner != hovered->owner && !(item->flags & AnchorItem::Docked)) continue;
        StrokeStyle* stroke = item->index != AnchorIndex::AllSections ? dash : nullptr;
        painter.draw(*item, colourOf(*item), 1.2f, stroke, false, iconFor(*item));
    }

    if (hovered) {
        Brushes::Id hoverColour = Brushes::AnchorHover;
        if (hovered->type == AnchorItem::Handle) hoverColour = axisColour(hovered->flags, true);
        else if (hovered->index == AnchorIndex::AllSections && hovered->object && hovered->object->selected)
            hoverColour = Brushes::AnchorSelect;
        painter.draw(*hovered, brushes[hoverColour], 2.0f, nullptr, true, nullptr);
    }
}

}  // namespace Anchor
