#include "effect/registry/OldScript.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"

namespace Effect::OldScript {

System::IniFile::SectionRef table(const std::string& name) {
    static const System::IniFile none;
    const auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    const System::IniFile& store = settings ? settings->effectConfig : none;
    return store.getSection(name.empty() ? std::string("OldScript") : "OldScript." + name);
}

const System::IniFile::VALUE* find(const std::string& name, const std::string& key) {
    const System::IniFile::VALUE& value = table(name).findValue(key);
    // The shared empty value of a missing key belongs to no file.
    return value.file ? &value : nullptr;
}

}  // namespace Effect::OldScript
