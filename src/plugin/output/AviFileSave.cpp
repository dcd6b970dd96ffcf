#include "plugin/output/AviFileSave.h"

#include "plugin/output/AviFileSaveFile.h"
#include "plugin/output/WriterSettingCalls.h"

namespace Plugin {

AviFileSave::AviFileSave() {
    name = L"AVIファイル出力";
    fileFilter = makeFilter(L"AVI File (*.avi)", L"*.avi");
    flags = Video | Audio | HasSetting;
    // Bound here too so that a writer used before registration has values.
    videoType = bindString("VideoType", L"RGB24bit");
    audioType = bindString("AudioType", L"PCM16bit");
}

void AviFileSave::loadSetting(const std::string&) {}

int AviFileSave::videoFormatOf(const std::wstring& type) {
    if (type == L"RGBA32bit") return 87;
    if (type == L"YUY2") return 107;
    if (type == L"RGBA64bit(PA64)") return 11;
    if (type == L"RGBA64bit(HF64)") return 10;
    return 88;
}

std::uint32_t AviFileSave::audioFormatTagOf(const std::wstring& type) { return type == L"PCM(float)32bit" ? 3 : 1; }

void AviFileSave::showSetting() {
    const auto& open = writerSettingCalls().aviFormat;
    if (!open) return OutputPlugin::showSetting();
    std::wstring video = *videoType;
    std::wstring audio = *audioType;
    if (!open(name, fileDialogWindow, video, audio)) return;
    *videoType = video;
    *audioType = audio;
}

std::wstring AviFileSave::getSettingText() { return L"Video: " + *videoType + L" / Audio: " + *audioType; }

std::shared_ptr<OutputFile> AviFileSave::makeOutputFile(const std::wstring& path, const OutputSceneInfo& scene,
                                                        std::shared_ptr<OutputFrameSource> source) {
    return std::make_shared<AviFileSaveFile>(path, scene, std::move(source), videoFormatOf(*videoType),
                                             audioFormatTagOf(*audioType));
}

}  // namespace Plugin
