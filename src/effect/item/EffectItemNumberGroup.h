#pragma once
// The settings row that shows several number items together; when linked,
// edits and handles treat the members as one point.
#include "effect/item/EffectItem.h"

#include <vector>

namespace Render {
class ObjectContextBase;
}

namespace Effect {

class EffectItemNumber;

class EffectItemNumberGroup : public EffectItem {
public:
    // Each member records this group.
    EffectItemNumberGroup(ItemList& items, std::wstring name,
                          std::vector<EffectItemNumber*> members, bool linked);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    // A clone keeps the same members.
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    void fromString(const std::string& text) override;

    // "[" + the members' names, translated, joined by "," + "]".
    std::wstring getLabel() const;
    // The number items' key-frame test with the largest value count among
    // the members; a group without members is always on a key frame.
    bool isOnKeyFrame(const Render::ObjectContextBase& context) const;

    std::vector<EffectItemNumber*> members;
    bool linked;  // グループ化

protected:
    EffectItemNumberGroup(const EffectItemNumberGroup& other) = default;
};

}  // namespace Effect
