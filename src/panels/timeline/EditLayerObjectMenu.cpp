// The object area's context menu, file drops and the object tooltip. The
// edits are the project model's commands; this file decides which command
// each entry runs, when it is offered, and where dropped files go.
#include "panels/timeline/EditLayerObjectControl.h"

#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/translate/TranslateService.h"
#include "edit/command/AliasCommand.h"
#include "edit/command/ClipboardCommand.h"
#include "edit/command/CutCommand.h"
#include "edit/command/LengthCommand.h"
#include "edit/command/ObjectCreateCommand.h"
#include "edit/command/ObjectEditCommand.h"
#include "edit/command/ObjectMenuCommand.h"
#include "edit/command/ObjectStateCommand.h"
#include "edit/command/SceneFromFile.h"
#include "edit/command/SectionCommand.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/base/EffectEvent.h"
#include "effect/registry/EffectMenuDefine.h"
#include "effect/registry/EffectService.h"
#include "panels/timeline/EditComponent.h"
#include "window/DropInfo.h"
#include "window/ToolTips.h"

#include <exception>

namespace Component {

namespace {

namespace Command = Edit::EditCommand;
using Window::MenuEntry;

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

MenuEntry item(const wchar_t* text, std::function<void()> command, bool enabled = true) {
    return {MenuEntry::Kind::Command, menuText(text), enabled, false, std::move(command), {}};
}

MenuEntry submenu(const wchar_t* text, Window::MenuEntries children, bool enabled = true) {
    return {MenuEntry::Kind::Submenu, menuText(text), enabled, false, {}, std::move(children)};
}

// The effect menu's object (200) or filter (201) entries creating at the
// layer and frame: unlabelled entries in place, labelled ones grouped in a
// submenu per label, all in menu order.
Window::MenuEntries objectMenu(Effect::EffectService* effects, std::uint8_t code, int layer, int frame) {
    Window::MenuEntries entries;
    if (!effects) return entries;
    for (Effect::EffectMenuDefine* define : effects->getEffectMenuList(code, 0, 0)) {
        if (define->hide) continue;
        MenuEntry entry = {MenuEntry::Kind::Command, define->getTranslatedName(), true, false,
                           [define, layer, frame] { define->createObject(layer, frame); }, {}};
        if (define->label.empty()) {
            entries.push_back(std::move(entry));
            continue;
        }
        const std::wstring label = menuText(define->label.c_str());
        auto group = std::find_if(entries.begin(), entries.end(), [&](const MenuEntry& e) {
            return e.kind == MenuEntry::Kind::Submenu && e.text == label;
        });
        if (group == entries.end()) {
            entries.push_back({MenuEntry::Kind::Submenu, label, true, false, {}, {}});
            group = entries.end() - 1;
        }
        group->children.push_back(std::move(entry));
    }
    return entries;
}

// Every command first takes the marker away, so its own repaint is not
// painted over by the saved pixels.
void runAfter(Window::MenuEntries& entries, const std::function<void()>& before) {
    for (MenuEntry& entry : entries) {
        if (entry.command) {
            entry.command = [before, command = std::move(entry.command)] {
                before();
                command();
            };
        }
        runAfter(entry.children, before);
    }
}

}  // namespace

Window::MenuEntries EditLayerObjectControl::buildContextMenu(const Edit::ObjectPointer& hit, int section, int layer,
                                                             int frame) {
    Edit::EditService& edit = *editService;
    Edit::Scene& scene = panel.scene();
    const int split = edit.addSectionSplitByCursorFrame ? scene.cursorFrame : frame;
    Window::MenuEntries menu;
    if (scene.selection.objects.empty()) {
        menu.push_back(submenu(L"オブジェクトを追加", objectMenu(scene.effectService, 200, layer, frame)));
        menu.push_back(submenu(L"フィルタ効果を追加", objectMenu(scene.effectService, 201, layer, frame)));
        menu.push_back(MenuEntry::separator());
        menu.push_back(item(L"貼り付け", [&edit, layer, frame] { Command::pasteObject(edit, layer, frame); },
                            !edit.clipboard.empty()));
        menu.push_back(item(L"空のフレームを挿入", [&edit, frame] { Command::insertNullFrame(edit, frame); }));
        menu.push_back(MenuEntry::separator());
        menu.push_back(submenu(L"オブジェクト選択",
                               {item(L"全てのオブジェクトを選択", [this] { selectAllObjects(); }),
                                item(L"現在のフレーム以降に開始するオブジェクトを選択",
                                     [this] { selectObjectsFromCursor(); }),
                                item(L"現在のフレーム以前に終了するオブジェクトを選択",
                                     [this] { selectObjectsToCursor(); })},
                               ctrlDown()));
        menu.push_back(MenuEntry::separator());
        panel.createWindowMenu(menu);
        return menu;
    }
    const bool targets = !scene.selection.objects.empty() || (scene.focusObject && scene.focusObject->layer != -1);
    const bool range = scene.selectStartFrame >= 0 && scene.selectEndFrame >= 0;
    menu.push_back(item(L"切り取り", [&edit] { Command::cutObject(edit, false); }, targets));
    menu.push_back(item(L"コピー", [&edit] { Command::copyObject(edit); }, targets));
    menu.push_back(item(L"貼り付け", [&edit, layer, frame] { Command::pasteObject(edit, layer, frame); },
                        !edit.clipboard.empty()));
    menu.push_back(item(L"削除", [&edit] { Command::deleteObject(edit); }, targets));
    menu.push_back(item(L"複製", [&edit] { Command::duplicateObject(edit); }, targets));
    menu.push_back(item(L"分割", [&edit, split] { Command::splitObject(edit, split); },
                        scene.anySelectObject([split](const Edit::Object& o) { return o.start < split && split <= o.end; })));
    menu.push_back(MenuEntry::separator());
    menu.push_back(item(L"左側に詰める", [&edit] { Command::removeObjectLeftGap(edit); }, targets));
    menu.push_back(item(L"切り取りして詰める", [&edit] { Command::cutObject(edit, true); }, targets));
    menu.push_back(item(L"切り出し", [&edit] { Command::trimObject(edit); }, targets && range));
    menu.push_back(item(L"長さを変更", [&edit] { Command::changeObjectLength(edit); }, targets));
    menu.push_back(MenuEntry::separator());
    if (hit && Command::canSeparateAudioObject(edit)) {
        menu.push_back(item(L"音声を分離", [&edit] { Command::separateAudioObject(edit); }));
        menu.push_back(MenuEntry::separator());
    }
    if (scene.selection.controlSelected && scene.selection.objects.size() >= 2) {
        menu.push_back(item(L"対象レイヤー範囲を調整", [&edit] { Command::adjustLayerRange(edit); }));
        menu.push_back(MenuEntry::separator());
    }
    menu.push_back(item(L"中間点を追加", [&edit, hit, split] { Command::createSection(edit, hit, split); },
                        hit && hit->canAddSection(split)));
    menu.push_back(item(L"中間点を削除", [&edit, hit, section] { Command::deleteSection(edit, hit, section); },
                        hit && section > 0 && section <= innerBoundaryCount(*hit)));
    menu.push_back(MenuEntry::separator());
    Command::ObjectMenu groups;
    Command::appendObjectGroupMenu(edit, groups);
    for (Command::ObjectMenuEntry& entry : groups) menu.push_back(item(entry.text, std::move(entry.action), entry.enabled));
    menu.push_back(MenuEntry::separator());
    menu.push_back(item(L"エイリアスを作成", [&edit] { Command::saveObjectAlias(edit); }, targets));
    return menu;
}

void EditLayerObjectControl::procContextMenu(int x, int y) {
    Edit::ObjectPointer hit;
    int section = -1;
    if (!ctrlDown()) {
        hit = hitTestObject(x, y);
        if (hit) {
            editService->clickSelectObject(selectControl, hit, editService->clickLayerObjectSelectGroup != 0);
            section = Component::hitTestSection(view(), *hit, x);
        }
    }
    const int frame = snapFrame(snapTargets(), view().frameAt(x));
    const int layer = view().layerAt(y);
    paintFrameMarker(frame);
    Window::MenuEntries menu = buildContextMenu(hit, section, layer, frame);
    runAfter(menu, [this] { removeFrameMarker(); });
    if (const Window::PopupMenuCall& show = Window::popupMenuCall()) show(window, menu);
    removeFrameMarker();
}

bool EditLayerObjectControl::acceptsFiles(const std::vector<std::wstring>& files) const {
    if (files.empty()) return false;
    const std::wstring& path = files.front();
    if (System::FileName::getExtension(path.c_str()) == L"object") return true;
    const Effect::EffectService* effects = panel.scene().effectService;
    return effects && effects->isSupportedFile(path.c_str());
}

bool EditLayerObjectControl::procDragOver(int x, int y, Window::DropInfo* info) {
    if (!info || !acceptsFiles(info->files)) return false;
    (void)y;
    paintFrameMarker(snapFrame(snapTargets(), view().frameAt(x)));
    Window::ToolTips::showAtCursor(L"レイヤーに追加", 0);
    return true;
}

void EditLayerObjectControl::procDragLeave() { removeFrameMarker(); }

bool EditLayerObjectControl::procDrop(int x, int y, Window::DropInfo* info) {
    removeFrameMarker();
    if (!info || info->files.empty()) return false;
    Edit::Scene& scene = panel.scene();
    if (editService->adjustSceneByDropFile && info->files.size() == 1 && scene.totalLength == 0 &&
        scene.lastLayer == 0 && scene.getLayerObjectList(0).objects.empty())
        Edit::EditCommand::updateSceneSetting(*editService, info->files.front());
    const int frame = snapFrame(snapTargets(), view().frameAt(x));
    return dropFiles(info->files, view().layerAt(y), frame);
}

bool EditLayerObjectControl::dropFiles(const std::vector<std::wstring>& files, int layer, int frame) {
    Edit::EditService& edit = *editService;
    const Effect::EffectService* effects = panel.scene().effectService;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::wstring& path = files[i];
        const int target = layer + static_cast<int>(i);
        try {
            if (System::FileName::getExtension(path.c_str()) == L"object") {
                Command::loadObjectAlias(edit, path, target, frame);
                continue;
            }
            const wchar_t* name = effects ? effects->getFileEffectName(path.c_str()) : nullptr;
            if (!name) {
                Dialog::postError(L"このファイルには対応していません");
                return false;
            }
            Command::createObject(edit, name, target, frame, [path](const Edit::ObjectPointer& object, Edit::EditScope& scope) {
                if (object->effectList.empty()) return;
                Effect::EffectEvent event;
                event.code = Effect::EffectEvent::FileDropped;
                event.scope = &scope;
                event.object = object.get();
                event.effect = object->effectList.front();
                event.path = path.c_str();
                event.effect->effectEvent(event);
            });
            if (panel.separateVideoAudio && Command::canSeparateAudioObject(edit)) Command::separateAudioObject(edit);
        } catch (const std::exception& e) {
            Dialog::showException(e);
            return false;
        }
    }
    return true;
}

void EditLayerObjectControl::procMouseHover(Platform::WindowHandle, UINT, WPARAM) {
    if (!hover.object || hover.object->layer < 0 || hover.object->effectList.empty()) return;
    const Effect::EffectBase& effect = *hover.object->effectList.front();
    std::wstring text = Translate::TranslateService::translate(Translate::TranslateService::Table::Effect, effect.name);
    const wchar_t* display = effect.getDisplayName();
    if (display && text != display) text += std::wstring(L" : ") + display;
    Window::ToolTips::showAtCursor(text, -1);
}

}  // namespace Component
