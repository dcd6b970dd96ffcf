#pragma once
// An entry of the effect menus: a registered effect kind, or an object or
// effect alias. The menus filter entries by kind, media and target.
#include "core/file/MenuDefineBase.h"

#include <cstdint>
#include <memory>

namespace Edit {
class Object;
}  // namespace Edit

namespace Effect {

class EffectBase;

// Kinds of the alias entries, beside the effect kinds 1 to 4.
namespace AliasKind {
inline constexpr std::uint8_t Object = 100;
inline constexpr std::uint8_t Effect = 101;
}  // namespace AliasKind

class EffectMenuDefine : public Menu::MenuDefineBase {
public:
    using MenuDefineBase::MenuDefineBase;

    virtual std::uint8_t getEffectType() const = 0;
    virtual std::uint8_t getMediaType() const = 0;
    virtual std::uint8_t getTargetType() const = 0;
    // The entry chosen in the object menu at a layer and frame.
    virtual void createObject(int layer, int frame) = 0;
    // The entry chosen in the filter menu of an object, after the position
    // (in its place with `replace`).
    virtual void addEffect(const std::shared_ptr<Edit::Object>& object, const EffectBase* position,
                           bool replace) = 0;
    // Whether an effect instance is of this entry's kind.
    virtual bool isDefineOf(const EffectBase* effect) const;

protected:
    ~EffectMenuDefine() = default;
};

inline bool EffectMenuDefine::isDefineOf(const EffectBase*) const { return false; }

}  // namespace Effect
