#include "render/context/ObjectContext.h"

#include "edit/model/Object.h"
#include "edit/model/Scene.h"
#include "effect/base/EffectBase.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/context/ControlStateLookup.h"

#include <cwchar>
#include <utility>

namespace Render {

using Effect::EffectBase;
namespace Kind = Effect::EffectKind;
namespace Media = Effect::MediaKind;

namespace {

bool isVideoMedia(std::uint8_t media) { return media == Media::Video || media == Media::VideoAudio; }

bool hasName(const EffectBase& effect, const wchar_t* name) {
    return effect.name && std::wcscmp(effect.name, name) == 0;
}

const Edit::EffectManager::EffectPointer* outputEffect(const Edit::Object& object) {
    return object.effectList.size() >= 2 ? &object.effectList[1] : nullptr;
}

// Makes another object current and puts the context's own back afterwards,
// also when an effect throws.
class ObjectSwitch {
public:
    ObjectSwitch(ObjectContextBase& context, const std::shared_ptr<Edit::Object>& target)
        : context_(context), own_(context.object) {
        if (target != own_) context_.setObject(target);
    }
    ~ObjectSwitch() {
        if (context_.object != own_) context_.setObject(own_);
    }
    ObjectSwitch(const ObjectSwitch&) = delete;
    ObjectSwitch& operator=(const ObjectSwitch&) = delete;

private:
    ObjectContextBase& context_;
    std::shared_ptr<Edit::Object> own_;
};

}  // namespace

template <class Call>
auto ObjectContext::withObject(const std::shared_ptr<Edit::Object>& target, Call call) {
    ObjectSwitch guard(*this, target);
    return call();
}

// The visit returns false to end the run.
template <class Visit>
void ObjectContext::forEachListedObject(Visit visit) {
    if (!filterObjects) return;
    // The list is shared with other copies; hold it while switching.
    const std::shared_ptr<FilterObjectList> list = filterObjects;
    for (const std::shared_ptr<Edit::Object>& listed : *list) {
        const bool goOn = withObject(listed, [&] { return visit(*listed); });
        if (!goOn) return;
    }
}

bool ObjectContext::isControlObject() const {
    return object && !object->effectList.empty() && object->effectList.front()->effectType == Kind::Control;
}

void ObjectContext::collectGroupControls() {
    if (!filterObjects || !scene) return;
    const std::shared_ptr<Edit::Object>& group = view.groupControl;
    if (!group) return;
    if (group->effectList.size() >= 2) filterObjects->push_back(group);
    const Effect::GroupControlState* state = getGroupControlState(group.get());
    int current = group->layer;
    int next = state ? state->parentLayer : -1;
    while (next != -1 && next < current) {
        const Edit::ObjectPointer& found = scene->findObjectAtFrame(next, frame, Media::Video);
        if (!found || !getGroupControlState(found.get())) break;
        if (found->effectList.size() >= 2) filterObjects->push_back(found);
        const Effect::GroupControlState* enclosing = getGroupControlState(found.get());
        current = next;
        next = enclosing ? enclosing->parentLayer : -1;
    }
}

void ObjectContext::preloadVideo() {
    forEachListedObject([&](Edit::Object& listed) {
        for (const auto& effect : listed.effectList)
            if (!effect->disable && (effect->effectType == Kind::Input || effect->effectType == Kind::Filter))
                effect->preloadVideo(*this);
        return true;
    });
}

void ObjectContext::renderVideoObject() {
    if (!object || object->effectList.empty()) return;
    if (object->clipping) view.cameraControl.reset();
    forEachListedObject([&](Edit::Object& listed) {
        for (const auto& effect : listed.effectList)
            if (!effect->disable && hasName(*effect, L"拡張色設定")) {
                extendedColor = 1;
                return false;
            }
        return true;
    });
    Image image;
    object->effectList.front()->inputVideo(image, *this);
    if (!image) return;
    if (previousImage) previousImage->reset();
    image = filterVideo(std::move(image));
    if (image) {
        const int width = static_cast<int>(image->getWidth());
        const int height = static_cast<int>(image->getHeight());
        outputVideo(image);
        if (!flat) drawFilterAnchor(width, height);
        drawOutputAnchor(width, height);
    }
    if (previousImage) *previousImage = std::move(image);
}

ObjectContext::Image ObjectContext::filterVideo(Image image, const Effect::EffectBase* startAfter) {
    if (!filterObjects) return image;
    bool started = startAfter == nullptr;
    forEachListedObject([&](Edit::Object& listed) {
        for (const auto& effect : listed.effectList) {
            if (!started) {
                started = effect.get() == startAfter;
                continue;
            }
            if (effect->disable || effect->effectType != Kind::Filter || !isVideoMedia(effect->mediaType))
                continue;
            Image result;
            effect->filterVideo(result, *this, std::move(image));
            image = std::move(result);
            if (!image) return false;
        }
        return true;
    });
    return image;
}

ObjectContext::Image ObjectContext::applyFilterVideo(Image image, const Effect::EffectBase* startAfter,
                                                     ObjectContext* caller) {
    Anchor::AnchorList* const savedAnchors = std::exchange(anchors, nullptr);
    Image result = filterVideo(std::move(image), startAfter);
    anchors = savedAnchors;
    if (caller && drawnDifferently) caller->drawnDifferently = 1;
    return result;
}

void ObjectContext::controlFilterVideo() {
    forEachListedObject([&](Edit::Object& listed) {
        for (const auto& effect : listed.effectList)
            if (!effect->disable && effect->effectType == Kind::Filter) effect->controlVideo(*this);
        return true;
    });
}

void ObjectContext::outputVideo(Image& image) {
    if (!image && !vertexList) return;
    if (isControlObject() || !filterObjects || filterObjects->empty()) return;
    const std::shared_ptr<Edit::Object> first = filterObjects->front();
    const auto* output = outputEffect(*first);
    if (!output || !view.target) return;
    withObject(first, [&] { (*output)->outputVideo(*this, *view.target, image); });
}

void ObjectContext::drawFilterAnchor(int width, int height) {
    if (!anchors) return;
    forEachListedObject([&](Edit::Object& listed) {
        for (const auto& effect : listed.effectList)
            if (!effect->disable && effect->effectType == Kind::Filter && isVideoMedia(effect->mediaType))
                effect->drawAnchor(*this, width, height);
        return true;
    });
}

void ObjectContext::drawCameraFilterAnchor(int width, int height) {
    if (!anchors) return;
    forEachListedObject([&](Edit::Object& listed) {
        for (const auto& effect : listed.effectList)
            if (!effect->disable && effect->effectType == Kind::Filter && effect->mediaType == Media::Camera)
                effect->drawAnchor(*this, width, height);
        return true;
    });
}

void ObjectContext::drawOutputAnchor(int width, int height) {
    if (!anchors || isControlObject() || !filterObjects || filterObjects->empty()) return;
    const std::shared_ptr<Edit::Object> first = filterObjects->front();
    const auto* output = outputEffect(*first);
    if (!output) return;
    withObject(first, [&] { (*output)->drawAnchor(*this, width, height); });
}

Effect::OutputView ObjectContext::getOutputView() {
    if (!object || object->effectList.empty()) return view;
    if (isControlObject()) return object->effectList.front()->getOutputView(*this);
    const std::shared_ptr<Edit::Object> first =
        filterObjects && !filterObjects->empty() ? filterObjects->front() : object;
    const auto* output = outputEffect(*first);
    if (!output) return view;
    return withObject(first, [&] { return (*output)->getOutputView(*this); });
}

}  // namespace Render
