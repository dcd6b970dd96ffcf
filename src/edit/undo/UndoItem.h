#pragma once
// One undo record: the state of one changed thing before a change and, once
// the edit is committed, after it. Undo and redo restore one of the two and
// set the edit scope's change flags that the restore calls for.
#include <memory>
#include <vector>

namespace Edit {
class EditScope;
}  // namespace Edit

namespace Undo {

class UndoItem {
public:
    virtual ~UndoItem() = default;
    // Captures the after state; false when the record describes no change
    // (such a record is dropped).
    virtual bool commit() = 0;
    // Capture the target's current state into the before / after slot.
    virtual void saveUndo() = 0;
    virtual void saveRedo() = 0;
    // Restore the before / after state.
    virtual void undo(Edit::EditScope& scope) = 0;
    virtual void redo(Edit::EditScope& scope) = 0;
};

// The records of one edit, in the order they were made.
using UndoGroup = std::vector<std::unique_ptr<UndoItem>>;

// A record over a target held alive by the record and two change records of
// type Change, which provides
//     void capture(const Target&);
//     static bool isChange(Change& before, Change& after);  // may compact both
//     void restore(const std::shared_ptr<Target>&, Edit::EditScope&) const;
template <class Target, class Change>
class UndoItemTemplate final : public UndoItem {
public:
    explicit UndoItemTemplate(std::shared_ptr<Target> target) : target(std::move(target)) {}

    bool commit() override {
        saveRedo();
        return Change::isChange(before, after);
    }
    void saveUndo() override { before.capture(*target); }
    void saveRedo() override { after.capture(*target); }
    void undo(Edit::EditScope& scope) override { before.restore(target, scope); }
    void redo(Edit::EditScope& scope) override { after.restore(target, scope); }

    std::shared_ptr<Target> target;
    Change before;
    Change after;
};

}  // namespace Undo
