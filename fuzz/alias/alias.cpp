// The alias file readers: any bytes either place objects or effects or
// raise an error, and what was placed keeps the model's rules (an inclusive
// range, boundaries strictly inside it and increasing, the layer's objects
// apart from each other).
#include "core/file/IniFile.h"
#include "edit/file/AliasFile.h"
#include "edit/file/GroupIdMap.h"
#include "edit/model/Scene.h"
#include "../EditSupport.h"

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

using Services = FuzzSupport::EditServices<System::IniFile>;

void checkScene(const Edit::Scene& scene) {
    for (int k = 0; k < scene.getLayerCount(); ++k) {
        const Edit::Object* previous = nullptr;
        for (const Edit::ObjectPointer& object : scene.getLayerObjectList(k).objects) {
            if (object->end < object->start || (previous && previous->end >= object->start)) std::abort();
            int last = 0;
            for (const int boundary : object->boundaries) {
                if (boundary <= last || boundary >= object->end - object->start) std::abort();
                last = boundary;
            }
            previous = object.get();
        }
    }
}

template <class Load>
void attempt(Load load) {
    try {
        load();
    } catch (const std::exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Services shared("alias-fuzz-");
    System::IniFile file;
    file.loadMemory(std::string(reinterpret_cast<const char*>(data), size).c_str());

    Edit::Scene scene(0, 0);
    // Something in the way on the layer the aliases are dropped on.
    attempt([&] { scene.createObject(FuzzSupport::kFigure, 1, 40, 59); });
    scene.updateLayerObject();
    attempt([&] { Edit::AliasFile::loadObjectAliasFile(scene, file, 1, 30, 110, true); });
    scene.updateLayerObject();
    attempt([&] { Edit::AliasFile::loadObjectAliasFile(scene, file, 2, 0, 80, false); });
    attempt([&] { Edit::AliasFile::loadObjectAliasFileEffect(scene, file, 1, 0, 80); });
    scene.updateLayerObject();
    attempt([&] {
        Edit::Object& target = *scene.getLayerObjectList(1).objects.at(0);
        Edit::AliasFile::loadEffectAliasFile(target, file, target.effectList.back().get());
    });
    std::vector<Edit::ObjectPointer> loose;
    Edit::GroupIdMap groups;
    for (int n = 0; n < 64 && !file.getSection(std::to_string(n)).empty(); ++n)
        attempt([&] { Edit::AliasFile::pushObjectAliasFileToObjectList(file, std::to_string(n), groups, loose,
                                                                         scene.effectService); });
    for (const Edit::ObjectPointer& object : loose)
        if (object->end < object->start) std::abort();
    checkScene(scene);
    return 0;
}
