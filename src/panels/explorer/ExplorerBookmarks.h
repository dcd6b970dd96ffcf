#pragma once
// The folder bookmarks every explorer panel shares, kept in the data
// folder's explorer.ini: one section "bookmark.N" per bookmark, N from 0
// in list order, with the keys "name" and "path". Names are unique: adding
// a name again replaces the bookmark of that name.
// User-interface thread only.
#include <string>
#include <vector>

namespace Component {

struct Bookmark {
    std::wstring name;
    std::wstring path;
};

class ExplorerBookmarks {
public:
    // The process's list.
    static std::vector<Bookmark>& list();

    static void add(std::vector<Bookmark>& list, const std::wstring& name, const std::wstring& path);
    // Every bookmark of that path goes; false when there was none.
    static bool removePath(std::vector<Bookmark>& list, const std::wstring& path);
    // The bookmark of that path (exact, case-sensitive), or null.
    static const Bookmark* findPath(const std::vector<Bookmark>& list, const std::wstring& path);
    // By name, in the order names are shown to people.
    static void sortByName(std::vector<Bookmark>& list);
    // The last component of a path without its extension: /media/take.final
    // gives "take".
    static std::wstring defaultName(const std::wstring& path);

    // Replaces the list by the file's bookmarks, up to the first missing
    // section; a section without its name or path, or a file that cannot be
    // read, ends the load with what was read (logged, never shown).
    static void load(std::vector<Bookmark>& list, const std::wstring& file);
    // Writes the file anew (CR LF lines, UTF-8); a failure is logged and
    // keeps the old file.
    static void save(const std::vector<Bookmark>& list, const std::wstring& file);
    // %AppData%/explorer.ini.
    static std::wstring filePath();
};

}  // namespace Component
