// The AVI reader: any bytes either decline or open a file whose pictures
// and sound blocks read without touching memory outside their buffers.
#include "../ReaderFile.h"
#include "plugin/input/AviFileReader.h"
#include "plugin/input/InputFile.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring path = FuzzSupport::writeInput(data, size, "avi");
    Plugin::AviFileReader reader;
    const auto file = reader.open(path.c_str(), 0);
    if (!file) return 0;
    try {
        if (file->flags & Plugin::InputFile::Video)
            for (int frame : {0, file->frameCount - 1, file->frameCount / 2, 1}) file->readVideo(frame);
        if (file->flags & Plugin::InputFile::Audio)
            for (int block : {0, 1, 0, 3}) file->readAudio(block);
    } catch (const std::exception&) {
        // Read failures are the file's to report.
    }
    return 0;
}
