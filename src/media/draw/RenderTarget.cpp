#include "media/draw/RenderTarget.h"

#include "core/base/Exception.h"
#include "media/draw/Direct2DService.h"
#include "media/resource/ResourceService.h"
#include "platform/cairo/WindowSurface.h"

namespace Media {

using Platform::Cairo::PointF;
using Platform::Cairo::RectF;

RenderTarget::RenderTarget() : owner(this) {}

RenderTarget::RenderTarget(RenderTarget& window) : target(window.target), owner(window.owner) {}

void RenderTarget::beginDraw(RenderTarget& target) {
    RenderTarget& owner = *target.owner;
    if (owner.nesting++ == 0 && owner.target) owner.target->beginDraw();
}

void RenderTarget::endDraw(RenderTarget& target) {
    RenderTarget& owner = *target.owner;
    if (--owner.nesting != 0 || !owner.target) return;
    const cairo_status_t status = owner.presenter ? owner.presenter->endDraw() : owner.target->endDraw();
    // The builder logs the failure; the window has been asked to repaint.
    if (status != CAIRO_STATUS_SUCCESS)
        (void)System::makeHResultException("target->EndDraw", "Media::RenderTarget::endDraw",
                                           static_cast<HRESULT>(status), cairo_status_to_string(status));
}

RenderTarget::DrawScope::DrawScope(RenderTarget& target, int left, int top, int right, int bottom, bool absolute)
    : counted_(target),
      target_(target),
      savedX_(target.drawX),
      savedY_(target.drawY),
      savedWidth_(target.drawWidth),
      savedHeight_(target.drawHeight),
      savedOriginX_(target.originX),
      savedOriginY_(target.originY) {
    beginDraw(counted_);
    const int width = right - left;
    const int height = bottom - top;
    if (absolute) {
        target.drawX = left;
        target.drawY = top;
        target.originX = left;
        target.originY = top;
    } else {
        target.drawX = savedX_ + left;
        target.drawY = savedY_ + top;
        target.originX = target.drawX;
        target.originY = target.drawY;
    }
    target.drawWidth = width;
    target.drawHeight = height;
    if (absolute && left == savedX_ && top == savedY_ && width == savedWidth_ && height == savedHeight_) return;
    if (target.target) {
        target.target->pushAxisAlignedClip(RectF{static_cast<float>(target.drawX), static_cast<float>(target.drawY),
                                                 static_cast<float>(target.drawX + width),
                                                 static_cast<float>(target.drawY + height)});
    }
    clipped_ = true;
}

RenderTarget::DrawScope::~DrawScope() {
    if (clipped_ && target_.target) target_.target->popAxisAlignedClip();
    target_.drawX = savedX_;
    target_.drawY = savedY_;
    target_.drawWidth = savedWidth_;
    target_.drawHeight = savedHeight_;
    target_.originX = savedOriginX_;
    target_.originY = savedOriginY_;
    endDraw(counted_);
}

PointF RenderTarget::at(float x, float y) const {
    return {x + static_cast<float>(originX), y + static_cast<float>(originY)};
}

void RenderTarget::fill(const Platform::Cairo::Brush& brush) {
    if (!target) return;
    target->fillRectangle(RectF{static_cast<float>(drawX), static_cast<float>(drawY),
                                static_cast<float>(drawX + drawWidth), static_cast<float>(drawY + drawHeight)},
                          brush);
}

void RenderTarget::fillRectangle(int left, int top, int right, int bottom, const Platform::Cairo::Brush& brush) {
    if (!target) return;
    const PointF a = at(left, top);
    const PointF b = at(right, bottom);
    target->fillRectangle(RectF{a.x, a.y, b.x, b.y}, brush);
}

void RenderTarget::drawRectangle(int left, int top, int right, int bottom, const Platform::Cairo::Brush& brush,
                                 float strokeWidth, const Platform::Cairo::StrokeStyle* style) {
    if (!target) return;
    const PointF a = at(left + 0.5f, top + 0.5f);
    const PointF b = at(right - 0.5f, bottom - 0.5f);
    target->drawRectangle(RectF{a.x, a.y, b.x, b.y}, brush, strokeWidth, style);
}

void RenderTarget::drawLine(int x1, int y1, int x2, int y2, const Platform::Cairo::Brush& brush, float strokeWidth,
                            const Platform::Cairo::StrokeStyle* style) {
    if (!target) return;
    target->drawLine(at(x1 + 0.5f, y1 + 0.5f), at(x2 + 0.5f, y2 + 0.5f), brush, strokeWidth, style);
}

void RenderTarget::drawEllipse(float centerX, float centerY, float radiusX, float radiusY,
                               const Platform::Cairo::Brush& brush, float strokeWidth) {
    if (!target) return;
    target->drawEllipse(at(centerX, centerY), radiusX, radiusY, brush, strokeWidth, nullptr);
}

void RenderTarget::fillEllipse(float centerX, float centerY, float radiusX, float radiusY,
                               const Platform::Cairo::Brush& brush) {
    if (!target) return;
    target->fillEllipse(at(centerX, centerY), radiusX, radiusY, brush);
}

void RenderTarget::drawBitmap(cairo_surface_t* bitmap, int left, int top, int right, int bottom, float opacity) {
    if (!target) return;
    const PointF a = at(left, top);
    const PointF b = at(right, bottom);
    target->drawBitmap(bitmap, RectF{a.x, a.y, b.x, b.y}, opacity, Platform::Cairo::Interpolation::Linear);
}

namespace {

Platform::Cairo::PathGeometry closedFigure(const float* points, int count, PointF origin) {
    Platform::Cairo::PathGeometry path;
    if (count <= 0) return path;
    path.beginFigure({points[0] + origin.x, points[1] + origin.y});
    for (int i = 1; i < count; ++i) path.addLine({points[2 * i] + origin.x, points[2 * i + 1] + origin.y});
    path.endFigure(true);
    return path;
}

}  // namespace

void RenderTarget::drawPath(const float* points, int count, const Platform::Cairo::Brush& brush, float strokeWidth,
                            const Platform::Cairo::StrokeStyle* style) {
    if (!target) return;
    target->drawGeometry(closedFigure(points, count, at(0, 0)), brush, strokeWidth, style);
}

void RenderTarget::fillPath(const float* points, const Platform::Cairo::Brush& brush) {
    if (!target) return;
    target->fillGeometry(closedFigure(points, 3, at(0, 0)), brush);
}

void RenderTarget::fillGradient(int left, int top, int right, int bottom, Platform::Cairo::LinearGradientBrush& brush,
                                bool vertical) {
    if (!target) return;
    const PointF a = at(left, top);
    const PointF b = at(right, bottom);
    const float middleX = (a.x + b.x) / 2;
    const float middleY = (a.y + b.y) / 2;
    if (vertical) {
        brush.setStartPoint({middleX, a.y});
        brush.setEndPoint({middleX, middleY});
    } else {
        brush.setStartPoint({a.x, middleY});
        brush.setEndPoint({b.x, middleY});
    }
    target->fillRectangle(RectF{a.x, a.y, b.x, b.y}, brush);
}

void RenderTarget::drawTextLayout(float x, float y, const Platform::Cairo::TextLayout& layout,
                                  const Platform::Cairo::Brush& brush, bool clip) {
    if (!target) return;
    target->drawTextLayout(at(x, y), layout, brush, clip);
}

void RenderTarget::drawText(const std::wstring& text, Platform::Cairo::TextFormat& format, int left, int top,
                            int right, int bottom, const Platform::Cairo::Brush& brush) {
    if (!target) return;
    const Platform::Cairo::TextLayout layout(format, text, static_cast<float>(right - left),
                                             static_cast<float>(bottom - top));
    target->drawTextLayout(at(left, top), layout, brush, true);
}

void RenderTarget::drawIcon(const Icon& icon, float x, float y, float scaleX, float scaleY,
                            const Platform::Cairo::Brush& brush) {
    if (!target) return;
    const auto map = [&](float u, float v) { return PointF{scaleX * u + x, scaleY * v + y}; };
    if (icon.triangle) {
        float points[6];
        for (int i = 0; i < 3; ++i) {
            const PointF p = map(icon.triangle[i].x, icon.triangle[i].y);
            points[2 * i] = p.x;
            points[2 * i + 1] = p.y;
        }
        fillPath(points, brush);
    }
    if (icon.rectangle) {
        const PointF a = map(icon.rectangle->left, icon.rectangle->top);
        const PointF b = map(icon.rectangle->right, icon.rectangle->bottom);
        const PointF pa = at(a.x, a.y);
        const PointF pb = at(b.x, b.y);
        target->fillRectangle(RectF{pa.x, pa.y, pb.x, pb.y}, brush);
    }
    if (icon.lineCount > 0) {
        Resource::ResourceService* resources = Resource::ResourceService::getInstance();
        const Platform::Cairo::StrokeStyle* round =
            resources ? resources->strokeStyleList.get(Resource::StrokeStyleList::Round) : nullptr;
        for (int i = 0; i < icon.lineCount; ++i) {
            const IconLine& line = icon.lines[i];
            const PointF a = map(line.x1, line.y1);
            const PointF b = map(line.x2, line.y2);
            target->drawLine(at(a.x, a.y), at(b.x, b.y), brush, scaleY * line.width, round);
        }
    }
}

}  // namespace Media
