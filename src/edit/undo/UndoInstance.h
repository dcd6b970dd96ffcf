#pragma once
// The mixin base of every class that records undo items: it holds the undo
// service, which outlives every holder.
#include "core/base/Singleton.h"
#include "edit/undo/UndoService.h"

namespace Undo {

class UndoInstance {
protected:
    UndoInstance() : undoService(System::Singleton<UndoService>::getInstance()) {}
    ~UndoInstance() = default;
    UndoInstance(const UndoInstance&) = default;
    UndoInstance& operator=(const UndoInstance&) = default;

    UndoService* undoService;
};

}  // namespace Undo
