#pragma once
// A file dropped on an input effect. Its path goes through the item's
// setFilePath, which refuses one that could not be written to a project
// file (a line break or a NUL, legal in file names here): the item keeps its
// file and the user is told the file is not supported.
#include "effect/item/EffectItem.h"

namespace Effect {

// True when the item took the path; false (and the error posted) when not.
bool takeDroppedFile(EffectItem& item, const wchar_t* path);

}  // namespace Effect
