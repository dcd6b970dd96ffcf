#include "core/file/File.h"

#include "core/base/Exception.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cwctype>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace System {

namespace {

int openFlags(File::Mode mode) {
    switch (mode) {
        case File::Mode::Read: return O_RDONLY;
        case File::Mode::Write:
        case File::Mode::WriteShareRead: return O_WRONLY | O_CREAT | O_TRUNC;
        case File::Mode::OpenWriteShareRead: return O_WRONLY | O_CREAT;
        case File::Mode::Temporary: return O_RDWR | O_TMPFILE;
    }
    return O_RDONLY;
}

std::string parentFolder(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The temporary mode has no name of its own: O_TMPFILE in the folder of the
// path, or, on file systems without it, a file unlinked at once.
int openTemporary(const std::string& path) {
    int fd = ::open(parentFolder(path).c_str(), O_RDWR | O_TMPFILE | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) ::unlink(path.c_str());
    return fd;
}

std::uint64_t fileTime(const struct stat& st) {
    constexpr std::uint64_t kEpochDifference = 11644473600ull;  // 1601 -> 1970 in seconds
    return (static_cast<std::uint64_t>(st.st_mtim.tv_sec) + kEpochDifference) * 10000000ull +
           static_cast<std::uint64_t>(st.st_mtim.tv_nsec) / 100;
}

bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// '*' and '?' as the file search takes them, letters compared without case.
bool matchWildcard(const wchar_t* pattern, const wchar_t* name) {
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name) {
        if (*pattern == L'*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == L'?' || (*pattern && std::towupper(*pattern) == std::towupper(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == L'*') ++pattern;
    return *pattern == L'\0';
}

// Case-insensitive ordinal order, then plain order to keep it total.
bool lessCaseInsensitive(const std::wstring& a, const std::wstring& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ua = std::towupper(a[i]);
        const auto ub = std::towupper(b[i]);
        if (ua != ub) return ua < ub;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

struct Listed {
    std::wstring name;
    struct stat st;
};

// The entries of the pattern's folder whose names match its last part,
// sorted by name; a folder that cannot be read gives nothing.
std::vector<Listed> listPattern(const std::wstring& pattern) {
    std::size_t cut = pattern.size();
    while (cut > 0 && !isSeparator(pattern[cut - 1])) --cut;
    const std::wstring namePattern = pattern.substr(cut);
    std::wstring folderPart = cut == 0 ? std::wstring(L".") : pattern.substr(0, cut);
    for (wchar_t& c : folderPart)
        if (c == L'\\') c = L'/';
    std::string folder = String::toUtf8(folderPart);
    std::vector<Listed> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    if (folder.back() != '/') folder += '/';
    while (const dirent* entry = ::readdir(dir)) {
        const std::wstring name = String::toWide(entry->d_name);
        if (!matchWildcard(namePattern.c_str(), name.c_str())) continue;
        Listed listed{name, {}};
        if (::stat((folder + entry->d_name).c_str(), &listed.st) != 0) continue;
        entries.push_back(std::move(listed));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const Listed& a, const Listed& b) { return lessCaseInsensitive(a.name, b.name); });
    return entries;
}

// The text after the last '.' that no separator follows, or npos.
std::size_t extensionStart(const std::wstring& name) {
    for (std::size_t i = name.size(); i > 0; --i) {
        if (isSeparator(name[i - 1])) return std::wstring::npos;
        if (name[i - 1] == L'.') return i;
    }
    return std::wstring::npos;
}

}  // namespace

File::File(File&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void File::open(const wchar_t* path, Mode mode) {
    openPath(String::toUtf8(path), mode, path);
}

void File::openPath(const std::string& systemPath, Mode mode, const wchar_t* shownPath) {
    close();
    int fd = mode == Mode::Temporary
                 ? openTemporary(systemPath)
                 : ::open(systemPath.c_str(), openFlags(mode) | O_CLOEXEC, 0666);
    int err = errno;
    if (fd >= 0 && mode == Mode::Read) {
        // A folder opens for reading here, but is no file to read.
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            fd = -1;
            err = EISDIR;
        }
    }
    if (fd < 0) {
        (void)makeErrnoException("open", "System::File::open", err);
        throw makeExceptionFormat("System::File::open", "failed to open file.", L"%ls", shownPath);
    }
    fd_ = fd;
}

void File::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

namespace {

// Moves exactly size bytes with read or write; a failed call raises its
// errno, a call that moves nothing raises the short-transfer code.
template <class Buffer, class Call>
void transferAll(int fd, Buffer* buffer, DWORD size, Call call, const char* callName,
                 const char* place, DWORD shortCode) {
    DWORD done = 0;
    while (done < size) {
        const ssize_t n = call(fd, buffer + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw makeLastErrorException(callName, place);
        }
        if (n == 0) throw makeErrorCodeException(place, shortCode);
        done += static_cast<DWORD>(n);
    }
}

}  // namespace

void File::readBlock(void* buffer, DWORD size) {
    transferAll(fd_, static_cast<char*>(buffer), size, ::read, "read", "System::File::readBlock", 30);
}

void File::write(const void* buffer, DWORD size) {
    transferAll(fd_, static_cast<const char*>(buffer), size, ::write, "write", "System::File::write", 29);
}

std::string File::read() {
    std::string text;
    if (::lseek(fd_, 0, SEEK_SET) < 0) throw makeLastErrorException("lseek", "System::File::read");
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw makeLastErrorException("read", "System::File::read");
        }
        if (n == 0) return text;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

std::uint64_t File::seek(std::int64_t offset, int origin) {
    const off_t position = ::lseek(fd_, offset, origin);
    if (position < 0) throw makeLastErrorException("lseek", "System::File::seek");
    return static_cast<std::uint64_t>(position);
}

std::uint64_t File::getSize() const {
    struct stat st;
    if (::fstat(fd_, &st) != 0) throw makeLastErrorException("fstat", "System::File::getSize");
    return static_cast<std::uint64_t>(st.st_size);
}

void File::flush() {
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
        throw makeLastErrorException("fsync", "System::File::flush");
}

std::vector<File::FileInfo> File::findFiles(const std::wstring& pattern, const wchar_t* folder) {
    std::vector<FileInfo> files;
    const std::size_t patternExtension = extensionStart(pattern);
    // "*.*" and patterns without an extension take nothing.
    if (patternExtension == std::wstring::npos || patternExtension == pattern.size() ||
        pattern[patternExtension] == L'*')
        return files;
    const std::size_t requiredLength = pattern.size() - patternExtension;
    for (const Listed& entry : listPattern(pattern)) {
        if (S_ISDIR(entry.st.st_mode)) continue;
        const std::size_t start = extensionStart(entry.name);
        const std::size_t length = start == std::wstring::npos ? 0 : entry.name.size() - start;
        if (length != requiredLength) continue;
        FileInfo info;
        if (folder) {
            info.name = std::wstring(folder) + L"/" + entry.name;
            FileName::expandVariable(info.name);
        } else {
            info.name = entry.name;
        }
        info.size = static_cast<std::uint32_t>(entry.st.st_size);
        info.lastWrite = fileTime(entry.st);
        files.push_back(std::move(info));
    }
    return files;
}

std::vector<File::FileInfo> File::findDirectories(const std::wstring& pattern) {
    std::vector<FileInfo> folders;
    for (const Listed& entry : listPattern(pattern)) {
        if (!S_ISDIR(entry.st.st_mode) || entry.name.empty() || entry.name[0] == L'.') continue;
        FileInfo info;
        info.name = entry.name;
        FileName::expandVariable(info.name);
        info.size = static_cast<std::uint32_t>(entry.st.st_size);
        info.lastWrite = fileTime(entry.st);
        folders.push_back(std::move(info));
    }
    return folders;
}

std::vector<const File::FileInfo*> File::sortFileList(const std::vector<FileInfo>& list) {
    std::vector<std::pair<std::u16string, const FileInfo*>> keyed;
    keyed.reserve(list.size());
    for (const FileInfo& info : list) keyed.emplace_back(String::toUtf16(info.name), &info);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<const FileInfo*> sorted;
    sorted.reserve(keyed.size());
    for (const auto& entry : keyed) sorted.push_back(entry.second);
    return sorted;
}

void File::createDirectory(const std::wstring& folder) {
    std::error_code error;
    const std::filesystem::path path(String::toUtf8(folder));
    std::filesystem::create_directories(path, error);
    if (!error || std::filesystem::is_directory(path)) return;
    throw makeErrnoException("std::filesystem::create_directories", "System::File::createDirectory",
                             error.value());
}

std::wstring File::getSystemDirectory() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return String::toWide(xdg);
    std::string home;
    if (const char* env = std::getenv("HOME"); env && env[0] == '/') {
        home = env;
    } else {
        struct passwd entry;
        struct passwd* found = nullptr;
        char buffer[4096];
        const int err = ::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found);
        if (!found || !found->pw_dir)
            throw makeErrnoException("getpwuid_r", "System::File::getSystemDirectory",
                                     err ? err : ENOENT);
        home = found->pw_dir;
    }
    if (home.size() > 1 && home.back() == '/') home.pop_back();
    return String::toWide(home + "/.local/share");
}

}  // namespace System
