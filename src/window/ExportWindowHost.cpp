#include "window/ExportWindowHost.h"

#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "plugin/output/OutputHost.h"
#include "platform/audio/SoundFile.h"
#include "window/InputBlock.h"
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
    // The popup menu framework is not there yet: the item's question comes
    // straight away.
    void showCancelMenu(const std::wstring&, std::function<void()> command) override {
        if (command) command();
    }
    void showCompleteBalloon() override {
        System::Log::info("Window::showOutputCompleteBalloon", "export complete");
    }
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
