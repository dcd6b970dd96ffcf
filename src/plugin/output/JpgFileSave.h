#pragma once
// The JPEG writer: the scene's cursor frame as one picture at "quality".
#include "plugin/output/OutputPlugin.h"

namespace Plugin {

class JpgFileSave : public OutputPlugin {
public:
    JpgFileSave();
    std::shared_ptr<OutputFile> makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                               std::shared_ptr<OutputFrameSource> source) override;
    std::wstring getSettingText() override;
    void showSetting() override;

    int* quality = nullptr;
};

class JpgFileSaveFile : public OutputFile {
public:
    JpgFileSaveFile(const std::wstring& path, const OutputSceneInfo& scene, std::shared_ptr<OutputFrameSource> source,
                    int quality);
    bool save() override;

private:
    const int quality_;
};

}  // namespace Plugin
