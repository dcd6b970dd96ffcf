// The WAV reader: any bytes either decline or give sound blocks that read
// only what the file holds.
#include "../ReaderFile.h"
#include "plugin/input/InputFile.h"
#include "plugin/input/WaveFileReader.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring path = FuzzSupport::writeInput(data, size, "wav");
    Plugin::WaveFileReader reader;
    const auto file = reader.open(path.c_str(), 0);
    if (!file) return 0;
    try {
        for (int block : {0, 1, 2, 0, 5}) file->readAudio(block);
    } catch (const std::exception&) {
        // Read failures are the file's to report.
    }
    return 0;
}
