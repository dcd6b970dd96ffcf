#pragma once
// What the project commands ask of the services and windows above the
// project model: the footer's progress text, the recent-project list, the
// automatic-backup timer and whether a restart is pending. Each owner fills
// its entries when it starts and clears them when it goes; an empty entry is
// skipped. User-interface thread only.
#include <functional>
#include <string>

namespace Edit {

struct ProjectHooks {
    // "Loading...", "Saving..."; an empty text ends the progress.
    std::function<void(const wchar_t* text)> setProgress;
    // The recent-project list takes the path (never called with an empty one).
    std::function<void(const std::wstring& path)> addProjectHistory;
    // Re-arms the automatic backup from the settings.
    std::function<void()> updateAutoBackupTimer;
    // True once the project went to the restart file and the loop is ending.
    std::function<bool()> restartRequested;
};

}  // namespace Edit
