#pragma once
// The text decorations and alignments that text objects (and scripts that
// load text) choose from by row, and the choice lists of their items.
#include "effect/item/EffectItemSelect.h"

#include <span>

namespace Effect {

struct TextDecoration {
    const wchar_t* name;
    float borderWidthFactor;  // times the size
    float shadowStrength;     // 0: no shadow
    bool roundCorners;
};

struct TextAlignment {
    const wchar_t* name;
    // The point of the text picture the object's position refers to:
    // -0.5 left or top edge, 0.5 right or bottom edge.
    float anchorX;
    float anchorY;
    float lineAlignment;  // 0 start, 0.5 centre, 1 end of each line
    bool vertical;
};

std::span<const TextDecoration> textDecorations();
std::span<const TextAlignment> textAlignments();
// The row of a value; a value outside the table takes the first row.
const TextDecoration& textDecoration(int value);
const TextAlignment& textAlignment(int value);

EffectItemSelect::SharedList& textDecorationList();
EffectItemSelect::SharedList& textAlignmentList();

}  // namespace Effect
