#include "effect/movement/SectionPosition.h"

#include <algorithm>

namespace Effect {

int ObjectFrames::getSectionIndex(int frame) const {
    const auto after = std::upper_bound(boundaries.begin(), boundaries.end(), frame - start);
    return static_cast<int>(after - boundaries.begin());
}

int ObjectFrames::getSectionLength(int index) const {
    const int midPoints = getMidPointCount();
    if (midPoints == 0) return end - start;
    if (index <= 0) return boundaries.front();
    if (index >= midPoints) return end - start - boundaries.back();
    return boundaries[static_cast<std::size_t>(index)] - boundaries[static_cast<std::size_t>(index) - 1];
}

SectionPosition::SectionPosition(const ObjectFrames& object, int frame, double time)
    : index(object.getSectionIndex(frame)), count(object.getMidPointCount() + 1) {
    const int sectionStart =
        index == 0 ? object.start : object.start + object.boundaries[static_cast<std::size_t>(index) - 1];
    offset = time - sectionStart;
    length = std::max(object.getSectionLength(index), 1);
    position = (time - object.start) / std::max(object.end - object.start, 1);
}

SectionPosition SectionPosition::wholeObject(const ObjectFrames& object, double time) {
    SectionPosition whole;
    whole.offset = time - object.start;
    whole.length = std::max(object.end - object.start, 1);
    whole.position = whole.offset / whole.length;
    return whole;
}

}  // namespace Effect
