#pragma once
// Object and effect alias files: ini text with the object and effect
// sections of project files.
//   one object:      [Object] frame list, camera, clipping; [Object.i] effects
//   settings window: [Object] camera, clipping only;        [Object.i] effects
//   several objects: [n] layer, frame list, camera, clipping, group (only for
//                    a grouped object, numbered from 1 in order of first
//                    appearance); [n.i] effects
//   effect:          [Effect.0], [Effect.1] ... effect sections
// The loaders create their object first; when a later step fails it leaves
// its layer (and group) again and the failure passes on.
#include "core/file/IniFile.h"
#include "edit/file/GroupIdMap.h"
#include "edit/model/Scene.h"

#include <string>
#include <vector>

namespace Edit::AliasFile {

// The one-object layout for one object, the many-object layout for more.
void saveObjects(System::IniFile::Save& save, const std::vector<ObjectPointer>& objects);
// The settings window's layout: no frame list.
void saveSettingObject(System::IniFile::Save& save, const Object& object);

// The "Object" section's object on the layer from the start frame; a saved
// frame list gives it its own length. Without fitting an overlap fails;
// with it the object moves behind the objects in its way (with boundaries)
// or is cut short at the next object (without).
ObjectPointer loadObjectAliasFile(Scene& scene, const System::IniFile& file, int layer, int start, int end,
                                  bool fit);
// A loose object (on no list, its layer field read from the section) for
// the caller to place; groups numbered through the map.
void pushObjectAliasFileToObjectList(const System::IniFile& file, const std::string& sectionName,
                                     GroupIdMap& groups, std::vector<ObjectPointer>& target,
                                     Effect::EffectService* service);
// A new object made of the effect alias's effects, fitted like an object
// alias without boundaries.
ObjectPointer loadObjectAliasFileEffect(Scene& scene, const System::IniFile& file, int layer, int start, int end);
// The effects of the effect alias added to the chain (before the anchor
// when given). On failure the chain is as it was.
void loadEffectAliasFile(Object& object, const System::IniFile& file, const Effect::EffectBase* anchor);

}  // namespace Edit::AliasFile
