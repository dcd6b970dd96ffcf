// One object per character: each character's picture runs through the
// object's filters and output on a copy of the context with its own index,
// time origin and position, plainly or along the object's motion path.
#include "edit/model/Scene.h"
#include "effects/media/TextInput.h"
#include "effects/media/TextTables.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/text/TextDraw.h"
#include "render/context/ObjectContext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Effect {

namespace {

// Frames from the object's own time origin to the character's appearance.
int appearanceFrames(const Render::ObjectContext& context, float seconds) {
    const Edit::Scene* scene = context.scene;
    if (!scene || scene->videoScale <= 0) return 0;
    const double frames = std::round(seconds * scene->videoRate / scene->videoScale);
    return static_cast<int>(std::clamp(frames, -1e9, 1e9));
}

}  // namespace

void TextInput::drawCharacters(Render::ObjectContext& context, Media::TextDraw& draw) const {
    context.count = draw.characterCount();
    const int sheetWidth = draw.atlasPixelWidth();
    const int sheetHeight = draw.atlasPixelHeight();
    if (sheetWidth <= 0 || sheetHeight <= 0) return;
    Media::ResourceBuffer sheet(static_cast<UINT>(sheetWidth), static_cast<UINT>(sheetHeight));
    const float transparent[4] = {0, 0, 0, 0};
    sheet.clear(transparent);
    draw.setSplitMode(true);
    draw.cells().reserve(static_cast<std::size_t>(std::max(draw.characterCount(), 0)));
    draw.drawToBuffer(sheet);

    const float width = static_cast<float>(draw.pictureWidth());
    const float height = static_cast<float>(draw.pictureHeight());
    const TextAlignment& place = textAlignment(alignment.value);
    if (!alongPath.value) {
        // Positions from the text picture's top-left corner.
        context.view.x = -(0.5f + place.anchorX) * width;
        context.view.y = -(0.5f + place.anchorY) * height;
        draw.splitCharacters(sheet, [&](std::unique_ptr<Media::ResourceBuffer> image, std::int32_t index, float time,
                                        float x, float y, float z) {
            outputCharacter(context, std::move(image), index, time, x, y, z);
        });
        context.view.x = context.view.y = 0.0f;
        context.view.centerX = width * place.anchorX;
        context.view.centerY = height * place.anchorY;
        context.keepRotation = 1;
        context.drawOutputAnchor(static_cast<int>(width), static_cast<int>(height));
        return;
    }
    PathSpan span;
    span.vertical = place.vertical;
    span.length = place.vertical ? height : width;
    if (span.length <= 1.0f) span.length = 1000000.0f;
    span.offset = place.vertical ? -(place.anchorX + 0.5f) * width : -(place.anchorY + 0.5f) * height;
    draw.splitCharacters(sheet, [&](std::unique_ptr<Media::ResourceBuffer> image, std::int32_t index, float time,
                                    float x, float y, float z) {
        outputCharacterOnPath(context, span, std::move(image), index, time, x, y, z);
    });
    context.keepRotation = 1;
    context.drawOutputAnchor(0, 0);
}

void TextInput::outputCharacter(Render::ObjectContext& context, std::unique_ptr<Media::ResourceBuffer> image,
                                std::int32_t index, float time, float x, float y, float z) const {
    Render::ObjectContext copy = context;
    copy.index = index;
    copy.frameShift = appearanceFrames(context, time);
    copy.view.x += x;
    copy.view.y += y;
    copy.view.z += z;
    copy.anchors = nullptr;
    Render::ObjectContext::Image result = copy.applyFilterVideo(std::move(image), nullptr, &context);
    copy.outputVideo(result);
}

void TextInput::outputCharacterOnPath(Render::ObjectContext& context, const PathSpan& span,
                                      std::unique_ptr<Media::ResourceBuffer> image, std::int32_t index, float time,
                                      float x, float y, float z) const {
    Render::ObjectContext copy = context;
    Render::ObjectContext probe = context;
    const float imageWidth = static_cast<float>(image->getWidth());
    const float imageHeight = static_cast<float>(image->getHeight());
    double d0 = 0, d1 = 0;
    float offsetX = 0, offsetY = 0;
    if (!span.vertical) {
        d0 = x / span.length;
        d1 = (imageWidth + x) / span.length;
        offsetY = y + span.offset;
    } else {
        d0 = y / span.length;
        d1 = (imageHeight + y) / span.length;
        offsetX = x + span.offset;
    }
    d0 = std::clamp(d0, 0.0, 1.0);
    d1 = std::clamp(d1, 0.0, 1.0);

    // Where the object is at the moments the character's span stands for.
    const ObjectFrames& frames = context.getObjectFrames();
    const auto viewAt = [&](double d) {
        const double p = frames.start + static_cast<double>(frames.end - frames.start) * d;
        probe.frame = static_cast<int>(p);
        probe.time = p;
        probe.updateSectionPosition();
        return probe.getOutputView();
    };
    const OutputView p0 = viewAt(d0);
    const OutputView p1 = viewAt(d1);
    float angle = p0.x == p1.x && p0.y == p1.y ? 0.0f : std::atan2(p1.y - p0.y, p1.x - p0.x);
    float turnedX = 0, turnedY = 0;
    if (!span.vertical) {
        turnedX = -std::sin(angle) * offsetY;
        turnedY = std::cos(angle) * offsetY;
    } else {
        turnedX = std::sin(angle) * offsetX;
        turnedY = -std::cos(angle) * offsetX;
        angle -= std::numbers::pi_v<float> / 2;
    }

    copy.index = index;
    copy.frameShift = appearanceFrames(context, time);
    copy.view.x += turnedX + p0.x;
    copy.view.y += turnedY + p0.y;
    copy.view.z += p0.z + z;
    copy.view.rotationZ += angle * 57.295776f;
    // The path position already holds the output's own position.
    copy.keepPosition = 1;
    copy.anchors = nullptr;
    Render::ObjectContext::Image result = copy.applyFilterVideo(std::move(image), nullptr, &context);
    copy.outputVideo(result);
}

}  // namespace Effect
