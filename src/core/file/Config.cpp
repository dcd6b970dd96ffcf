#include "core/file/Config.h"

#include "core/base/Singleton.h"
#include "core/text/StringConvert.h"

#include <cstdio>
#include <exception>

namespace System {

namespace {

// Decimal text, or the default.
int parseInt(const std::string& text, int defaultValue) {
    try {
        return std::stoi(text, nullptr, 10);
    } catch (const std::exception&) {
        return defaultValue;
    }
}

}  // namespace

Config::Parameter::Parameter(Config& group, const char* key) : key(key) {
    group.parameters.push_back(this);
}

void Config::Int::fromString(const std::string& text) { *target = parseInt(text, defaultValue); }

void Config::Int::toString(std::string& out) { out = std::to_string(*target); }

void Config::AtomicInt::fromString(const std::string& text) { *target = parseInt(text, defaultValue); }

void Config::AtomicInt::toString(std::string& out) { out = std::to_string(target->load()); }

void Config::Float::fromString(const std::string& text) {
    try {
        *target = std::stof(text);
    } catch (const std::exception&) {
        reset();
    }
}

void Config::Float::toString(std::string& out) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(*target));
    out = buffer;
}

void Config::String::fromString(const std::string& text) { *target = System::String::toWide(text); }

void Config::String::toString(std::string& out) { out = System::String::toUtf8(*target); }

void Config::load(const IniFile& ini) {
    if (!name) return;
    const auto section = ini.sections.find(name);
    for (Parameter* parameter : parameters) {
        if (section == ini.sections.end()) {
            parameter->reset();
            continue;
        }
        const auto value = section->second.find(parameter->key);
        try {
            if (value == section->second.end())
                parameter->reset();
            else
                parameter->fromString(value->second.text);
        } catch (const std::exception&) {
            parameter->reset();
        }
    }
}

void Config::save(IniFile& ini) noexcept {
    if (!name) return;
    try {
        IniFile::SECTION& section = ini.getSectionMap(name);
        for (Parameter* parameter : parameters) {
            std::string text;
            parameter->toString(text);
            section.try_emplace(parameter->key, IniFile::VALUE{std::string(), &ini, nullptr, 0})
                .first->second.text = std::move(text);
        }
    } catch (const std::exception&) {
        // Only allocation can fail here; the file keeps what it had.
    }
}

IniFile* Config::mainSettingsFile() { return Singleton<IniFile>::getInstance(); }

Config::Scope::Scope(Config& group, IniFile* file) {
    bind(group, file);
    if (file)
        group.load(*file);
    else if (group.name)
        for (Parameter* parameter : group.parameters) parameter->reset();
}

Config::Scope::Scope(Config& group) : Scope(group, mainSettingsFile()) {}

Config::Scope::~Scope() {
    if (config && ini) config->save(*ini);
}

void Config::Scope::bind(Config& group, IniFile* file) {
    config = &group;
    ini = file;
}

}  // namespace System
