#include "edit/command/AliasCommand.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "edit/command/CommandTargets.h"
#include "edit/command/EffectMenuCommand.h"
#include "edit/file/AliasFile.h"
#include "edit/file/FileRead.h"
#include "edit/command/CommandSupport.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "effect/registry/AliasSave.h"
#include "effect/registry/EffectService.h"

#include <algorithm>
#include <climits>
#include <exception>

namespace Edit::EditCommand {

namespace {

using Translate::TranslateService;

constexpr const wchar_t* LoadFailed = L"エイリアスの読み込みに失敗しました";

std::wstring subject(const wchar_t* text) { return TranslateService::translate(TranslateService::Table::Dialog, text); }

void reportLoadFailure(const char* tag, const std::exception& e) {
    System::Log::warn(tag, "%s", e.what());
    Dialog::postError(LoadFailed);
}

Effect::EffectService* registryOf(const Object& object) { return object.effectService; }

}  // namespace

void saveObjectAlias(EditService& edit) {
    const std::vector<ObjectPointer> objects = getTargets(*edit.getCurrentScene());
    if (objects.empty() || !registryOf(*objects.front())) return;
    Effect::saveAliasFile(*registryOf(*objects.front()), subject(L"オブジェクト"), L"object",
                          [&](System::IniFile::Save& save) { AliasFile::saveObjects(save, objects); });
}

void saveObjectSettingAlias(const Object& object) {
    if (!registryOf(object)) return;
    Effect::saveAliasFile(*registryOf(object), subject(L"全体"), L"object",
                          [&](System::IniFile::Save& save) { AliasFile::saveSettingObject(save, object); });
}

void loadObjectAlias(EditService& edit, const std::wstring& path, int layer, int frame) {
    constexpr const char* tag = "Edit::EditCommand::loadObjectAlias";
    System::Log::info(tag, "load object [%s] layer=%d frame=%d", System::String::toUtf8(path).c_str(), layer, frame);
    try {
        if (layer < 0 || layer > FileRead::MaxLayer) throw System::makeException(tag, "invalid layer number.");
        frame = std::max(frame, 0);
        System::IniFile file;
        FileRead::loadIniFile(file, path, false, tag);
        if (System::FileName::getExtension(path.c_str()) == L"effect" || file.hasSection("Object")) {
            EditScope scope(edit);
            scope.resortLayers = true;
            scope.refreshTimeSetting = true;
            scope.notifyObjectUpdate = true;
            scope.beginUndo();
            Scene& scene = *scope.scene;
            // 80 pixels of the timeline at its zoom (pixels per frame x 10000).
            const int end = frame + 800000 / std::max(scene.zoom.zoom, 1);
            ObjectPointer object = file.hasSection("Object")
                                       ? AliasFile::loadObjectAliasFile(scene, file, layer, frame, end, true)
                                       : AliasFile::loadObjectAliasFileEffect(scene, file, layer, frame, end);
            record(edit, &Undo::UndoService::addObjectUndoCreate, object);
            if (scene.setFocusObject(object)) scope.notifyFocusChange = true;
            return;
        }
        ObjectCopyList list;
        GroupIdMap groups;
        Effect::EffectService* service = edit.getCurrentScene()->effectService;
        for (int n = 0;; ++n) {
            const std::string name = std::to_string(n);
            if (file.getSection(name).empty()) break;
            AliasFile::pushObjectAliasFileToObjectList(file, name, groups, list.objects, service);
        }
        if (list.empty()) throw System::makeException(tag, "no object section.");
        // The block must fit the frame and layer numbers where it lands.
        list.calcExtent();
        const ObjectListExtent& extent = list.extent;
        if (static_cast<long long>(frame) + extent.lastFrame - extent.firstFrame > INT_MAX / 2 ||
            static_cast<long long>(layer) + extent.bottomLayer - extent.topLayer > FileRead::MaxLayer)
            throw System::makeException(tag, "invalid frame number list.");
        list.pasteAt(edit, layer, frame, true);
    } catch (const std::exception& e) {
        reportLoadFailure(tag, e);
    }
}

void loadEffectAlias(EditService& edit, const ObjectPointer& object, const std::wstring& path,
                     const Effect::EffectBase* position, bool replace) {
    constexpr const char* tag = "Edit::EditCommand::loadEffectAlias";
    if (!object) return;
    System::Log::info(tag, "load effect [%s] layer=%d frame=%d", System::String::toUtf8(path).c_str(), object->layer,
                      object->start);
    try {
        System::IniFile file;
        FileRead::loadIniFile(file, path, false, tag);
        EditScope scope(edit);
        setEffectScopeFlags(scope, object);
        scope.beginUndo();
        record(edit, &Undo::UndoService::addObjectUndoEffect, object);
        AliasFile::loadEffectAliasFile(*object, file, position);
        if (replace) removeReplacedEffect(*object, position);
        object->adjustEffectList();
    } catch (const std::exception& e) {
        reportLoadFailure(tag, e);
    }
}

}  // namespace Edit::EditCommand
