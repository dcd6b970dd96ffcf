#pragma once
// The common base of every output writer: display name, save-dialog filter,
// information text, capability flags and the writer's settings section
// "Output." + name, whose "order" key and the writer's own keys are loaded
// at registration and written back when the writer is destroyed.
#include "core/file/Config.h"
#include "plugin/output/OutputFile.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace Plugin {

class OutputPlugin {
public:
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
    static std::wstring makeFilter(const wchar_t* description, const wchar_t* pattern);
    // Binds the writer's own keys; called by loadConfig before the load.
    virtual void loadSetting(const std::string&) {}
    // Settings held by the base so that they outlive the write-back.
    int* bindInt(const char* key, int defaultValue);
    std::wstring* bindString(const char* key, const std::wstring& defaultValue);

private:
    System::Config config_;
    std::deque<int> intValues_;
    std::deque<std::wstring> stringValues_;
    std::deque<System::Config::Int> ints_;
    std::deque<System::Config::String> strings_;
    std::unique_ptr<System::Config::Scope> scope_;
};

}  // namespace Plugin
