#include "media/text/TextDraw.h"

#include "media/draw/ColorBrush.h"
#include "media/draw/RenderTargetDirect3D.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/ResourceService.h"
#include "platform/cairo/PathGeometry.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <mutex>

namespace Media {

using Platform::Cairo::ColorF;

namespace {

constexpr float kFarAway = 1e6f;

std::mutex presetLookupMutex;
TextDraw::PresetColorLookup presetLookup;

// An outline in design units (y up) as a path in pixels (y down).
class GeometrySink final : public Platform::Font::OutlineSink {
public:
    GeometrySink(Platform::Cairo::PathGeometry& path, float scale) : path_(path), scale_(scale) {
        path_.setFillMode(Platform::Cairo::FillMode::Winding);
    }
    void moveTo(float x, float y) override { path_.beginFigure(point(x, y)); }
    void lineTo(float x, float y) override { path_.addLine(point(x, y)); }
    void cubicTo(float x1, float y1, float x2, float y2, float x, float y) override {
        path_.addBezier(point(x1, y1), point(x2, y2), point(x, y));
    }
    void close() override { path_.endFigure(true); }

private:
    Platform::Cairo::PointF point(float x, float y) const { return {x * scale_, -y * scale_}; }
    Platform::Cairo::PathGeometry& path_;
    float scale_;
};

float clampSize(float size) {
    if (!(size >= TextDraw::minimumSize)) return TextDraw::minimumSize;  // NaN too
    return std::min(size, TextDraw::maximumSize);
}

int pixels(float margin1, float extent, float margin2) {
    return static_cast<int>(std::ceil(margin1 + extent + margin2));
}

// Keeps margin1 + extent + margin2 within limit, cutting the extent first.
void limitSpan(float& margin1, float& extent, float& margin2, float limit) {
    for (float* v : {&margin1, &extent, &margin2})
        if (!std::isfinite(*v) || *v < 0) *v = std::isfinite(*v) && *v < 0 ? 0 : limit;
    margin1 = std::min(margin1, limit);
    margin2 = std::min(margin2, limit - margin1);
    extent = std::min(extent, limit - margin1 - margin2);
}

// Cuts the height of a (width x height) picture to the area limit.
void limitArea(float& top, float& height, float& bottom, float pictureWidth) {
    if (pictureWidth <= 0) return;
    const float side = std::floor(static_cast<float>(TextDraw::pictureAreaLimit) / pictureWidth);
    if (top + height + bottom > side) limitSpan(top, height, bottom, side);
}

}  // namespace

void TextDraw::setPresetColorLookup(PresetColorLookup lookup) {
    std::lock_guard lock(presetLookupMutex);
    presetLookup = std::move(lookup);
}

bool TextDraw::findPresetColor(const std::wstring& name, float rgba[4]) {
    PresetColorLookup lookup;
    {
        std::lock_guard lock(presetLookupMutex);
        lookup = presetLookup;
    }
    return lookup && lookup(name, rgba);
}

TextDraw::TextDraw(const wchar_t* text, const std::wstring& fontName, float size, float decorationWidthRatio,
                   float shadowFactor, bool roundedOutline, bool bold, bool italic, bool vertical,
                   float lineAlignment, float characterSpacing, float lineSpacing, double elapsedTime,
                   double displaySpeed, const ColorF& textColor, const ColorF& decorationColor)
    : text_(text ? text : L""),
      elapsedTime_(elapsedTime),
      vertical_(vertical),
      lineAlignment_(lineAlignment),
      baseFontName_(fontName),
      baseSize_(size),
      decorationWidthRatio_(decorationWidthRatio),
      shadowFactor_(shadowFactor),
      roundedOutline_(roundedOutline),
      baseBold_(bold),
      baseItalic_(italic),
      baseTextColor_(textColor),
      baseDecorationColor_(decorationColor),
      characterSpacing_(characterSpacing),
      lineSpacing_(lineSpacing),
      displaySpeed_(displaySpeed) {
    position_ = text_;
}

TextDraw::~TextDraw() = default;

int TextDraw::pictureWidth() const { return pixels(marginLeft_, width_, marginRight_); }
int TextDraw::pictureHeight() const { return pixels(marginTop_, height_, marginBottom_); }
int TextDraw::atlasPixelWidth() const { return static_cast<int>(std::ceil(atlasWidth_)); }
int TextDraw::atlasPixelHeight() const { return static_cast<int>(std::ceil(atlasHeight_)); }

void TextDraw::layoutText(RenderTargetDirect3D* target) {
    target_ = target;
    reset();
    for (;;) {
        const bool more = nextLine();
        finishLine();
        if (!vertical_) {
            const float b = penY_ + line_.height;
            height_ = std::max(height_, b);
            penY_ = b + lineSpacing_;
        } else {
            const float d = penX_ - line_.height;
            width_ = std::max(width_, -d);
            penX_ = d - lineSpacing_;
        }
        // Later lines are not shown yet: their tags do not run either.
        if (laidOut_ && displayTime_ > elapsedTime_) {
            flushStrikeLine();
            break;
        }
        flushStrikeLine();
        if (!more) break;
    }
    if (!laidOut_) limitExtent();
    laidOut_ = true;
}

void TextDraw::limitExtent() {
    const float side = static_cast<float>(pictureSideLimit);
    limitSpan(marginLeft_, width_, marginRight_, side);
    limitSpan(marginTop_, height_, marginBottom_, side);
    limitArea(marginTop_, height_, marginBottom_, static_cast<float>(pictureWidth()));
    float none = 0, none2 = 0;
    limitSpan(none, atlasWidth_, none2, side);
    limitSpan(none, atlasHeight_, none2, side);
    limitArea(none, atlasHeight_, none2, static_cast<float>(atlasPixelWidth()));
}

void TextDraw::drawToBuffer(ResourceBuffer& buffer) {
    if (characterIndex_ == 0) return;
    RenderTargetDirect3D surface = buffer.getSurface();
    surface.beginDraw();
    try {
        layoutText(&surface);
    } catch (...) {
        target_ = nullptr;
        throw;
    }
    target_ = nullptr;
    surface.endDraw();
}

void TextDraw::splitCharacters(ResourceBuffer& atlas, SplitCallback callback) {
    if (!callback) throw std::bad_function_call();
    for (const CharacterCell& cell : cells_) {
        if (cell.width <= 0 || cell.height <= 0 || cell.x < 0 || cell.y < 0) continue;
        auto buffer = std::make_unique<ResourceBuffer>(static_cast<UINT>(cell.width), static_cast<UINT>(cell.height));
        if (static_cast<std::int64_t>(cell.x) + cell.width > atlas.getWidth() ||
            static_cast<std::int64_t>(cell.y) + cell.height > atlas.getHeight())
            continue;
        buffer->copyRegion(atlas, static_cast<UINT>(cell.x), static_cast<UINT>(cell.y), static_cast<UINT>(cell.width),
                           static_cast<UINT>(cell.height));
        callback(std::move(buffer), cell.index, cell.time, marginLeft_ + cell.centerX, marginTop_ + cell.centerY,
                 cell.z);
    }
}

void TextDraw::reset() {
    setFont(baseFontName_, baseSize_, baseSize_ * decorationWidthRatio_, baseBold_, baseItalic_, baseStrikeThrough_);
    setColor(baseTextColor_, baseDecorationColor_);
    position_ = text_;
    secondsPerCharacter_ = displaySpeed_ > 0 ? 1.0 / displaySpeed_ : 0.0;
    currentFontName_ = baseFontName_;
    penX_ = penY_ = penZ_ = 0;
    if (!laidOut_) {
        width_ = height_ = 0;
        marginLeft_ = marginRight_ = marginTop_ = marginBottom_ = 0;
        firstShownIndex_ = 0;
    }
    if (vertical_) penX_ = laidOut_ ? width_ : 0;
    proportionalCount_ = 0;
    // Each pass counts its characters afresh, so the cells of the drawing
    // pass carry the characters' own indices.
    characterIndex_ = 0;
    lineIndex_ = 0;
    displayTime_ = 0;
    rowY_ = 0;
    rowX_ = rowHeight_ = 0;
    atlasWidth_ = atlasHeight_ = 0;
    strike_ = {};
}

void TextDraw::setFont(const std::wstring& name, float size, float decorationWidth, bool bold, bool italic,
                       bool strike) {
    size = clampSize(size);
    // Every pass starts from the base font: the face is opened again only
    // when it changes.
    FaceKey key{name, size, bold, italic, strike};
    if (!glyphFace_ || !(key == faceKey_)) {
        // The new face opens before the current one goes: a font file gone
        // since start leaves the current face in use.
        auto face = std::make_unique<Resource::FontFace>();
        face->setFont(name, size, bold, italic, strike, vertical_);
        auto glyphFace = std::make_unique<Platform::Font::GlyphFace>(*face->get());
        glyphFace_ = std::move(glyphFace);  // it reads the face replaced next
        fontFace_ = std::move(face);
        faceKey_ = std::move(key);
    }
    decorationWidth_ = std::isfinite(decorationWidth) ? std::clamp(decorationWidth, 0.0f, maximumSize) : 0.0f;
    currentSize_ = size;
    Resource::ResourceService* resources = Resource::ResourceService::getInstance();
    strokeStyle_ = roundedOutline_ && resources ? resources->strokeStyleList.get(Resource::StrokeStyleList::Round)
                                                : nullptr;
    shadowOffset_ = shadowFactor_ > 0 ? size * 0.05f : 0.0f;
    innerMargin_ = decorationWidth_ * 0.5f + 1.0f;
    outerMargin_ = innerMargin_ + shadowOffset_;
}

void TextDraw::setColor(const ColorF& text, const ColorF& decoration) {
    if (!target_) return;
    textColor_ = text;
    decorationColor_ = decoration;
    ColorF shaded = decoration;
    if (shadowFactor_ > 0) shaded.a *= shadowFactor_;
    textBrush_ = Resource::ColorBrush::create(text);
    decorationBrush_ = Resource::ColorBrush::create(shaded);
}

void TextDraw::beginLine() {
    if (lineIndex_ < static_cast<std::int32_t>(lines_.size()))
        line_ = lines_[static_cast<std::size_t>(lineIndex_)];
    else
        line_ = {fontFace_->lineHeight, fontFace_->ascent, 0, 0};
    const float length = vertical_ ? height_ : width_;
    penAlong() = line_.extent > 0 ? (length - line_.extent) * lineAlignment_ + line_.start : line_.start;
    charactersInLine_ = 0;
    rowX_ = 0;
    rowHeight_ = 0;
}

bool TextDraw::nextLine() {
    beginLine();
    for (;;) {
        char32_t c = static_cast<char32_t>(*position_);
        if (c == 0) return false;
        ++position_;
        if (c == L'\n') return true;
        if (c == L'<') {
            if (parseTag()) continue;
        } else if (c < 32) {
            continue;
        } else if (c >= 0xD800 && c < 0xDC00) {
            // A pair of UTF-16 units in the wide text is one character; a
            // lone half is not one and shows as the replacement character.
            const char32_t low = static_cast<char32_t>(*position_);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++position_;
            } else {
                c = 0xFFFD;
            }
        } else if ((c >= 0xDC00 && c < 0xE000) || c > 0x10FFFF) {
            c = 0xFFFD;
        }

        if (charactersInLine_ > 0) penAlong() += characterSpacing_;
        setGlyph(c);

        if (characterIndex_ >= firstShownIndex_ && displayTime_ <= elapsedTime_ && target_) {
            if (splitMode_) {
                float cx = glyph_.leftOverhang + innerMargin_;
                float dy = glyph_.topOverhang + outerMargin_;
                if (vertical_)
                    cx += (fontFace_->ascent - line_.baseline) + line_.height;
                else
                    dy += fontFace_->ascent - line_.baseline;
                cells_.push_back({characterIndex_, static_cast<float>(displayTime_), static_cast<std::int32_t>(cellX_),
                                  static_cast<std::int32_t>(cellY_), static_cast<std::int32_t>(cellWidth_),
                                  static_cast<std::int32_t>(cellHeight_), penX_ + cellWidth_ * 0.5f - cx,
                                  penY_ + cellHeight_ * 0.5f - dy, penZ_});
                drawGlyph(cx + cellX_, dy + cellY_);
            } else {
                drawGlyph(marginLeft_ + penX_, marginTop_ + penY_);
            }
        }

        if (!vertical_) {
            penX_ += glyph_.advanceX;
            width_ = std::max(width_, penX_);
            height_ = std::max(height_, penY_ + line_.height);
        } else {
            penY_ += glyph_.advanceY;
            height_ = std::max(height_, penY_);
            width_ = std::max(width_, line_.height - penX_);
        }
        ++proportionalCount_;
        ++characterIndex_;
        ++charactersInLine_;
        displayTime_ += secondsPerCharacter_;
    }
}

