// Drawing of the object area: rows, layer-range reach, tempo grid, the end
// of the scene, object boxes in their type colours with bands, names,
// section marks and waveforms, hover and focus marks, the frame cursor,
// the rubber band, and the two overlay lines drawn over saved pixels.
#include "panels/timeline/EditLayerObjectControl.h"

#include "edit/scope/EditScope.h"
#include "media/audio/WaveformBuffer.h"
#include "media/draw/RenderTargetWindow.h"
#include "panels/timeline/EditComponent.h"
#include "render/context/ObjectContext.h"
#include "window/controls/ControlPaint.h"

#include <algorithm>
#include <cmath>

namespace Component {

namespace {

using Brushes = Control::Brushes;

struct TypeColors {
    Brushes::Id normal;
    Brushes::Id selected;
};

TypeColors typeColors(int type) {
    switch (type) {
    case Edit::EffectManager::AudioMediaObject:
        return {Brushes::ObjectAudio, Brushes::ObjectAudioSelect};
    case Edit::EffectManager::VideoFilterObject:
    case Edit::EffectManager::OtherFilterObject:
        return {Brushes::ObjectVideoFilter, Brushes::ObjectVideoFilterSelect};
    case Edit::EffectManager::AudioFilterObject:
        return {Brushes::ObjectAudioFilter, Brushes::ObjectAudioFilterSelect};
    case Edit::EffectManager::ControlObject:
        return {Brushes::ObjectControl, Brushes::ObjectControlSelect};
    default:
        return {Brushes::ObjectVideo, Brushes::ObjectVideoSelect};
    }
}

const Effect::EffectBase* inputEffect(const Edit::Object& object) {
    return object.isInputObject() && !object.effectList.empty() ? object.effectList.front().get() : nullptr;
}

const Effect::EffectBase* outputEffect(const Edit::Object& object) {
    return object.isInputObject() && object.effectList.size() > 1 ? object.effectList[1].get() : nullptr;
}

// A movie whose output plays its sound: the sound band and the waveform.
bool carriesSound(const Edit::Object& object) {
    const Effect::EffectBase* input = inputEffect(object);
    const Effect::EffectBase* output = outputEffect(object);
    return input && output && input->mediaType == Effect::MediaKind::VideoAudio &&
           output->mediaType == Effect::MediaKind::VideoAudio && input->getTrackCount(0) != 0;
}

bool showsWaveform(const Edit::Object& object) {
    const Effect::EffectBase* input = inputEffect(object);
    if (!input || input->disable) return false;
    if (input->mediaType == Effect::MediaKind::Audio) return true;
    const Effect::EffectBase* output = outputEffect(object);
    return input->mediaType == Effect::MediaKind::VideoAudio && output &&
           (output->mediaType == Effect::MediaKind::Audio || output->mediaType == Effect::MediaKind::VideoAudio) &&
           input->getTrackCount(0) != 0;
}

bool nameEnabled(const Edit::Object& object) {
    if (object.effectList.empty()) return false;
    if (object.isFilterObject())
        return std::any_of(object.effectList.begin(), object.effectList.end(),
                           [](const Edit::EffectManager::EffectPointer& e) { return !e->disable; });
    return !object.effectList.front()->disable;
}

}  // namespace

void EditLayerObjectControl::ensureLayerCount() {
    Edit::Scene& scene = panel.scene();
    if (scene.getLayerCount() > panel.layerRange) return;
    Edit::EditScope scope(*editService, false);
    scope.scene->growLayer(panel.layerRange);
}

void EditLayerObjectControl::procPaint() {
    ensureLayerCount();
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    const int first = panel.firstLayer();
    for (int layer = first; layer < first + panel.visibleLayers; ++layer) paintLayer(layer);
    if (x1 != x0 && y1 != y0)
        drawRectangle(x0, y0, x1, y1, scope.brushes()[Brushes::BorderSelect], 2.0f,
                      strokeStyleList ? strokeStyleList->get(Resource::StrokeStyleList::StandardDash) : nullptr);
}

void EditLayerObjectControl::paintLayer(int layer) {
    const int firstLayer = panel.firstLayer();
    if (layer < firstLayer || layer >= firstLayer + panel.visibleLayers) return;
    Control::PaintScope area(*this);
    if (area.empty()) return;
    Brushes& brushes = area.brushes();
    const Edit::Scene& scene = panel.scene();
    const ObjectAreaView v = view();
    const int height = v.layerHeight;
    const int width = fullRect().width;
    const int top = (layer - firstLayer) * height;
    const int rowHeight = std::max(0, std::min(height, fullRect().height - top));
    if (rowHeight <= 0) return;
    Media::RenderTarget::DrawScope row(*this, 0, top, width, top + rowHeight);
    const int first = v.firstFrame;
    const int last = first + static_cast<int>(static_cast<long long>(width) * 10000 / v.zoom) + 1;
    const Edit::LayerObjectList& list = scene.getLayerObjectList(layer);
    const bool hidden = list.layer && list.layer->hide;

    // 1. Background.
    const Brushes::Id face = layer == panel.layerHeader.hoverLayer ? Brushes::LayerHover
                             : hidden                             ? Brushes::LayerDisable
                                                                  : Brushes::Layer;
    fillRectangle(0, 0, width, rowHeight, brushes[face]);
    // 2. Reach of the layer-range controls above.
    if (panel.displayLayerRange)
        scene.enumControlObject(layer, first, last, [&](int start, int end, bool lastRow) {
            paintLayerRange(start, end, last, lastRow, rowHeight);
        });
    // 3. Tempo grid.
    if (panel.tempoGrid) paintTempoGrid(first, last, rowHeight);
    // 4. End of the scene.
    const int sceneEnd = v.xAt(scene.totalLength + 1);
    if (sceneEnd <= width) {
        fillRectangle(std::max(sceneEnd, 0), 0, width, rowHeight, brushes[Brushes::LayerDisable]);
        drawLine(sceneEnd, 1, sceneEnd, rowHeight, brushes[Brushes::GuideLine], 1.0f);
    }
    // 5. Separator.
    drawLine(-1, 0, width + 1, 0, brushes[Brushes::Border], 1.0f);

    // 6. Objects.
    const int boxTop = EditComponent::objectBoxTop;
    Platform::Cairo::TextFormat* font = fontList ? (*fontList)[Resource::TextFormatList::LayerObject].get() : nullptr;
    int widenedEdge = INT32_MIN;
    for (auto it = list.lowerBoundByEndFrame(first); it != list.objects.end() && (*it)->start <= last; ++it) {
        const Edit::Object& object = **it;
        int left = v.xAt(object.start);
        int right = v.xAt(object.end + 1);
        if (widenedEdge != INT32_MIN && left < widenedEdge) {
            left = widenedEdge;
            if (left >= right) continue;
        }
        if (left == right) {
            right = left + 1;
            widenedEdge = right;
        }
        const TypeColors colors = typeColors(object.getObjectType());
        if (object.selected) {
            fillRectangle(left, boxTop, right, height, brushes[colors.selected]);
        } else {
            fillGradient(left, boxTop, right, height, brushes.gradient(colors.normal), false);
            if (carriesSound(object))
                fillGradient(left, (height + 5) / 2 + 1, right, height, brushes.gradient(Brushes::ObjectAudioFade), true);
            if (object.clipping)
                fillGradient(left, (3 * height + 15) / 4 + 1, right, height,
                             brushes.gradient(Brushes::ClippingObjectFade), true);
        }
        if (right - left <= 5) continue;
        const bool hideName = panel.displayWaveform && !hidden && showsWaveform(object) &&
                              paintWaveform(object, first, left, right);
        int nameLeft = left + 4;
        if (panel.displayObjectNameFromHead) nameLeft = std::max(nameLeft, 1);
        if (font && right - nameLeft > 0 && !hideName && !object.effectList.empty()) {
            const wchar_t* name = object.effectList.front()->getDisplayName();
            const Brushes::Id text = !hidden && nameEnabled(object) ? Brushes::Text : Brushes::TextDisable;
            const int textTop = panel.objectTextTop;
            if (name) drawText(name, *font, nameLeft, textTop, right, height, brushes[text]);
        }
        for (int k = 1; k <= innerBoundaryCount(object); ++k) {
            const float mark = static_cast<float>(
                (static_cast<long long>(boundaryFrame(object, k) - first) * 2 + 1) * v.zoom / 20000);
            paintSectionMark(mark, left, right, brushes[Brushes::ObjectSection]);
        }
    }

    // 7. Hover.
    if (hover.object && hover.object->layer == layer && hover.object->end >= first && hover.object->start <= last) {
        const Edit::Object& object = *hover.object;
        const int left = v.xAt(object.start);
        const int right = v.xAt(object.end + 1);
        const int rightShown = right == left ? right + 1 : right;
        if (object.selected) {
            if (dragMode == DragStartEdge) drawLine(left, boxTop, left, height, brushes[Brushes::BorderSelect], 2.0f);
            if (dragMode == DragEndEdge) {
                const int at = std::max(left, right - 1);
                drawLine(at, boxTop, at, height, brushes[Brushes::BorderSelect], 2.0f);
            }
        } else {
            drawRectangle(left, boxTop, rightShown, height, brushes[Brushes::ObjectHover], 2.0f);
        }
        if (hover.kind == HitSection && hover.section >= 1) {
            const long long mark2 = (static_cast<long long>(boundaryFrame(object, hover.section) - first) * 2 + 1) * v.zoom;
            const float mark = static_cast<float>(mark2 / 20000);
            if (rightShown - left > 3) paintSectionMark(mark, left, rightShown, brushes[Brushes::BorderSelect]);
            if (dragMode == DragSection && object.selected) {
                const int at = static_cast<int>(mark);
                drawLine(at, boxTop, at, height, brushes[Brushes::BorderSelect], 2.0f);
            }
        }
    }
    // 8. Focus.
    if (focusMark.object && focusMark.object->layer == layer && !focusMark.object->selected &&
        focusMark.object->end >= first && focusMark.object->start <= last) {
        const Edit::Object& object = *focusMark.object;
        const int left = v.xAt(object.start);
        int right = v.xAt(object.end + 1);
        if (right == left) ++right;
        drawRectangle(left, boxTop, right, height, brushes[Brushes::BorderSelect], 1.2f,
                      strokeStyleList ? strokeStyleList->get(Resource::StrokeStyleList::CustomDash) : nullptr);
    }
    // 9. Frame cursor.
    const int cursor = scene.cursorFrame;
    if (first <= cursor && cursor <= last) {
        const int f = v.xAt(cursor);
        const int g = v.xAt(cursor + 1);
        if (g - f < 2) drawLine(f, 1, f, rowHeight, brushes[Brushes::FrameCursor], 1.0f);
        else fillRectangle(f, 1, g, rowHeight, brushes[Brushes::FrameCursorWide]);
    }
}

void EditLayerObjectControl::paintLayerRange(int start, int end, int last, bool lastRow, int rowHeight) {
    Brushes& brushes = host->brushList;
    const ObjectAreaView v = view();
    const int left = v.xAt(start);
    const int right = v.xAt(std::min(end + 1, last));
    fillRectangle(left, 0, right, rowHeight, brushes[Brushes::LayerRange]);
    drawLine(left + 1, 0, left + 1, rowHeight, brushes[Brushes::LayerRangeFrame], 2.0f);
    drawLine(right - 1, 0, right - 1, rowHeight, brushes[Brushes::LayerRangeFrame], 2.0f);
    if (lastRow) drawLine(left + 2, rowHeight - 1, right - 2, rowHeight - 1, brushes[Brushes::LayerRangeFrame], 2.0f);
}

void EditLayerObjectControl::paintSectionMark(float x, int left, int right, const Platform::Cairo::Brush& brush) {
    const float points[6] = {std::max(static_cast<float>(left), x - 4), 2.0f,
                             std::min(static_cast<float>(right), x + 5), 2.0f, x + 0.5f, 6.0f};
    fillPath(points, brush);
}

void EditLayerObjectControl::paintTempoGrid(int first, int last, int rowHeight) {
    const Edit::Scene& scene = panel.scene();
    const ObjectAreaView v = view();
    const float rate = static_cast<float>(scene.videoRate);
    const float scale = static_cast<float>(scene.videoScale);
    if (!(rate * 60 > 0) || !(scale * scene.tempoBeatPerMinute > 0)) return;
    const double beat = static_cast<double>(rate * 60.0f / (scale * scene.tempoBeatPerMinute));
    const double offset = static_cast<double>(rate * scene.tempoOffsetTime / scale);
    const auto visible = [&](double step) {
        return v.xAt(static_cast<int>(step + offset)) - v.xAt(static_cast<int>(offset)) >= 6;
    };
    double step = beat;
    int perBar = scene.tempoBeatTime;
    if (!visible(step)) {
        if (perBar < 2 || !visible(beat * perBar)) return;
        step = beat * perBar;
        perBar = 1;
    }
    Brushes& brushes = host->brushList;
    const Platform::Cairo::StrokeStyle* dash =
        strokeStyleList ? strokeStyleList->get(Resource::StrokeStyleList::StandardDash) : nullptr;
    const int from = static_cast<int>((first - offset) / step);
    const int to = static_cast<int>((last - offset) / step);
    for (int i = from; i <= to; ++i) {
        const int x = v.xAt(static_cast<int>(i * step + offset));
        const bool bar = perBar != 0 && i % perBar == 0;
        drawLine(x, 1, x, rowHeight, brushes[bar ? Brushes::Border : Brushes::GuideLine], 1.0f, dash);
    }
}

bool EditLayerObjectControl::paintWaveform(const Edit::Object& object, int first, int left, int right) {
    const int from = std::max(left, 0);
    const int to = std::min(right, fullRect().width) - 2;
    if (to < from) return false;
    const Edit::EffectManager::EffectPointer& input = object.effectList.front();
    const std::shared_ptr<Media::WaveformBuffer> buffer = input->getWaveform();
    if (!buffer || buffer->count <= 0) return false;
    const bool hideName = panel.hideObjectNameWaveform || hover.object.get() == &object;
    Brushes& brushes = host->brushList;
    const Platform::Cairo::Brush& brush = brushes[hideName ? Brushes::ObjectWaveform0 : Brushes::ObjectWaveform1];

    Edit::Scene& scene = panel.scene();
    const ObjectAreaView v = view();
    double shift = 0;
    if (dragMode == DragStartEdge && scene.selection.objects.size() == 1 &&
        scene.selection.objects.front().get() == &object)
        shift = object.start - dragExtent.minStart;
    // The entry index of a frame position through the object's sections.
    Render::ObjectContext context;
    context.scene = &scene;
    for (const Edit::ObjectPointer& owner : scene.getLayerObjectList(object.layer).objects)
        if (owner.get() == &object) context.setObject(owner);
    if (!context.object) return false;
    const auto indexAt = [&](int x) {
        const double p = first + static_cast<double>(x) * 10000 / v.zoom + shift;
        context.frame = static_cast<int>(std::floor(p));
        context.time = p;
        context.updateSectionPosition();
        return static_cast<double>(input->getWaveformPosition(context));
    };
    const int height = v.layerHeight;
    const auto levelY = [&](int level) { return static_cast<float>(height - level * (height - 6) / 256.0); };
    const std::uint8_t silent[2] = {128, 128};
    for (int x = from; x <= to; ++x) {
        const double a = indexAt(x);
        const double b = indexAt(x + 1);
        const int d = static_cast<int>(a);
        const int e = static_cast<int>(b);
        if (d < 0 || e < 0 || d >= buffer->count || e >= buffer->count) continue;
        int high = 0;
        int low = 0;
        if (std::fabs(a - b) < 1) {
            const std::uint8_t* p = buffer->entry(d);
            const std::uint8_t* q = d + 1 < buffer->count ? buffer->entry(d + 1) : silent;
            const double t = a - d;
            high = static_cast<int>(p[1] + (q[1] - p[1]) * t);
            low = static_cast<int>(p[0] + (q[0] - p[0]) * t);
        } else {
            high = buffer->entry(d)[1];
            low = buffer->entry(d)[0];
            for (int k = 1; k <= 3; ++k) {
                const int i = d + static_cast<int>(std::lround(k * (e - d) / 4.0));
                if (i >= buffer->count) break;
                high = std::max<int>(high, buffer->entry(i)[1]);
                low = std::min<int>(low, buffer->entry(i)[0]);
            }
        }
        int topLevel = high;
        int bottomLevel = low;
        if (panel.displayAbsoluteWaveform) {
            topLevel = 2 * std::max(std::abs(high - 128), std::abs(low - 128));
            bottomLevel = 0;
        }
        Control::fillRectangleF(*this, x + 0.5f, levelY(topLevel), x + 1.5f, levelY(bottomLevel), brush);
    }
    return hideName;
}

void EditLayerObjectControl::paintPlayerCursor() {
    const Edit::Scene& scene = panel.scene();
    const ObjectAreaView v = view();
    const int width = fullRect().width;
    const int height = fullRect().height;
    const int frame = scene.playingFrame;
    if (frame < v.firstFrame || frame > v.firstFrame + static_cast<int>(static_cast<long long>(width) * 10000 / v.zoom) + 1)
        return;
    if (!host) return;
    const int d = v.xAt(frame);
    const int e = std::max(v.xAt(frame + 1), d + 1);
    temporaryImage.pushImage(&fullRect().x, *this, d, e - d + 1, height);
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    if (e - d < 2) drawLine(d, 1, d, height, scope.brushes()[Brushes::PlayerCursor], 1.0f);
    else fillRectangle(d, 1, e, height, scope.brushes()[Brushes::PlayerCursor]);
}

void EditLayerObjectControl::paintFrameMarker(int frame) {
    removeFrameMarker();
    const ObjectAreaView v = view();
    const int width = fullRect().width;
    const int x = v.xAt(frame) + (v.xAt(frame + 1) - v.xAt(frame)) / 2;
    if (x < 0 || x >= width || !host) return;
    markerImage.pushImage(&fullRect().x, *this, x, 1, fullRect().height);
    markerShown = true;
    Control::PaintScope scope(*this);
    if (scope.empty()) return;
    drawLine(x, 1, x, fullRect().height, scope.brushes()[Brushes::GuideLine], 1.0f);
}

void EditLayerObjectControl::removeFrameMarker() {
    if (!markerShown) return;
    markerShown = false;
    if (markerImage.image()) markerImage.popImage();
}

}  // namespace Component
