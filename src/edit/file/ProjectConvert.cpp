#include "edit/file/ProjectConvert.h"

#include "edit/file/FileRead.h"
#include "edit/file/GroupIdMap.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "effect/item/LegacyTrack.h"
#include "effect/registry/EffectService.h"
#include "effect/registry/OldScript.h"

#include <exception>
#include <string>

namespace Edit::ProjectConvert {

namespace {

using System::IniFile;
using FileRead::fail;

// The file's title; a control character (a Linux file name may hold a line
// break) would make the name unwritable, so it becomes '_'.
std::wstring sceneNameOf(const std::wstring& path) {
    std::wstring name = System::FileName::getTitle(path);
    for (wchar_t& c : name)
        if (c < 0x20 || c == 0x7f) c = L'_';
    return name;
}

void loadQroSceneSetting(Scene& scene, const IniFile::SectionRef& header, const std::wstring& name) {
    constexpr const char* place = "Edit::Scene::loadQroSceneSetting";
    const int width = FileRead::readSceneFormat(header, "width", place);
    const int height = FileRead::readSceneFormat(header, "height", place);
    const int rate = FileRead::readSceneFormat(header, "rate", place);
    const int scale = FileRead::readSceneFormat(header, "scale", place);
    const int audioRate = FileRead::readSceneAudioRate(header, "audio_rate", place);
    scene.name = name.empty() ? Scene::getDefaultName(scene.id) : name;
    scene.width = width;
    scene.height = height;
    scene.videoRate = rate;
    scene.videoScale = scale;
    scene.audioRate = audioRate;
}

void loadEffectQroFile(Object& object, const IniFile& file, const IniFile::SectionRef& section) {
    constexpr const char* place = "Edit::Object::loadEffectQroFile";
    object.camera = section.findValue("camera").toInt(1) != 0;
    const bool overlay = section.findValue("overlay").toInt(0) != 0;
    object.clipping = false;
    int index = 0;
    for (;; ++index) {
        const IniFile::SectionRef effectSection = file.getSection(section.name(), index);
        if (effectSection.empty()) break;
        const std::wstring name = convertQroEffectName(effectSection);
        if (!object.effectService) throw System::makeException("Effect::EffectService::findEffect", "not found effect.");
        Effect::EffectDefine& define = object.effectService->findQroEffect(name.c_str());
        const Effect::EffectBase& kind = *define.prototype;
        // A legacy filter object filtered what lay below it; only a camera
        // filter stands first in a chain here.
        if (index == 0 && !overlay && kind.effectType == Effect::EffectKind::Filter &&
            kind.mediaType != Effect::MediaKind::Camera)
            throw System::makeException(place, "filter object not support");
        EffectManager::EffectPointer& effect = object.setEffectByDefine(define);
        effect->loadQroSectionParameter(effectSection);
        EffectManager::setEffectSectionNum(*effect, object.getMidPointCount() + 1);
    }
    if (index == 0) throw System::makeException(place, "no effect defined.");
}

ObjectPointer loadObjectQroFile(Scene& scene, const IniFile& file, const IniFile::SectionRef& section,
                                GroupIdMap& groups) {
    constexpr const char* place = "Edit::LayerObjectManager::loadObjectQroFile";
    const int layer = section.getValue("layer").toInt();
    const int start = section.getValue("start").toInt();
    const int end = section.getValue("end").toInt();
    // Counted from 1; checked before the shift so that nothing overflows.
    if (layer < 1 || layer - 1 > FileRead::MaxLayer) fail(place, "invalid layer number.", section, "layer");
    if (start < 1) fail(place, "invalid frame number list.", section, "start");
    if (end < start) fail(place, "invalid frame number list.", section, "end");
    return FileRead::createFilledObject(scene, layer - 1, start - 1, end - 1, [&](Object& object) {
        if (const int number = section.findValue("group").toInt(0)) object.setGroup(groups.groupOf(number));
        loadEffectQroFile(object, file, section);
    });
}

}  // namespace

std::wstring convertQroEffectName(const IniFile::SectionRef& section) {
    const std::wstring legacy = section.getValue("_name").toString();
    if (legacy != L"アニメーション効果" && legacy != L"カスタムオブジェクト" && legacy != L"カメラ効果") return legacy;
    const std::wstring script = section.findValue("name").toString(L"");
    if (!script.empty()) return script;
    const std::string& type = section.getValue("type").text;
    return Effect::OldScript::table(System::String::toUtf8(legacy)).getValue(type).toString();
}

std::string convertQroTrack(const std::string& text) { return Effect::convertLegacyTrack(text); }

int loadSceneFromQro(Scene& scene, const std::wstring& path) {
    constexpr const char* place = "Edit::ProjectConvert::loadSceneFromQro";
    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    IniFile file;
    FileRead::loadIniFile(file, expanded, true, place);
    const IniFile::SectionRef header = file.getSection("quorin");
    if (header.empty()) throw System::makeException(place, "quorin section not found");
    loadQroSceneSetting(scene, header, sceneNameOf(expanded));

    GroupIdMap groups;
    ObjectPointer previous;
    int failed = 0;
    for (int k = 0;; ++k) {
        const IniFile::SectionRef section = file.getSection(std::to_string(k));
        if (section.empty()) break;
        try {
            // Read first, so that a malformed value leaves nothing placed.
            const bool chained = section.findValue("chain").toInt(0) != 0;
            ObjectPointer object = loadObjectQroFile(scene, file, section, groups);
            // A chained object without a previous one stands on its own.
            if (chained && previous && object->joinObject(*previous)) {
                LayerObjectList& list = scene.getLayerObjectListGrow(object->layer);
                list.reindexNeeded = true;
                if (object->isControlObject()) list.controlRangeNeeded = true;
                object->releaseGroup();
                object->layer = -1;
            } else {
                previous = object;
            }
        } catch (const std::exception& e) {
            System::Log::warn(place, "object %d: %s", k, e.what());
            ++failed;
        }
    }
    scene.updateLayerObject();
    if (failed > 0) Dialog::postError(L"一部のオブジェクトの読み込みに失敗しました");
    return failed;
}

ScenePointer importQroScene(Project& project, const std::wstring& path, const std::function<void(Scene&)>& show) {
    const ScenePointer scene = project.getOrCreateScene(project.getFreeSceneId());
    try {
        loadSceneFromQro(*scene, path);
        if (show) show(*scene);
        return scene;
    } catch (const std::exception& e) {
        System::Log::warn("Edit::ProjectConvert::importQroScene", "%s", e.what());
        project.deleteScene(scene->id);
        Dialog::postError(L"シーンの読み込みに失敗しました");
        return nullptr;
    }
}

}  // namespace Edit::ProjectConvert
