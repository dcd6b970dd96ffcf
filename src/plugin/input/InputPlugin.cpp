#include "plugin/input/InputPlugin.h"

#include "core/base/Exception.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"

namespace Plugin {

InputPlugin::InputPlugin(std::wstring name, std::wstring fileFilter, int kindFlags)
    : name(std::move(name)), fileFilter(std::move(fileFilter)), kindFlags(kindFlags) {}

void InputPlugin::showSetting(void*) {
    throw System::makeException("Plugin::InputPlugin::showSetting", "not implement.");
}

void InputPlugin::loadConfig(int defaultPriority) {
    sectionName = "Input." + System::String::toUtf8(name);
    config.name = sectionName.c_str();
    priorityParameter.defaultValue = defaultPriority;
    System::IniFile* ini = System::Config::mainSettingsFile();
    scope_.bind(config, ini);
    if (ini) {
        config.load(*ini);
    } else {
        for (System::Config::Parameter* parameter : config.parameters) parameter->reset();
    }
}

std::vector<std::wstring> InputPlugin::getExtList() const {
    if (!extList.empty()) return System::String::split(extList, L',');
    return System::FileName::getFilterExtensions(fileFilter);
}

void InputPlugin::setExtList(const std::wstring& text) {
    const std::wstring defaults = System::String::join(System::FileName::getFilterExtensions(fileFilter), L',');
    extList = text.empty() || text == defaults ? std::wstring() : text;
}

}  // namespace Plugin
