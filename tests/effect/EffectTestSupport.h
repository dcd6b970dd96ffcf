#pragma once
// Helpers of the effect tests: the movement kinds the number texts name
// (installed as the registry would), and a small effect with one item of
// each kind.
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/movement/MovementBase.h"
#include "effect/movement/MovementKinds.h"
#include "effect/movement/MovementLookup.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace EffectTest {

// The nine built-in movement kinds, installed once per test program as the
// registry installs them.
class Movements {
    // First: the kinds below are added to it as they are built.
    std::map<std::wstring, std::unique_ptr<Effect::MovementBase>> byName;

public:
    static Movements& install() {
        static Movements movements;
        Effect::DefaultMovement::noMove = movements.noMove;
        Effect::DefaultMovement::linearSpeed = movements.linearSpeed;
        Effect::DefaultMovement::movieRange = movements.movieRange;
        Effect::setMovementFinder([](const std::wstring& name) -> Effect::MovementBase* {
            const auto found = movements.byName.find(name);
            return found == movements.byName.end() ? nullptr : found->second.get();
        });
        return movements;
    }

    Effect::MovementBase& operator[](const std::wstring& name) { return *byName.at(name); }

    Effect::MovementBase* noMove = add<Effect::NoMove>();
    Effect::MovementBase* movieRange = add<Effect::MovieRange>();
    Effect::MovementBase* linear = add<Effect::LinearMove>();
    Effect::MovementBase* linearSpeed = add<Effect::LinearSpeed>();
    Effect::MovementBase* interpolation = add<Effect::InterpolationMove>();
    Effect::MovementBase* interpolationSpeed = add<Effect::InterpolationSpeed>();
    Effect::MovementBase* random = add<Effect::RandomMove>();
    Effect::MovementBase* teleportation = add<Effect::TeleportationMove>();
    Effect::MovementBase* speed = add<Effect::SpeedMove>();

private:
    Movements() = default;
    template <class T>
    Effect::MovementBase* add() {
        auto movement = std::make_unique<T>();
        Effect::MovementBase* raw = movement.get();
        byName.emplace(raw->name, std::move(movement));
        return raw;
    }
};

// Whole-range number items owned by a test, made with a movement, stored
// values and flags.
struct NumberItems {
    Effect::ItemList items;
    std::vector<std::unique_ptr<Effect::EffectItemNumber>> owned;

    Effect::EffectItemNumber& make(Effect::MovementBase* movement, std::vector<std::int32_t> values,
                                   std::uint32_t flags = 0, double step = 1,
                                   const wchar_t* name = L"X") {
        owned.push_back(
            std::make_unique<Effect::EffectItemNumber>(items, name, 0, -100000, 100000, step));
        Effect::EffectItemNumber& item = *owned.back();
        item.movement = movement;
        item.values = std::move(values);
        item.flags = flags;
        return item;
    }
};

// The what() text of the exception a call throws; empty when it returns.
inline std::string errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// The program's error text without a note.
inline std::string programError(const std::string& message, const std::string& place) {
    return message + "\n\n[Place]\n" + place + "()";
}

// A filter whose items the tests declare themselves.
class BareEffect : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = L"テスト効果";
    BareEffect() : EffectBase(Name, Effect::EffectKind::Filter, Effect::MediaKind::Video,
                              Effect::MediaKind::Video, L"テスト") {}
    std::shared_ptr<Effect::EffectBase> create() const override {
        return std::make_shared<BareEffect>();
    }
};

}  // namespace EffectTest
