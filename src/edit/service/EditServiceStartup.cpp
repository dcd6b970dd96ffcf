#include "edit/service/EditService.h"

#include "core/base/Log.h"
#include "core/base/Process.h"
#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "platform/CrashHandler.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <system_error>

namespace Edit {

namespace {

namespace fs = std::filesystem;

constexpr const wchar_t* kRecoverFile = L"recover.mvp2";
constexpr const wchar_t* kRestartFile = L"restart.mvp2";
constexpr const wchar_t* kResumeFile = L"resume.mvp2";

// How long the crash path waits for edits in progress before it falls back
// to the last automatic backup.
constexpr std::chrono::milliseconds kRecoveryLockTimeout{2000};

fs::path systemPath(const std::wstring& path) { return fs::path(System::String::toUtf8(path)); }

bool isFile(const std::wstring& path) {
    std::error_code error;
    return fs::is_regular_file(systemPath(path), error);
}

void removeQuietly(const std::wstring& path) {
    std::error_code error;
    fs::remove(systemPath(path), error);
}

// Replaces target with a copy of source; the target is never left half
// written.
bool copyOver(const std::wstring& source, const std::wstring& target) {
    const fs::path to = systemPath(target);
    fs::path temporary = to;
    temporary += ".tmp";
    std::error_code error;
    if (!fs::copy_file(systemPath(source), temporary, fs::copy_options::overwrite_existing, error)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, to, error);
    if (error) fs::remove(temporary, error);
    return !error;
}

// A project named on the command line stays findable from the history
// whatever the folder of the next start: relative names become absolute.
std::wstring commandLineProjectPath(const std::wstring& argument) {
    std::wstring path = argument;
    System::FileName::expandVariable(path);
    std::error_code error;
    const fs::path absolute = fs::absolute(systemPath(path), error);
    return error ? path : System::String::toWide(absolute.lexically_normal().string());
}

// Runs inside the crash handler, on the thread that faulted.
void recoveryCallback() {
    if (auto* edit = System::Singleton<EditService>::getInstance()) edit->applicationRecovery();
}

}  // namespace

std::wstring EditService::getDataFilePath(const wchar_t* name) {
    std::wstring path = std::wstring(L"%AppData%\\") + name;
    System::FileName::expandVariable(path);
    return path;
}

OptionTable EditService::parseCommandLine() {
    return Edit::parseCommandLine(readCommandLineArguments("Edit::EditService::parseCommandLine"));
}

void EditService::startHistories() {
    projectHistory.load();
    backupHistory.load();
    projectHooks.addProjectHistory = [this](const std::wstring& path) { projectHistory.addFile(path); };
    projectHooks.updateAutoBackupTimer = [this] { updateAutoBackupTimer(); };
    if (eventService) {
        eventService->applicationBegin.add(this, [this] { applicationBegin(); });
        eventService->applicationEnd.add(this, [this] { saveResumeProject(); });
    }
}

void EditService::stopHistories() noexcept {
    Platform::CrashHandler::setRecoveryCallback(nullptr);
    projectHistory.save();
    backupHistory.killTimer();
}

void EditService::applicationBegin() { applicationBegin(parseCommandLine()); }

void EditService::applicationBegin(OptionTable options) {
    const std::wstring recoverFile = getDataFilePath(kRecoverFile);
    if (isFile(recoverFile)) {
        if (Dialog::showConfirm(L"前回アプリケーションが正常に終了しませんでした\n\nプロジェクトを復元しますか？")) {
            options[static_cast<int>(OptionKey::Recovery)] = L"";
            loadProject(recoverFile, false, false);
        }
        removeQuietly(recoverFile);
    }

    if (hasOption(options, OptionKey::Recovery)) {
        // Nothing else opens over the recovered project.
    } else if (hasOption(options, OptionKey::Restart)) {
        const std::wstring restartFile = getDataFilePath(kRestartFile);
        if (isFile(restartFile)) {
            loadProject(restartFile, false, false);
            removeQuietly(restartFile);
        }
    } else if (hasOption(options, OptionKey::Project)) {
        loadProject(commandLineProjectPath(options[static_cast<int>(OptionKey::Project)]), false, true);
    } else if (editResume) {
        const std::wstring resumeFile = getDataFilePath(kResumeFile);
        if (isFile(resumeFile)) loadProject(resumeFile, false, false);
    } else if (eventService) {
        eventService->sceneChange.notify(project.currentSceneId);
    }

    projectHistory.setMaxCount(historyFileMax);
    backupHistory.setMaxCount(autoBackupFileMax);
    updateAutoBackupTimer();
    // What was opened at start needs no backup until it changes.
    backupHistory.markBackedUp(editCount);

    Platform::CrashHandler::setRecoveryCallback(recoveryCallback);
}

void EditService::applicationRecovery() {
    if (recovered_.exchange(true)) return;
    System::Process::exceptionOccurred = true;
    const std::wstring recoverFile = getDataFilePath(kRecoverFile);
    // Saving reads the model: only when no edit is half done. The thread
    // that faulted may hold the lock itself, or be stuck inside an edit.
    if (!lock_.isHeldByThisThread() && lock_.tryLockSharedFor(kRecoveryLockTimeout)) {
        const std::wstring backup = BackupHistory::makeBackupName(L"ExceptionBackup");
        System::Log::info("Edit::EditService::applicationRecovery", L"exception backup : %ls", backup.c_str());
        bool saved = false;
        try {
            saved = saveProject(backup, true);
        } catch (...) {
        }
        lock_.unlockShared();
        if (saved) copyOver(backup, recoverFile);
    } else {
        const std::wstring newest = backupHistory.tryGetNewest();
        if (!newest.empty()) copyOver(newest, recoverFile);
    }
    // A crash must not resume.
    removeQuietly(getDataFilePath(kResumeFile));
}

void EditService::saveResumeProject() {
    backupHistory.killTimer();
    if (!editResume || System::Process::exceptionOccurred || loadInterrupted_) return;
    saveProject(getDataFilePath(kResumeFile), true);
}

void EditService::updateAutoBackupTimer() {
    if (autoBackup == 0 || autoBackupInterval <= 0 || autoBackupFileMax <= 0) {
        backupHistory.killTimer();
        return;
    }
    const int elapse = static_cast<int>(std::min<long long>(autoBackupInterval * 60000LL, INT_MAX));
    backupHistory.setTimer(elapse, [this] {
        backupHistory.autoBackupProject(editCount, [this](const std::wstring& path) { return saveProject(path, true); });
    });
}

}  // namespace Edit
