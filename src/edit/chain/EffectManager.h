#pragma once
// The effect chain of a timeline object and the rules that keep it in shape:
//   input object:   [0] input, [1] output fitting the input, then filters;
//   filter object:  filters only;
//   control object: [0] control, then filters fitting its target.
// An output never stands first. Instances are made from registered
// definitions and told apart by definition (the name pointer), never by
// value. Every rule is checked before the chain changes, so a rejected
// operation leaves the chain as it was.
//
// Changed on the user-interface thread inside an exclusive edit scope; the
// render workers read it under the shared lock.
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace Effect {
class EffectDefine;
class EffectService;
}  // namespace Effect

namespace Edit {

class Object;
class Scene;

class EffectManager {
public:
    using EffectPointer = std::shared_ptr<Effect::EffectBase>;
    using EffectList = std::vector<EffectPointer>;
    // The values of the chain's numbers captured before a section edit, in
    // each item's own units, with a section index (-1 when none).
    using NumberValueMap =
        std::unordered_map<const Effect::EffectItemNumber*, Effect::EffectItemNumber::CapturedValue>;

    // Object types of the timeline's colours.
    enum ObjectType : int {
        VideoMediaObject = 1,
        AudioMediaObject = 2,
        OtherMediaObject = 3,
        VideoFilterObject = 4,
        AudioFilterObject = 5,
        OtherFilterObject = 6,
        ControlObject = 7,
    };

    // Without a service the process-wide registry is used.
    explicit EffectManager(Effect::EffectService* service = nullptr);
    EffectManager(const EffectManager&) = delete;
    EffectManager& operator=(const EffectManager&) = delete;

    // Dispatches on the definition's effect type; returns the entry set.
    EffectPointer& setEffectByDefine(Effect::EffectDefine& define);
    EffectPointer& setFilterEffect(Effect::EffectDefine& define);
    EffectPointer& setInputEffect(Effect::EffectDefine& define);
    EffectPointer& setOutputEffect(Effect::EffectDefine& define);
    EffectPointer& setControlEffect(Effect::EffectDefine& define);
    // After an input or output changed: drops what no longer fits and gives
    // an input without an output its default one.
    void adjustEffectList();
    // A new effect by name with the definition's saved defaults, sized to
    // the object's sections (midPoints), moved after `after` when given.
    EffectPointer& addEffect(const wchar_t* name, int midPoints, const Effect::EffectBase* after);

    void moveEffectUp(const Effect::EffectBase* effect);
    void moveEffectDown(const Effect::EffectBase* effect);
    // The last entry, a filter, moves up to right after `after` (or after
    // the last entry that is not a filter).
    void moveEffectAfter(const Effect::EffectBase* effect, const Effect::EffectBase* after);
    // The last entry, a filter, moves up to right before `before`.
    void moveEffectBefore(const Effect::EffectBase* effect, const Effect::EffectBase* before);
    void removeEffectIf(const std::function<bool(const EffectPointer&)>& predicate);
    void removeEffect(const Effect::EffectBase* effect);

    // Every per-boundary number of the effect holds sections + 1 values.
    static void setEffectSectionNum(Effect::EffectBase& effect, int sectionCount);
    // The target's chain becomes new instances with this chain's values and
    // flags.
    void copyEffectList(EffectManager& target) const;

    // Values of the chain's numbers at a frame of the object. With `linear`
    // time-controlled numbers are read straight between their stored values.
    NumberValueMap captureNumberValues(const Scene& scene, const Object& object, int frame,
                                       bool linear) const;
    // Stored values at boundary k of the object, keyed by this chain's items
    // or, with `other`, by the items at the same positions of that chain.
    NumberValueMap captureBoundaryValues(const Object& object, int boundary,
                                         const EffectManager* other) const;

    // The layer-range flag taken again from the first effect, after the
    // chain was replaced as a whole.
    void updateLayerRangeControl();

    int getObjectType() const;
    bool isInputObject() const;
    bool isControlObject() const;
    bool isFilterObject() const;
    // The entry's index, or -1.
    int indexOf(const Effect::EffectBase* effect) const;
    // Calls fn for every code-1 number of the chain, in chain and item order.
    void forEachNumber(const std::function<void(Effect::EffectItemNumber&)>& fn) const;

    Effect::EffectService* effectService;
    bool layerRangeControl = false;
    EffectList effectList;

private:
    EffectPointer newInstance(const Effect::EffectDefine& define) const;
    Effect::EffectDefine& findDefine(const wchar_t* name) const;
};

// Whether a filter or output of media m fits a chain whose first effect has
// target t.
bool isFitMedia(std::uint8_t target, std::uint8_t media);

}  // namespace Edit
