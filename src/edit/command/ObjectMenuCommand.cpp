#include "edit/command/ObjectMenuCommand.h"

#include "edit/command/ClipboardCommand.h"
#include "edit/command/CommandTargets.h"
#include "edit/command/CutCommand.h"
#include "edit/command/ObjectEditCommand.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/service/EditService.h"

#include <algorithm>

namespace Edit::EditCommand {

namespace {

ObjectMenuEntry pasteEntry(EditService& edit) {
    return {L"貼り付け", [&edit] { pasteObject(edit); }, !edit.clipboard.empty()};
}

}  // namespace

void appendObjectEditMenu(EditService& edit, ObjectMenu& menu) {
    const bool targets = !getTargets(*edit.getCurrentScene()).empty();
    menu.push_back({L"切り取り", [&edit] { cutObject(edit, false); }, targets});
    menu.push_back({L"コピー", [&edit] { copyObject(edit); }, targets});
    menu.push_back(pasteEntry(edit));
    menu.push_back({L"削除", [&edit] { deleteObject(edit); }, targets});
    menu.push_back({L"複製", [&edit] { duplicateObject(edit); }, targets});
}

void appendObjectGroupMenu(EditService& edit, ObjectMenu& menu) {
    const Scene& scene = *edit.getCurrentScene();
    const std::vector<ObjectPointer>& selected = scene.selection.objects;
    bool canClear = false;
    if (selected.empty()) {
        canClear = scene.focusObject && scene.focusObject->layer != -1 && scene.focusObject->group;
    } else {
        canClear = std::all_of(selected.begin(), selected.end(), [](const ObjectPointer& o) { return !!o->group; });
    }
    menu.push_back({L"グループ化", [&edit] { setGroup(edit); }, selected.size() >= 2});
    menu.push_back({L"グループ解除", [&edit] { clearGroup(edit); }, canClear});
}

ObjectMenu getObjectAreaMenu(EditService& edit) {
    ObjectMenu menu;
    if (edit.getCurrentScene()->selection.objects.empty()) {
        menu.push_back(pasteEntry(edit));
        return menu;
    }
    appendObjectEditMenu(edit, menu);
    if (canAdjustLayerRange(edit))
        menu.push_back({L"対象レイヤー範囲を調整", [&edit] { adjustLayerRange(edit); }, true});
    appendObjectGroupMenu(edit, menu);
    return menu;
}

}  // namespace Edit::EditCommand
