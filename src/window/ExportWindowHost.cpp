#include "window/ExportWindowHost.h"

#include "core/base/Singleton.h"
#include "plugin/output/OutputHost.h"
#include "platform/audio/SoundFile.h"
#include "window/InputBlock.h"
#include "window/OutputBalloon.h"
#include "window/PopupMenu.h"
#include "window/WindowService.h"

namespace Window {

namespace {

class ExportWindowHost final : public Plugin::OutputHost {
public:
    void setInputEnable(bool enable, InputHook hook) override {
        if (enable == inputEnable) return;
        inputEnable = enable;
        inputHook = std::move(hook);
    }
    void setProgress(const std::wstring& message, const std::wstring& detail, float fraction) override {
        if (WindowService* windows = service(); windows && windows->footer)
            windows->footer->setProgress(message.c_str(), message.empty() ? nullptr : detail.c_str(), fraction);
    }
    void registerWaitHandle(Platform::WaitHandle handle, std::function<void()> callback) override {
        if (WindowService* windows = service()) windows->registerWaitHandle(handle, std::move(callback));
    }
    void showCancelMenu(const std::wstring& item, std::function<void()> command) override {
        PopupMenu menu;
        menu.insertItem(item, std::move(command));
        menu.show();
    }
    void showCompleteBalloon() override { showOutputCompleteBalloon(); }
    void playSound(const std::wstring& path) override { Platform::Audio::playSoundFile(path); }

private:
    static WindowService* service() { return System::Singleton<WindowService>::getInstance(); }
};

}  // namespace

void installExportWindowHost() {
    static ExportWindowHost host;
    Plugin::OutputHost::install(&host);
}

}  // namespace Window
