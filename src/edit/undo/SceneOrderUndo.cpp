#include "edit/undo/SceneOrderUndo.h"

#include "edit/scope/EditScope.h"
#include "edit/undo/UndoItem.h"

namespace Undo {

void SceneOrderUndo::capture(const SceneOrder& target) {
    orders.clear();
    for (const Edit::ScenePointer& scene : target.scenes) orders.push_back(scene->listOrder);
}

bool SceneOrderUndo::isChange(SceneOrderUndo& before, SceneOrderUndo& after) { return before.orders != after.orders; }

void SceneOrderUndo::restore(const std::shared_ptr<SceneOrder>& target, Edit::EditScope& scope) const {
    for (std::size_t i = 0; i < target->scenes.size() && i < orders.size(); ++i)
        target->scenes[i]->listOrder = orders[i];
    scope.notifySceneChange = true;
}

std::unique_ptr<UndoItem> makeSceneOrderUndo(std::vector<Edit::ScenePointer> scenes) {
    auto item = std::make_unique<UndoItemTemplate<SceneOrder, SceneOrderUndo>>(
        std::make_shared<SceneOrder>(SceneOrder{std::move(scenes)}));
    item->saveUndo();
    return item;
}

}  // namespace Undo
