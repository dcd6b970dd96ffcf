// The built-in BMP decoder: any bytes either decline or give a picture
// read only from the file's pixel data.
#include "../ReaderFile.h"
#include "plugin/input/ImageFileReader.h"
#include "plugin/input/InputFile.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring path = FuzzSupport::writeInput(data, size, "bmp");
    Plugin::ImageFileReader reader;
    const auto file = reader.open(path.c_str(), 0);
    if (!file) return 0;
    try {
        file->readVideo(0);
    } catch (const std::exception&) {
        // Read failures are the file's to report.
    }
    return 0;
}
