// The project file: ini text, CR LF, sections written in model order and
// read back by name.
#include "edit/file/GroupIdMap.h"
#include "edit/model/Project.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/event/MessageBox.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "core/text/StringConvert.h"
#include "effect/registry/EffectService.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace Edit {

namespace {

using System::IniFile;

constexpr int kFileVersion = 2001802;
// Layers above this are refused on reading: no project uses them, and
// growing the layer table that far would exhaust memory.
constexpr int kMaxLayer = 100000;

std::string decimal(int value) { return std::to_string(value); }

std::string fixed(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    return buffer;
}

// --- writing ---------------------------------------------------------------

void saveSceneIniFile(const Scene& scene, IniFile::Save& save, int sceneIndex) {
    save.writeSection("scene." + decimal(sceneIndex));
    save.writeValue("scene", decimal(scene.id));
    if (!scene.name.empty()) save.writeValue("name", scene.name.c_str());
    save.writeValue("video.width", decimal(scene.width));
    save.writeValue("video.height", decimal(scene.height));
    save.writeValue("video.rate", decimal(scene.videoRate));
    save.writeValue("video.scale", decimal(scene.videoScale));
    save.writeValue("audio.rate", decimal(scene.audioRate));
    save.writeValue("cursor.frame", decimal(scene.cursorFrame));
    save.writeValue("display.frame", decimal(scene.displayFrame));
    save.writeValue("display.layer", decimal(scene.displayLayer));
    save.writeValue("display.zoom", decimal(scene.zoom.zoom));
    save.writeValue("display.order", decimal(scene.listOrder));
    save.writeValue("display.camera", scene.cameraToString());
    save.writeValue("display.grid.x", intListToString(scene.gridX).c_str());
    save.writeValue("display.grid.y", intListToString(scene.gridY).c_str());
    save.writeValue("display.grid.width", decimal(scene.gridWidth));
    save.writeValue("display.grid.height", decimal(scene.gridHeight));
    save.writeValue("display.grid.step", fixed(scene.gridStep));
    save.writeValue("display.grid.range", fixed(scene.gridRange));
    save.writeValue("display.tempo.bpm", fixed(scene.tempoBeatPerMinute));
    save.writeValue("display.tempo.beat", decimal(scene.tempoBeatTime));
    save.writeValue("display.tempo.offset", fixed(scene.tempoOffsetTime));
}

void saveLayerIniFile(const Layer& layer, IniFile::Save& save, int layerIndex, int sceneId, int layerNumber) {
    save.writeSection("layer." + decimal(layerIndex));
    save.writeValue("layer", decimal(layerNumber));
    if (sceneId != 0) save.writeValue("scene", decimal(sceneId));
    if (!layer.name.empty()) save.writeValue("name", layer.name.c_str());
    if (layer.lock) save.writeValue("lock", std::string("1"));
    if (layer.hide) save.writeValue("hide", std::string("1"));
}

std::string saveFrameList(const Object& object) {
    std::string text = decimal(object.start);
    for (const int boundary : object.boundaries) text += "," + decimal(object.start + boundary);
    return text + "," + decimal(object.end);
}

void saveObjectIniFile(IniFile::Save& save, int sceneId, const std::string& sectionName, const Object& object,
                       GroupIdMap& groups, const Object* focus) {
    save.writeSection(sectionName);
    save.writeValue("layer", decimal(object.layer));
    if (sceneId != 0) save.writeValue("scene", decimal(sceneId));
    if (&object == focus) save.writeValue("focus", std::string("1"));
    save.writeValue("frame", saveFrameList(object));
    if (!object.camera) save.writeValue("camera", std::string("0"));
    if (object.clipping) save.writeValue("clipping", std::string("1"));
    if (object.group) save.writeValue("group", decimal(groups.numberOf(object.group.get())));
    for (std::size_t i = 0; i < object.effectList.size(); ++i) {
        save.writeSection(sectionName + "." + std::to_string(i));
        object.effectList[i]->saveIniSectionParameter(save);
    }
}

void savePluginData(const Project::PluginData& data, IniFile::Save& save) {
    // Sorted so that an unchanged project writes unchanged bytes.
    std::vector<std::string> names;
    for (const auto& [name, entries] : data)
        if (std::any_of(entries.begin(), entries.end(), [](const auto& e) { return e.first != "plugin.name"; }))
            names.push_back(name);
    std::sort(names.begin(), names.end());
    int index = 0;
    for (const std::string& name : names) {
        const auto& entries = data.at(name);
        std::vector<std::string> keys;
        for (const auto& entry : entries)
            if (entry.first != "plugin.name") keys.push_back(entry.first);
        std::sort(keys.begin(), keys.end());
        save.writeSection("plugin." + decimal(index++));
        save.writeValue("plugin.name", name);
        for (const std::string& key : keys) save.writeValue(key.c_str(), entries.at(key));
    }
}

// --- reading ---------------------------------------------------------------

// Whether the key is in the section at all (a missing key reads as the
// shared empty value, which belongs to no file).
bool present(const IniFile::SectionRef& section, const char* key) {
    return section.findValue(key).file != nullptr;
}

[[noreturn]] void fail(const char* place, const char* message, const IniFile::SectionRef& section,
                       const char* key) {
    throw System::makeException(place, message, System::String::toUtf8(section.getPlace(key)).c_str());
}

void loadSceneIniFile(Scene& scene, const IniFile::SectionRef& section) {
    // A missing key takes what a new scene of the same id would have.
    const Scene defaults(scene.id, 0, scene.effectService);
    const std::wstring name = section.findValue("name").toString(Scene::getDefaultName(scene.id).c_str());
    const int width = section.getValue("video.width").toInt();
    const int height = section.getValue("video.height").toInt();
    const int rate = section.getValue("video.rate").toInt();
    const int scale = section.getValue("video.scale").toInt();
    // Sizes and rates the renderer would divide by or allocate from.
    constexpr const char* place = "Edit::Scene::loadSceneIniFile";
    if (width <= 0) fail(place, "invalid scene parameter.", section, "video.width");
    if (height <= 0) fail(place, "invalid scene parameter.", section, "video.height");
    if (rate <= 0) fail(place, "invalid scene parameter.", section, "video.rate");
    if (scale <= 0) fail(place, "invalid scene parameter.", section, "video.scale");
    scene.name = name;
    scene.width = width;
    scene.height = height;
    scene.videoRate = rate;
    scene.videoScale = scale;
    scene.audioRate = section.findValue("audio.rate").toInt(48000);
    scene.cursorFrame = section.findValue("cursor.frame").toInt(0);
    scene.displayFrame = section.findValue("display.frame").toInt(0);
    scene.displayLayer = section.findValue("display.layer").toInt(0);
    scene.zoom.set(section.findValue("display.zoom").toInt(scene.zoom.zoom));
    scene.listOrder = section.findValue("display.order").toInt(scene.id);
    const std::string& camera = section.findValue("display.camera").text;
    if (!camera.empty()) scene.cameraFromString(camera);
    // An empty grid list is the user's; only a missing key takes the default.
    scene.gridX = present(section, "display.grid.x") ? stringToIntList(section.findValue("display.grid.x").toString(L""))
                                                     : defaults.gridX;
    scene.gridY = present(section, "display.grid.y") ? stringToIntList(section.findValue("display.grid.y").toString(L""))
                                                     : defaults.gridY;
    scene.gridWidth = section.findValue("display.grid.width").toInt(defaults.gridWidth);
    scene.gridHeight = section.findValue("display.grid.height").toInt(defaults.gridHeight);
    scene.gridStep = section.findValue("display.grid.step").toFloat(defaults.gridStep);
    scene.gridRange = section.findValue("display.grid.range").toFloat(defaults.gridRange);
    scene.tempoBeatPerMinute = section.findValue("display.tempo.bpm").toFloat(defaults.tempoBeatPerMinute);
    scene.tempoBeatTime = section.findValue("display.tempo.beat").toInt(defaults.tempoBeatTime);
    scene.tempoOffsetTime = section.findValue("display.tempo.offset").toFloat(defaults.tempoOffsetTime);
}

void loadLayerIniFile(Project& project, const IniFile::SectionRef& section) {
    const int sceneId = section.findValue("scene").toInt(0);
    const int number = section.getValue("layer").toInt();
    const std::wstring name = section.findValue("name").toString(L"");
    const bool lock = section.findValue("lock").toInt(0) != 0;
    const bool hide = section.findValue("hide").toInt(0) != 0;
    // The format gives no meaning to such layers.
    if (number < 0 || number > kMaxLayer) return;
    Layer& layer = *project.getOrCreateScene(sceneId)->getLayerObjectListGrow(number).layer;
    layer.name = name;
    layer.lock = lock;
    layer.hide = hide;
}

void loadEffectIniFile(Object& object, const IniFile& file, const std::string& sectionName) {
    int index = 0;
    for (;; ++index) {
        const std::string name = sectionName + "." + std::to_string(index);
        if (!file.hasSection(name)) break;
        const IniFile::SectionRef section = file.getSection(name);
        const std::wstring effectName = section.getValue("effect.name").toString();
        if (!object.effectService)
            throw System::makeException("Effect::EffectService::findEffect", "not found effect.");
        EffectManager::EffectPointer& effect = object.setEffectByDefine(object.effectService->findEffect(effectName.c_str()));
        effect->loadIniSectionParameter(section);
        EffectManager::setEffectSectionNum(*effect, object.getMidPointCount() + 1);
    }
    if (index == 0) throw System::makeException("Edit::Object::loadEffectIniFile", "no effect defined.");
}

ObjectPointer loadObjectIniFile(Scene& scene, const IniFile& file, const IniFile::SectionRef& section,
                                GroupIdMap& groups) {
    constexpr const char* place = "Edit::LayerObjectManager::loadObjectIniFile";
    const int layer = section.getValue("layer").toInt();
    if (layer < 0 || layer > kMaxLayer) fail(place, "invalid layer number.", section, "layer");
    const std::vector<IniFile::VALUE> frames = section.getValue("frame").split(",");
    if (frames.size() < 2) fail(place, "not enough frame number list.", section, "frame");
    const int start = frames.front().toInt();
    const int end = frames.back().toInt();
    if (start < 0 || end < start) fail(place, "invalid frame number list.", section, "frame");

    ObjectPointer object = scene.createEmptyObject(layer, start, end);
    try {
        object->camera = section.findValue("camera").toInt(1) != 0;
        object->clipping = section.findValue("clipping").toInt(0) != 0;
        for (std::size_t i = 1; i + 1 < frames.size(); ++i) {
            const int frame = frames[i].toInt();
            if (!object->isInsideSection(frame)) fail(place, "invalid frame number list.", section, "frame");
            object->addSection(frame, nullptr);
        }
        if (const int number = section.findValue("group").toInt(0)) object->setGroup(groups.groupOf(number));
        loadEffectIniFile(*object, file, section.name());
    } catch (...) {
        object->releaseGroup();
        scene.getLayerObjectListGrow(layer).removeObject(*object);
        throw;
    }
    return object;
}

void loadPluginData(Project& project, const IniFile& file) {
    for (int p = 0;; ++p) {
        const std::string name = "plugin." + decimal(p);
        if (!file.hasSection(name)) break;
        const IniFile::SectionRef section = file.getSection(name);
        const std::string& plugin = section.findValue("plugin.name").text;
        if (plugin.empty()) continue;
        auto& entries = project.pluginData[plugin];
        for (const auto& [key, value] : section)
            if (key != "plugin.name") entries[key] = value.text;
    }
}

}  // namespace

