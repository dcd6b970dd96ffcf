#pragma once
// The PNG writer: the scene's cursor frame as one picture, with alpha when
// "transparent" is set.
#include "plugin/output/OutputPlugin.h"

namespace Plugin {

class PngFileSave : public OutputPlugin {
public:
    PngFileSave();
    std::shared_ptr<OutputFile> makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                               std::shared_ptr<OutputFrameSource> source) override;
    std::wstring getSettingText() override;
    void showSetting() override;

    int* transparent = nullptr;
};

class PngFileSaveFile : public OutputFile {
public:
    PngFileSaveFile(const std::wstring& path, const OutputSceneInfo& scene, std::shared_ptr<OutputFrameSource> source,
                    bool transparent);
    bool save() override;

private:
    const bool transparent_;
};

}  // namespace Plugin
