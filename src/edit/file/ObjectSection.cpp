#include "edit/file/ObjectSection.h"

#include "core/base/Exception.h"
#include "edit/file/FileRead.h"
#include "effect/registry/EffectService.h"

namespace Edit::ObjectSection {

std::string saveFrameList(const Object& object) {
    std::string text = std::to_string(object.start);
    for (const int boundary : object.boundaries) text += "," + std::to_string(object.start + boundary);
    return text + "," + std::to_string(object.end);
}

void saveFlags(System::IniFile::Save& save, const Object& object) {
    if (!object.camera) save.writeValue("camera", std::string("0"));
    if (object.clipping) save.writeValue("clipping", std::string("1"));
}

void saveEffects(System::IniFile::Save& save, const std::string& sectionName, const Object& object) {
    for (std::size_t i = 0; i < object.effectList.size(); ++i) {
        save.writeSection(sectionName + "." + std::to_string(i));
        object.effectList[i]->saveIniSectionParameter(save);
    }
}

void loadFlags(Object& object, const System::IniFile::SectionRef& section) {
    object.camera = section.findValue("camera").toInt(1) != 0;
    object.clipping = section.findValue("clipping").toInt(0) != 0;
}

void loadBoundaries(Object& object, const std::vector<System::IniFile::VALUE>& frames, const char* place,
                    const System::IniFile::SectionRef& section) {
    if (frames.size() < 3) return;
    const long long first = frames.front().toInt();
    for (std::size_t i = 1; i + 1 < frames.size(); ++i) {
        const long long frame = object.start + (frames[i].toInt() - first);
        if (frame < object.start || frame > object.end || !object.isInsideSection(static_cast<int>(frame)))
            FileRead::fail(place, "invalid frame number list.", section, "frame");
        object.addSection(static_cast<int>(frame), nullptr);
    }
}

void loadEffects(Object& object, const System::IniFile& file, const std::string& sectionName, const char* place) {
    int index = 0;
    for (;; ++index) {
        const std::string name = sectionName + "." + std::to_string(index);
        if (!file.hasSection(name)) break;
        const System::IniFile::SectionRef section = file.getSection(name);
        const std::wstring effectName = section.getValue("effect.name").toString();
        if (!object.effectService)
            throw System::makeException("Effect::EffectService::findEffect", "not found effect.");
        EffectManager::EffectPointer& effect =
            object.setEffectByDefine(object.effectService->findEffect(effectName.c_str()));
        effect->loadIniSectionParameter(section);
        EffectManager::setEffectSectionNum(*effect, object.getMidPointCount() + 1);
    }
    if (index == 0) throw System::makeException(place, "no effect defined.");
}

}  // namespace Edit::ObjectSection
