#pragma once
// The numbered-sequence writer: every frame of the export range as its own
// PNG or JPEG file, named by the chosen path with the frame's zero-padded
// number (as many digits as the frame count has) before the extension.
#include "plugin/output/ImageFrameWriter.h"
#include "plugin/output/OutputPlugin.h"

namespace Plugin {

class SequentialFileSave : public OutputPlugin {
public:
    SequentialFileSave();
    // Asks again until the path has a known extension and, when frames'
    // names are taken, the user agreed to replace them.
    std::shared_ptr<OutputFile> createOutputFile(const OutputSceneInfo& scene, const SourceMaker& makeSource) override;
    std::shared_ptr<OutputFile> makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                               std::shared_ptr<OutputFrameSource> source) override;
    std::wstring getSettingText() override;
    void showSetting() override;

    int* transparent = nullptr;
    int* quality = nullptr;
};

class SequentialFileSaveFile : public OutputFile {
public:
    SequentialFileSaveFile(const std::wstring& path, const OutputSceneInfo& scene,
                           std::shared_ptr<OutputFrameSource> source, bool transparent, int quality);

    enum class Prepared { Ready, UnsupportedExtension, NamesExist };
    // Works out the names; UnsupportedExtension unless the path ends in
    // .png or .jpg (any case), NamesExist when a frame's name is taken (the
    // caller asks before overwriting).
    Prepared prepare();
    // The name of frame i of the range (0 for the first).
    std::wstring frameName(int i) const;
    // Stops at the first frame without a picture (false); images written
    // so far stay.
    bool save() override;

    ImageKind imageKind = ImageKind::Png;
    std::wstring basePath;
    std::wstring extension;
    int digits = 1;

private:
    const bool transparent_;
    const int quality_;
};

}  // namespace Plugin
