#pragma once
// What the output service asks of the windows while an export runs: the
// input block, the progress display in the footer, the wait handle of its
// progress timer, the cancel popup, the completion balloon and sound. The
// window layer installs the real one; without one (tools, tests) each
// request does nothing. User-interface thread only.
#include "platform/gtk/Messages.h"
#include "platform/gtk/WaitSource.h"

#include <functional>
#include <string>

namespace Plugin {

class OutputHost {
public:
    using InputHook = std::function<bool(Platform::WindowHandle, UINT, WPARAM, LPARAM)>;

    virtual ~OutputHost() = default;

    // Blocks (false) or restores (true) the windows' input; while blocked
    // every message goes to hook first.
    virtual void setInputEnable(bool enable, InputHook hook) = 0;
    // An empty message ends the progress display.
    virtual void setProgress(const std::wstring& message, const std::wstring& detail, float fraction) = 0;
    virtual void registerWaitHandle(Platform::WaitHandle handle, std::function<void()> callback) = 0;
    // The one-item popup at the pointer whose item runs command.
    virtual void showCancelMenu(const std::wstring& item, std::function<void()> command) = 0;
    virtual void showCompleteBalloon() = 0;
    // Starts the WAV file and returns; failures throw.
    virtual void playSound(const std::wstring& path) = 0;

    static OutputHost* current();
    // Null removes it.
    static void install(OutputHost* host);
};

}  // namespace Plugin
