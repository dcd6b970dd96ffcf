#include "effect/base/ObjectContextBase.h"

#include "edit/model/Object.h"

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

}  // namespace Render
