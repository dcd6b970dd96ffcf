#pragma once
// Object and effect aliases: saving objects as an alias file and placing an
// alias on the timeline or into an object. User-interface thread only.
#include "edit/model/Object.h"

#include <string>

namespace Edit {
class EditService;
}  // namespace Edit

namespace Edit::EditCommand {

// The selection, or the focus object when it is on a layer, as an object
// alias (several objects keep their layers and groups).
void saveObjectAlias(EditService& edit);
// One object as the settings window saves it: no frame list.
void saveObjectSettingAlias(const Object& object);

// An object alias (or an effect alias, as a new object) at the layer and
// frame, 80 timeline pixels long unless the file gives its own length; a
// many-object alias is pasted with its first object focused. A failure is
// posted as an error.
void loadObjectAlias(EditService& edit, const std::wstring& path, int layer, int frame);
// The effects of an effect alias added to the object before the position
// (in its place with `replace`); a failure is posted as an error.
void loadEffectAlias(EditService& edit, const ObjectPointer& object, const std::wstring& path,
                     const Effect::EffectBase* position, bool replace);

}  // namespace Edit::EditCommand
