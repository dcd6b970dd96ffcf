// The AVI reader: any bytes either decline or open a file whose pictures
// and sound blocks read without touching memory outside their buffers.
#include "../ReaderFile.h"
#include "plugin/input/AviFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Plugin::AviFileReader reader;
    return FuzzSupport::runReader(reader, data, size, "avi", [](Plugin::InputFile& file) {
        if (file.flags & Plugin::InputFile::Video)
            for (int frame : {0, file.frameCount - 1, file.frameCount / 2, 1}) file.readVideo(frame);
        if (file.flags & Plugin::InputFile::Audio)
            for (int block : {0, 1, 0, 3}) file.readAudio(block);
    });
}
