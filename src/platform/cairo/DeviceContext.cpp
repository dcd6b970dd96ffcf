#include "platform/cairo/DeviceContext.h"

#include <algorithm>
#include <cmath>

namespace Platform::Cairo {

namespace {

RectF intersect(const RectF& a, const RectF& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

void addRectangle(cairo_t* cr, const RectF& r) { cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top); }

// What stroking or filling the current path would cover.
RectF pathBounds(cairo_t* cr, bool stroke) {
    double x1, y1, x2, y2;
    if (stroke)
        cairo_stroke_extents(cr, &x1, &y1, &x2, &y2);
    else
        cairo_fill_extents(cr, &x1, &y1, &x2, &y2);
    return {static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2)};
}

}  // namespace

DeviceContext::~DeviceContext() {
    setTarget(nullptr);
    if (damage_) cairo_region_destroy(damage_);
}

void DeviceContext::setTarget(cairo_surface_t* surface) {
    if (cr_) cairo_destroy(cr_);
    cr_ = nullptr;
    if (target_) cairo_surface_destroy(target_);
    target_ = surface ? cairo_surface_reference(surface) : nullptr;
    clips_.clear();
    drawing_ = false;
    if (target_) makeContext();
}

void DeviceContext::makeContext() {
    if (cr_) cairo_destroy(cr_);
    cr_ = cairo_create(target_);
    cairo_set_antialias(cr_, antialias_ ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

int DeviceContext::pixelWidth() const {
    return target_ && cairo_surface_get_type(target_) == CAIRO_SURFACE_TYPE_IMAGE ? cairo_image_surface_get_width(target_)
                                                                                  : 0;
}

int DeviceContext::pixelHeight() const {
    return target_ && cairo_surface_get_type(target_) == CAIRO_SURFACE_TYPE_IMAGE
               ? cairo_image_surface_get_height(target_)
               : 0;
}

void DeviceContext::beginDraw() {
    if (!cr_) return;
    drawing_ = true;
    cairo_identity_matrix(cr_);
    cairo_reset_clip(cr_);
}

cairo_status_t DeviceContext::endDraw() {
    drawing_ = false;
    if (!cr_) return CAIRO_STATUS_NULL_POINTER;
    cairo_status_t status = cairo_status(cr_);
    if (status == CAIRO_STATUS_SUCCESS && !clips_.empty()) status = CAIRO_STATUS_INVALID_RESTORE;
    while (!clips_.empty()) {
        cairo_restore(cr_);
        clips_.pop_back();
    }
    cairo_surface_flush(target_);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(target_);
    if (status != CAIRO_STATUS_SUCCESS) makeContext();
    return status;
}

void DeviceContext::setAntialias(bool antialias) {
    antialias_ = antialias;
    if (cr_) cairo_set_antialias(cr_, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void DeviceContext::pushAxisAlignedClip(const RectF& rect) {
    if (!cr_) return;
    cairo_save(cr_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    addRectangle(cr_, rect);
    cairo_clip(cr_);
    cairo_set_antialias(cr_, antialias_ ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    clips_.push_back(clips_.empty() ? rect : intersect(clips_.back(), rect));
}

void DeviceContext::popAxisAlignedClip() {
    if (!cr_ || clips_.empty()) return;
    cairo_restore(cr_);
    clips_.pop_back();
}

void DeviceContext::touch(const RectF* bounds) {
    RectF area = clips_.empty() ? RectF{0, 0, static_cast<float>(pixelWidth()), static_cast<float>(pixelHeight())}
                                : clips_.back();
    if (bounds) area = intersect(area, *bounds);
    const int left = static_cast<int>(std::floor(area.left));
    const int top = static_cast<int>(std::floor(area.top));
    const int right = static_cast<int>(std::ceil(area.right));
    const int bottom = static_cast<int>(std::ceil(area.bottom));
    if (right <= left || bottom <= top) return;
    if (!damage_) damage_ = cairo_region_create();
    const cairo_rectangle_int_t r{left, top, right - left, bottom - top};
    cairo_region_union_rectangle(damage_, &r);
}

void DeviceContext::clear(const ColorF& color) {
    if (!cr_) return;
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr_, color.r, color.g, color.b, color.a);
    cairo_paint(cr_);
    cairo_restore(cr_);
    touch();
}

void DeviceContext::fillRectangle(const RectF& rect, const Brush& brush) {
    if (!cr_) return;
    brush.applyTo(cr_);
    cairo_new_path(cr_);
    addRectangle(cr_, rect);
    cairo_fill(cr_);
    touch(&rect);
}

void DeviceContext::stroke(const Brush& brush, float width, const StrokeStyle* style) {
    if (style)
        style->applyTo(cr_, width);
    else
        StrokeStyle::applyDefault(cr_, width);
    brush.applyTo(cr_);
    const RectF bounds = pathBounds(cr_, true);
    cairo_stroke(cr_);
    touch(&bounds);
}

void DeviceContext::drawRectangle(const RectF& rect, const Brush& brush, float width, const StrokeStyle* style) {
    if (!cr_) return;
    cairo_new_path(cr_);
    addRectangle(cr_, rect);
    stroke(brush, width, style);
}

void DeviceContext::drawLine(PointF from, PointF to, const Brush& brush, float width, const StrokeStyle* style) {
    if (!cr_) return;
    cairo_new_path(cr_);
    cairo_move_to(cr_, from.x, from.y);
    cairo_line_to(cr_, to.x, to.y);
    stroke(brush, width, style);
}

namespace {

void addEllipse(cairo_t* cr, PointF center, float radiusX, float radiusY) {
    cairo_new_path(cr);
    if (radiusX <= 0 || radiusY <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, center.x, center.y);
    cairo_scale(cr, radiusX, radiusY);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

}  // namespace

void DeviceContext::fillEllipse(PointF center, float radiusX, float radiusY, const Brush& brush) {
    if (!cr_) return;
    addEllipse(cr_, center, radiusX, radiusY);
    brush.applyTo(cr_);
    cairo_fill(cr_);
    const RectF bounds{center.x - radiusX, center.y - radiusY, center.x + radiusX, center.y + radiusY};
    touch(&bounds);
}

void DeviceContext::drawEllipse(PointF center, float radiusX, float radiusY, const Brush& brush, float width,
                                const StrokeStyle* style) {
    if (!cr_) return;
    addEllipse(cr_, center, radiusX, radiusY);
    stroke(brush, width, style);
}

void DeviceContext::fillGeometry(const PathGeometry& geometry, const Brush& brush, float offsetX, float offsetY) {
    if (!cr_) return;
    geometry.appendTo(cr_, offsetX, offsetY);
    brush.applyTo(cr_);
    const RectF bounds = pathBounds(cr_, false);
    cairo_fill(cr_);
    touch(&bounds);
}

void DeviceContext::drawGeometry(const PathGeometry& geometry, const Brush& brush, float width,
                                 const StrokeStyle* style, float offsetX, float offsetY) {
    if (!cr_) return;
    geometry.appendTo(cr_, offsetX, offsetY);
    stroke(brush, width, style);
}

void DeviceContext::drawBitmap(cairo_surface_t* bitmap, const RectF& destination, float opacity,
                               Interpolation interpolation, const RectF* source) {
    if (!cr_ || !bitmap) return;
    const RectF whole{0, 0, static_cast<float>(cairo_image_surface_get_width(bitmap)),
                      static_cast<float>(cairo_image_surface_get_height(bitmap))};
    const RectF& from = source ? *source : whole;
    const double width = destination.right - destination.left;
    const double height = destination.bottom - destination.top;
    if (width <= 0 || height <= 0 || from.right <= from.left || from.bottom <= from.top) return;
    cairo_save(cr_);
    cairo_new_path(cr_);
    addRectangle(cr_, destination);
    cairo_clip(cr_);
    cairo_translate(cr_, destination.left, destination.top);
    cairo_scale(cr_, width / (from.right - from.left), height / (from.bottom - from.top));
    cairo_set_source_surface(cr_, bitmap, -from.left, -from.top);
    cairo_pattern_t* pattern = cairo_get_source(cr_);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, interpolation == Interpolation::NearestNeighbor  ? CAIRO_FILTER_NEAREST
                                      : interpolation == Interpolation::MultiSampleLinear ? CAIRO_FILTER_GOOD
                                                                                          : CAIRO_FILTER_BILINEAR);
    cairo_paint_with_alpha(cr_, opacity);
    cairo_restore(cr_);
    touch(&destination);
}

void DeviceContext::drawTextLayout(PointF origin, const TextLayout& layout, const Brush& brush, bool clip) {
    if (!cr_) return;
    cairo_save(cr_);
    const RectF box{origin.x, origin.y, origin.x + layout.getMaxWidth(), origin.y + layout.getMaxHeight()};
    if (clip) {
        cairo_new_path(cr_);
        addRectangle(cr_, box);
        cairo_clip(cr_);
    }
    brush.applyTo(cr_);
    layout.draw(cr_, origin.x, origin.y);
    cairo_restore(cr_);
    touch(clip ? &box : nullptr);
}

cairo_surface_t* DeviceContext::createBitmap(int width, int height) const {
    if (!target_) return nullptr;
    return cairo_surface_create_similar_image(target_, CAIRO_FORMAT_ARGB32, width, height);
}

cairo_status_t DeviceContext::copyToBitmap(cairo_surface_t* bitmap, int x, int y, const RectF& source) const {
    if (!target_ || !bitmap) return CAIRO_STATUS_NULL_POINTER;
    cairo_surface_flush(target_);
    cairo_t* cr = cairo_create(bitmap);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(cr, x, y, source.right - source.left, source.bottom - source.top);
    cairo_clip(cr);
    cairo_set_source_surface(cr, target_, x - source.left, y - source.top);
    cairo_paint(cr);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_mark_dirty(bitmap);
    return status;
}

cairo_region_t* DeviceContext::takeDamage() {
    cairo_region_t* taken = damage_ ? damage_ : cairo_region_create();
    damage_ = nullptr;
    return taken;
}

void DeviceContext::damageAll() {
    const RectF whole{0, 0, static_cast<float>(pixelWidth()), static_cast<float>(pixelHeight())};
    std::vector<RectF> saved;
    saved.swap(clips_);
    touch(&whole);
    saved.swap(clips_);
}

}  // namespace Platform::Cairo
