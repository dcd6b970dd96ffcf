#pragma once
// The AVI writer: "VideoType" and "AudioType" of its section choose the
// pixel and sample forms of its uncompressed exports.
#include "plugin/output/OutputPlugin.h"

namespace Plugin {

class AviFileSave : public OutputPlugin {
public:
    AviFileSave();

    std::shared_ptr<OutputFile> makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                               std::shared_ptr<OutputFrameSource> source) override;
    std::wstring getSettingText() override;
    // The format dialog over the save dialog; OK stores the chosen forms,
    // which the next export writes.
    void showSetting() override;

    // Whole-text, case-sensitive; anything unknown is RGB24bit (88) and
    // PCM16bit (1).
    static int videoFormatOf(const std::wstring& videoType);
    static std::uint32_t audioFormatTagOf(const std::wstring& audioType);

    std::wstring* videoType = nullptr;
    std::wstring* audioType = nullptr;

protected:
    void loadSetting(const std::string& section) override;
};

}  // namespace Plugin