void Project::saveProjectFile(const Project& project, const std::wstring& path) {
    IniFile::Save save(path.c_str());
    save.writeSection("project");
    save.writeValue("version", decimal(kFileVersion));
    save.writeValue("file", project.path.c_str());
    save.writeValue("display.scene", decimal(project.currentSceneId));

    GroupIdMap groups;
    int sceneIndex = 0;
    int layerIndex = 0;
    int objectIndex = 0;
    for (const ScenePointer& scene : project.getSceneList()) {
        saveSceneIniFile(*scene, save, sceneIndex++);
        // Every layer of the table, so customised empty layers keep their
        // settings.
        for (int k = 0; k < scene->getLayerCount(); ++k) {
            const LayerObjectList& list = scene->getLayerObjectList(k);
            if (list.layer->isCustomized()) saveLayerIniFile(*list.layer, save, layerIndex++, scene->id, k);
            for (const ObjectPointer& object : list.objects)
                saveObjectIniFile(save, scene->id, decimal(objectIndex++), *object, groups,
                                  scene->focusObject.get());
        }
    }
    savePluginData(project.pluginData, save);
    save.close();
}

void Project::loadProjectFile(Project& project, const std::wstring& path) {
    {
        // An unreadable file raises the file system's own error.
        System::File probe;
        probe.open(path.c_str(), System::File::Mode::Read);
    }
    IniFile file;
    if (!file.loadFile(path.c_str()))
        throw System::makeException("Edit::Project::loadProjectFile", "failed to read file.",
                                    System::String::toUtf8(path).c_str());

    const IniFile::SectionRef header = file.getSection("project");
    std::wstring projectPath = header.findValue("file").toString(L"");
    System::FileName::expandVariable(projectPath);
    const int current = header.findValue("display.scene").toInt(0);

    // scene.0 is required: a file without it is no project.
    for (int n = 0;; ++n) {
        const IniFile::SectionRef section = file.getSection("scene", n);
        if (n > 0 && section.empty()) break;
        loadSceneIniFile(*project.getOrCreateScene(section.getValue("scene").toInt()), section);
    }
    for (int c = 0; file.hasSection("layer." + decimal(c)); ++c) loadLayerIniFile(project, file.getSection("layer", c));

    GroupIdMap groups;
    bool partial = false;
    for (int m = 0;; ++m) {
        const IniFile::SectionRef section = file.getSection(decimal(m));
        if (section.empty()) break;
        try {
            Scene& scene = *project.getOrCreateScene(section.findValue("scene").toInt(0));
            ObjectPointer object = loadObjectIniFile(scene, file, section, groups);
            if (section.findValue("focus").toInt(0) != 0) scene.setFocusObject(object);
        } catch (const std::exception& e) {
            System::Log::warn("Edit::Project::loadProjectFile", "object %d: %s", m, e.what());
            partial = true;
        }
    }
    loadPluginData(project, file);

    for (const auto& entry : project.scenes) entry.second->updateLayerObject();
    project.path = projectPath;
    // The root scene always exists, and the current scene is one of them.
    project.getOrCreateScene(0);
    project.currentSceneId = project.scenes.contains(current) ? current : 0;
    if (partial) Dialog::postError(L"一部のオブジェクトの読み込みに失敗しました");
}

}  // namespace Edit
