#include "edit/command/CommandTargets.h"

namespace Edit::EditCommand {

std::vector<ObjectPointer> getTargets(const Scene& scene) {
    if (!scene.selection.objects.empty()) return scene.selection.objects;
    if (scene.focusObject && scene.focusObject->layer != -1) return {scene.focusObject};
    return {};
}

}  // namespace Edit::EditCommand
