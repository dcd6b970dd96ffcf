// The render-time side of the mask item: it reads the pass's temporary
// pictures, the image cache and the project's scenes, which the item's own
// layer does not know.
#include "core/base/Singleton.h"
#include "core/text/StringConvert.h"
#include "edit/model/Object.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemMaskSelect.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/image/ImageBuffer.h"
#include "media/resource/FigureList.h"
#include "render/cache/CacheService.h"
#include "render/cache/SceneSource.h"
#include "render/context/ObjectContext.h"
#include "render/service/ResourceCache.h"

namespace Effect {

namespace {

bool isPassImage(const std::wstring& path) { return !path.empty() && path.front() == L'*'; }

Cache::ImageCache* imageCache() {
    auto* caches = System::Singleton<Cache::CacheService>::getInstance();
    return caches ? &caches->imageCache : nullptr;
}

const Edit::Scene* projectScene(int id) {
    const auto* edit = System::Singleton<Edit::EditService>::getInstance();
    return edit ? edit->project.getScene(id).get() : nullptr;
}

std::unique_ptr<Media::ResourceBuffer> upload(const std::shared_ptr<Media::ImageBuffer>& picture) {
    if (!picture) return {};
    return std::make_unique<Media::ResourceBuffer>(*picture, Media::ConvertParameters{});
}

}  // namespace

double EffectItemMaskSelect::getSceneTime(const Render::ObjectContext& context) const {
    const Edit::Scene& own = *context.scene;
    const ObjectFrames& object = context.getObjectFrames();
    const double t = (context.time - object.start) * own.videoScale / own.videoRate;
    if (scene < 0 || !fitCheck || !fitCheck->value) return t;
    const Edit::Scene* referenced = projectScene(scene);
    if (!referenced) return t;
    const double c = static_cast<double>(object.end - object.start + 1) * own.videoScale / own.videoRate;
    if (c <= 0) return 0.0;
    const double length =
        static_cast<double>(referenced->totalLength + 1) * referenced->videoScale / referenced->videoRate;
    return length * t / c;
}

std::unique_ptr<Media::ResourceBuffer> EffectItemMaskSelect::getMaskImage(Render::ObjectContext& context, int width,
                                                                          int height) const {
    if (scene >= 0) {
        Cache::ImageCache* cache = imageCache();
        if (scene == 0 || !cache) return {};
        return upload(cache->getMovieFrame(Cache::makeSceneFileName(scene), 0, getSceneTime(context)));
    }
    if (!path.empty()) {
        if (isPassImage(path)) {
            if (!context.cache) return {};
            const auto found = context.cache->find(System::String::toUtf8(path.substr(1)));
            return found ? found->clone() : nullptr;
        }
        Cache::ImageCache* cache = imageCache();
        return cache ? upload(cache->getImage(path)) : nullptr;
    }
    const Resource::FigureResource figures;
    const Resource::FrameSize frame{static_cast<UINT>(context.scene ? context.scene->width : width),
                                    static_cast<UINT>(context.scene ? context.scene->height : height)};
    return figures.createFigureImage(figure, frame, static_cast<UINT>(width), static_cast<UINT>(height),
                                     {1.0f, 1.0f, 1.0f, 1.0f}, 65536.0f, false);
}

void EffectItemMaskSelect::preloadMask(Render::ObjectContext& context) const {
    Cache::ImageCache* cache = imageCache();
    if (!cache) return;
    if (scene >= 0) {
        if (scene != 0) cache->preloadMovieFrame(Cache::makeSceneFileName(scene), 0, getSceneTime(context));
        return;
    }
    if (!path.empty() && !isPassImage(path)) cache->preloadImage(path);
}

}  // namespace Effect
