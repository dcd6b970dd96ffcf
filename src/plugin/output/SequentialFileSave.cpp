#include "plugin/output/SequentialFileSave.h"

#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/translate/TranslateService.h"

#include <cmath>
#include <cwchar>
#include <filesystem>
#include "plugin/output/WriterSettingCalls.h"

namespace Plugin {

SequentialFileSave::SequentialFileSave() {
    name = L"連番ファイル出力";
    fileFilter = makeFilter(L"Imaeg File (*.png;*.jpg)", L"*.png;*.jpg");
    flags = Video | HasSetting;
    transparent = bindInt("transparent", 1);
    quality = bindInt("quality", 90);
}

std::wstring SequentialFileSave::getSettingText() {
    using Service = Translate::TranslateService;
    const auto dialog = [](const wchar_t* text) { return std::wstring(Service::translate(Service::Table::Dialog, text)); };
    return dialog(L"PNG透明色") + dialog(*transparent ? L"あり" : L"なし") + L" / " + dialog(L"JPEG品質") + L":" +
           std::to_wstring(*quality);
}

std::shared_ptr<OutputFile> SequentialFileSave::makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                                               std::shared_ptr<OutputFrameSource> source) {
    return std::make_shared<SequentialFileSaveFile>(path, scene, std::move(source), *transparent != 0, *quality);
}

std::shared_ptr<OutputFile> SequentialFileSave::createOutputFile(const OutputSceneInfo& scene,
                                                                 const SourceMaker& makeSource) {
    std::wstring path;
    for (;;) {
        // The images are asked about below, not by the dialog.
        if (!selectSaveFile(path, scene, false, 0)) return {};
        auto file = std::make_shared<SequentialFileSaveFile>(path, scene, makeSource(), *transparent != 0, *quality);
        switch (file->prepare()) {
        case SequentialFileSaveFile::Prepared::Ready:
            return file;
        case SequentialFileSaveFile::Prepared::UnsupportedExtension:
            Dialog::showWarning(L"対応していないファイル拡張子です");
            break;
        case SequentialFileSaveFile::Prepared::NamesExist:
            if (Dialog::showConfirm(L"同名のファイルが存在しています\n上書きしますか？")) return file;
            break;
        }
    }
}

SequentialFileSaveFile::SequentialFileSaveFile(const std::wstring& path_, const OutputSceneInfo& scene_,
                                               std::shared_ptr<OutputFrameSource> source, bool transparent,
                                               int quality)
    : OutputFile(path_, true, scene_, std::move(source)), transparent_(transparent), quality_(quality) {}

SequentialFileSaveFile::Prepared SequentialFileSaveFile::prepare() {
    const std::wstring kind = System::FileName::getExtension(path.c_str());
    if (kind == L"png") {
        imageKind = ImageKind::Png;
    } else if (kind == L"jpg") {
        imageKind = ImageKind::Jpeg;
    } else {
        return Prepared::UnsupportedExtension;
    }
    digits = frameCount > 0 ? int(std::log10(double(frameCount))) + 1 : 1;

    std::wstring expanded = path;
    System::FileName::expandVariable(expanded);
    // The extension check found the '.' inside the file name.
    const std::size_t dot = expanded.rfind(L'.');
    basePath = expanded.substr(0, dot);
    extension = expanded.substr(dot + 1);  // as typed

    for (int i = 0; i < frameCount; ++i)
        if (std::filesystem::exists(std::filesystem::path(frameName(i)))) return Prepared::NamesExist;
    return Prepared::Ready;
}

std::wstring SequentialFileSaveFile::frameName(int i) const {
    wchar_t number[32];
    std::swprintf(number, 32, L"%0*d.", digits, i);
    return basePath + number + extension;
}

bool SequentialFileSaveFile::save() {
    if (basePath.empty() && prepare() == Prepared::UnsupportedExtension) return false;
    progressTotal = static_cast<std::uint32_t>(std::max(frameCount, 0));
    for (int i = 0; i < frameCount && !cancel; ++i) {
        progressCurrent = static_cast<std::uint32_t>(i);
        if (!writeImageFrame(*this, startFrame + i, imageKind, transparent_, quality_, frameName(i))) return false;
    }
    return true;
}

void SequentialFileSave::showSetting() {
    const auto& open = writerSettingCalls().imageSaveSetting;
    if (!open) return OutputPlugin::showSetting();
    int chosenTransparent = *transparent != 0 ? 1 : 0;
    int chosenQuality = *quality;
    if (!open(name, fileDialogWindow, chosenTransparent, chosenQuality)) return;
    *transparent = chosenTransparent;
    *quality = chosenQuality;
}

}  // namespace Plugin
