#pragma once
// One timeline object: an effect chain placed on a layer over an inclusive
// frame range, divided into sections by boundaries (offsets from the start,
// strictly increasing, each inside the range). Every per-boundary number of
// its effects holds one value per key frame: start, each boundary, end.
//
// Objects are held by shared pointers (layer list, selection, focus,
// clipboard, undo records); an object on no layer has layer -1.
#include "edit/chain/EffectManager.h"
#include "effect/movement/SectionPosition.h"

#include <memory>
#include <unordered_set>
#include <vector>

namespace Edit {

class LayerObjectManager;
class Object;
class Scene;

// The members of an object group. Members hold the group; the group knows
// its members only by address.
class Group {
public:
    Group() = default;
    Group(const Group&) = delete;
    Group& operator=(const Group&) = delete;

    // Every member on a layer, as its layer list holds it.
    std::vector<std::shared_ptr<Object>> getObjectList(const LayerObjectManager& layers) const;

    std::unordered_set<Object*> members;
};

class Object : public EffectManager, public Effect::ObjectFrames {
public:
    explicit Object(Effect::EffectService* service = nullptr);
    ~Object();

    // Key frame i: 0 the start, 1..n the boundaries, n + 1 the end.
    int getKeyFrame(int key) const;
    // Whether the section holding the frame or a later one is at least two
    // frames long.
    bool canAddSection(int frame) const;
    // Strictly inside its section: not on a key frame, not the end frame.
    bool isInsideSection(int frame) const;
    // A boundary in the section holding the frame (or the next one long
    // enough); the numbers get a value there from `values` or their default.
    void addSection(int frame, const NumberValueMap* values);
    // Removes boundary k (1 <= k <= boundaries) and its values.
    void removeSection(int key);
    // Fills the two copies with the parts before and from the frame; false
    // (and nothing done) unless start < frame <= end.
    bool splitObject(int frame, Object& first, Object& second, const Scene& scene) const;
    // Appends this object to the previous one on its layer when they touch;
    // the caller then detaches this one.
    bool joinObject(Object& previous) const;

    // Leaves the current group (if any) and joins the given one.
    void setGroup(std::shared_ptr<Group> newGroup);
    void releaseGroup();

    std::shared_ptr<Group> group;
    int layer = -1;
    bool clipping = false;
    bool camera = true;
    bool selected = false;

    // Copies frames, flags, layer and a new chain into the target.
    void copyPlacementTo(Object& target) const;
};

using ObjectPointer = std::shared_ptr<Object>;

}  // namespace Edit
