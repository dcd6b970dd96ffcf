#include "settings/rows/EffectItemFileControls.h"

#include "core/event/DialogSeam.h"
#include "core/file/FileName.h"
#include "effect/item/EffectItemCheck.h"
#include "edit/model/Scene.h"
#include "platform/gtk/Menu.h"
#include "settings/rows/ChoiceText.h"
#include "settings/rows/RowText.h"
#include "window/PopupMenu.h"
#include "window/ToolTips.h"

#include <algorithm>
#include <functional>

namespace Component {

namespace {

void check(Window::PopupMenu& menu, const Window::MenuItem& entry) {
    Platform::checkMenuItem(menu.hmenu, static_cast<UINT>(entry.commandId), Platform::MF_BYCOMMAND | Platform::MF_CHECKED);
}

// The scope of a file or scene choice: its own undo group and a record of
// the row's effect.
void beginChoice(Edit::EditScope& scope, Undo::UndoService& undo, const std::shared_ptr<Effect::EffectBase>& effect) {
    scope.beginUndo();
    undo.addEffectUndoUpdate(effect);
}

// One item a scene, the current one checked.
void appendScenes(Window::PopupMenu& menu, const std::vector<Edit::ScenePointer>& scenes, int current,
                  const std::function<void(int)>& select) {
    for (const Edit::ScenePointer& scene : scenes) {
        const int id = scene->id;
        const Window::MenuItem entry = menu.insertItem(scene->name, [select, id] { select(id); });
        if (id == current) check(menu, entry);
    }
}

}  // namespace

std::vector<Edit::ScenePointer> otherScenes(const Edit::EditService& edit) {
    std::vector<Edit::ScenePointer> scenes = edit.project.getSceneList();
    const Edit::ScenePointer& current = edit.getCurrentScene();
    std::erase_if(scenes, [&](const Edit::ScenePointer& s) { return s->id == 0 || s == current; });
    std::sort(scenes.begin(), scenes.end(), [](const auto& a, const auto& b) { return a->id < b->id; });
    return scenes;
}

// ---- combo file

EffectItemComboFileControl::EffectItemComboFileControl(Window::WindowControlOwner& parent,
                                                       const std::shared_ptr<Effect::EffectBase>& effect,
                                                       EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      label(layoutBox, 0, 0, headerWidth, 0),
      dropDown(layoutBox, headerWidth + margin, 0, 0, 0, 1) {
    label.text = translateEffectText(item.name);
    label.tooltip = translateMessageText(L"ファイルから選択");
    label.onClick = [this](Control::ButtonControl&) { chooseFile(); };
    setupDropDown(dropDown, this->item->list, this->item->value);
    updateValue();
}

void EffectItemComboFileControl::updateValue() {
    dropDown.text = item->value >= 0 ? choiceName(*item->list, item->value, warned) : fileNameOf(item->path);
    dropDown.procPaint();
}

void EffectItemComboFileControl::setValue(int value, Edit::EditScope& scope) {
    applyEdit(scope, [value](Effect::EffectItemComboFile& target) {
        target.path.clear();
        target.value = choiceValue(*target.list, value);
    });
}

void EffectItemComboFileControl::selectValue(int value) {
    Edit::EditScope scope(*editService);
    setValue(value, scope);
    updateValue();
}

void EffectItemComboFileControl::updateFile(const std::wstring& path) {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    beginChoice(scope, *undoService, effect);
    if (!path.empty()) {
        std::wstring expanded = path;
        System::FileName::expandVariable(expanded);
        item->path = expanded;
        item->value = -1;
    }
    effect->notifyItemChange(&scope, scope.targetObject.get(), effect, *item);
    updateValue();
}

void EffectItemComboFileControl::chooseFile() {
    std::wstring path = item->path;
    if (Dialog::selectOpenFile(path, filterText(item->filter))) updateFile(path);
}

// ---- mask

std::wstring EffectItemMaskSelectControl::getSelectName(const Edit::EditService& edit,
                                                        const Effect::EffectItemMaskSelect& item, bool& warned) {
    if (item.figure < 0 && item.scene < 0) return fileNameOf(item.path);
    if (item.scene < 0) return choiceName(*item.figures, item.figure, warned);
    return sceneName(edit, item.scene);
}

EffectItemMaskSelectControl::EffectItemMaskSelectControl(Window::WindowControlOwner& parent,
                                                         const std::shared_ptr<Effect::EffectBase>& effect,
                                                         EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      label(layoutBox, 0, 0, headerWidth, 0),
      dropDown(layoutBox, headerWidth + margin, 0, 0, 0, 1) {
    label.text = translateEffectText(item.name);
    label.tooltip = translateMessageText(L"ファイル・シーンから選択");
    label.onClick = [this](Control::ButtonControl&) { showSourceMenu(); };
    setupDropDown(dropDown, this->item->figures, this->item->figure);
    if (this->item->fitCheck) this->item->fitCheck->visible = this->item->scene >= 0;
    updateValue();
}

void EffectItemMaskSelectControl::updateValue() {
    dropDown.text = getSelectName(*editService, *item, warned);
    dropDown.procPaint();
}

void EffectItemMaskSelectControl::updateCompanion(Edit::EditScope* scope) {
    if (!item->fitCheck) return;
    const bool shown = item->scene >= 0;
    if (item->fitCheck->visible == shown) return;
    item->fitCheck->visible = shown;
    if (scope)
        scope->rebuildSetting = scope->refreshTimeSetting = scope->refreshColorSetting = scope->refreshTextSetting =
            true;
}

void EffectItemMaskSelectControl::setValue(int value, Edit::EditScope& scope) {
    applyEdit(scope, [value](Effect::EffectItemMaskSelect& target) {
        target.path.clear();
        target.scene = -1;
        target.figure = choiceValue(*target.figures, value);
    });
}

void EffectItemMaskSelectControl::selectValue(int value) {
    Edit::EditScope scope(*editService);
    setValue(value, scope);
    updateCompanion(&scope);
    updateValue();
}

void EffectItemMaskSelectControl::selectScene(int sceneId) {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    beginChoice(scope, *undoService, effect);
    item->setScene(sceneId);
    updateCompanion(&scope);
    updateValue();
}

void EffectItemMaskSelectControl::updateFile(const std::wstring& path) {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    beginChoice(scope, *undoService, effect);
    if (!path.empty()) {
        std::wstring expanded = path;
        System::FileName::expandVariable(expanded);
        item->path = expanded;
        item->figure = -1;
        item->scene = -1;
    }
    updateCompanion(&scope);
    updateValue();
}

void EffectItemMaskSelectControl::showSourceMenu() {
    Window::PopupMenu menu;
    menu.insertItem(L"ファイルから選択", [this] {
        std::wstring path = item->path;
        const std::wstring filter = filterText(L"Image (*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff;*.webp)\0"
                                               L"*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff;*.webp\0"
                                               L"AllFile (*.*)\0*.*\0\0");
        if (Dialog::selectOpenFile(path, filter)) updateFile(path);
    });
    const std::vector<Edit::ScenePointer> scenes = otherScenes(*editService);
    if (!scenes.empty()) menu.insertSeparator();
    appendScenes(menu, scenes, item->scene, [this](int id) { selectScene(id); });
    menu.show();
}

// ---- scene

EffectItemSceneControl::EffectItemSceneControl(Window::WindowControlOwner& parent,
                                               const std::shared_ptr<Effect::EffectBase>& effect,
                                               EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      label(layoutBox, 0, 0, headerWidth, 0),
      sceneText(layoutBox, headerWidth + margin, 0, 0, 0, L"", 0) {
    label.text = translateEffectText(item.name);
    label.onClick = [this](Control::ButtonControl&) { showSceneMenu(); };
    updateValue();
}

void EffectItemSceneControl::updateValue() {
    const int id = item->value;
    if (id == 0) {
        sceneText.text = translateEffectText(L"未選択");
    } else {
        sceneText.text = sceneName(*editService, id);
        if (sceneText.text.empty()) sceneText.text = Edit::Scene::getDefaultName(id);
    }
    sceneText.procPaint();
}

void EffectItemSceneControl::selectScene(int sceneId) {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    beginChoice(scope, *undoService, effect);
    item->value = sceneId;
    effect->notifyItemChange(&scope, scope.targetObject.get(), effect, *item);
    updateValue();
}

void EffectItemSceneControl::showSceneMenu() {
    const std::vector<Edit::ScenePointer> scenes = otherScenes(*editService);
    if (scenes.empty()) {
        Window::ToolTips::showAtCursor(translateMessageText(L"シーンを追加すると表示されます"), 3000);
        return;
    }
    Window::PopupMenu menu;
    appendScenes(menu, scenes, item->value, [this](int id) { selectScene(id); });
    menu.show();
}

// ---- file

EffectItemFileControl::EffectItemFileControl(Window::WindowControlOwner& parent,
                                             const std::shared_ptr<Effect::EffectBase>& effect,
                                             EffectItemRowHost& host, Effect::EffectItem& item)
    : EffectItemControl(parent, effect, host, item, singleRowHeight()),
      label(layoutBox, 0, 0, headerWidth, 0),
      fileButton(layoutBox, headerWidth + margin, 0, 0, 0) {
    label.text = translateEffectText(item.name);
    label.onClick = [this](Control::ButtonControl&) { chooseFile(); };
    fileButton.onClear = [this] { updateFile(std::wstring()); };
    fileButton.canClear = [this] { return !this->item->path.empty(); };
    fileButton.onHover = [this](Control::TextClearButtonControl&) {
        if (hoverCallback) hoverCallback();
    };
    updateValue();
}

void EffectItemFileControl::updateValue() {
    if (!item->path.empty())
        fileButton.text = fileNameOf(item->path);
    else if (item->placeholder)
        fileButton.text = item->placeholder;
    else
        fileButton.text = translateEffectText(L"未選択");
    fileButton.procPaint();
}

void EffectItemFileControl::updateFile(const std::wstring& path) {
    Edit::EditScope scope(*editService);
    prepareScope(scope);
    beginChoice(scope, *undoService, effect);
    std::wstring expanded = path;
    if (!expanded.empty()) System::FileName::expandVariable(expanded);
    item->path = expanded;
    effect->notifyItemChange(&scope, scope.targetObject.get(), effect, *item);
    updateValue();
}

void EffectItemFileControl::chooseFile() {
    std::wstring path = item->path;
    const std::wstring filter = item->filterSource ? item->filterSource() : filterText(item->filter);
    if (Dialog::selectOpenFile(path, filter)) updateFile(path);
}

}  // namespace Component
