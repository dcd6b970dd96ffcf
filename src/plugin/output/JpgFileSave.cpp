#include "plugin/output/JpgFileSave.h"

#include "core/translate/TranslateService.h"
#include "plugin/output/ImageFrameWriter.h"
#include "core/event/DialogSeam.h"

namespace Plugin {

JpgFileSave::JpgFileSave() {
    name = L"JPEGファイル出力";
    fileFilter = makeFilter(L"JPEG File (*.jpg;*.jpeg)", L"*.jpg;*.jpeg");
    flags = Video | HasSetting | StillImage;
    quality = bindInt("quality", 90);
}

std::wstring JpgFileSave::getSettingText() {
    using Service = Translate::TranslateService;
    return std::wstring(Service::translate(Service::Table::Dialog, L"JPEG品質")) + L":" + std::to_wstring(*quality);
}

std::shared_ptr<OutputFile> JpgFileSave::makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                                        std::shared_ptr<OutputFrameSource> source) {
    return std::make_shared<JpgFileSaveFile>(path, scene, std::move(source), *quality);
}

JpgFileSaveFile::JpgFileSaveFile(const std::wstring& path_, const OutputSceneInfo& scene_,
                                 std::shared_ptr<OutputFrameSource> source, int quality)
    : OutputFile(path_, false, scene_, std::move(source)), quality_(quality) {}

bool JpgFileSaveFile::save() {
    return writeImageFrame(*this, scene.cursorFrame, ImageKind::Jpeg, false, quality_, path);
}

void JpgFileSave::showSetting() {
    int value = *quality;
    if (Dialog::inputNumber(name, L"JPEG品質", value, 1, 100)) *quality = value;
}

}  // namespace Plugin
