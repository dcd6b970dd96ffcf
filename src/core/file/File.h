#pragma once
// A file handle with the program's five open modes. Every failure raises the
// program's exception: a failed system call gives the HRESULT text of its
// errno, a short read code 30, a short write code 29; there is no partial
// success. A File belongs to the object or thread that holds it.
//
// Files that replace a user's file are written through System::AtomicFile,
// never opened in place with Mode::Write.
#include "platform/WinTypes.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace System {

class AtomicFile;

class File {
public:
    enum class Mode : int {
        Read = 0,                // existing files only
        Write = 1,               // created or truncated
        WriteShareRead = 2,      // the same; others may read meanwhile
        OpenWriteShareRead = 3,  // created when missing, contents kept
        Temporary = 4,           // read and write, gone when closed (O_TMPFILE)
    };

    struct FileInfo {
        std::wstring name;
        std::uint32_t size = 0;       // low 32 bits of the size
        std::uint64_t lastWrite = 0;  // 100 ns units since 1601-01-01 UTC
    };

    File() = default;
    ~File() { close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;

    // Closes a handle still held, then opens. A failure logs the system's
    // reason and raises "failed to open file." with the path as note.
    void open(const wchar_t* path, Mode mode);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    int handle() const { return fd_; }

    // Exactly size bytes or an exception.
    void readBlock(void* buffer, DWORD size);
    void write(const void* buffer, DWORD size);
    // The whole file from its start.
    std::string read();
    // origin is SEEK_SET, SEEK_CUR or SEEK_END; returns the new position.
    std::uint64_t seek(std::int64_t offset, int origin = SEEK_SET);
    std::uint64_t getSize() const;
    // Pushes written data to the disk.
    void flush();

    // Plain files matching a "*.ext" pattern whose extension has the
    // pattern's length (letters compared case-insensitively), sorted by name
    // case-insensitively. With a folder each name is folder + "/" + file
    // name; without (null) the bare name. A missing folder gives nothing.
    static std::vector<FileInfo> findFiles(const std::wstring& pattern, const wchar_t* folder);
    // Folders matching the pattern whose names do not begin with ".", bare
    // names, sorted the same way.
    static std::vector<FileInfo> findDirectories(const std::wstring& pattern);
    // Pointers into the list, in ascending order of UTF-16 code units.
    static std::vector<const FileInfo*> sortFileList(const std::vector<FileInfo>& list);

    // Creates the folder and missing parents; an existing folder passes.
    static void createDirectory(const std::wstring& folder);
    // The per-user data folder: $XDG_DATA_HOME, else ~/.local/share.
    static std::wstring getSystemDirectory();

private:
    friend class AtomicFile;
    // Opens systemPath; failures name shownPath.
    void openPath(const std::string& systemPath, Mode mode, const wchar_t* shownPath);

    int fd_ = -1;
};

}  // namespace System
