#pragma once
// One movement kind: a shared prototype that says how a number item's value
// travels between its stored values. Number items point at a prototype and
// compare prototypes by address. Prototypes are immutable once registered,
// so render threads evaluate them concurrently without locks.
#include <vector>

namespace Render {
class ObjectContextBase;
}

namespace Effect {

class EffectItemNumber;
struct ObjectFrames;
struct SectionPosition;

class MovementBase {
public:
    virtual ~MovementBase() = default;
    MovementBase(const MovementBase&) = delete;
    MovementBase& operator=(const MovementBase&) = delete;

    // The value at a position of the object's sections.
    virtual double getValue(const EffectItemNumber& item, const SectionPosition& position,
                            const Render::ObjectContextBase& context) const;
    // The section whose values are used; -1 for the position's own section.
    virtual int getSectionIndex(const EffectItemNumber& item,
                                const SectionPosition& position) const;
    // Normalised positions (0..1 over the object) of the inner section
    // boundaries: the snap points of the time-control curve editor.
    virtual std::vector<double> getSectionPositions(const ObjectFrames& object,
                                                    const EffectItemNumber& item) const;
    // Whether the stored value at an index takes part (handles, drags).
    virtual bool isValueUsed(const EffectItemNumber& item, int index) const;
    // Whether a movement path is drawn on the preview.
    virtual bool hasPath(const EffectItemNumber& item) const;

    // Value count of a kind that keeps one value per section boundary.
    static constexpr int PerBoundary = -1;

    const wchar_t* name = nullptr;
    // 1, 2, or PerBoundary.
    int valueCount = 1;
    std::vector<double> defaultCurve;
    std::vector<double> defaultParams;
    // Defaults of the item's option bits: accelerate and decelerate are set
    // when 1, ignore mid-points when above 0; -1 means not offered.
    int accelerateOption = -1;
    int decelerateOption = -1;
    int ignoreMidPointsOption = 0;
    // Stored values are reached at the boundary frames, so handles may be
    // shown and dragged at every frame (not so for kinds placed by path
    // length).
    bool valuesAtBoundaries = true;
    bool inMenu = true;
    bool timeControlled = false;

protected:
    MovementBase() = default;
};

// The prototypes other code starts items with and compares against; the
// registry publishes them right after it registered the movements.
namespace DefaultMovement {
inline MovementBase* noMove = nullptr;       // 移動無し
inline MovementBase* linearSpeed = nullptr;  // 直線移動(時間制御)
inline MovementBase* movieRange = nullptr;   // 再生範囲
}  // namespace DefaultMovement

}  // namespace Effect
