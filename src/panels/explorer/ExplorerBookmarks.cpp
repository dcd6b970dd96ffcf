#include "panels/explorer/ExplorerBookmarks.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/file/AtomicFile.h"
#include "core/file/IniFile.h"
#include "core/file/PathString.h"
#include "core/text/NaturalCompare.h"
#include "core/text/StringConvert.h"

#include <algorithm>

namespace Component {

std::vector<Bookmark>& ExplorerBookmarks::list() {
    static std::vector<Bookmark> bookmarks;
    return bookmarks;
}

void ExplorerBookmarks::add(std::vector<Bookmark>& list, const std::wstring& name, const std::wstring& path) {
    std::erase_if(list, [&](const Bookmark& b) { return b.name == name; });
    list.push_back({name, path});
}

bool ExplorerBookmarks::removePath(std::vector<Bookmark>& list, const std::wstring& path) {
    return std::erase_if(list, [&](const Bookmark& b) { return b.path == path; }) > 0;
}

const Bookmark* ExplorerBookmarks::findPath(const std::vector<Bookmark>& list, const std::wstring& path) {
    const auto found = std::find_if(list.begin(), list.end(), [&](const Bookmark& b) { return b.path == path; });
    return found == list.end() ? nullptr : &*found;
}

void ExplorerBookmarks::sortByName(std::vector<Bookmark>& list) {
    std::stable_sort(list.begin(), list.end(), [](const Bookmark& a, const Bookmark& b) {
        return System::compareStringNatural(a.name, b.name) < 0;
    });
}

std::wstring ExplorerBookmarks::defaultName(const std::wstring& path) {
    std::wstring last = path;
    while (last.size() > 1 && last.back() == L'/') last.pop_back();
    const std::size_t slash = last.find_last_of(L'/');
    if (slash != std::wstring::npos) last.erase(0, slash + 1);
    const std::size_t dot = last.find_last_of(L'.');
    if (dot != std::wstring::npos) last.erase(dot);
    return last;
}

void ExplorerBookmarks::load(std::vector<Bookmark>& list, const std::wstring& file) {
    list.clear();
    try {
        System::IniFile ini;
        if (!ini.loadFile(file.c_str())) return;
        for (int i = 0;; ++i) {
            const std::string name = "bookmark." + std::to_string(i);
            if (!ini.hasSection(name)) break;
            const System::IniFile::SectionRef section = ini.getSection(name);
            Bookmark bookmark;
            bookmark.name = System::String::toWide(section.getValue("name").text);
            bookmark.path = System::String::toWide(section.getValue("path").text);
            list.push_back(std::move(bookmark));
        }
    } catch (const std::exception& error) {
        System::Log::info("Component::ExplorerComponent", "%s", error.what());
    }
}

void ExplorerBookmarks::save(const std::vector<Bookmark>& list, const std::wstring& file) {
    System::Log::info("Component::ExplorerComponent", L"saveFile : %ls", file.c_str());
    try {
        std::string text;
        for (std::size_t n = 0; n < list.size(); ++n) {
            text += "[bookmark." + std::to_string(n) + "]\r\n";
            text += "name=" + System::String::toUtf8(list[n].name) + "\r\n";
            text += "path=" + System::String::toUtf8(list[n].path) + "\r\n";
        }
        System::AtomicFile out(file.c_str());
        out.write(text.data(), static_cast<DWORD>(text.size()));
        out.commit();
    } catch (const std::exception& error) {
        System::Log::info("Component::ExplorerComponent", "%s", error.what());
    }
}

std::wstring ExplorerBookmarks::filePath() { return System::expandPathString(L"%AppData%/explorer.ini"); }

}  // namespace Component
