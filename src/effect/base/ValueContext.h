#pragma once
// What the value of a number item depends on: the object being rendered,
// its layer, the frame and time it is evaluated at, the copy drawn (effects
// that draw an object several times move each copy differently) and the
// section position the render context computed once for that frame.
//
// The render context carries these for every object it evaluates; the
// movements read nothing else of it.
#include "effect/movement/SectionPosition.h"

namespace Effect {

struct ValueContext {
    // Never null while an item is evaluated.
    const ObjectFrames* object = nullptr;
    int layer = 0;
    int frame = 0;
    double time = 0.0;
    int index = 0;  // copy index; 0 unless an effect draws several copies
    SectionPosition sectionPosition;

    // Makes the object current at frame and time and computes its position.
    void setObject(const ObjectFrames& target, int atFrame, double atTime) {
        object = &target;
        frame = atFrame;
        time = atTime;
        sectionPosition = SectionPosition(target, atFrame, atTime);
    }
};

}  // namespace Effect
