#pragma once
// The undo history of one scene: finished groups, newest first, and how many
// groups at the front have been undone (the redo part). Owned by its scene.
#include "edit/undo/UndoItem.h"

#include <cstddef>
#include <deque>

namespace Undo {

struct UndoHistory {
    std::deque<UndoGroup> groups;
    // Groups before it are the redo part; the group at it is undone next.
    std::size_t position = 0;
};

}  // namespace Undo
