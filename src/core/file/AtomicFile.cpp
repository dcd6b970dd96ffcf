#include "core/file/AtomicFile.h"

#include "core/base/Exception.h"
#include "core/text/StringConvert.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace System {

namespace {

// A link is replaced through its destination, not turned into a file.
std::string resolveLink(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

void syncFolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename itself already happened
    ::close(fd);
}

}  // namespace

std::string AtomicFile::temporaryPath(const std::string& target) { return target + ".tmp"; }

void AtomicFile::removeLeftover(const wchar_t* target) {
    const std::string temporary = temporaryPath(resolveLink(String::toUtf8(target)));
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st;
    // A writer alive holds the lock; a killed one lost it with its process.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(temporary.c_str());
    ::close(fd);
}

AtomicFile::AtomicFile(const wchar_t* target)
    : target_(target),
      targetPath_(resolveLink(String::toUtf8(target))),
      temporaryPath_(temporaryPath(targetPath_)) {
    removeLeftover(target);
    file_.openPath(temporaryPath_, File::Mode::Write, target);
    // Tells a later cleaner that this file is being written.
    ::flock(file_.handle(), LOCK_EX | LOCK_NB);
    // The new file keeps the permissions of the one it replaces.
    struct stat st;
    if (::stat(targetPath_.c_str(), &st) == 0) ::fchmod(file_.handle(), st.st_mode & 07777);
}

AtomicFile::~AtomicFile() {
    if (!committed_) discard();
}

void AtomicFile::discard() noexcept {
    file_.close();
    ::unlink(temporaryPath_.c_str());
}

void AtomicFile::commit() {
    if (committed_) return;
    try {
        file_.flush();
        const int fd = file_.handle();
        file_.fd_ = -1;
        if (::close(fd) != 0) throw makeLastErrorException("close", "System::AtomicFile::commit");
        if (::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0)
            throw makeLastErrorException("rename", "System::AtomicFile::commit");
    } catch (...) {
        discard();
        throw;
    }
    committed_ = true;
    syncFolderOf(targetPath_);
}

}  // namespace System
