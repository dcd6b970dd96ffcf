#include "plugin/input/AviFileReader.h"

#include "plugin/input/AviFileInput.h"
#include "plugin/input/FileFilter.h"

namespace Plugin {

AviFileReader::AviFileReader()
    : InputPlugin(L"AVI/AVI2 File Reader", FileFilter::make({{L"AviFile (*.avi)", L"*.avi"}}),
                  KindVideo | KindAudio) {}

std::shared_ptr<InputFile> AviFileReader::open(const wchar_t* path, int) {
    auto file = std::make_shared<AviFileInput>();
    if (!file->open(path)) return {};
    return file;
}

}  // namespace Plugin
