#include "edit/file/AliasFile.h"

#include "core/base/Exception.h"
#include "edit/file/FileRead.h"
#include "edit/file/ObjectSection.h"
#include "effect/registry/EffectService.h"

#include <algorithm>
#include <climits>

namespace Edit::AliasFile {

namespace {

using System::IniFile;

constexpr const char* ObjectSectionName = "Object";
constexpr const char* EffectSectionName = "Effect";

[[noreturn]] void invalidFrames(const char* place) { throw System::makeException(place, "invalid frame number list."); }

// Moves [start, end] behind the objects of the layer in its way; without
// keepLength it is cut short at the first object that starts after it.
void fitRange(const LayerObjectList& list, int& start, int& end, bool keepLength) {
    for (auto it = list.lowerBoundByEndFrame(start); it != list.objects.end(); ++it) {
        const Object& other = **it;
        if (other.start > end) break;
        if (!keepLength && start < other.start) {
            end = std::min(end, other.start - 1);
            break;
        }
        const long long length = static_cast<long long>(end) - start;
        if (other.end >= INT_MAX - length) invalidFrames("Edit::LayerObjectManager::loadObjectAliasFile");
        start = other.end + 1;
        end = static_cast<int>(start + length);
    }
}

void readLayer(const IniFile::SectionRef& section, int& layer, const char* place) {
    layer = section.getValue("layer").toInt();
    if (layer < 0 || layer > FileRead::MaxLayer) FileRead::fail(place, "invalid layer number.", section, "layer");
}

}  // namespace

void saveObjects(IniFile::Save& save, const std::vector<ObjectPointer>& objects) {
    if (objects.size() == 1) {
        const Object& object = *objects.front();
        save.writeSection(ObjectSectionName);
        save.writeValue("frame", ObjectSection::saveFrameList(object));
        ObjectSection::saveFlags(save, object);
        ObjectSection::saveEffects(save, ObjectSectionName, object);
        return;
    }
    GroupIdMap groups;
    for (std::size_t n = 0; n < objects.size(); ++n) {
        const Object& object = *objects[n];
        const std::string name = std::to_string(n);
        save.writeSection(name);
        save.writeValue("layer", std::to_string(object.layer));
        save.writeValue("frame", ObjectSection::saveFrameList(object));
        ObjectSection::saveFlags(save, object);
        if (object.group) save.writeValue("group", std::to_string(groups.numberOf(object.group.get())));
        ObjectSection::saveEffects(save, name, object);
    }
}

void saveSettingObject(IniFile::Save& save, const Object& object) {
    save.writeSection(ObjectSectionName);
    ObjectSection::saveFlags(save, object);
    ObjectSection::saveEffects(save, ObjectSectionName, object);
}

ObjectPointer loadObjectAliasFile(Scene& scene, const IniFile& file, int layer, int start, int end, bool fit) {
    constexpr const char* place = "Edit::LayerObjectManager::loadObjectAliasFile";
    // The settings window's layout may leave the section without keys.
    if (!file.hasSection(ObjectSectionName)) throw System::makeException(place, "no object section.");
    const IniFile::SectionRef section = file.getSection(ObjectSectionName);
    std::vector<IniFile::VALUE> frames;
    if (FileRead::present(section, "frame")) frames = section.findValue("frame").split(",");
    if (frames.size() >= 2) {
        const long long length = static_cast<long long>(frames.back().toInt()) - frames.front().toInt();
        if (length < 0 || length > INT_MAX - static_cast<long long>(start)) invalidFrames(place);
        end = std::max(start + static_cast<int>(length), start + 1);
    }
    const LayerObjectList& list = scene.getLayerObjectList(layer);
    if (!fit) {
        if (list.findNearestObject(start, end)) throw System::makeException(place, "object overlap");
    } else {
        fitRange(list, start, end, frames.size() >= 3);
    }
    if (end < start) invalidFrames(place);
    return FileRead::createFilledObject(scene, layer, start, end, [&](Object& object) {
        ObjectSection::loadFlags(object, section);
        ObjectSection::loadBoundaries(object, frames, place, section);
        ObjectSection::loadEffects(object, file, ObjectSectionName);
    });
}

void pushObjectAliasFileToObjectList(const IniFile& file, const std::string& sectionName, GroupIdMap& groups,
                                     std::vector<ObjectPointer>& target, Effect::EffectService* service) {
    constexpr const char* place = "Edit::LayerObjectManager::pushObjectAliasFileToObjectList";
    const IniFile::SectionRef section = file.getSection(sectionName);
    int layer = 0;
    readLayer(section, layer, place);
    const std::vector<IniFile::VALUE> frames = section.getValue("frame").split(",");
    if (frames.size() < 2) FileRead::fail(place, "not enough frame number list.", section, "frame");
    const int start = frames.front().toInt();
    const int end = frames.back().toInt();
    // The caller moves the block to its drop frame, but the object's length
    // must still be a frame count.
    if (end < start || static_cast<long long>(end) - start > INT_MAX)
        FileRead::fail(place, "invalid frame number list.", section, "frame");

    auto object = std::make_shared<Object>(service);
    object->layer = layer;
    object->start = start;
    object->end = end;
    ObjectSection::loadFlags(*object, section);
    ObjectSection::loadBoundaries(*object, frames, place, section);
    if (const int number = section.findValue("group").toInt(0)) object->setGroup(groups.groupOf(number));
    ObjectSection::loadEffects(*object, file, sectionName);
    target.push_back(std::move(object));
}

ObjectPointer loadObjectAliasFileEffect(Scene& scene, const IniFile& file, int layer, int start, int end) {
    scene.growLayer(layer);
    fitRange(scene.getLayerObjectList(layer), start, end, false);
    if (end < start) invalidFrames("Edit::LayerObjectManager::loadObjectAliasFileEffect");
    return FileRead::createFilledObject(scene, layer, start, end,
                                        [&](Object& object) { loadEffectAliasFile(object, file, nullptr); });
}

void loadEffectAliasFile(Object& object, const IniFile& file, const Effect::EffectBase* anchor) {
    const EffectManager::EffectList before = object.effectList;
    const bool control = object.layerRangeControl;
    try {
        int index = 0;
        for (;; ++index) {
            const std::string name = std::string(EffectSectionName) + "." + std::to_string(index);
            if (!file.hasSection(name)) break;
            const IniFile::SectionRef section = file.getSection(name);
            const std::wstring effectName = section.getValue("effect.name").toString();
            if (!object.effectService)
                throw System::makeException("Effect::EffectService::findEffect", "not found effect.");
            EffectManager::EffectPointer& entry =
                object.setEffectByDefine(object.effectService->findEffect(effectName.c_str()));
            const EffectManager::EffectPointer effect = entry;
            effect->loadIniSectionParameter(section);
            EffectManager::setEffectSectionNum(*effect, object.getMidPointCount() + 1);
            if (anchor) object.moveEffectBefore(effect.get(), anchor);
        }
        if (index == 0) throw System::makeException("Edit::Object::loadEffectAliasFile", "no effect defined.");
    } catch (...) {
        object.effectList = before;
        object.layerRangeControl = control;
        throw;
    }
}

}  // namespace Edit::AliasFile
