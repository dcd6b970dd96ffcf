#pragma once
// Names the choice rows show. A value missing from its list (a script
// registered again, a project of other fonts or plugins) never throws: its
// number is shown, and a warning is logged once per row.
#include "effect/item/EffectItemSelect.h"

#include <string>

namespace Edit {
class EditService;
}

namespace Component {

// The translated name of a choice, or the value's number.
std::wstring choiceName(const Effect::EffectItemSelect::SharedList& list, int value, bool& warned);
// The value itself when the list holds it, else the list's first value.
int choiceValue(const Effect::EffectItemSelect::SharedList& list, int value);
// The name of the project's scene with that id; empty when there is none.
std::wstring sceneName(const Edit::EditService& edit, int id);
// The part of a path after its last separator.
std::wstring fileNameOf(const std::wstring& path);
// A double-null filter ("name\0pattern\0...\0\0") as the file dialog takes it.
std::wstring filterText(const wchar_t* filter);

}  // namespace Component