void TextDraw::finishLine() {
    if (lineIndex_ >= static_cast<std::int32_t>(lines_.size())) {
        LineInfo finished = line_;
        finished.extent = penAlong();
        lines_.push_back(finished);
    }
    ++lineIndex_;
    atlasWidth_ = std::max(atlasWidth_, rowX_);
    rowY_ += rowHeight_;
    atlasHeight_ = std::max(atlasHeight_, rowY_);
}

void TextDraw::setGlyph(char32_t codePoint) {
    const float scale = fontFace_->scale;
    if (!vertical_) {
        glyph_.setGlyph(*glyphFace_, scale, codePoint);
        glyph_.offsetX = 0;
        glyph_.offsetY = line_.baseline;
    } else {
        glyph_.setGlyphVertical(*glyphFace_, scale, codePoint);
        glyph_.offsetX = -glyph_.advanceX * 0.5f - line_.baseline;
        glyph_.offsetY = static_cast<float>(glyph_.metrics.verticalOriginY) * scale;
    }

    if (!laidOut_) {
        if (!vertical_) {
            if (penX_ + glyph_.leftBearing < 0) {
                line_.start -= glyph_.leftBearing;
                penX_ -= glyph_.leftBearing;
            }
            marginLeft_ = std::max(marginLeft_, innerMargin_ - glyph_.leftBearing - penX_);
            marginRight_ = std::max(marginRight_, outerMargin_ - glyph_.rightBearing);
            marginTop_ = std::max(marginTop_, innerMargin_ - glyph_.topBearing - penY_);
            marginBottom_ = std::max(marginBottom_, outerMargin_ - glyph_.bottomBearing);
        } else {
            if (penY_ + glyph_.topBearing < 0) {
                line_.start -= glyph_.topBearing;
                penY_ -= glyph_.topBearing;
            }
            marginTop_ = std::max(marginTop_, innerMargin_ - glyph_.topBearing - penY_);
            marginBottom_ = std::max(marginBottom_, outerMargin_ - glyph_.bottomBearing);
            marginRight_ = std::max(marginRight_, outerMargin_ + penX_ - glyph_.rightBearing);
            marginLeft_ = std::max(marginLeft_, innerMargin_ - glyph_.leftBearing);
        }
    }

    const float along = vertical_ ? line_.height : glyph_.advanceX;
    const float across = vertical_ ? glyph_.advanceY : line_.height;
    cellX_ = std::ceil(rowX_);
    cellY_ = std::ceil(rowY_);
    cellWidth_ = std::ceil(glyph_.rightOverhang + glyph_.leftOverhang + innerMargin_ + outerMargin_ + along);
    rowX_ += cellWidth_;
    cellHeight_ = std::ceil(glyph_.bottomOverhang + glyph_.topOverhang + innerMargin_ + outerMargin_ + across);
    rowHeight_ = std::max(rowHeight_, cellHeight_);
}

