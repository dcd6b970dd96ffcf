#pragma once
// Closing empty frames on layers: each object after a gap moves left by the
// total length of the gaps before it on its layer; objects before the first
// gap and other layers stay. Runs inside an open edit scope with undo.
#include "edit/model/Scene.h"

#include <map>
#include <utility>
#include <vector>

namespace Edit {

class EditService;

namespace EditCommand {

// Layer index to its gaps (first and last frame, inclusive).
using GapTable = std::map<int, std::vector<std::pair<int, int>>>;

void closeGaps(EditService& service, Scene& scene, GapTable gaps);

// The gaps the objects (taken off the timeline) leave on their layers.
void closeObjectGaps(EditService& service, Scene& scene, const std::vector<ObjectPointer>& objects);

}  // namespace EditCommand
}  // namespace Edit
