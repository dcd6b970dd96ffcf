#pragma once
// Saving an alias: the user names it and picks its menu label, the file
// "%Alias%/<name>.<folder word>" is written (atomically) by the caller's
// writer, and the registry reads the alias folder again. User-interface
// thread only.
#include "core/file/IniFile.h"

#include <functional>
#include <string>

namespace Effect {

class EffectBase;
class EffectService;

// A name the alias folder can hold as "<name>.<folder word>": not empty,
// no path separator, no "..", no control character or character that file
// names on other systems refuse, and short enough for a file name.
bool isValidAliasName(const std::wstring& name);

// The dialog titled "エイリアスを作成 - <subject>" until a usable name is
// confirmed (an existing alias only after the overwrite question); cancel
// ends it with nothing written. A failed write shows its error box; the
// aliases are registered again either way.
void saveAliasFile(EffectService& service, const std::wstring& subject, const wchar_t* folderWord,
                   const std::function<void(System::IniFile::Save&)>& write);

// One effect as an effect alias ("Effect.0"), subject its display name.
void saveEffectAliasFile(EffectService& service, const EffectBase& effect);

}  // namespace Effect
