#pragma once
// What every built-in effect class shares: `create` makes a new instance of
// the class (no resources by itself), and classes with per-type GPU
// resources keep them in one CommonResource made on the registry's
// prototype and handed to every instance made from it.
#include "effect/base/EffectBase.h"

#include <memory>

namespace Effect {

template <class Derived, class Base = EffectBase>
class BuiltinClass : public Base {
public:
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Derived>(); }

protected:
    using Base::Base;
};

// Derived declares its nested CommonResource and a member
// `std::shared_ptr<CommonResource> common`.
template <class Derived, class Base = EffectBase>
class SharedResourceEffect : public BuiltinClass<Derived, Base> {
public:
    void createResource() override {
        self().common = std::make_shared<typename Derived::CommonResource>();
    }
    void shareResource(const EffectBase& prototype) override {
        self().common = dynamic_cast<const Derived&>(prototype).common;
    }

protected:
    using BuiltinClass<Derived, Base>::BuiltinClass;

private:
    Derived& self() { return static_cast<Derived&>(*this); }
};

}  // namespace Effect
