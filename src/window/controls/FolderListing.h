#pragma once
// What the explorer's folder view lists and how: the entries of a folder
// read from the file system, their order by a column, and the view keys
// stored per panel. Columns are named by the property-key strings the
// settings files keep ("{GUID} id"), so stored views stay readable.
// Pure logic; any thread.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Control::FolderListing {

inline constexpr const char* NameColumn = "{B725F130-47EF-101A-A5F1-02608C9EEBAC} 10";
inline constexpr const char* SizeColumn = "{B725F130-47EF-101A-A5F1-02608C9EEBAC} 12";
inline constexpr const char* ModifiedColumn = "{B725F130-47EF-101A-A5F1-02608C9EEBAC} 14";
inline constexpr const char* TypeColumn = "{B725F130-47EF-101A-A5F1-02608C9EEBAC} 4";

// What an entry is, for its icon and type text.
enum class Kind { Folder, Video, Audio, Image, Project, Text, Other };

struct Entry {
    std::wstring name;
    std::filesystem::path path;
    Kind kind = Kind::Other;
    std::uintmax_t size = 0;          // files only
    std::int64_t modified = 0;        // seconds since the epoch
};

// The entries of a folder, folders and files (hidden dot entries left
// out), in directory order. A folder that cannot be read gives none and
// false.
bool readFolder(const std::filesystem::path& folder, std::vector<Entry>& entries);

// By extension (lower case, with the dot).
Kind kindOf(const std::filesystem::path& path, bool folder);
// "フォルダー", or the extension's upper-case name and "ファイル".
std::wstring typeText(const Entry& entry);
// "1.5 KB" style, empty for folders.
std::wstring sizeText(const Entry& entry);
// "YYYY/MM/DD hh:mm" in local time.
std::wstring modifiedText(const Entry& entry);

// Folders first, then by the column in natural order (ties by name);
// direction -1 reverses within each group. An unknown column sorts by name.
void sortEntries(std::vector<Entry>& entries, const std::string& column, int direction);

// The visible columns and their widths as stored: count, key list and
// width list ("," separated). A count of 0, a key or width that does not
// parse, or lists whose lengths differ from the count give the three
// default columns with width 0 (each column's own default).
struct Columns {
    std::vector<std::string> keys;
    std::vector<int> widths;
    bool fallback = false;
};
Columns parseColumns(int count, const std::string& keyList, const std::string& widthList);
bool isColumnKey(const std::string& key);
// The header title of a column.
std::wstring columnTitle(const std::string& key);

}  // namespace Control::FolderListing