void TextDraw::drawGlyph(float x, float y) {
    const float originX = x + glyph_.offsetX;
    const float originY = y + glyph_.offsetY;
    // Far outside any picture (a pen moved by a hostile tag): nothing to see,
    // and beyond what the rasteriser's fixed-point coordinates hold.
    if (!(std::fabs(originX) < kFarAway && std::fabs(originY) < kFarAway)) return;
    // Colour glyphs get no border, shadow or strike-through.
    if (drawColorGlyph(originX, originY)) return;

    Platform::Cairo::PathGeometry geometry;
    GeometrySink sink(geometry, fontFace_->scale);
    glyphFace_->outline(glyph_.glyphIndex, sink);
    if (!geometry.empty()) {
        if (shadowOffset_ > 0) {
            target_->drawGeometry(geometry, decorationBrush_.get(), originX + shadowOffset_, originY + shadowOffset_,
                                  decorationBrush_.get(), decorationWidth_, strokeStyle_);
            target_->drawGeometry(geometry, textBrush_.get(), originX, originY, textBrush_.get(), decorationWidth_,
                                  strokeStyle_);
        } else {
            target_->drawGeometry(geometry, textBrush_.get(), originX, originY, decorationBrush_.get(),
                                  decorationWidth_, strokeStyle_);
        }
    }

    const float thickness = fontFace_->strikeThroughThickness;
    if (thickness <= 0 || splitMode_) return;
    StrikeSegment segment;
    segment.thickness = thickness;
    if (!vertical_) {
        segment.position = originY - fontFace_->strikeThroughPosition;
        segment.start = originX;
        segment.end = originX + glyph_.advanceX;
    } else {
        segment.position = x - line_.height * 0.5f;
        segment.start = y;
        segment.end = y + glyph_.advanceY;
    }
    segment.pending = true;
    if (strike_.pending &&
        (strike_.position != segment.position || strike_.thickness != segment.thickness || strike_.lineBreak))
        flushStrikeLine();
    if (!strike_.pending) {
        strike_ = segment;
    } else {
        strike_.start = std::min(strike_.start, segment.start);
        strike_.end = std::max(strike_.end, segment.end);
    }
}

