#include "window/controls/FolderListing.h"

#include "core/text/NaturalCompare.h"
#include "core/text/StringConvert.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cwctype>
#include <system_error>

namespace Control::FolderListing {

namespace {

const char* const kColumnKeys[] = {NameColumn, SizeColumn, ModifiedColumn, TypeColumn};

std::wstring lowerExtension(const std::filesystem::path& path) {
    std::wstring extension = path.extension().wstring();
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
    return extension;
}

bool among(const std::wstring& extension, std::initializer_list<const wchar_t*> list) {
    return std::any_of(list.begin(), list.end(), [&](const wchar_t* e) { return extension == e; });
}

std::int64_t secondsOf(std::filesystem::file_time_type time) {
    const auto system = std::filesystem::file_time_type::clock::to_sys(time);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

bool parseInt(const std::string& text, int& value) {
    if (text.empty()) return false;
    std::size_t used = 0;
    try {
        value = std::stoi(text, &used);
    } catch (...) {
        return false;
    }
    return used == text.size();
}

std::vector<std::string> splitComma(const std::string& text) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts;
}

int compareBy(const Entry& a, const Entry& b, const std::string& column) {
    if (column == SizeColumn && a.size != b.size) return a.size < b.size ? -1 : 1;
    if (column == ModifiedColumn && a.modified != b.modified) return a.modified < b.modified ? -1 : 1;
    if (column == TypeColumn) {
        const int byType = System::compareStringNatural(typeText(a), typeText(b));
        if (byType != 0) return byType;
    }
    return System::compareStringNatural(a.name, b.name);
}

}  // namespace

Kind kindOf(const std::filesystem::path& path, bool folder) {
    if (folder) return Kind::Folder;
    const std::wstring e = lowerExtension(path);
    if (among(e, {L".avi", L".mp4", L".mov", L".mkv", L".webm", L".wmv", L".mpg", L".mpeg", L".m4v", L".flv"}))
        return Kind::Video;
    if (among(e, {L".wav", L".mp3", L".ogg", L".flac", L".m4a", L".aac", L".opus", L".wma"})) return Kind::Audio;
    if (among(e, {L".png", L".jpg", L".jpeg", L".bmp", L".gif", L".tif", L".tiff", L".webp"})) return Kind::Image;
    if (among(e, {L".mvp2", L".qro", L".object", L".effect"})) return Kind::Project;
    if (among(e, {L".txt", L".ini", L".conf", L".lua"})) return Kind::Text;
    return Kind::Other;
}

bool readFolder(const std::filesystem::path& folder, std::vector<Entry>& entries) {
    entries.clear();
    std::error_code error;
    std::filesystem::directory_iterator it(folder, std::filesystem::directory_options::skip_permission_denied, error);
    if (error) return false;
    for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error) break;
        const std::filesystem::directory_entry& item = *it;
        Entry entry;
        entry.path = item.path();
        entry.name = entry.path.filename().wstring();
        if (entry.name.empty() || entry.name[0] == L'.') continue;
        std::error_code status;
        const bool folderEntry = item.is_directory(status);
        entry.kind = kindOf(entry.path, folderEntry);
        if (!folderEntry) {
            const std::uintmax_t size = item.file_size(status);
            if (!status) entry.size = size;
        }
        const auto time = item.last_write_time(status);
        if (!status) entry.modified = secondsOf(time);
        entries.push_back(std::move(entry));
    }
    return !error;
}

std::wstring typeText(const Entry& entry) {
    if (entry.kind == Kind::Folder) return L"フォルダー";
    std::wstring extension = entry.path.extension().wstring();
    if (extension.size() <= 1) return L"ファイル";
    extension.erase(0, 1);
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towupper(c));
    return extension + L" ファイル";
}

std::wstring sizeText(const Entry& entry) {
    if (entry.kind == Kind::Folder) return {};
    const double kb = static_cast<double>(entry.size) / 1024.0;
    wchar_t text[32];
    if (entry.size < 1024)
        std::swprintf(text, 32, L"%ju バイト", entry.size);
    else if (kb < 1024.0)
        std::swprintf(text, 32, L"%.1f KB", kb);
    else if (kb < 1024.0 * 1024.0)
        std::swprintf(text, 32, L"%.1f MB", kb / 1024.0);
    else
        std::swprintf(text, 32, L"%.1f GB", kb / (1024.0 * 1024.0));
    return text;
}

std::wstring modifiedText(const Entry& entry) {
    const std::time_t time = static_cast<std::time_t>(entry.modified);
    std::tm local{};
    localtime_r(&time, &local);
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d/%02d/%02d %02d:%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min);
    return text;
}

void sortEntries(std::vector<Entry>& entries, const std::string& column, int direction) {
    const int sign = direction < 0 ? -1 : 1;
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        const bool af = a.kind == Kind::Folder, bf = b.kind == Kind::Folder;
        if (af != bf) return af;
        return compareBy(a, b, column) * sign < 0;
    });
}

bool isColumnKey(const std::string& key) {
    return std::any_of(std::begin(kColumnKeys), std::end(kColumnKeys), [&](const char* k) { return key == k; });
}

std::wstring columnTitle(const std::string& key) {
    if (key == SizeColumn) return L"サイズ";
    if (key == ModifiedColumn) return L"更新日時";
    if (key == TypeColumn) return L"種類";
    return L"名前";
}

Columns parseColumns(int count, const std::string& keyList, const std::string& widthList) {
    Columns columns;
    bool valid = count > 0;
    if (valid) {
        columns.keys = splitComma(keyList);
        for (const std::string& width : splitComma(widthList)) {
            int value = 0;
            if (!parseInt(width, value)) valid = false;
            columns.widths.push_back(value);
        }
        for (const std::string& key : columns.keys)
            if (!isColumnKey(key)) valid = false;
        if (static_cast<int>(columns.keys.size()) != count || static_cast<int>(columns.widths.size()) != count)
            valid = false;
    }
    if (!valid) {
        columns.keys = {NameColumn, SizeColumn, ModifiedColumn};
        columns.widths = {0, 0, 0};
        columns.fallback = true;
    }
    return columns;
}

}  // namespace Control::FolderListing
