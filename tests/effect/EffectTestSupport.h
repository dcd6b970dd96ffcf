#pragma once
// Helpers of the effect tests: the movement kinds the number texts name
// (installed as the registry would), and a small effect with one item of
// each kind.
#include "effect/EffectBase.h"
#include "effect/MovementBase.h"
#include "effect/MovementLookup.h"

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace EffectTest {

struct Movement : Effect::MovementBase {
    Movement(const wchar_t* movementName, int count, int accelerate, int decelerate,
             int ignoreMidPoints, bool timeControl, std::vector<double> params = {}) {
        name = movementName;
        valueCount = count;
        accelerateOption = accelerate;
        decelerateOption = decelerate;
        ignoreMidPointsOption = ignoreMidPoints;
        timeControlled = timeControl;
        valuesAtBoundaries = !timeControl;
        defaultParams = std::move(params);
    }
};

// The built-in movement table, registered once per test program.
class Movements {
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

    Effect::MovementBase* noMove;
    Effect::MovementBase* movieRange;
    Effect::MovementBase* linear;
    Effect::MovementBase* linearSpeed;
    Effect::MovementBase* random;

private:
    Movements() {
        noMove = add(L"移動無し", 1, -1, -1, 0, false);
        movieRange = add(L"再生範囲", 2, -1, -1, 0, false);
        linear = add(L"直線移動", -1, 0, 0, 0, false);
        linearSpeed = add(L"直線移動(時間制御)", -1, 0, 0, 0, true);
        add(L"補間移動", -1, 1, 1, -1, false);
        add(L"補間移動(時間制御)", -1, -1, -1, -1, true);
        random = add(L"ランダム移動", -1, -1, -1, 2, false, {15});
        add(L"瞬間移動", -1, -1, -1, -1, false);
        add(L"移動量指定", -1, -1, -1, 2, false);
    }
    Effect::MovementBase* add(const wchar_t* name, int count, int accelerate, int decelerate,
                              int ignoreMidPoints, bool timeControl,
                              std::vector<double> params = {}) {
        auto movement = std::make_unique<Movement>(name, count, accelerate, decelerate,
                                                   ignoreMidPoints, timeControl, std::move(params));
        Effect::MovementBase* raw = movement.get();
        byName.emplace(name, std::move(movement));
        return raw;
    }

    std::map<std::wstring, std::unique_ptr<Effect::MovementBase>> byName;
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
