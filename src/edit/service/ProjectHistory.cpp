#include "edit/service/ProjectHistory.h"

#include "core/file/FileName.h"
#include "core/file/IniFile.h"
#include "core/text/StringConvert.h"
#include "edit/file/FileRead.h"

#include <exception>

namespace Edit {

namespace {

constexpr const char* kSection = "project";
constexpr int kMaxKey = 100;

}  // namespace

std::wstring ProjectHistory::getPath() {
    std::wstring path = L"%AppData%\\history.ini";
    System::FileName::expandVariable(path);
    return path;
}

void ProjectHistory::load() {
    entries_.clear();
    try {
        System::IniFile file;
        if (!file.loadFile(getPath().c_str()) || !file.hasSection(kSection)) return;
        const System::IniFile::SectionRef section = file.getSection(kSection);
        for (int key = 1; key <= kMaxKey; ++key) {
            const std::string name = std::to_string(key);
            if (!FileRead::present(section, name.c_str())) continue;
            const System::IniFile::VALUE& value = section.findValue(name);
            // A path that is not UTF-8 names no file: the reading ends.
            if (!System::String::isValidUtf8(value.text)) return;
            entries_.push_back(value.toString());
        }
    } catch (const std::exception&) {
        // What was read stays.
    }
}

void ProjectHistory::save() {
    try {
        const std::wstring path = getPath();
        System::IniFile::Save file(path.c_str());
        file.writeSection(kSection);
        int key = 0;
        for (const std::wstring& entry : entries_) file.writeValue(std::to_string(++key), entry.c_str());
        file.close();
    } catch (const std::exception&) {
    }
}

}  // namespace Edit
