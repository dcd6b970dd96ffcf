#include "platform/ffmpeg/CodecTags.h"

#include "platform/WinMediaTypes.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cstring>

namespace Platform::Ffmpeg {

namespace {

// KSDATAFORMAT_SUBTYPE_xxx: the WAVE tag in the first four bytes, then
// -0000-0010-8000-00AA00389B71.
constexpr std::uint8_t kWaveGuidTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                            0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

AVCodecID pcmCodec(std::uint32_t tag, int bits) {
    if (tag == WAVE_FORMAT_IEEE_FLOAT) {
        if (bits == 32) return AV_CODEC_ID_PCM_F32LE;
        if (bits == 64) return AV_CODEC_ID_PCM_F64LE;
        return AV_CODEC_ID_NONE;
    }
    switch (bits) {
        case 8: return AV_CODEC_ID_PCM_U8;
        case 16: return AV_CODEC_ID_PCM_S16LE;
        case 24: return AV_CODEC_ID_PCM_S24LE;
        case 32: return AV_CODEC_ID_PCM_S32LE;
        default: return AV_CODEC_ID_NONE;
    }
}

}  // namespace

AVCodecID videoCodecFromFourCC(std::uint32_t fourcc) {
    switch (fourcc) {
        case mmioFOURCC('U', 'T', 'V', 'D'): return AV_CODEC_ID_UTVIDEO;
        case mmioFOURCC('H', 'E', 'V', 'C'):
        case mmioFOURCC('h', 'e', 'v', 'c'): return AV_CODEC_ID_HEVC;
        default: break;
    }
    const AVCodecTag* const tables[] = {avformat_get_riff_video_tags(), nullptr};
    return av_codec_get_id(tables, fourcc);
}

std::uint32_t effectiveWaveTag(const void* format, std::uint32_t size) {
    if (!format || size < 14) return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(format);
    WORD tag;
    std::memcpy(&tag, bytes, sizeof tag);
    if (tag != WAVE_FORMAT_EXTENSIBLE) return tag;
    if (size < WAVEFORMATEXTENSIBLE_SIZE) return 0;
    const std::uint8_t* guid = bytes + WAVEFORMATEXTENSIBLE_SUBFORMAT_OFFSET;
    if (std::memcmp(guid + 4, kWaveGuidTail, sizeof kWaveGuidTail) != 0) return 0;
    std::uint32_t inner;
    std::memcpy(&inner, guid, sizeof inner);
    return inner;
}

AVCodecID audioCodecFromWaveFormat(const void* format, std::uint32_t size) {
    const std::uint32_t tag = effectiveWaveTag(format, size);
    if (tag == 0 || tag == WAVE_FORMAT_EXTENSIBLE) return AV_CODEC_ID_NONE;
    WORD bits = 0;
    if (size >= 16) std::memcpy(&bits, static_cast<const std::uint8_t*>(format) + 14, sizeof bits);
    if (tag == WAVE_FORMAT_PCM || tag == WAVE_FORMAT_IEEE_FLOAT) return pcmCodec(tag, bits);
    const AVCodecTag* const tables[] = {avformat_get_riff_audio_tags(), nullptr};
    return av_codec_get_id(tables, tag);
}

}  // namespace Platform::Ffmpeg
