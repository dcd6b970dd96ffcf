#include "render/context/ControlStateLookup.h"

#include "edit/model/Object.h"

namespace Render {

namespace {

template <class State>
State* firstEffectState(const Edit::Object* object) {
    if (!object || object->effectList.empty()) return nullptr;
    return dynamic_cast<State*>(object->effectList.front().get());
}

}  // namespace

Effect::GroupControlState* getGroupControlState(const Edit::Object* object) {
    return firstEffectState<Effect::GroupControlState>(object);
}

Effect::CameraControlState* getCameraControlState(const Edit::Object* object) {
    return firstEffectState<Effect::CameraControlState>(object);
}

}  // namespace Render
