#include "media/codec/AudioDecompressor.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "platform/FaultGuard.h"
#include "platform/ffmpeg/CodecTags.h"

#include <algorithm>
#include <cstring>

namespace Media {

namespace {

constexpr const char* kDecodePlace = "Media::AudioDecompressor::decode";
constexpr int kMmsyserrError = 1;   // MMSYSERR_ERROR
constexpr int kMmsyserrNoMem = 7;   // MMSYSERR_NOMEM

[[noreturn]] void convertFailed(int mmresult) {
    throw System::makeExceptionFormat(kDecodePlace, "acmStreamConvert failed.", L"MMRESULT = %d", mmresult);
}

int mmresultOf(int averror) { return averror == AVERROR(ENOMEM) ? kMmsyserrNoMem : kMmsyserrError; }

const WAVEFORMATEX& formatOf(const System::DataBuffer& buffer) {
    return *buffer.as<const WAVEFORMATEX>();
}

// What real sound files hold: up to 64 channels (as many as the resampler
// mixes), 1 kHz to 768 kHz, and at most 64 channels at 192 kHz in all. A
// header beyond that is damage and would ask for gigabytes of buffers.
constexpr unsigned kMaxChannels = 64;
constexpr std::uint32_t kMinRate = 1000;
constexpr std::uint32_t kMaxRate = 768000;
constexpr std::uint64_t kMaxSamplesPerSecond = 64ull * 192000;

bool isPlayable(unsigned channels, std::uint32_t rate) {
    return channels >= 1 && channels <= kMaxChannels && rate >= kMinRate && rate <= kMaxRate &&
           std::uint64_t{channels} * rate <= kMaxSamplesPerSecond;
}

}  // namespace

bool AudioDecompressor::initialize() {
    // A WAVEFORMAT without the cbSize field is 16 bytes.
    if (sourceFormat.size < 16) return false;
    WAVEFORMATEX source{};
    std::memcpy(&source, sourceFormat.data, std::min<std::uint32_t>(sourceFormat.size, sizeof source));
    outputFormat = {};
    outputFormat.wFormatTag = WAVE_FORMAT_PCM;
    outputFormat.nChannels = source.nChannels;
    outputFormat.nSamplesPerSec = source.nSamplesPerSec;
    outputFormat.wBitsPerSample = 16;
    // Within the playable limits these sizes never wrap; open refuses the rest.
    outputFormat.nBlockAlign = static_cast<WORD>(source.nChannels * 2u);
    outputFormat.nAvgBytesPerSec = static_cast<DWORD>(std::uint64_t{outputFormat.nBlockAlign} * source.nSamplesPerSec);
    outputFormat.cbSize = 0;
    return open();
}

bool AudioDecompressor::open() {
    const std::uint32_t tag = Platform::Ffmpeg::effectiveWaveTag(sourceFormat.data, sourceFormat.size);
    WORD ownTag = 0;
    std::memcpy(&ownTag, sourceFormat.data, sizeof ownTag);
    // Plain PCM and float never need a codec; the extensible form may.
    if (ownTag == WAVE_FORMAT_PCM || ownTag == WAVE_FORMAT_IEEE_FLOAT) return false;
    codecId_ = Platform::Ffmpeg::audioCodecFromWaveFormat(sourceFormat.data, sourceFormat.size);
    if (codecId_ == AV_CODEC_ID_NONE) return false;
    WAVEFORMATEX source{};
    std::memcpy(&source, sourceFormat.data, std::min<std::uint32_t>(sourceFormat.size, sizeof source));
    if (!isPlayable(source.nChannels, source.nSamplesPerSec) ||
        !isPlayable(outputFormat.nChannels, outputFormat.nSamplesPerSec))
        return false;
    const std::uint64_t room = 2ull * outputFormat.nAvgBytesPerSec;
    if (room == 0 || room > 0x7FFFFFFF) return false;

    // The codec data follows the header (and the extensible fields).
    std::size_t dataOffset = sizeof(WAVEFORMATEX);
    std::size_t dataSize = sourceFormat.size >= sizeof(WAVEFORMATEX) ? source.cbSize : 0;
    if (ownTag == WAVE_FORMAT_EXTENSIBLE) {
        dataOffset = WAVEFORMATEXTENSIBLE_SIZE;
        dataSize = dataSize >= 22 ? dataSize - 22 : 0;
    }
    dataSize = std::min<std::size_t>(dataSize, sourceFormat.size > dataOffset ? sourceFormat.size - dataOffset : 0);

    // The parser reads past the held bytes: zeroed padding follows them.
    sourceBuffer.allocMemory(static_cast<std::uint32_t>(room) + AV_INPUT_BUFFER_PADDING_SIZE);
    sourceBuffer.allocMemory(static_cast<std::uint32_t>(room));
    destinationBuffer.allocMemory(static_cast<std::uint32_t>(room));
    codec_ = Platform::FaultGuard::invoke(
        [&] {
            return Platform::Ffmpeg::openDecoder(codecId_, sourceFormat.data + dataOffset, dataSize,
                                                 [&](AVCodecContext& c) {
                                                     c.sample_rate = static_cast<int>(source.nSamplesPerSec);
                                                     av_channel_layout_default(&c.ch_layout, source.nChannels);
                                                     c.block_align = source.nBlockAlign;
                                                     c.bit_rate = std::int64_t{source.nAvgBytesPerSec} * 8;
                                                     c.bits_per_coded_sample = source.wBitsPerSample;
                                                     c.codec_tag = tag;
                                                 });
        },
        "acmStreamOpen", "Media::AudioDecompressor::open");
    if (!codec_) return false;
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (!frame_ || !packet_) {
        codec_.reset();
        return false;
    }
    // Raw AAC carries its configuration as codec data and one frame per
    // chunk; framed streams (MP3, ADTS AAC, AC-3 ...) are cut by a parser;
    // block codecs (ADPCM ...) take whole blocks.
    const bool rawFrames = (codecId_ == AV_CODEC_ID_AAC && dataSize > 0) || codecId_ == AV_CODEC_ID_VORBIS ||
                           codecId_ == AV_CODEC_ID_OPUS;
    parser_.reset(rawFrames ? nullptr : av_parser_init(codecId_));
    feed_ = parser_ ? Feed::Parser : !rawFrames && source.nBlockAlign > 1 ? Feed::Blocks : Feed::Whole;

    header = {};
    header.pbSrc = sourceBuffer.data;
    header.cbSrcLength = 0;
    header.pbDst = destinationBuffer.data;
    header.cbDstLength = destinationBuffer.size;
    prepared = true;
    remaining = 0;
    return true;
}

void AudioDecompressor::insertSourceData(const void* bytes, std::uint32_t size) {
    if (std::uint64_t{header.cbSrcLength} + size > sourceBuffer.size)
        throw System::makeException("Media::AudioDecompressor::insertSourceData", "not enough source buffer.");
    if (size) std::memcpy(sourceBuffer.data + header.cbSrcLength, bytes, size);
    header.cbSrcLength += size;
}

void AudioDecompressor::decode() {
    if (!prepared) return;
    header.cbSrcLengthUsed = 0;
    header.cbDstLengthUsed = 0;
    remaining = 0;
    Platform::FaultGuard::invoke(
        [this] {
            const std::uint8_t* src = sourceBuffer.data;
            const DWORD length = header.cbSrcLength;
            std::memset(sourceBuffer.data + length, 0, AV_INPUT_BUFFER_PADDING_SIZE);
            switch (feed_) {
                case Feed::Parser: {
                    DWORD offset = 0;
                    while (offset < length) {
                        std::uint8_t* out = nullptr;
                        int outSize = 0;
                        const int used = av_parser_parse2(parser_.get(), codec_.get(), &out, &outSize, src + offset,
                                                          static_cast<int>(length - offset), AV_NOPTS_VALUE,
                                                          AV_NOPTS_VALUE, 0);
                        if (used < 0 || (used == 0 && outSize == 0)) break;
                        offset += static_cast<DWORD>(used);
                        if (outSize > 0) decodePacket(out, outSize);
                    }
                    // A partial frame waits inside the parser for the next chunk.
                    header.cbSrcLengthUsed = length;
                    break;
                }
                case Feed::Blocks: {
                    const WORD align = formatOf(sourceFormat).nBlockAlign;
                    DWORD offset = 0;
                    for (; offset + align <= length; offset += align) decodePacket(src + offset, align);
                    header.cbSrcLengthUsed = offset;
                    break;
                }
                case Feed::Whole:
                    if (length) decodePacket(src, static_cast<int>(length));
                    header.cbSrcLengthUsed = length;
                    break;
            }
        },
        "acmStreamConvert", kDecodePlace);
    remaining = static_cast<int>(header.cbDstLengthUsed);
    const DWORD left = header.cbSrcLength - header.cbSrcLengthUsed;
    if (left) std::memmove(sourceBuffer.data, sourceBuffer.data + header.cbSrcLengthUsed, left);
    header.cbSrcLength = left;
}

void AudioDecompressor::decodePacket(const std::uint8_t* data, int size) {
    packet_->data = const_cast<std::uint8_t*>(data);
    packet_->size = size;
    int result = avcodec_send_packet(codec_.get(), packet_.get());
    if (result == AVERROR(EAGAIN)) {
        receiveFrames();
        result = avcodec_send_packet(codec_.get(), packet_.get());
    }
    packet_->data = nullptr;
    packet_->size = 0;
    if (result == AVERROR(ENOMEM)) convertFailed(mmresultOf(result));
    // A damaged frame is skipped, as a codec conceals it: the rest plays on.
    if (result < 0)
        System::Log::verbose(kDecodePlace, "frame skipped: %s", Platform::Ffmpeg::errorText(result).c_str());
    receiveFrames();
}

void AudioDecompressor::receiveFrames() {
    for (;;) {
        const int result = avcodec_receive_frame(codec_.get(), frame_.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
        if (result == AVERROR(ENOMEM)) convertFailed(mmresultOf(result));
        if (result < 0) {
            System::Log::verbose(kDecodePlace, "frame skipped: %s", Platform::Ffmpeg::errorText(result).c_str());
            continue;
        }
        appendOutput(*frame_);
        av_frame_unref(frame_.get());
    }
}

void AudioDecompressor::appendOutput(const AVFrame& frame) {
    if (frame.nb_samples <= 0) return;
    AVChannelLayout inLayout{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame.ch_layout.nb_channels == 0)
        av_channel_layout_default(&inLayout, frame.ch_layout.nb_channels ? frame.ch_layout.nb_channels
                                                                         : outputFormat.nChannels);
    else
        av_channel_layout_copy(&inLayout, &frame.ch_layout);

    if (!resample_ || resampleRate_ != frame.sample_rate || resampleFormat_ != frame.format ||
        av_channel_layout_compare(&resampleLayout_, &inLayout) != 0) {
        AVChannelLayout outLayout{};
        av_channel_layout_default(&outLayout, outputFormat.nChannels);
        SwrContext* swr = nullptr;
        const int made = swr_alloc_set_opts2(&swr, &outLayout, AV_SAMPLE_FMT_S16,
                                             static_cast<int>(outputFormat.nSamplesPerSec), &inLayout,
                                             static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
        av_channel_layout_uninit(&outLayout);
        resample_.reset(swr);
        if (made < 0 || swr_init(swr) < 0) {
            resample_.reset();
            av_channel_layout_uninit(&inLayout);
            convertFailed(kMmsyserrError);
        }
        resampleRate_ = frame.sample_rate;
        resampleFormat_ = frame.format;
        av_channel_layout_uninit(&resampleLayout_);
        av_channel_layout_copy(&resampleLayout_, &inLayout);
    }
    av_channel_layout_uninit(&inLayout);

    const int capacity = swr_get_out_samples(resample_.get(), frame.nb_samples);
    if (capacity <= 0) return;
    const std::uint32_t align = outputFormat.nBlockAlign;
    const std::uint64_t needed = header.cbDstLengthUsed + std::uint64_t(capacity) * align;
    if (needed > destinationBuffer.size) {
        // More than two seconds from one conversion: grow, keeping what is there.
        if (needed > 0x7FFFFFFF) convertFailed(kMmsyserrNoMem);
        System::DataBuffer larger;
        larger.allocMemory(static_cast<std::uint32_t>(std::max<std::uint64_t>(needed, 2ull * destinationBuffer.size)));
        if (header.cbDstLengthUsed) std::memcpy(larger.data, destinationBuffer.data, header.cbDstLengthUsed);
        destinationBuffer = std::move(larger);
        header.pbDst = destinationBuffer.data;
        header.cbDstLength = destinationBuffer.size;
    }
    std::uint8_t* out = destinationBuffer.data + header.cbDstLengthUsed;
    const int converted = swr_convert(resample_.get(), &out, capacity,
                                      const_cast<const std::uint8_t**>(frame.extended_data), frame.nb_samples);
    if (converted < 0) convertFailed(mmresultOf(converted));
    header.cbDstLengthUsed += static_cast<DWORD>(converted) * align;
}

void AudioDecompressor::resetCodec() {
    if (!codec_) return;
    avcodec_flush_buffers(codec_.get());
    if (parser_) parser_.reset(av_parser_init(codecId_));
    resample_.reset();
}

void AudioDecompressor::clearSource() {
    header.cbSrcLength = 0;
    header.cbSrcLengthUsed = 0;
    remaining = 0;
    resetCodec();
}

void AudioDecompressor::close() {
    prepared = false;
    resample_.reset();
    parser_.reset();
    codec_.reset();
    frame_.reset();
    packet_.reset();
    av_channel_layout_uninit(&resampleLayout_);
    resampleRate_ = 0;
    resampleFormat_ = -1;
    codecId_ = AV_CODEC_ID_NONE;
    sourceFormat.freeMemory();
    sourceBuffer.freeMemory();
    destinationBuffer.freeMemory();
    header = {};
    remaining = 0;
}

}  // namespace Media
