// The built-in TGA decoder: any bytes either decline or give a picture
// read only from the file's pixel data.
#include "../ReaderFile.h"
#include "plugin/input/ImageFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Plugin::ImageFileReader reader;
    return FuzzSupport::runReader(reader, data, size, "tga", [](Plugin::InputFile& file) { file.readVideo(0); });
}