bool TextDraw::drawColorGlyph(float x, float y) {
    std::vector<Platform::Font::ColorLayer> layers;
    if (glyphFace_->colorLayers(glyph_.glyphIndex, layers)) {
        for (const Platform::Font::ColorLayer& layer : layers) {
            Platform::Cairo::PathGeometry geometry;
            GeometrySink sink(geometry, fontFace_->scale);
            glyphFace_->outline(layer.glyph, sink);
            if (geometry.empty()) continue;
            const Platform::Cairo::SolidColorBrush brush(layer.foreground ? textColor_
                                                                          : ColorF{layer.r, layer.g, layer.b, layer.a});
            target_->drawGeometry(geometry, &brush, x, y, nullptr, 0, nullptr);
        }
        return true;
    }
    Platform::Font::ColorBitmap bitmap;
    if (!glyphFace_->colorBitmap(glyph_.glyphIndex, currentSize_, bitmap)) return false;
    cairo_surface_t* image = cairo_image_surface_create_for_data(bitmap.pixels.data(), CAIRO_FORMAT_ARGB32,
                                                                 bitmap.width, bitmap.height, bitmap.stride);
    const float left = x + bitmap.left * bitmap.scale;
    const float top = y - bitmap.top * bitmap.scale;
    target_->context().drawBitmap(image,
                                  {left, top, left + static_cast<float>(bitmap.width) * bitmap.scale,
                                   top + static_cast<float>(bitmap.height) * bitmap.scale},
                                  1.0f, Platform::Cairo::Interpolation::Linear);
    cairo_surface_destroy(image);
    return true;
}

void TextDraw::flushStrikeLine() {
    if (!strike_.pending) return;
    strike_.pending = false;
    if (!target_ || !textBrush_) return;
    const float w = decorationWidth_;
    const float t = strike_.thickness;
    const float start = strike_.start + w * 0.5f;
    const float end = strike_.end - w * 0.5f;
    Platform::Cairo::PointF from, to;
    if (!vertical_) {
        const float y = strike_.position + t * 0.5f;
        from = {start, y};
        to = {end, y};
    } else {
        from = {strike_.position, start};
        to = {strike_.position, end};
    }
    Platform::Cairo::DeviceContext& context = target_->context();
    if (shadowOffset_ > 0)
        context.drawLine({from.x + shadowOffset_, from.y + shadowOffset_}, {to.x + shadowOffset_, to.y + shadowOffset_},
                         *decorationBrush_, w + t, strokeStyle_);
    if (w > 0) context.drawLine(from, to, *decorationBrush_, w + t, strokeStyle_);
    context.drawLine(from, to, *textBrush_, t, strokeStyle_);
}

}  // namespace Media
