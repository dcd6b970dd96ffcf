// Effects stored as the keys of one ini section.
#include "effect/base/EffectBase.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"
#include "effect/registry/OldScript.h"

#include <exception>

namespace Effect {

namespace {

bool readFlag(const System::IniFile::SectionRef& section, const char* key) {
    return section.findValue(key).toInt(0) != 0;
}

// The shared empty value of a missing key belongs to no file.
const System::IniFile::VALUE* findKey(const System::IniFile::SectionRef& section,
                                      const std::string& key) {
    const System::IniFile::VALUE& value = section.findValue(key);
    return value.file ? &value : nullptr;
}

// Values are written as they stand, one line each. A CR or LF (a path, a
// figure's file title or a scene name can hold both) would end the line early
// and make the rest lines of their own, and a NUL would not read back: such a
// value fails the write, which leaves the file being replaced as it was.
void writeLine(System::IniFile::Save& save, const std::string& key, const std::string& value) {
    if (const char* fault = StdConvert::lineFault(value))
        throw System::makeException("Effect::EffectBase::saveIniSectionParameter", fault, ("key=" + key).c_str());
    save.writeValue(key, value);
}

}  // namespace

void EffectBase::saveIniSectionParameter(System::IniFile::Save& save) const {
    writeLine(save, "effect.name", System::String::toUtf8(name));
    if (disable) save.writeValue("effect.disable", std::string("1"));
    if (hide) save.writeValue("display.hide", std::string("1"));
    if (lock) save.writeValue("display.lock", std::string("1"));
    for (const EffectItem* item : items) writeLine(save, System::String::toUtf8(item->name), item->toString());
}

void EffectBase::loadIniSectionParameter(const System::IniFile::SectionRef& section) {
    disable = readFlag(section, "effect.disable");
    hide = readFlag(section, "display.hide");
    lock = readFlag(section, "display.lock");
    for (std::size_t i = 0; i < items.size(); ++i) {
        const System::IniFile::VALUE* value = findKey(section, System::String::toUtf8(items[i]->name));
        if (!value) continue;
        try {
            items[i]->fromString(value->text);
        } catch (const std::exception&) {
            // The item keeps its value; the position tells which one failed.
            System::Log::warn("Effect::EffectBase::loadIniSectionParameter",
                              "ini file effect parameter invalid. (%d)", static_cast<int>(i));
        }
    }
}

void EffectBase::loadQroSectionParameter(const System::IniFile::SectionRef& section) {
    disable = readFlag(section, "_disable");
    for (const auto& [key, value] : section) {
        if (key == "_name") continue;
        const std::wstring wideKey = System::String::toWide(key);
        try {
            EffectItem* target = findItem(wideKey);
            if (!target) target = findQroItem(wideKey);
            if (target) target->loadQroValue(value.text, wideKey, name, false);
        } catch (const std::exception&) {
            System::Log::warn("Effect::EffectBase::loadQroSectionParameter",
                              L"ini file effect parameter invalid. [%ls](%ls)", name,
                              wideKey.c_str());
        }
    }
}

EffectItem* EffectBase::findItem(const std::wstring& itemName) const {
    for (EffectItem* item : items)
        if (item->name == itemName) return item;
    return nullptr;
}

EffectItem* EffectBase::findQroItem(const std::wstring& key) const {
    const System::IniFile::VALUE* value = OldScript::find(System::String::toUtf8(name), System::String::toUtf8(key));
    return value ? findItem(System::String::toWide(value->text)) : nullptr;
}

}  // namespace Effect
