#pragma once
// The group numbers of one project file, for one read or one write: a
// writer numbers groups from 1 as it meets their first member; a reader
// makes one new group per distinct number, whatever scene it is met in.
#include "edit/model/Object.h"

#include <memory>
#include <unordered_map>

namespace Edit {

class GroupIdMap {
public:
    // The group's number, the next free one on first meeting.
    int numberOf(const Group* group) {
        const auto [entry, added] = numbers_.try_emplace(group, next_);
        if (added) ++next_;
        return entry->second;
    }
    // The group of a file number, made on first use.
    std::shared_ptr<Group> groupOf(int number) {
        std::shared_ptr<Group>& group = groups_[number];
        if (!group) group = std::make_shared<Group>();
        return group;
    }

private:
    std::unordered_map<const Group*, int> numbers_;
    std::unordered_map<int, std::shared_ptr<Group>> groups_;
    int next_ = 1;
};

}  // namespace Edit
