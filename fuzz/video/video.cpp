// The video decompressor: a stream format and packets of any bytes decode
// to the chosen bitmap or are refused. Input: one byte choosing the output
// (YUY2, RGB 32, RGB 24, or the reader's order), the stream's 32-bit
// handler, a 16-bit format size and the BITMAPINFOHEADER (+ codec data),
// then packets, each a 16-bit size (its top bit: not a key frame) and the
// bytes. Packets after the current one are lent as the reader lends them.
#include "media/codec/VideoDecompressor.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr FOURCC kYuy2 = mmioFOURCC('Y', 'U', 'Y', '2');
// Larger pictures only make each run slower.
constexpr std::int64_t kMaxPixels = 1 << 20;

struct Packet {
    const uint8_t* bytes;
    std::uint32_t size;
    bool notKey;
};

bool take(const uint8_t*& data, size_t& size, void* value, size_t bytes) {
    if (size < bytes) return false;
    std::memcpy(value, data, bytes);
    data += bytes;
    size -= bytes;
    return true;
}

bool begin(Media::VideoDecompressor& decoder, std::uint8_t choice) {
    switch (choice % 4) {
        case 0: return decoder.begin(kYuy2, 16);
        case 1: return decoder.begin(BI_RGB, 32);
        case 2: return decoder.begin(BI_RGB, 24);
        default: return decoder.begin(kYuy2, 16) || decoder.begin(BI_RGB, 32) || decoder.begin(BI_RGB, 24);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::uint8_t output = 0;
    std::uint32_t handler = 0;
    std::uint16_t formatSize = 0;
    if (!take(data, size, &output, 1) || !take(data, size, &handler, 4) || !take(data, size, &formatSize, 2) ||
        formatSize > size || formatSize < sizeof(BITMAPINFOHEADER))
        return 0;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    if (std::int64_t{header.biWidth} * std::abs(std::int64_t{header.biHeight}) > kMaxPixels) return 0;
    Media::VideoDecompressor decoder;
    decoder.sourceFormat.allocMemory(formatSize);
    std::memcpy(decoder.sourceFormat.data, data, formatSize);
    data += formatSize;
    size -= formatSize;
    if (!decoder.open(handler) || !begin(decoder, output)) return 0;

    std::vector<Packet> packets;
    std::uint16_t packetHeader = 0;
    while (take(data, size, &packetHeader, 2)) {
        const std::uint32_t length = std::min<std::uint32_t>(packetHeader & 0x7FFF, static_cast<std::uint32_t>(size));
        packets.push_back({data, length, (packetHeader & 0x8000) != 0});
        data += length;
        size -= length;
    }
    std::size_t current = 0;
    decoder.setPacketSource([&](std::uint32_t ahead, System::DataBuffer& bytes, bool& notKey) {
        const std::size_t n = current + ahead;
        if (n >= packets.size()) return false;
        bytes.allocMemory(packets[n].size);
        if (packets[n].size) std::memcpy(bytes.data, packets[n].bytes, packets[n].size);
        notKey = packets[n].notKey;
        return true;
    });
    for (current = 0; current < packets.size(); ++current) {
        const Packet& packet = packets[current];
        if (decoder.decode(packet.bytes, packet.size, packet.notKey) &&
            decoder.outputPixels.size < decoder.outputFormat.biSizeImage)
            std::abort();
    }
    return 0;
}
