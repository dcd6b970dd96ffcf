#pragma once
// One layer of a scene: its objects (sorted by start frame, and so by end
// frame, once the table was updated), the dirty flags the update consumes,
// the layer settings and the frame ranges of the layer-range control
// objects on it.
//
// Lookups that find nothing return the shared static empty object pointer,
// never a null reference.
#include "edit/model/Layer.h"
#include "edit/model/Object.h"

#include <memory>
#include <vector>

namespace Edit {

struct LayerControlRange {
    int start = 0;
    int end = 0;
    int layerCount = 0;  // following layers governed; "all" is 1000000
};

class LayerObjectList {
public:
    using ObjectList = std::vector<ObjectPointer>;

    explicit LayerObjectList(int index);

    // The first object whose end >= frame.
    ObjectList::const_iterator lowerBoundByEndFrame(int frame) const;
    // The first object whose start > frame.
    ObjectList::const_iterator upperBoundByStartFrame(int frame) const;
    const ObjectPointer& getObjectAtFrame(int frame) const;
    // Among the objects overlapping [a, b] the one whose start or end is
    // nearest to the middle; the earlier on a tie.
    const ObjectPointer& findNearestObject(int a, int b) const;
    // The object before / after the given one in list order, or empty.
    const ObjectPointer& getPreviousObject(const Object& object) const;
    const ObjectPointer& getNextObject(const Object& object) const;
    // The current settings leave the list (index -1); new defaults take
    // the old index.
    std::shared_ptr<Layer> resetLayerSetting();
    void removeObject(const Object& object);
    int getIndex() const { return layer->index; }

    // The shared pointer that stands for "no object".
    static const ObjectPointer& emptyObject();

    ObjectList objects;
    bool sortNeeded = false;
    bool reindexNeeded = false;
    bool controlRangeNeeded = false;
    std::shared_ptr<Layer> layer;
    std::vector<LayerControlRange> controlRanges;
};

}  // namespace Edit
