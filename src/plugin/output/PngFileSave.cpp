#include "plugin/output/PngFileSave.h"

#include "core/translate/TranslateService.h"
#include "plugin/output/ImageFrameWriter.h"
#include "plugin/output/WriterSettingCalls.h"

namespace Plugin {

PngFileSave::PngFileSave() {
    name = L"PNGファイル出力";
    fileFilter = makeFilter(L"PNG File (*.png)", L"*.png");
    flags = Video | HasSetting | StillImage;
    transparent = bindInt("transparent", 1);
}

std::wstring PngFileSave::getSettingText() {
    return Translate::TranslateService::translateMenu(*transparent ? L"PNGファイル(透過付き)" : L"PNGファイル(透過無し)");
}

std::shared_ptr<OutputFile> PngFileSave::makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                                        std::shared_ptr<OutputFrameSource> source) {
    return std::make_shared<PngFileSaveFile>(path, scene, std::move(source), *transparent != 0);
}

PngFileSaveFile::PngFileSaveFile(const std::wstring& path_, const OutputSceneInfo& scene_,
                                 std::shared_ptr<OutputFrameSource> source, bool transparent)
    : OutputFile(path_, false, scene_, std::move(source)), transparent_(transparent) {}

bool PngFileSaveFile::save() {
    return writeImageFrame(*this, scene.cursorFrame, ImageKind::Png, transparent_, 0, path);
}

void PngFileSave::showSetting() {
    const auto& choose = writerSettingCalls().pngTransparency;
    if (!choose) return OutputPlugin::showSetting();
    choose(*transparent);
}

}  // namespace Plugin
