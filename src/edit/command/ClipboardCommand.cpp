#include "edit/command/ClipboardCommand.h"

#include "core/base/Log.h"
#include "edit/command/CommandTargets.h"
#include "edit/service/EditService.h"

#include <algorithm>

namespace Edit::EditCommand {

namespace {

constexpr const char* PasteTag = "Edit::EditCommand::pasteObject";

}  // namespace

void copyObject(EditService& edit) {
    const std::vector<ObjectPointer> targets = getTargets(*edit.getCurrentScene());
    if (targets.empty()) return;
    System::Log::info("Edit::EditCommand::copyObject", "copy object num=%d", static_cast<int>(targets.size()));
    ObjectCopyList& clipboard = edit.clipboard;
    clipboard.clear();
    for (const ObjectPointer& object : targets) clipboard.addClone(*object);
}

void pasteObject(EditService& edit, int layer, int frame) {
    ObjectCopyList& clipboard = edit.clipboard;
    if (clipboard.empty()) return;
    System::Log::info(PasteTag, "paste object num=%d", static_cast<int>(clipboard.objects.size()));
    clipboard.pasteAt(edit, layer, frame, false);
}

void pasteObject(EditService& edit) {
    ObjectCopyList& clipboard = edit.clipboard;
    if (clipboard.empty()) return;
    System::Log::info(PasteTag, "paste object num=%d", static_cast<int>(clipboard.objects.size()));
    int layer = 0;
    int frame = 0;
    if (edit.hooks.getTimelinePastePosition && edit.hooks.getTimelinePastePosition(layer, frame)) {
        clipboard.pasteAt(edit, std::max(layer, 0), std::max(frame, 0), false);
        return;
    }
    clipboard.calcExtent();
    const Scene& scene = *edit.getCurrentScene();
    const ObjectListExtent& extent = clipboard.extent;
    const int cursor = scene.cursorFrame;
    const int frameOffset = cursor < extent.firstFrame || cursor > extent.lastFrame ? cursor - extent.firstFrame : 0;
    int layerOffset = extent.bottomLayer - extent.topLayer;
    while (!clipboard.findFreeLayer(scene, frameOffset, layerOffset)) {
    }
    clipboard.paste(edit, layerOffset, frameOffset, false);
}

}  // namespace Edit::EditCommand
