#pragma once
// The change records of a timeline object. Each captures one aspect of the
// object, decides whether its two states differ, and restores one state,
// setting the scope flags of that aspect. Restoring a placement expects the
// object on a layer; the order in which undo and redo walk a group keeps
// that true.
#include "edit/chain/EffectManager.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Edit {

class EditScope;
class Group;
class Object;

// Layer and frame range; the boundary list only while it matters: taken
// when the object has boundaries, dropped at commit when both are equal.
struct ObjectUndoUpdate {
    std::int32_t layer = -1;
    std::int32_t start = 0;
    std::int32_t end = 0;
    std::unique_ptr<std::vector<int>> boundaries;
    bool boundariesChanged = false;

    void capture(const Object& object);
    static bool isChange(ObjectUndoUpdate& before, ObjectUndoUpdate& after);
    void restore(const std::shared_ptr<Object>& object, EditScope& scope) const;
};

// Whether the object is on a layer: its layer, or -1.
struct ObjectUndoCreateDelete {
    std::int32_t layer = -1;

    void capture(const Object& object);
    static bool isChange(ObjectUndoCreateDelete& before, ObjectUndoCreateDelete& after);
    void restore(const std::shared_ptr<Object>& object, EditScope& scope) const;
};

struct ObjectUndoSection {
    std::vector<int> boundaries;

    void capture(const Object& object);
    static bool isChange(ObjectUndoSection& before, ObjectUndoSection& after);
    void restore(const std::shared_ptr<Object>& object, EditScope& scope) const;
};

struct ObjectUndoGroup {
    std::shared_ptr<Group> group;

    void capture(const Object& object);
    static bool isChange(ObjectUndoGroup& before, ObjectUndoGroup& after);
    void restore(const std::shared_ptr<Object>& object, EditScope& scope) const;
};

// The chain as a list of the same effect instances (not clones).
struct ObjectUndoEffect {
    EffectManager::EffectList effects;

    void capture(const Object& object);
    static bool isChange(ObjectUndoEffect& before, ObjectUndoEffect& after);
    void restore(const std::shared_ptr<Object>& object, EditScope& scope) const;
};

struct ObjectUndoFlag {
    bool clipping = false;
    std::uint8_t camera = 0;

    void capture(const Object& object);
    static bool isChange(ObjectUndoFlag& before, ObjectUndoFlag& after);
    void restore(const std::shared_ptr<Object>& object, EditScope& scope) const;
};

// The layer range of a control object's first effect.
struct ObjectUndoLayerRange {
    std::int32_t range = 0;

    void capture(const Object& object);
    static bool isChange(ObjectUndoLayerRange& before, ObjectUndoLayerRange& after);
    void restore(const std::shared_ptr<Object>& object, EditScope& scope) const;
};

}  // namespace Edit
