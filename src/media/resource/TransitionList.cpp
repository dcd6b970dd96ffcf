#include "media/resource/TransitionList.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "media/draw/RenderTargetDirect3D.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/image/ImageBuffer.h"
#include "media/image/ImageService.h"
#include "media/resource/FigureList.h"
#include "media/resource/PathData.h"
#include "media/resource/ResourceService.h"
#include "platform/cairo/Brush.h"

#include <algorithm>
#include <mutex>

namespace Resource {

namespace {

struct BuiltInWipe {
    const wchar_t* name;
    PathData::Shape shape;
    float scale;
    int kind;
};

constexpr BuiltInWipe kWipes[] = {
    {L"ワイプ(円)", PathData::Circle, 1.4142135f, TransitionItem::Shape},
    {L"ワイプ(四角)", PathData::Diamond, 2.0f, TransitionItem::Shape},
    {L"ワイプ(時計)", PathData::Square, 1.0f, TransitionItem::Clock},
    {L"ワイプ(横)", PathData::Square, 1.0f, TransitionItem::Horizontal},
    {L"ワイプ(縦)", PathData::Square, 1.0f, TransitionItem::Vertical},
    {L"ワイプ(星型)", PathData::Star, 3.0f, TransitionItem::Shape},
    {L"ワイプ(ハート)", PathData::Heart, 2.2f, TransitionItem::Shape},
};

std::mutex& hooksMutex() {
    static std::mutex mutex;
    return mutex;
}

TransitionEffects& effectsSlot() {
    static TransitionEffects effects;
    return effects;
}

TransitionImageLoader& loaderSlot() {
    static TransitionImageLoader loader;
    return loader;
}

[[noreturn]] void throwNotRegistered(const char* typeName) {
    throw System::makeException("Effect::EffectService::getDefaultEffect", "default effect not found", typeName);
}

std::unique_ptr<Media::ResourceBuffer> loadImage(const std::wstring& path) {
    TransitionImageLoader loader;
    {
        std::lock_guard lock(hooksMutex());
        loader = loaderSlot();
    }
    if (loader) return loader(path);
    try {
        const auto image = Media::ImageService::loadFromFile(path);
        return std::make_unique<Media::ResourceBuffer>(*image, Media::ConvertParameters{});
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool decodes(const std::wstring& path) {
    try {
        int format = 0;
        std::uint32_t width = 0, height = 0;
        return Media::ImageService::canLoadFile(path, format, width, height) && width > 0 && height > 0;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

void TransitionEffects::install(TransitionEffects effects) {
    std::lock_guard lock(hooksMutex());
    effectsSlot() = std::move(effects);
}

TransitionEffects TransitionEffects::installed() {
    std::lock_guard lock(hooksMutex());
    return effectsSlot();
}

void installTransitionImageLoader(TransitionImageLoader loader) {
    std::lock_guard lock(hooksMutex());
    loaderSlot() = std::move(loader);
}

void TransitionList::load(const PathData* shapes) {
    items_.clear();
    for (const BuiltInWipe& wipe : kWipes)
        items_.push_back({wipe.name, &shapes[wipe.shape], wipe.scale, L"", wipe.kind});
    for (const std::wstring& path : listFolderFiles(L"%Transition%/*.png")) {
        if (!decodes(path)) {
            System::Log::warn("Resource::TransitionList::load", "transition file not loaded. %s",
                              System::String::toUtf8(path).c_str());
            continue;
        }
        items_.push_back({System::FileName::getTitle(path), nullptr, 1.0f, path, TransitionItem::Shape});
    }
}

const TransitionItem* TransitionList::find(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return nullptr;
    return &items_[static_cast<std::size_t>(index)];
}

std::unique_ptr<Media::ResourceBuffer> TransitionItem::createMask(UINT width, UINT height, float progress,
                                                                  int softness, bool keepAspect) const {
    if (width == 0 || height == 0) return nullptr;
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    ResourceService& resources = ResourceService::Get();

    if (!path) {
        std::unique_ptr<Media::ResourceBuffer> image = loadImage(file);
        if (!image || !image->getTexture()) return nullptr;
        auto mask = std::make_unique<Media::ResourceBuffer>(width, height);
        const float g = static_cast<float>(softness + 16) / 384.0f;
        const float c = 1.0f - (2.0f * g + 1.0f) * progress + g;
        ShaderList::TransitionMaskConstant constant{c - g, c + g, {1.0f, 1.0f}};
        if (keepAspect) {
            const float r = (h * static_cast<float>(image->getWidth())) / (w * static_cast<float>(image->getHeight()));
            if (r >= 1)
                constant.scale[0] = 1.0f / r;
            else
                constant.scale[1] = r;
        }
        Media::Direct3DService::Get().setPixelSampler(resources.samplerStateList.get(1));
        resources.shaderList.setConstant(constant);
        resources.shaderList.general(ShaderList::TransitionMask)
            .draw(*mask, *image, resources.shaderList.getConstantBuffer(), nullptr);
        return mask;
    }

    auto mask = std::make_unique<Media::ResourceBuffer>(width, height);
    const TransitionEffects effects = TransitionEffects::installed();
    if (kind == Clock || kind == Horizontal || kind == Vertical) {
        const float black[4] = {0, 0, 0, 1};
        mask->clear(black);
        if (kind == Clock) {
            if (!effects.angleClip) throwNotRegistered("Effect::AngleClipFilter");
            effects.angleClip(mask, 90.0f, (1.0f - progress) * -360.0f, 0.0f, 0.0f, softness, false);
        } else {
            if (!effects.lineClip) throwNotRegistered("Effect::LineClipFilter");
            if (kind == Horizontal)
                effects.lineClip(mask, -90.0f, 0, (progress - 0.5f) * w, 0.0f, softness);
            else
                effects.lineClip(mask, 0.0f, 0, 0.0f, (progress - 0.5f) * h, softness);
        }
        return mask;
    }

    float sw = w * scale * progress, sh = h * scale * progress;
    if (keepAspect) sw = sh = progress * std::max(w, h) * scale;
    {
        const Platform::Cairo::SolidColorBrush white({1, 1, 1, 1});
        Media::RenderTargetDirect3D target = mask->getSurface();
        target.beginDraw();
        if (sw > 0 && sh > 0)
            target.drawGeometry(path->createPathGeometry((w - sw) / 2, (h - sh) / 2, sw, sh), &white, 0, 0, nullptr, 0,
                                nullptr);
        target.endDraw();
    }
    if (softness > 0) {
        if (!effects.blur) throwNotRegistered("Effect::BokashiFilter");
        mask = effects.blur(std::move(mask), softness, 0.0f, 2);
    }
    return mask;
}

TransitionResource::TransitionResource() {
    ResourceService* service = ResourceService::getInstance();
    transitionList = service ? &service->transitionList : nullptr;
}

}  // namespace Resource
