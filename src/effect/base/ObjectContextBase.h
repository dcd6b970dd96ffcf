#pragma once
// The part of an object's render record that every effect reads, video or
// audio: which scene, layer, frame and object it works for, where the frame
// lies among the object's sections, and which objects are applied together
// with it. Number items and movements evaluate with it.
//
// The walk builds one per object and posts copies; shared members keep the
// object and the filter-object list alive until the copy's task has run.
// The operations that switch the current object are built with the render
// context, which knows the project's objects.
#include "effect/movement/SectionPosition.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Edit {
class Object;
class Scene;
}  // namespace Edit

namespace Render {

class ObjectContextBase {
public:
    using FilterObjectList = std::vector<std::shared_ptr<Edit::Object>>;

    Edit::Scene* scene = nullptr;
    int layer = 0;
    int frame = 0;
    double time = 0.0;  // equal to frame unless a time control sets a fraction
    // Distance from the frame before a scene-change object to the current
    // frame, in the walk that renders the scene change's starting frame.
    int frameOffset = 0;
    int index = 0;  // copy drawn, when an effect draws the object several times
    int count = 1;
    int frameShift = 0;  // subtracted from frame and time when scripts read them
    std::shared_ptr<Edit::Object> object;
    Effect::SectionPosition sectionPosition;
    // The object itself first, then the objects whose effects apply with it.
    std::shared_ptr<FilterObjectList> filterObjects;

    // Makes the object current and computes its section position at the
    // context's frame and time.
    void setObject(std::shared_ptr<Edit::Object> target);
    // The section position again, after frame or time moved.
    void updateSectionPosition();
    // A new list: the context's object, then the filter objects of the
    // media on the following layers at the context's frame, up to the first
    // object that is no filter.
    void collectFilterObjects(std::uint8_t mediaType);
    // Frames and sections of the current object; an object that is not
    // part of a project (tests of items and movements) may be set alone.
    const Effect::ObjectFrames& getObjectFrames() const { return *frames_; }
    void setObjectFrames(const Effect::ObjectFrames& frames);

private:
    const Effect::ObjectFrames* frames_ = nullptr;
};

}  // namespace Render
