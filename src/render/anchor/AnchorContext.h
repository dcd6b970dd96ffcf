#pragma once
// What the handle bodies of anchor effects read around the render context:
// the effect's entry in its object's chain, the focus, the settings
// window's view of the focus object, the handle options and style colours.
#include "effect/base/EffectBase.h"

#include <array>
#include <memory>

namespace Edit {
class Object;
}
namespace Render {

class ObjectContext;

struct AnchorOptions {
    bool displayObjectMovePoint = true;
    bool displayObjectCenterAnchor = false;
    bool anchorObjectMoveSnap = true;
};

// The shared pointer of the object's chain that holds the effect, or empty.
std::shared_ptr<Effect::EffectBase> findEffectEntry(const Edit::Object& object, const Effect::EffectBase& effect);
bool isFocusObject(const ObjectContext& context);
// The focus object is the one the settings window shows (always, without a
// window).
bool isSettingObject(const ObjectContext& context);
// The settings window's current section; without a window the context's.
int getSettingSection(const ObjectContext& context);
// The edit service's options, or their defaults without one.
AnchorOptions getAnchorOptions();
// A colour of the style's "Color" section; opaque white when the style
// lacks it, so a handle is still drawn.
std::array<float, 4> getStyleColor(const char* key);

}  // namespace Render
