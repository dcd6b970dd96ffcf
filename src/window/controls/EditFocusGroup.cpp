#include "window/controls/EditFocusGroup.h"

#include <algorithm>

namespace Control {

EditFocusGroup::~EditFocusGroup() {
    if (group) group->clear();
}

void EditFocusGroup::setFocusGroup(const std::shared_ptr<Members>& members) {
    if (group) std::erase(*group, this);
    group = members;
    if (group) group->push_back(this);
}

bool EditFocusGroup::cycleGroupFocus(bool backward) {
    if (!group) return false;
    // A copy: focus changes may run owners' code that rebuilds the group.
    const Members members = *group;
    const int count = static_cast<int>(members.size());
    if (count < 2) return false;
    const auto self = std::find(members.begin(), members.end(), this);
    if (self == members.end()) return false;
    const int position = static_cast<int>(self - members.begin());
    const int step = backward ? -1 : 1;
    for (int tried = 1; tried < count; ++tried) {
        EditFocusGroup* member = members[((position + step * tried) % count + count) % count];
        if (member == this || !member->canGroupFocus()) continue;
        setGroupFocus(false);
        member->setGroupFocus(true);
        return true;
    }
    return false;
}

}  // namespace Control
