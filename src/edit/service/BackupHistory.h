#pragma once
// The backup files of the backup folder ("%Backup%"), newest first, and the
// automatic-backup timer. A file belongs to the list only when its whole
// name is "AutoBackup" or "ExceptionBackup", "_", a full time stamp and
// ".mvp2"; trimming the list deletes the files it drops.
//
// The list and the timer live on the user-interface thread. The newest
// backup is also kept for the crash path, which may run on any thread: it
// reads it only when it can take its mutex at once.
#include "edit/service/FileHistory.h"

#include <cstdint>
#include <functional>
#include <mutex>

namespace Edit {

class BackupHistory : public FileHistory {
public:
    // The window timer behind the automatic backup; the window layer fills
    // it in. Without it no tick ever comes.
    struct Timer {
        std::function<void(int elapse, std::function<void()> tick)> set;
        std::function<void()> clear;
    };

    ~BackupHistory() override;

    // The folder's backup files in the order of its listing (by name), each
    // put at the front, so the file listed last comes first.
    void load() override;
    // Deletes the file; a missing file is no failure.
    void removeFile(const std::wstring& path) override;

    // Every elapse ms until killed; setting again restarts the period.
    void setTimer(int elapse, std::function<void()> tick);
    void killTimer();
    bool isTimerSet() const { return timerSet_; }

    // A timer tick. Nothing after a fatal error, nor when the edit count
    // equals the one of the last backup (nothing changed). Otherwise saves
    // to a new "AutoBackup" name through save; only a save that succeeded
    // puts the name into the list, which trims it and so deletes the
    // oldest backups. Returns whether a backup was written.
    bool autoBackupProject(std::uint64_t editCount, const std::function<bool(const std::wstring&)>& save);
    // The project as it is now counts as backed up.
    void markBackedUp(std::uint64_t editCount) { backedUpEditCount_ = editCount; }

    // The newest listed backup, or "" (also when the list is being changed
    // at the moment). Any thread.
    std::wstring tryGetNewest();

    static bool isBackupName(const std::wstring& fileName);
    // "%Backup%/" + base + "_<time stamp>.mvp2", expanded.
    static std::wstring makeBackupName(const wchar_t* base);

    Timer timer;

private:
    void addBackup(const std::wstring& path);

    bool timerSet_ = false;
    std::uint64_t backedUpEditCount_ = 0;
    std::mutex newestMutex_;
    std::wstring newest_;
};

}  // namespace Edit
