#pragma once
// The part of every text-entry control through which Tab moves the focus
// among the members of a group, in the order they joined. Groups are built
// and torn down with the block that owns them: when one member goes, the
// whole group is emptied, so no member keeps pointers to the others.
#include <memory>
#include <vector>

namespace Control {

class EditFocusGroup {
public:
    using Members = std::vector<EditFocusGroup*>;

    EditFocusGroup() = default;
    virtual ~EditFocusGroup();
    EditFocusGroup(const EditFocusGroup&) = delete;
    EditFocusGroup& operator=(const EditFocusGroup&) = delete;

    // Gives (true) or takes (false) the keyboard focus.
    virtual void setGroupFocus(bool on) = 0;
    // Whether Tab may move the focus here now.
    virtual bool canGroupFocus() = 0;

    // Leaves the old group and joins the end of this one.
    void setFocusGroup(const std::shared_ptr<Members>& members);
    bool inFocusGroup() const { return group != nullptr; }
    // Tab from this member: tries at most count - 1 others, one step
    // backward or forward at a time with wrap-around; the first that can
    // take the focus gets it after this one gave it up. False (nothing
    // done) in a group of fewer than two, a group without this member, or
    // when none of the others can take it.
    bool cycleGroupFocus(bool backward);

    std::shared_ptr<Members> group;
};

}  // namespace Control
