#pragma once
// Copies of objects with the extent of the block they form: the program's
// object clipboard (held by the edit service), duplicate's temporary list
// and the objects of a many-object alias. The copies belong to no scene but
// keep the layer, frames and group of their source; pasting makes new,
// independent objects each time, with fresh groups.
#include "edit/model/Scene.h"

#include <unordered_map>
#include <vector>

namespace Edit {

class EditService;

struct ObjectListExtent {
    struct Range {
        int first = 0;
        int last = 0;
    };
    int topLayer = 0;
    int bottomLayer = 0;
    int firstFrame = 0;
    int lastFrame = 0;
    // The earliest start and latest end on each layer.
    std::unordered_map<int, Range> layerExtents;
};

// The extent of the objects, all bounds 0 when there are none. The layer
// table must be empty on entry.
void calcObjectListExtent(ObjectListExtent& extent, const std::vector<ObjectPointer>& objects);

class ObjectCopyList {
public:
    // Empties the extent.
    void initMap();
    // Appends a copy: flags, layer, frames, boundaries, new effect instances
    // and the source's group (the copy does not join it).
    void addClone(const Object& source);
    // Whether the block, moved by the offsets, collides with no object of
    // the scene; on a collision the layer offset grows by one. The extent
    // must be computed.
    bool findFreeLayer(const Scene& scene, int frameOffset, int& layerOffset) const;
    // Pastes into the current scene with the top layer on `layer` and the
    // earliest frame on `frame`, later in time past collisions.
    void pasteAt(EditService& edit, int layer, int frame, bool focusFirst);
    // Creates the objects, moved by the offsets, in one edit scope and undo
    // group; with focusFirst the first becomes the focus object.
    void paste(EditService& edit, int layerOffset, int frameOffset, bool focusFirst);
    // The extent of the copies.
    void calcExtent();

    bool empty() const { return objects.empty(); }
    void clear() { objects.clear(); }

    std::vector<ObjectPointer> objects;
    ObjectListExtent extent;
};

}  // namespace Edit
