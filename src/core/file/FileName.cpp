#include "core/file/FileName.h"

#include "core/base/Exception.h"
#include "core/file/File.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"

#include <atomic>
#include <chrono>
#include <cwctype>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace System::FileName {

namespace {

using VariableList = std::unordered_map<std::wstring, std::wstring>;

// Filled once under the mutex, then read by any thread without a lock.
VariableList variables;
std::atomic<bool> variablesReady{false};
std::mutex variablesMutex;

constexpr const wchar_t* kSubFolders[] = {L"Plugin",     L"Script",   L"Default",
                                          L"Alias",      L"Figure",   L"Transition",
                                          L"Language",   L"Backup",   L"Log"};

bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

std::size_t lastSeparator(const std::wstring& path) { return path.find_last_of(L"/\\"); }

std::wstring programFolderOfExecutable() {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        throw makeLastErrorException("readlink", "System::FileName::initializeVariableList");
    return getDirectory(String::toWide(std::string(buffer, static_cast<std::size_t>(length))));
}

bool isDirectory(const std::wstring& path) {
    struct stat st;
    return ::stat(String::toUtf8(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

VariableList buildVariableList(const std::wstring& programFolder) {
    VariableList list;
    list[L"%AppInstall%"] = programFolder;
    const std::wstring besideProgram = programFolder + L"/data";
    const std::wstring dataFolder =
        isDirectory(besideProgram) ? besideProgram : File::getSystemDirectory() + L"/movane2";
    File::createDirectory(dataFolder);
    list[L"%AppData%"] = dataFolder;
    for (const wchar_t* name : kSubFolders) {
        const std::wstring folder = dataFolder + L"/" + name;
        File::createDirectory(folder);
        list[std::wstring(L"%") + name + L"%"] = folder;
    }
    return list;
}

std::wstring lowerAscii(std::wstring text) {
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

// One entry of a dialog filter: its ";"-separated patterns.
std::vector<std::vector<std::wstring>> filterEntries(const std::wstring& filter) {
    std::vector<std::vector<std::wstring>> entries;
    std::size_t pos = 0;
    while (pos < filter.size()) {
        const std::size_t descriptionEnd = filter.find(L'\0', pos);
        if (descriptionEnd == std::wstring::npos || descriptionEnd == pos) break;
        const std::size_t patternsStart = descriptionEnd + 1;
        std::size_t patternsEnd = filter.find(L'\0', patternsStart);
        if (patternsEnd == std::wstring::npos) patternsEnd = filter.size();
        entries.push_back(String::split(filter.substr(patternsStart, patternsEnd - patternsStart), L';'));
        pos = patternsEnd + 1;
    }
    return entries;
}

// The lower-cased text after "*.", or false when the pattern has no "*.".
bool starDotExtension(const std::wstring& pattern, std::wstring& extension) {
    if (pattern.size() < 2 || pattern[0] != L'*' || pattern[1] != L'.') return false;
    extension = lowerAscii(pattern.substr(2));
    return true;
}

}  // namespace

void initializeVariableList() {
    if (variablesReady.load(std::memory_order_acquire)) return;
    std::lock_guard lock(variablesMutex);
    if (variablesReady.load(std::memory_order_relaxed)) return;
    variables = buildVariableList(programFolderOfExecutable());
    variablesReady.store(true, std::memory_order_release);
}

void initializeVariableList(const std::wstring& programFolder) {
    std::lock_guard lock(variablesMutex);
    VariableList list = buildVariableList(programFolder);
    variables = std::move(list);
    variablesReady.store(true, std::memory_order_release);
}

std::unordered_map<std::wstring, std::wstring> getVariableList() {
    initializeVariableList();
    return variables;
}

void expandVariable(std::wstring& path) {
    if (path.size() < 3 || path[0] != L'%') return;
    const std::size_t close = path.find(L'%', 1);
    if (close == std::wstring::npos || close == 1) return;
    initializeVariableList();
    const auto found = variables.find(path.substr(0, close + 1));
    if (found == variables.end()) return;
    for (wchar_t& c : path)
        if (c == L'\\') c = L'/';
    String::replaceAll(path, found->first.c_str(), found->second.c_str());
}

std::wstring getDirectory(const std::wstring& path) {
    const std::size_t slash = lastSeparator(path);
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring getTitle(const std::wstring& path) {
    const std::size_t slash = lastSeparator(path);
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring getExtension(const wchar_t* path) {
    const std::wstring text = path ? path : L"";
    for (std::size_t i = text.size(); i > 0; --i) {
        if (isSeparator(text[i - 1])) break;
        if (text[i - 1] == L'.') return lowerAscii(text.substr(i));
    }
    return {};
}

std::wstring makeTimestampName(const std::wstring& folder, const std::wstring& base,
                               const std::wstring& extension, const std::tm& t, int millisecond) {
    // The base and stamp fill at most 259 UTF-16 units.
    std::u16string stamped = String::toUtf16(
        String::format(L"%ls_%04d-%02d-%02d_%02d-%02d-%02d-%03d", base.c_str(), t.tm_year + 1900,
                       t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, millisecond));
    stamped.resize(String::utf16CutLength(stamped, 259));
    std::wstring name = folder + String::fromUtf16(stamped) + L"." + extension;
    expandVariable(name);
    return name;
}

std::wstring makeTimestampName(const std::wstring& folder, const std::wstring& base,
                               const std::wstring& extension) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const int millisecond =
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    return makeTimestampName(folder, base, extension, local, millisecond);
}

std::vector<std::wstring> getFilterExtensions(const std::wstring& filter) {
    std::vector<std::wstring> extensions;
    for (const auto& patterns : filterEntries(filter)) {
        for (const std::wstring& pattern : patterns) {
            std::wstring extension;
            if (!starDotExtension(pattern, extension)) continue;
            if (extension.empty() || extension[0] == L'*') continue;
            extensions.push_back(std::move(extension));
        }
    }
    return extensions;
}

int findFilterIndex(const std::wstring& filter, const wchar_t* path) {
    const std::wstring wanted = getExtension(path);
    int index = 0;
    for (const auto& patterns : filterEntries(filter)) {
        ++index;
        for (const std::wstring& pattern : patterns) {
            std::wstring extension;
            if (starDotExtension(pattern, extension) && extension == wanted) return index;
        }
    }
    return 0;
}

std::wstring getFilterExtension(const std::wstring& filter, int index) {
    if (index < 1) index = 1;
    const auto entries = filterEntries(filter);
    if (static_cast<std::size_t>(index) > entries.size()) return {};
    for (const std::wstring& pattern : entries[index - 1]) {
        std::wstring extension;
        if (starDotExtension(pattern, extension)) return extension;
    }
    return {};
}

bool isSafeFileName(const std::wstring& name) {
    if (name.empty() || name.find(L"..") != std::wstring::npos || name == L".") return false;
    for (wchar_t c : name)
        if (isSeparator(c) || static_cast<unsigned>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

}  // namespace System::FileName
