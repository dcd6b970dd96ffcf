#pragma once
// What the effect menus' entries do to the project: the effect-adding
// command, and the installation of the edit commands behind the entries
// of the effect registry.
#include "edit/model/Object.h"

namespace Edit {
class EditScope;
class EditService;
}  // namespace Edit

namespace Edit::EditCommand {

// The named effect with its saved defaults added to the object after the
// position (in its place with `replace`), the chain then adjusted to its
// input; one edit scope and undo step.
void setEffect(EditService& edit, const ObjectPointer& object, const wchar_t* name,
               const Effect::EffectBase* position, bool replace);

// The flags of a command that changes an object's chain.
void setEffectScopeFlags(EditScope& scope, const ObjectPointer& object);
// Takes out the effect that new effects replace; the first effect only
// when it and the next are filters, so the chain keeps its input.
void removeReplacedEffect(Object& object, const Effect::EffectBase* position);

// The registry's menu entries act on this edit service; null removes them.
void installEffectMenuCommands(EditService* edit);

}  // namespace Edit::EditCommand
