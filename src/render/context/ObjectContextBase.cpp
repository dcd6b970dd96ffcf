#include "effect/base/ObjectContextBase.h"

#include "edit/model/Object.h"
#include "edit/model/Scene.h"
#include "effect/base/EffectBase.h"

namespace Render {

void ObjectContextBase::setObject(std::shared_ptr<Edit::Object> target) {
    object = std::move(target);
    if (object) {
        setObjectFrames(*object);
    } else {
        frames_ = nullptr;
    }
}

void ObjectContextBase::setObjectFrames(const Effect::ObjectFrames& frames) {
    frames_ = &frames;
    updateSectionPosition();
}

void ObjectContextBase::updateSectionPosition() {
    if (frames_) sectionPosition = Effect::SectionPosition(*frames_, frame, time);
}

void ObjectContextBase::collectFilterObjects(std::uint8_t mediaType) {
    auto list = std::make_shared<FilterObjectList>();
    list->push_back(object);
    if (scene) {
        for (int i = layer + 1; i <= scene->lastLayer; ++i) {
            const Edit::ObjectPointer& found = scene->findObjectAtFrame(i, frame, mediaType);
            if (!found) continue;
            if (found->effectList.front()->effectType != Effect::EffectKind::Filter) break;
            list->push_back(found);
        }
    }
    filterObjects = std::move(list);
}

}  // namespace Render
