#pragma once
// Decodes a compressed sound stream of an AVI or WAV file into 16-bit PCM
// with the source's channels and rate. The reader puts compressed bytes
// after the pending ones in the source buffer and calls decode; the decoded
// bytes are then destination buffer [0, cbDstLengthUsed), of which the last
// `remaining` are still to be taken. One reader thread uses it at a time.
#include "core/base/DataBuffer.h"
#include "platform/WinMediaTypes.h"
#include "platform/ffmpeg/Decoder.h"

#include <cstdint>

namespace Media {

class AudioDecompressor {
public:
    // The fields of the conversion header that the readers use.
    struct StreamHeader {
        DWORD cbStruct = 124;
        std::uint8_t* pbSrc = nullptr;
        DWORD cbSrcLength = 0;      // source bytes held
        DWORD cbSrcLengthUsed = 0;  // consumed by the last decode
        std::uint8_t* pbDst = nullptr;
        DWORD cbDstLength = 0;
        DWORD cbDstLengthUsed = 0;  // produced by the last decode
    };

    AudioDecompressor() = default;
    ~AudioDecompressor() { close(); }
    AudioDecompressor(const AudioDecompressor&) = delete;
    AudioDecompressor& operator=(const AudioDecompressor&) = delete;

    // False without a source format or when no codec decodes it.
    bool initialize();
    bool open();
    // Raises "not enough source buffer." when the bytes do not fit.
    void insertSourceData(const void* bytes, std::uint32_t size);
    // Converts the held source bytes; whole frames are decoded, a partial
    // frame waits for the next chunk.
    void decode();
    // Drops the pending source bytes and the codec's state (a jump in the
    // stream): the next chunk starts afresh.
    void clearSource();
    void close();

    // Bytes the source buffer can still take.
    std::uint32_t sourceRoom() const { return sourceBuffer.size - header.cbSrcLength; }

    System::DataBuffer sourceFormat;  // the stream's WAVEFORMATEX (+ codec data)
    WAVEFORMATEX outputFormat{};
    StreamHeader header;
    bool prepared = false;
    System::DataBuffer sourceBuffer;
    System::DataBuffer destinationBuffer;
    int remaining = 0;

private:
    enum class Feed { Parser, Blocks, Whole };

    void decodePacket(const std::uint8_t* data, int size);
    void receiveFrames();
    void appendOutput(const AVFrame& frame);
    void resetCodec();

    Platform::Ffmpeg::ContextPtr codec_;
    Platform::Ffmpeg::ParserPtr parser_;
    Platform::Ffmpeg::ResamplePtr resample_;
    Platform::Ffmpeg::FramePtr frame_;
    Platform::Ffmpeg::PacketPtr packet_;
    AVCodecID codecId_ = AV_CODEC_ID_NONE;
    Feed feed_ = Feed::Whole;
    int resampleRate_ = 0;
    int resampleFormat_ = -1;
    AVChannelLayout resampleLayout_{};
};

}  // namespace Media
