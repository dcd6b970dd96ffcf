#include "effects/media/FigureLoad.h"

#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "edit/model/Scene.h"
#include "effect/base/StdConvert.h"
#include "effect/item/ResourceSelectList.h"
#include "effects/base/FileEntry.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/SvgDocument.h"
#include "render/context/ObjectContext.h"

#include <cmath>

namespace Effect {

namespace {

// The item's colour as the shaders take it. A following 拡張色設定 will
// replace it once that effect exists.
std::array<float, 4> colorOf(const EffectItemColor& item) {
    return {item.red / 255.0f, item.green / 255.0f, item.blue / 255.0f, 1.0f};
}

}  // namespace

FigureLoad::FigureLoad()
    : BuiltinClass(Name, EffectKind::Input, MediaKind::Video, MediaKind::Video, L""),
      figure(items, L"図形の種類", figureSelectList()),
      size(items, L"サイズ", 100, 0, 4000, 1),
      aspect(items, L"縦横比", 0, -100, 100, 0.01),
      lineWidth(items, L"ライン幅", 4000, 0, 4000, 1),
      color(items, L"色", 255, 255, 255),
      roundCorners(items, L"角を丸くする") {
    figure.notifyChange = true;
}

void FigureLoad::pictureSize(float s, float a, UINT& width, UINT& height) {
    float w = s, h = s;
    if (a > 0.0f)
        w = s * (100.0f - a) / 100.0f;
    else if (a < 0.0f)
        h = s * (a + 100.0f) / 100.0f;
    if (!(w >= 1.0f && h >= 1.0f)) {
        width = height = 0;
        return;
    }
    width = static_cast<UINT>(std::ceil(w));
    height = static_cast<UINT>(std::ceil(h));
}

void FigureLoad::inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) {
    result.reset();
    UINT width = 0, height = 0;
    pictureSize(static_cast<float>(size.getValue(context)), static_cast<float>(aspect.getValue(context)), width,
                height);
    if (width == 0) return;
    const std::array<float, 4> rgba = colorOf(color);
    if (figure.value < 0) {
        result = Media::SvgDocument::renderToBuffer(figure.path, width, height, rgba, 0);
        return;
    }
    Resource::FrameSize frame;
    if (context.scene) {
        frame.width = static_cast<UINT>(context.scene->width);
        frame.height = static_cast<UINT>(context.scene->height);
    }
    result = createFigureImage(figure.value, frame, width, height, rgba,
                               static_cast<float>(lineWidth.getValue(context)), roundCorners.value);
}

const wchar_t* FigureLoad::getDisplayName() const {
    displayName_ = figure.getSelectName();
    return displayName_.c_str();
}

bool FigureLoad::isSupportedFile(const wchar_t* path) const {
    return System::FileName::getExtension(path) == L"svg";
}

bool FigureLoad::effectEvent(EffectEvent& event) {
    if (event.code == EffectEvent::FileDropped) return takeDroppedFile(figure, event.path);
    if (event.code != EffectEvent::ItemChanged) return false;
    // A chosen path that a project file could not hold is refused like a
    // file that does not load.
    if (figure.value < 0 && (StdConvert::lineFault(figure.path) || !Media::SvgDocument::canLoadFile(figure.path))) {
        figure.path.clear();
        figure.value = figure.list->hasValue(1) || figure.list->items.empty() ? 1 : figure.list->firstValue();
        Dialog::postError(L"このファイルには対応していません");
        return false;
    }
    return true;
}

}  // namespace Effect
