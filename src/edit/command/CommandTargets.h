#pragma once
// The objects an object command works on: the selection when it holds any,
// else the focus object when it is on a layer, else none.
#include "edit/model/Scene.h"

#include <vector>

namespace Edit::EditCommand {

std::vector<ObjectPointer> getTargets(const Scene& scene);

}  // namespace Edit::EditCommand
