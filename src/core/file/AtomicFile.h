#pragma once
// Writing that replaces a user's file: the bytes go to "<target>.tmp" in the
// same folder, and only commit() flushes them to the disk and renames the
// temporary file over the target. Until then the old file is untouched; a
// failure, or destruction without commit, removes the temporary file. The
// temporary file is locked while it is written, so the leftover of a writer
// that was killed is told from one still being written.
#include "core/file/File.h"

#include <string>

namespace System {

class AtomicFile {
public:
    // Opens the temporary file; a failure raises File::open's exception
    // naming the target.
    explicit AtomicFile(const wchar_t* target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    File& file() { return file_; }
    void write(const void* buffer, DWORD size) { file_.write(buffer, size); }
    // Flush, close and rename over the target; on failure the temporary file
    // is removed, the target kept and the exception raised.
    void commit();
    bool committed() const { return committed_; }
    const std::wstring& target() const { return target_; }

    // The temporary name used beside a target.
    static std::string temporaryPath(const std::string& target);
    // Removes "<target>.tmp" when it is a plain file no writer holds: what a
    // killed save left. Anything else of that name stays.
    static void removeLeftover(const wchar_t* target);

private:
    void discard() noexcept;

    std::wstring target_;
    std::string targetPath_;
    std::string temporaryPath_;
    File file_;
    bool committed_ = false;
};

}  // namespace System
