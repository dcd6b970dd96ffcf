#include "edit/file/FileRead.h"

#include "core/base/Exception.h"
#include "core/file/File.h"
#include "core/text/StringConvert.h"

namespace Edit::FileRead {

void loadIniFile(System::IniFile& file, const std::wstring& path, bool ansi, const char* place) {
    {
        System::File probe;
        probe.open(path.c_str(), System::File::Mode::Read);
    }
    if (!file.loadFile(path.c_str(), false, ansi))
        throw System::makeException(place, "failed to read file.", System::String::toUtf8(path).c_str());
}

bool present(const System::IniFile::SectionRef& section, const char* key) {
    return section.findValue(key).file != nullptr;
}

void fail(const char* place, const char* message, const System::IniFile::SectionRef& section, const char* key) {
    throw System::makeException(place, message, System::String::toUtf8(section.getPlace(key)).c_str());
}

int readSceneFormat(const System::IniFile::SectionRef& section, const char* key, const char* place) {
    const int value = section.getValue(key).toInt();
    if (value <= 0) fail(place, "invalid scene parameter.", section, key);
    return value;
}

int readSceneAudioRate(const System::IniFile::SectionRef& section, const char* key, const char* place) {
    if (!present(section, key)) return 48000;
    // The scene dialog's range: beyond it the audio walk would allocate
    // buffers of any size for every frame. An empty value is the default.
    const int value = section.getValue(key).toInt(48000);
    if (value < 1 || value > Scene::maxAudioRate) fail(place, "invalid scene parameter.", section, key);
    return value;
}

ObjectPointer createFilledObject(Scene& scene, int layer, int start, int end,
                                 const std::function<void(Object&)>& fill) {
    ObjectPointer object = scene.createEmptyObject(layer, start, end);
    try {
        fill(*object);
    } catch (...) {
        object->releaseGroup();
        scene.getLayerObjectListGrow(layer).removeObject(*object);
        throw;
    }
    return object;
}

}  // namespace Edit::FileRead
