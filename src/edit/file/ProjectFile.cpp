// The project file: ini text, CR LF, sections written in model order and
// read back by name.
#include "edit/file/FileRead.h"
#include "edit/file/GroupIdMap.h"
#include "edit/file/ObjectSection.h"
#include "edit/model/Project.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Process.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "core/text/StringConvert.h"
#include "effect/registry/EffectService.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace Edit {

namespace {

using System::IniFile;
using FileRead::fail;
using FileRead::present;
using FileRead::MaxLayer;

constexpr int kFileVersion = 2001802;

std::string decimal(int value) { return std::to_string(value); }

std::string fixed(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    return buffer;
}

// --- writing ---------------------------------------------------------------

// Free texts (names, paths, plugin data) are written as they stand, so one
// that would not read back as the same key and value is refused: a line
// feed would end the line early and what follows would read as another
// key or a section; '=' would end a key early; a CR ending the value is
// dropped on reading; a line holding NUL is skipped on reading, one
// starting with ';' is a comment and one in square brackets a section.
// The save then fails and the old file stays.
void writeText(IniFile::Save& save, const std::string& section, const std::string& key, const std::string& value) {
    using namespace std::string_view_literals;
    const bool keyFits = key.find_first_of("=\n\0"sv) == std::string::npos && !key.starts_with(';') &&
                         !(key.starts_with('[') && value.ends_with(']'));
    if (!keyFits || value.find_first_of("\n\0"sv) != std::string::npos || value.ends_with('\r'))
        throw System::makeException("Edit::Project::saveProjectFile", "text not writable to project file.",
                                    (" section=" + section + " key=" + key).c_str());
    save.writeValue(key, value);
}

void writeText(IniFile::Save& save, const std::string& section, const std::string& key, const std::wstring& value) {
    writeText(save, section, key, System::String::toUtf8(value));
}

void saveSceneIniFile(const Scene& scene, IniFile::Save& save, int sceneIndex) {
    const std::string section = "scene." + decimal(sceneIndex);
    save.writeSection(section);
    save.writeValue("scene", decimal(scene.id));
    if (!scene.name.empty()) writeText(save, section, "name", scene.name);
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
    const std::string section = "layer." + decimal(layerIndex);
    save.writeSection(section);
    save.writeValue("layer", decimal(layerNumber));
    if (sceneId != 0) save.writeValue("scene", decimal(sceneId));
    if (!layer.name.empty()) writeText(save, section, "name", layer.name);
    if (layer.lock) save.writeValue("lock", std::string("1"));
    if (layer.hide) save.writeValue("hide", std::string("1"));
}

void saveObjectIniFile(IniFile::Save& save, int sceneId, const std::string& sectionName, const Object& object,
                       GroupIdMap& groups, const Object* focus) {
    save.writeSection(sectionName);
    save.writeValue("layer", decimal(object.layer));
    if (sceneId != 0) save.writeValue("scene", decimal(sceneId));
    if (&object == focus) save.writeValue("focus", std::string("1"));
    save.writeValue("frame", ObjectSection::saveFrameList(object));
    ObjectSection::saveFlags(save, object);
    if (object.group) save.writeValue("group", decimal(groups.numberOf(object.group.get())));
    ObjectSection::saveEffects(save, sectionName, object);
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
        const std::string section = "plugin." + decimal(index++);
        save.writeSection(section);
        writeText(save, section, "plugin.name", name);
        for (const std::string& key : keys) writeText(save, section, key, entries.at(key));
    }
}

// --- reading ---------------------------------------------------------------

// A long load keeps the message loop from hearing a termination signal, so
// it looks for one itself now and then.
void giveUpWhenTerminating(int section) {
    if (section % 1024 == 0 && System::Process::terminationRequested)
        throw System::makeException("Edit::Project::loadProjectFile", "loading given up: the program is ending.");
}

void loadSceneIniFile(Scene& scene, const IniFile::SectionRef& section) {
    // A missing key takes what a new scene of the same id would have.
    const Scene defaults(scene.id, 0, scene.effectService);
    const std::wstring name = section.findValue("name").toString(Scene::getDefaultName(scene.id).c_str());
    constexpr const char* place = "Edit::Scene::loadSceneIniFile";
    const int width = FileRead::readSceneFormat(section, "video.width", place);
    const int height = FileRead::readSceneFormat(section, "video.height", place);
    const int rate = FileRead::readSceneFormat(section, "video.rate", place);
    const int scale = FileRead::readSceneFormat(section, "video.scale", place);
    const int audioRate = FileRead::readSceneAudioRate(section, "audio.rate", place);
    scene.name = name;
    scene.width = width;
    scene.height = height;
    scene.videoRate = rate;
    scene.videoScale = scale;
    scene.audioRate = audioRate;
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
    if (number < 0 || number > MaxLayer) return;
    Layer& layer = *project.getOrCreateScene(sceneId)->getLayerObjectListGrow(number).layer;
    layer.name = name;
    layer.lock = lock;
    layer.hide = hide;
}

ObjectPointer loadObjectIniFile(Scene& scene, const IniFile& file, const IniFile::SectionRef& section,
                                GroupIdMap& groups) {
    constexpr const char* place = "Edit::LayerObjectManager::loadObjectIniFile";
    const int layer = section.getValue("layer").toInt();
    if (layer < 0 || layer > MaxLayer) fail(place, "invalid layer number.", section, "layer");
    const std::vector<IniFile::VALUE> frames = section.getValue("frame").split(",");
    if (frames.size() < 2) fail(place, "not enough frame number list.", section, "frame");
    const int start = frames.front().toInt();
    const int end = frames.back().toInt();
    if (start < 0 || end < start) fail(place, "invalid frame number list.", section, "frame");

    return FileRead::createFilledObject(scene, layer, start, end, [&](Object& object) {
        ObjectSection::loadFlags(object, section);
        ObjectSection::loadBoundaries(object, frames, place, section);
        if (const int number = section.findValue("group").toInt(0)) object.setGroup(groups.groupOf(number));
        ObjectSection::loadEffects(object, file, section.name());
    });
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
    writeText(save, "project", "file", project.path);
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
    IniFile file;
    FileRead::loadIniFile(file, path, false, "Edit::Project::loadProjectFile");

    const IniFile::SectionRef header = file.getSection("project");
    std::wstring projectPath = header.findValue("file").toString(L"");
    System::FileName::expandVariable(projectPath);
    const int current = header.findValue("display.scene").toInt(0);

    // scene.0 is required: a file without it is no project.
    for (int n = 0;; ++n) {
        giveUpWhenTerminating(n);
        const IniFile::SectionRef section = file.getSection("scene", n);
        if (n > 0 && section.empty()) break;
        // The section gives the scene's list order, so no order is sought
        // among the others (which would make loading quadratic).
        const int id = section.getValue("scene").toInt();
        ScenePointer& scene = project.scenes[id];
        if (!scene) scene = std::make_shared<Scene>(id, id, project.effectService);
        loadSceneIniFile(*scene, section);
    }
    for (int c = 0; file.hasSection("layer." + decimal(c)); ++c) loadLayerIniFile(project, file.getSection("layer", c));

    GroupIdMap groups;
    bool partial = false;
    for (int m = 0;; ++m) {
        giveUpWhenTerminating(m);
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
