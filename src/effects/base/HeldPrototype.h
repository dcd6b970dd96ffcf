#pragma once
// A registered prototype that the media services borrow (the wipes' blur
// and clipping) for as long as the registry keeps it; once it is gone the
// borrower fails as the registry's own lookup does.
#include "core/base/Exception.h"
#include "effect/registry/EffectService.h"

#include <memory>
#include <typeinfo>

namespace Effect {

template <class T>
class HeldPrototype {
public:
    explicit HeldPrototype(EffectService& service) : prototype_(service.findEffect(T::Name).prototype) {}

    // Held by the caller while used.
    std::shared_ptr<T> lock() const {
        std::shared_ptr<T> held = std::dynamic_pointer_cast<T>(prototype_.lock());
        if (!held)
            throw System::makeException("Effect::EffectService::getDefaultEffect", "default effect not found",
                                        className(typeid(T)).c_str());
        return held;
    }

private:
    std::weak_ptr<EffectBase> prototype_;
};

}  // namespace Effect
