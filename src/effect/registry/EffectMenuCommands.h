#pragma once
// The edit commands behind the effect menus' entries. They belong to the
// project model above the registry, which installs them once its edit
// service exists and removes them before it goes; an entry chosen while
// none is installed does nothing. User-interface thread only.
#include <functional>
#include <memory>
#include <string>

namespace Edit {
class Object;
}  // namespace Edit

namespace Effect {

class EffectBase;

struct EffectMenuCommands {
    using ObjectPointer = std::shared_ptr<Edit::Object>;

    // A new object on the layer from the frame whose first effect is the
    // named one.
    std::function<void(const wchar_t* name, int layer, int frame)> createObject;
    // The named effect added to the object after the position (replacing it
    // with `replace`).
    std::function<void(const ObjectPointer& object, const wchar_t* name, const EffectBase* position, bool replace)>
        setEffect;
    std::function<void(const std::wstring& path, int layer, int frame)> loadObjectAlias;
    std::function<void(const ObjectPointer& object, const std::wstring& path, const EffectBase* position,
                       bool replace)>
        loadEffectAlias;

    static EffectMenuCommands& installed();
};

}  // namespace Effect
