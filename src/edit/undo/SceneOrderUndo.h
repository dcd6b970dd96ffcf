#pragma once
// The display order of a project's scenes as an undo record sees it: the
// scene list's drag changes it, and undo puts every scene back in place.
#include "edit/model/Scene.h"

#include <memory>
#include <vector>

namespace Edit {
class EditScope;
}  // namespace Edit

namespace Undo {

struct SceneOrder {
    std::vector<Edit::ScenePointer> scenes;
};

struct SceneOrderUndo {
    std::vector<int> orders;

    void capture(const SceneOrder& target);
    static bool isChange(SceneOrderUndo& before, SceneOrderUndo& after);
    // Sets the orders and has the scene lists rebuilt.
    void restore(const std::shared_ptr<SceneOrder>& target, Edit::EditScope& scope) const;
};

// A record of the orders of the scenes, their present order as its before
// state.
std::unique_ptr<class UndoItem> makeSceneOrderUndo(std::vector<Edit::ScenePointer> scenes);

}  // namespace Undo
