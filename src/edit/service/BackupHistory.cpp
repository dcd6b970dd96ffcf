#include "edit/service/BackupHistory.h"

#include "core/base/Log.h"
#include "core/base/Process.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"

#include <regex>
#include <unistd.h>

namespace Edit {

BackupHistory::~BackupHistory() { killTimer(); }

void BackupHistory::load() {
    entries_.clear();
    std::wstring folder = L"%Backup%";
    System::FileName::expandVariable(folder);
    for (const System::File::FileInfo& info : System::File::findFiles(folder + L"/*.mvp2", folder.c_str())) {
        const std::size_t slash = info.name.find_last_of(L"/\\");
        if (isBackupName(slash == std::wstring::npos ? info.name : info.name.substr(slash + 1)))
            entries_.push_front(info.name);
    }
    std::lock_guard lock(newestMutex_);
    newest_ = entries_.empty() ? L"" : entries_.front();
}

void BackupHistory::removeFile(const std::wstring& path) { ::unlink(System::String::toUtf8(path).c_str()); }

void BackupHistory::setTimer(int elapse, std::function<void()> tick) {
    if (!timer.set) return;
    timer.set(elapse, std::move(tick));
    timerSet_ = true;
}

void BackupHistory::killTimer() {
    if (timerSet_ && timer.clear) timer.clear();
    timerSet_ = false;
}

bool BackupHistory::autoBackupProject(std::uint64_t editCount,
                                      const std::function<bool(const std::wstring&)>& save) {
    if (System::Process::exceptionOccurred) return false;
    if (editCount == backedUpEditCount_) return false;
    const std::wstring path = makeBackupName(L"AutoBackup");
    System::Log::info("Edit::BackupHistory::autoBackupProject", L"auto backup : %ls", path.c_str());
    // Written first: a failed save must not cost an older good backup.
    if (!save(path)) return false;
    backedUpEditCount_ = editCount;
    addBackup(path);
    return true;
}

void BackupHistory::addBackup(const std::wstring& path) {
    std::lock_guard lock(newestMutex_);
    addFile(path);
    newest_ = entries_.empty() ? L"" : entries_.front();
}

std::wstring BackupHistory::tryGetNewest() {
    std::unique_lock lock(newestMutex_, std::try_to_lock);
    return lock.owns_lock() ? newest_ : L"";
}

bool BackupHistory::isBackupName(const std::wstring& fileName) {
    static const std::wregex pattern(
        L"^(AutoBackup|ExceptionBackup)_[0-9]+-[0-9]+-[0-9]+_[0-9]+-[0-9]+-[0-9]+-[0-9]+\\.mvp2$");
    return std::regex_match(fileName, pattern);
}

std::wstring BackupHistory::makeBackupName(const wchar_t* base) {
    std::wstring expanded = base;
    System::FileName::expandVariable(expanded);
    return System::FileName::makeTimestampName(L"%Backup%\\", expanded, L"mvp2");
}

}  // namespace Edit
