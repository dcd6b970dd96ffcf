#pragma once
// The animated number of an effect: one stored value per section boundary of
// its object (in step units: value = stored / scale), a shared movement
// prototype that says how the value travels between them, the movement's
// parameters, an optional time-control curve and three option bits.
#include "effect/item/EffectItem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Render {
class ObjectContextBase;
}

namespace Effect {

class EffectItemNumberGroup;
class MovementBase;
class MovementDefine;
struct SectionPosition;

class EffectItemNumber : public EffectItem {
public:
    static constexpr std::uint32_t Accelerate = 1;       // 加速
    static constexpr std::uint32_t Decelerate = 2;       // 減速
    static constexpr std::uint32_t IgnoreMidPoints = 4;  // 中間点無視

    // Edits the list of movements offered for this item.
    using MovementMenuCallback = std::function<void(std::vector<MovementDefine*>& movements)>;

    // What the effect chain captured of this item before a section edit:
    // a value in the item's own units and a section index (-1 when none).
    struct CapturedValue {
        double value = 0.0;
        int sectionIndex = -1;
    };

    // Default, minimum and maximum are stored in units of 1 / scale, like
    // every value; the movement is 移動無し with one value, the default.
    EffectItemNumber(ItemList& items, std::wstring name, double defaultValue, double minimum,
                     double maximum, double step, std::uint8_t type = ItemType::Number);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    std::string toString() const override;
    // A text that does not convert throws and leaves the item as it was.
    void fromString(const std::string& text) override;
    void loadQroValue(const std::string& value, const std::wstring& key,
                      const wchar_t* effectName, bool flag) override;

    // Stores the movement; a fixed-count movement resizes the values to its
    // count, new values taking the default.
    void setMovement(MovementBase& newMovement);
    // Resizes to the movement's fixed count, to 2 with IgnoreMidPoints, or to
    // the given boundary count: shrinking drops values before the last one,
    // growing repeats the last one. Returns the new count.
    int resizeValueList(int boundaryCount);
    // After the user picked another movement: option bits, curve and
    // parameters from the movement's defaults (boundaryCount = mid-points + 2).
    void adjustToMovement(int boundaryCount);
    // The parameters, first reset to the movement's defaults when the sizes
    // differ.
    std::vector<double>& getMovementParams();
    // The parameters in force: the movement's defaults when the sizes differ.
    const std::vector<double>& getMovementParams() const;

    // The value at the context's frame, through the movement, at the
    // context's section position (the whole object as one section with
    // IgnoreMidPoints).
    double getValue(const Render::ObjectContextBase& context) const;
    // The same at another frame (time = frame) or time of the context's
    // object.
    double getValueAtFrame(const Render::ObjectContextBase& context, int frame) const;
    double getValueAtTime(const Render::ObjectContextBase& context, double time) const;
    // Section index + offset / length at a time; with IgnoreMidPoints the
    // share of the whole object.
    double getSectionTime(const Render::ObjectContextBase& context, double time) const;
    // A normalised position through the time-control curve; unchanged unless
    // the movement is time-controlled and the curve holds 4k doubles.
    double applyTimeControl(double position) const;
    // Whether an edit at the context's time changes a stored value.
    bool isOnKeyFrame(const Render::ObjectContextBase& context) const;
    // The same rule for an item (or group) holding valueCount values.
    static bool isOnKeyFrame(const Render::ObjectContextBase& context, int valueCount);

    // Edits from an on-picture handle of a section (of an object with that
    // many mid-points); AllValues addresses every value the movement uses.
    static constexpr int AllValues = 100000000;
    void setAnchorValue(int section, int midPointCount, double value);
    // Returns whether any stored value changed.
    bool moveAnchorValue(int section, int midPointCount, double delta);

    // The seed of random motion: a hash of the name (as UTF-16LE) mixed
    // with the limits and the scale.
    std::int32_t getRandomSeed() const;

    // Ignores an index outside the list and a NaN value; stores the value in
    // steps, clamped to [minimum, maximum].
    void setValue(double value, int index);
    // Adds delta (clamped); returns whether the stored value changed.
    bool moveValue(double delta, int index);

    // Keep the values in step with an added, split or joined section. Only
    // per-boundary movements without IgnoreMidPoints hold such values.
    void insertSectionValue(int boundary, const CapturedValue* captured);
    void setSectionValue(int boundary, const CapturedValue* captured);
    // Drops the value of a removed key frame (clamped into the list).
    void removeSectionValue(int key);
    // 0 for index <= 0, the last index for index >= count; an empty list
    // throws "item value index out of range.".
    int clampValueIndex(int index) const;

    // With a linked group: the member at (own position + offset) modulo the
    // member count when it has the same movement and flags; else this item.
    EffectItemNumber& getGroupItem(int offset);
    const EffectItemNumber& getGroupItem(int offset) const;

    // One stored value as its exact decimal text.
    std::string formatValue(int index) const;

    std::vector<std::int32_t> values;
    std::int32_t defaultValue;
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t scale;
    // Never null.
    MovementBase* movement;
    // Four doubles per key point; applies only to time-controlled movements.
    std::vector<double> curve;
    std::vector<double> params;
    std::uint32_t flags = 0;
    EffectItemNumberGroup* group = nullptr;
    MovementMenuCallback movementMenuCallback;
    bool visible = true;
    // Handed to the value boxes of the settings row when set.
    const wchar_t* valueBoxText = nullptr;

protected:
    EffectItemNumber(const EffectItemNumber& other) = default;

private:
    void parse(const std::string& text);
    bool perBoundaryValues() const;
    SectionPosition positionAt(const Render::ObjectContextBase& context, int frame, double time) const;
    // The value index a handle edits: -1 for none, AllValues for all.
    int anchorIndex(int section, int midPointCount) const;
    // A step that is not a power of ten cannot use the exact decimal form.
    int decimalDigits() const;
};

}  // namespace Effect
