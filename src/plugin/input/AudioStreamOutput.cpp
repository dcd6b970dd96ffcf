#include "plugin/input/AudioStreamOutput.h"

#include "core/base/Exception.h"
#include "plugin/input/InputFile.h"

#include <algorithm>
#include <cstring>

namespace Plugin::AudioStreamOutput {

namespace {
// One second of delivered sound larger than this is refused rather than
// allocated (8 channels of 32-bit float at 2 MHz fit).
constexpr std::uint64_t kMaxSecondBytes = 64u << 20;
}

bool setup(InputFile& file, Media::AudioDecompressor& decoder, bool& decoding) {
    decoding = false;
    // A WAVEFORMAT without cbSize is 16 bytes.
    if (decoder.sourceFormat.size < 16) return false;
    WAVEFORMATEX source{};
    std::memcpy(&source, decoder.sourceFormat.data, std::min<std::size_t>(decoder.sourceFormat.size, sizeof source));
    if (source.nChannels == 0 || source.nSamplesPerSec == 0) return false;
    WAVEFORMATEX output = source;
    if (source.wFormatTag != WAVE_FORMAT_PCM && source.wFormatTag != WAVE_FORMAT_IEEE_FLOAT) {
        // The decoder's buffers are sized from its 16-bit output.
        if (std::uint64_t{source.nChannels} * 2 * source.nSamplesPerSec > kMaxSecondBytes) return false;
        if (!decoder.initialize()) return false;
        output = decoder.outputFormat;
        decoding = true;
    }
    if (output.wFormatTag == WAVE_FORMAT_PCM && (output.wBitsPerSample == 16 || output.wBitsPerSample == 24)) {
        file.audioFormat = 1;
    } else if (output.wFormatTag == WAVE_FORMAT_IEEE_FLOAT && output.wBitsPerSample == 32) {
        file.audioFormat = 3;
    } else {
        decoder.close();
        decoding = false;
        return false;
    }
    if (std::uint64_t{output.wBitsPerSample} / 8 * output.nChannels * output.nSamplesPerSec > kMaxSecondBytes ||
        output.nSamplesPerSec > 0x7FFFFFFFu) {
        decoder.close();
        decoding = false;
        return false;
    }
    file.bitsPerSample = output.wBitsPerSample;
    file.channels = output.nChannels;
    file.sampleRate = static_cast<int>(output.nSamplesPerSec);
    return true;
}

Media::AudioFormat blockFormat(const InputFile& file) {
    return {static_cast<std::uint32_t>(file.audioFormat), file.sampleRate,
            static_cast<std::uint32_t>(file.bitsPerSample), file.channels};
}

void feed(System::File& file, std::uint64_t position, std::uint64_t size, Media::AudioDecompressor& decoder) {
    if (size > decoder.sourceRoom())
        throw System::makeException("Media::AudioDecompressor::insertSourceData", "not enough source buffer.");
    if (size == 0) return;
    file.seek(static_cast<std::int64_t>(position));
    file.readBlock(decoder.sourceBuffer.data + decoder.header.cbSrcLength, static_cast<DWORD>(size));
    decoder.header.cbSrcLength += static_cast<DWORD>(size);
}

std::uint32_t take(Media::AudioDecompressor& decoder, std::uint8_t* out, std::uint32_t room) {
    if (decoder.remaining <= 0 || room == 0) return 0;
    const auto left = static_cast<std::uint32_t>(decoder.remaining);
    const std::uint32_t count = std::min(left, room);
    std::memcpy(out, decoder.destinationBuffer.data + (decoder.header.cbDstLengthUsed - left), count);
    decoder.remaining -= static_cast<int>(count);
    return count;
}

}  // namespace Plugin::AudioStreamOutput
