// The WAV reader: any bytes either decline or give sound blocks that read
// only what the file holds.
#include "../ReaderFile.h"
#include "plugin/input/WaveFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Plugin::WaveFileReader reader;
    return FuzzSupport::runReader(reader, data, size, "wav", [](Plugin::InputFile& file) {
        for (int block : {0, 1, 2, 0, 5}) file.readAudio(block);
    });
}
