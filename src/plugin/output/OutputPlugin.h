#pragma once
// The common base of every output writer: display name, save-dialog filter,
// information text, capability flags and the writer's settings section
// "Output." + name, whose "order" key and the writer's own keys are loaded
// at registration and written back when the writer is destroyed. A writer
// with settings adds a strip to its save dialog: a summary of what will be
// written and a button that opens its settings.
#include "core/event/DialogSeam.h"
#include "core/file/Config.h"
#include "plugin/output/OutputFile.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace Platform {
class SettingStrip;
}  // namespace Platform

namespace Plugin {

class OutputPlugin : public Dialog::FileDialogTemplate {
public:
    // Makes the frame source of a new export (resetting the preloaders).
    using SourceMaker = std::function<std::shared_ptr<OutputFrameSource>()>;

    enum Flags : std::uint32_t { Video = 1, Audio = 2, HasSetting = 4, StillImage = 8 };

    OutputPlugin();
    virtual ~OutputPlugin();
    OutputPlugin(const OutputPlugin&) = delete;
    OutputPlugin& operator=(const OutputPlugin&) = delete;

    // Called once by the output service after the writer joined its list.
    void loadConfig(int defaultOrder);

    // The export of the chosen path for the scene, fetching through source.
    virtual std::shared_ptr<OutputFile> makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                                       std::shared_ptr<OutputFrameSource> source) = 0;
    // The save dialog, then the export of the chosen path; empty when the
    // user cancelled. User-interface thread.
    virtual std::shared_ptr<OutputFile> createOutputFile(const OutputSceneInfo& scene, const SourceMaker& makeSource);

    // The save dialog's strip: the summary and setting text, the settings
    // button replacing it by the setting text alone.
    void procInit() override;
    void procDestroy() override;
    void procCommand(int controlId) override;
    // What the strip shows (empty while no dialog is open).
    const std::wstring& stripText() const { return stripText_; }

    static constexpr int settingButtonId = 1002;

    // Base: "not implement.".
    virtual void showSetting();
    // One line of the current settings. Base: the name.
    virtual std::wstring getSettingText();
    // "WxH / rate fps / rate khz / mm:ss.cc(selection) / " by the flags.
    std::wstring getSummaryText(const OutputSceneInfo& scene) const;

    std::wstring name;
    std::wstring fileFilter;  // description and pattern pairs, each NUL-ended, then a NUL
    std::wstring information;
    std::uint32_t flags = 0;
    std::string section;
    int order = 0;

protected:
    // The save dialog as every writer shows it: the filter, the name as
    // title, the strip when the writer has settings.
    bool selectSaveFile(std::wstring& path, const OutputSceneInfo& scene, bool defaultExtension,
                        unsigned extraFlags);
    static std::wstring makeFilter(const wchar_t* description, const wchar_t* pattern);
    // Binds the writer's own keys; called by loadConfig before the load.
    virtual void loadSetting(const std::string&) {}
    // Settings held by the base so that they outlive the write-back.
    int* bindInt(const char* key, int defaultValue);
    std::wstring* bindString(const char* key, const std::wstring& defaultValue);

private:
    void setStripText(std::wstring text);

    OutputSceneInfo dialogScene_;
    std::wstring stripText_;
    std::unique_ptr<Platform::SettingStrip> strip_;
    System::Config config_;
    std::deque<int> intValues_;
    std::deque<std::wstring> stringValues_;
    std::deque<System::Config::Int> ints_;
    std::deque<System::Config::String> strings_;
    std::unique_ptr<System::Config::Scope> scope_;
};

}  // namespace Plugin
