#pragma once
// What the project file reader and the legacy exchange import share.
#include "core/file/IniFile.h"
#include "edit/model/Scene.h"

#include <functional>
#include <string>

namespace Edit::FileRead {

// Layers above this are refused on reading: no project uses them, and
// growing the layer table that far would exhaust memory.
constexpr int MaxLayer = 100000;

// Reads the file into the store (ansi: the legacy code page). A file that
// cannot be opened raises the file system's own error, never an empty store.
void loadIniFile(System::IniFile& file, const std::wstring& path, bool ansi, const char* place);

// Whether the key is in the section at all (a missing key reads as the
// shared empty value, which belongs to no file).
bool present(const System::IniFile::SectionRef& section, const char* key);

[[noreturn]] void fail(const char* place, const char* message, const System::IniFile::SectionRef& section,
                       const char* key);

// A required scene size or rate: the renderer divides by and allocates from
// these, so anything below 1 fails with "invalid scene parameter.".
int readSceneFormat(const System::IniFile::SectionRef& section, const char* key, const char* place);
// 48000 when missing; "invalid scene parameter." outside 1 .. 3072000.
int readSceneAudioRate(const System::IniFile::SectionRef& section, const char* key, const char* place);

// A new empty object on the layer, filled by `fill`. When filling fails the
// object leaves its group and its layer again and the failure passes on.
ObjectPointer createFilledObject(Scene& scene, int layer, int start, int end,
                                 const std::function<void(Object&)>& fill);

}  // namespace Edit::FileRead
