#include "app/Application.h"

#include "app/ServiceHolders.h"
#include "core/event/EventService.h"
#include "core/file/FileName.h"
#include "core/base/Process.h"
#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "edit/service/EditService.h"
#include "platform/CrashHandler.h"
#include "render/cache/CacheService.h"
#include "platform/gtk/Toolkit.h"
#include "window/WindowService.h"

#include <unistd.h>

namespace App {

namespace {

// The place text of failures of the process entry.
constexpr const char* kPlace = "wWinMain";

// Saves the user's work before anything can go wrong again: the edit
// service writes the emergency backup and the recovery project. It runs
// before the box, so a second fault while the box is open, or ending the
// waiting process, does not lose the project.
void saveEmergencyBackup() {
    auto* edit = System::Singleton<Edit::EditService>::getInstance();
    if (!edit) return;
    edit->backupHistory.killTimer();
    edit->applicationRecovery();
}

// An exception left the message loop: the program ends after this.
void endFatally(const std::exception& e) {
    System::Process::exceptionOccurred = true;
    saveEmergencyBackup();
    Dialog::showFatalException(e);
}

// Returns whether the loop ended fatally.
bool runMessageLoop() {
    auto* window = System::Singleton<Window::WindowService>::getInstance();
    if (!window) return false;
    try {
        window->processMessage();
        return false;
    } catch (const std::exception& e) {
        endFatally(e);
        return true;
    }
}

void startUp() {
    // Before any fault guard installs itself, so that the guards pass the
    // faults they do not take on to the crash handler.
    Platform::CrashHandler::install();
    // The windowing toolkit takes the place of the system's COM and OLE
    // initialisation: boxes need it from the first service on.
    Platform::initializeToolkit(kPlace);
    // The data folder and its sub-folders exist from here on.
    System::FileName::initializeVariableList();
}

// Tells the application-begin or application-end listeners.
void notifyApplication(Event::EventListenerList<void()> Event::EventService::*list) {
    if (auto* events = System::Singleton<Event::EventService>::getInstance()) (events->*list).notify();
}

// Runs after every service was released.
void restartIfRequested(const char* programName) {
    if (!System::Process::restartRequested) return;
    char* const args[] = {const_cast<char*>(programName), const_cast<char*>("-restart"), nullptr};
    // Replaces this process; when that fails the process just ends.
    execv("/proc/self/exe", args);
}

}  // namespace

int run(std::span<const StartupRow> table, const char* programName) {
    bool failed = false;
    try {
        startUp();
        ServiceHolders holders(table);
        // The module service writes its trust list here.
        if (auto* window = System::Singleton<Window::WindowService>::getInstance()) {
            window->updateLayout();
            window->footer->setProgress(L"", nullptr, 0.0f);
        }
        notifyApplication(&Event::EventService::applicationBegin);
        failed = runMessageLoop();
        // No waveform load may outlive the services it reads (the render
        // service's scene source among them).
        if (auto* caches = System::Singleton<Cache::CacheService>::getInstance()) caches->stopWaveforms();
        notifyApplication(&Event::EventService::applicationEnd);
        // The render workers stop here, before the holders are released in
        // reverse order.
    } catch (const std::exception& e) {
        // The holders built so far are released by now.
        Dialog::showException(e);
        failed = true;
    }
    restartIfRequested(programName);
    return failed ? 1 : 0;
}

}  // namespace App
