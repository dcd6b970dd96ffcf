// The audio decompressor: a stream format and chunks of any bytes decode to
// 16-bit PCM or raise the decoder's error. Input: a 16-bit little-endian
// format size and the WAVEFORMATEX bytes, then chunks, each a 16-bit size
// (its top bit: drop what is pending first, as after a jump) and the bytes.
#include "media/codec/AudioDecompressor.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace {

bool take16(const uint8_t*& data, size_t& size, std::uint16_t& value) {
    if (size < 2) return false;
    value = static_cast<std::uint16_t>(data[0] | data[1] << 8);
    data += 2;
    size -= 2;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::uint16_t formatSize = 0;
    if (!take16(data, size, formatSize) || formatSize > size) return 0;
    Media::AudioDecompressor decoder;
    decoder.sourceFormat.allocMemory(formatSize);
    if (formatSize) std::memcpy(decoder.sourceFormat.data, data, formatSize);
    data += formatSize;
    size -= formatSize;
    if (!decoder.initialize()) return 0;
    std::uint16_t header = 0;
    while (take16(data, size, header)) {
        const std::uint32_t length = std::min<std::uint32_t>(header & 0x7FFF, static_cast<std::uint32_t>(size));
        if (header & 0x8000) decoder.clearSource();
        if (length <= decoder.sourceRoom()) {
            decoder.insertSourceData(data, length);
            try {
                decoder.decode();
            } catch (const std::exception&) {
            }
            if (decoder.header.cbDstLengthUsed > decoder.destinationBuffer.size ||
                decoder.remaining != static_cast<int>(decoder.header.cbDstLengthUsed))
                std::abort();
        }
        data += length;
        size -= length;
    }
    return 0;
}
