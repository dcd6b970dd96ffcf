#pragma once
// The YUV colour space of a movie source: 0 automatic, else the 1-based
// position of an entry of the YUV-to-RGB table; plus a second value the
// movie object gives meaning to.
#include "effect/item/EffectItem.h"

#include <functional>
#include <vector>

namespace Effect {

class EffectItemYUV : public EffectItem {
public:
    // The entry names of the YUV-to-RGB table, in table order.
    using ColorSpaceNames = std::function<std::vector<std::wstring>()>;
    // Set when the colour tables are built at start-up.
    static void setColorSpaceNames(ColorSpaceNames names);

    EffectItemYUV(ItemList& items, std::wstring name, int colorSpace = 0, int range = 0);

    void copyFrom(const EffectItem& other) override;
    bool equals(const EffectItem& other) const override;
    std::unique_ptr<EffectItem> clone() const override;
    // The entry name (nothing for automatic: 0 or a position outside the
    // table), then "," and the second value when it is not 0; so (0, 0) and
    // every automatic colour space without a second value give "".
    std::string toString() const override;
    // Never throws: what fails to read stays 0; "自動" (automatic) reads as 0
    // unless an entry has that name.
    void fromString(const std::string& text) override;

    int colorSpace;
    int range;

protected:
    EffectItemYUV(const EffectItemYUV& other) = default;
};

}  // namespace Effect
