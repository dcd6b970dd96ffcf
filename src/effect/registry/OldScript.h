#pragma once
// The legacy name tables of effect.conf, through which legacy exchange
// files are read: the section "OldScript" (legacy effect name = effect
// name) and the sections "OldScript.<name>": per effect its legacy item
// names, per legacy script kind its built-in scripts, and "trackmode" the
// legacy track modes.
#include "core/file/IniFile.h"

#include <string>

namespace Effect::OldScript {

// The section "OldScript" for an empty name, else "OldScript.<name>"; an
// empty section when the setting service is not running.
System::IniFile::SectionRef table(const std::string& name);
// The value of a key of that table, or null when the key is missing.
const System::IniFile::VALUE* find(const std::string& name, const std::string& key);

}  // namespace Effect::OldScript
