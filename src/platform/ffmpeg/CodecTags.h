#pragma once
// Which libavcodec decoder serves a stream of an AVI or WAV file: picked by
// the stream's FourCC or WAVE format tag over the RIFF tag tables, with a
// few aliases of our own.
// FFmpeg's headers need the C99 constant macros, which <cstdint> brings.
#include <cstdint>

extern "C" {
#include <libavcodec/codec_id.h>
}

namespace Platform::Ffmpeg {

// AV_CODEC_ID_NONE when no decoder is known for the FourCC.
AVCodecID videoCodecFromFourCC(std::uint32_t fourcc);

// The decoder of a WAVEFORMATEX (`format` points at `size` bytes): the
// extensible tag is resolved through its SubFormat GUID, and integer or
// float PCM is chosen by bits per sample. AV_CODEC_ID_NONE when unknown.
AVCodecID audioCodecFromWaveFormat(const void* format, std::uint32_t size);

// The WAVE tag a format stands for: its own, or for the extensible form the
// tag inside its SubFormat GUID (0 when that GUID is not a WAVE tag).
std::uint32_t effectiveWaveTag(const void* format, std::uint32_t size);

}  // namespace Platform::Ffmpeg
