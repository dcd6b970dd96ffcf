#include "plugin/input/AviFileInput.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "media/image/ImageBuffer.h"
#include "media/riff/RiffFile.h"
#include "plugin/input/AudioStreamOutput.h"
#include "render/cache/ReadBuffer.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace Plugin {

namespace {

constexpr const char* kParsePlace = "Plugin::AviFileInput::FileParse::open";
constexpr const char* kAudioHeaderPlace = "Plugin::AviFileInput::FileParse::getAudioStreamHeader";
constexpr FOURCC fcc(const char (&code)[5]) { return mmioFOURCC(code[0], code[1], code[2], code[3]); }
constexpr std::uint64_t kMaxFormatSize = 65536;
constexpr LONG kMaxSide = 16384;
constexpr std::uint32_t kTwoCharMask = 0xFFFF;

#pragma pack(push, 1)
struct StreamHeader {
    FOURCC type;
    FOURCC handler;
    DWORD flags;
    WORD priority;
    WORD language;
    DWORD initialFrames;
    DWORD scale;
    DWORD rate;
    DWORD start;
    DWORD length;
    DWORD suggestedBufferSize;
    DWORD quality;
    DWORD sampleSize;
    std::int16_t frame[4];
};
struct IndexHeader {
    WORD longsPerEntry;
    std::uint8_t subType;
    std::uint8_t type;
    DWORD entriesInUse;
    DWORD chunkId;
};
#pragma pack(pop)
static_assert(sizeof(StreamHeader) == 56);
static_assert(sizeof(IndexHeader) == 12);

int clampToInt(std::uint64_t value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }

}  // namespace

// The parse state, alive only while the file opens.
class AviFileInput::FileParse {
public:
    explicit FileParse(AviFileInput& input) : input_(input) {}

    void open(const wchar_t* path) {
        file_.open(path, System::File::Mode::Read);
        riff_ = std::make_unique<Media::RiffFile>(file_);
        Media::RiffFile& riff = *riff_;
        if (!riff.getRiffChunk(fcc("AVI "), form_)) throw System::makeException(kParsePlace, "AVI chunk not found.");
        if (!riff.findChunk(fcc("hdrl"), hdrl_, form_)) throw System::makeException(kParsePlace, "hdrl chunk not found.");
        Media::RiffFile::Chunk odml;
        odml_ = riff.findChunk(fcc("odml"), odml, hdrl_);
        hdrl_.rewind();
        for (int n = 0; riff.findChunk(fcc("strl"), strl_, hdrl_); ++n) readStreamList(n);

        if (indexPositions_.empty()) {
            form_.rewind();
            if (!riff.findChunk(fcc("movi"), movi_, form_)) throw System::makeException(kParsePlace, "movi chunk not found.");
            form_.rewind();
            Media::RiffFile::Chunk idx1;
            if (riff.findChunk(fcc("idx1"), idx1, form_))
                readIndex1(idx1);
            else
                scanMovi();
        } else {
            readStandardIndexes();
        }
        if (audioTotal_ != 0 && input_.audioBlockAlign != 0)
            input_.audioIndexBlocks = clampToInt(audioTotal_ / input_.audioBlockAlign);

        if ((input_.flags & Video) && input_.videoIndex.size() < static_cast<std::size_t>(input_.frameCount)) {
            System::Log::info(kParsePlace, "invalid video frame num info.");
            input_.frameCount = static_cast<int>(input_.videoIndex.size());
        }
        if ((input_.flags & Audio) && input_.audioIndexBlocks >= 0 &&
            static_cast<std::uint32_t>(input_.audioIndexBlocks) < input_.audioLength) {
            System::Log::info(kParsePlace, "invalid audio sample num info.");
            input_.audioLength = static_cast<std::uint32_t>(input_.audioIndexBlocks);
            input_.sampleCount = sampleCountOf(audioHeader_, input_.sampleRate, input_.audioLength);
        }
    }

private:
    // The stream's length in samples; -1 when its rates make it absurd.
    static std::int64_t sampleCountOf(const StreamHeader& header, int sampleRate, std::uint32_t length) {
        const auto rate = static_cast<std::uint32_t>(sampleRate);
        if (header.rate == header.scale * rate) return length;
        const double count = static_cast<double>(length) / header.rate * header.scale * rate;
        // Far beyond any recording (years of sound), and still exact.
        constexpr double kMaxSamples = 1099511627776.0;  // 2^40
        if (!(count >= 0.0 && count <= kMaxSamples)) return -1;
        return static_cast<std::int64_t>(count);
    }

    void readStreamList(int n) {
        if (n > 99) return;
        Media::RiffFile& riff = *riff_;
        strl_.rewind();
        Media::RiffFile::Chunk strh;
        if (!riff.findChunk(fcc("strh"), strh, strl_) || strh.size < sizeof(StreamHeader)) return;
        StreamHeader header{};
        riff.read(strh.start, &header, sizeof header);
        const auto number = static_cast<std::uint16_t>(('0' + n / 10) | ('0' + n % 10) << 8);
        if (Media::compareFourCC(header.type, fcc("vids"))) {
            videoNumber_ = number;
            getVideoStreamHeader(header);
            if (odml_ && (input_.flags & Video)) readSuperIndex();
        } else if (Media::compareFourCC(header.type, fcc("auds"))) {
            audioNumber_ = number;
            getAudioStreamHeader(header);
            if (odml_ && (input_.flags & Audio)) readSuperIndex();
        }
    }

    // Reads the stream's format chunk into target; false when missing,
    // too small or too large.
    bool readFormat(System::DataBuffer& target, std::uint64_t minimum, const char* place) {
        strl_.rewind();
        Media::RiffFile::Chunk strf;
        if (!riff_->findChunk(fcc("strf"), strf, strl_)) return false;
        if (strf.size >= kMaxFormatSize) {
            System::Log::info(place, "invalid stream format size.");
            return false;
        }
        if (strf.size < minimum) return false;
        target.allocMemory(static_cast<std::uint32_t>(strf.size));
        riff_->read(strf.start, target.data, target.size);
        return true;
    }

    void getVideoStreamHeader(const StreamHeader& header) {
        System::DataBuffer& format = input_.videoDecoder.sourceFormat;
        if (!readFormat(format, sizeof(BITMAPINFOHEADER), "Plugin::AviFileInput::FileParse::getVideoStreamHeader"))
            return;
        BITMAPINFOHEADER bitmap{};
        std::memcpy(&bitmap, format.data, sizeof bitmap);
        input_.width = bitmap.biWidth;
        input_.height = bitmap.biHeight;
        input_.rate = header.rate;
        input_.scale = header.scale;
        input_.frameCount = clampToInt(header.length);
        if (header.handler != 0)
            input_.codec = header.handler;
        else
            input_.codec = Media::normalizeFourCC(bitmap.biCompression) == 0 ? 0 : bitmap.biCompression;
        input_.flags |= Video;
    }

    void getAudioStreamHeader(const StreamHeader& header) {
        System::DataBuffer& format = input_.audioDecoder.sourceFormat;
        if (!readFormat(format, 16, kAudioHeaderPlace)) return;
        // A stream without a sample size, rate or scale cannot be placed
        // in time.
        if (header.sampleSize == 0 || header.scale == 0 || header.rate == 0) return;
        WAVEFORMATEX wave{};
        std::memcpy(&wave, format.data, std::min<std::size_t>(format.size, sizeof wave));
        input_.bitsPerSample = wave.wBitsPerSample;
        input_.sampleRate = static_cast<int>(std::min<DWORD>(wave.nSamplesPerSec, INT_MAX));
        input_.channels = wave.nChannels;
        const std::int64_t samples = sampleCountOf(header, input_.sampleRate, header.length);
        if (samples < 0) {
            System::Log::info(kAudioHeaderPlace, "invalid audio stream rate.");
            return;
        }
        input_.sampleCount = samples;
        input_.audioLength = header.length;
        input_.audioRate = header.rate;
        input_.audioScale = header.scale;
        input_.audioBlockAlign = wave.nBlockAlign ? wave.nBlockAlign : wave.wBitsPerSample * wave.nChannels / 8u;
        if (input_.audioBlockAlign == 0) return;
        audioHeader_ = header;
        input_.flags |= Audio;
    }

    void readSuperIndex() {
        strl_.rewind();
        Media::RiffFile::Chunk indx;
        if (!riff_->findChunk(fcc("indx"), indx, strl_) || indx.size < 24) return;
        IndexHeader header{};
        riff_->read(indx.start, &header, sizeof header);
        const std::uint64_t count = std::min<std::uint64_t>(header.entriesInUse, (indx.size - 24) / 16);
        std::vector<std::uint8_t> entries(count * 16);
        if (count) riff_->read(indx.start + 24, entries.data(), static_cast<std::uint32_t>(entries.size()));
        for (std::uint64_t i = 0; i < count; ++i) {
            std::uint64_t offset = 0;
            std::memcpy(&offset, &entries[i * 16], sizeof offset);
            indexPositions_.push_back(offset);
        }
    }

    void addVideo(std::uint64_t position, std::uint32_t size, bool notKey) {
        const auto kept = static_cast<std::uint32_t>(riff_->clampToFile(position, size));
        input_.videoIndex.push_back({position, kept, static_cast<std::uint8_t>(notKey ? 1 : 0)});
    }

    void addAudio(std::uint64_t position, std::uint32_t size) {
        const auto kept = static_cast<std::uint32_t>(riff_->clampToFile(position, size));
        input_.audioIndex.push_back({static_cast<std::int64_t>(audioTotal_), position, kept});
        audioTotal_ += kept;
    }

    bool isVideo(std::uint32_t id) const { return videoNumber_ && (id & kTwoCharMask) == videoNumber_; }
    bool isAudio(std::uint32_t id) const { return audioNumber_ && (id & kTwoCharMask) == audioNumber_; }

    void readStandardIndexes() {
        for (const std::uint64_t position : indexPositions_) {
            constexpr std::uint64_t headerBytes = 8 + 24;
            if (position > riff_->fileSize || riff_->fileSize - position < headerBytes) continue;
            std::uint8_t head[headerBytes];
            riff_->read(position, head, sizeof head);
            std::uint32_t chunkSize = 0;
            IndexHeader header{};
            std::uint64_t base = 0;
            std::memcpy(&chunkSize, head + 4, 4);
            std::memcpy(&header, head + 8, sizeof header);
            std::memcpy(&base, head + 20, 8);
            const bool video = isVideo(header.chunkId);
            if (!video && !isAudio(header.chunkId)) continue;
            const std::uint64_t stride = std::max<std::uint64_t>(8, std::uint64_t{header.longsPerEntry} * 4);
            const std::uint64_t body = riff_->clampToFile(position + 8, chunkSize);
            const std::uint64_t count = std::min<std::uint64_t>(header.entriesInUse, body > 24 ? (body - 24) / stride : 0);
            std::vector<std::uint8_t> entries(count * stride);
            if (count) riff_->read(position + headerBytes, entries.data(), static_cast<std::uint32_t>(entries.size()));
            for (std::uint64_t i = 0; i < count; ++i) {
                std::uint32_t entry[2];
                std::memcpy(entry, &entries[i * stride], sizeof entry);
                const std::uint32_t size = entry[1] & 0x7FFFFFFFu;
                if (video)
                    addVideo(base + entry[0], size, (entry[1] & 0x80000000u) != 0);
                else
                    addAudio(base + entry[0], size);
            }
        }
    }

    void readIndex1(const Media::RiffFile::Chunk& idx1) {
        const std::uint64_t count = idx1.size / 16;
        if (count == 0) return;
        std::vector<std::uint32_t> entries(count * 4);
        riff_->read(idx1.start, entries.data(), static_cast<std::uint32_t>(count * 16));
        const std::uint64_t base = entries[2] < movi_.start ? movi_.start + 4 : 8;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint32_t* e = &entries[i * 4];
            if (isVideo(e[0]))
                addVideo(base + e[2], e[3], (e[1] & 0x10) == 0);
            else if (isAudio(e[0]))
                addAudio(base + e[2], e[3]);
        }
    }

    void scanMovi() {
        const std::uint32_t db = videoNumber_ | (fcc("  db") & 0xFFFF0000u);
        const std::uint32_t dc = videoNumber_ | (fcc("  dc") & 0xFFFF0000u);
        const std::uint32_t wb = audioNumber_ | (fcc("  wb") & 0xFFFF0000u);
        for (std::uint64_t at = movi_.start; at + 8 <= movi_.end();) {
            std::uint32_t header[2];
            riff_->read(at, header, sizeof header);
            if (videoNumber_ && Media::compareFourCC(header[0], db))
                addVideo(at + 8, header[1], false);
            else if (videoNumber_ && Media::compareFourCC(header[0], dc))
                addVideo(at + 8, header[1], true);
            else if (audioNumber_ && Media::compareFourCC(header[0], wb))
                addAudio(at + 8, header[1]);
            at += 8 + std::uint64_t{header[1]} + (header[1] & 1);
        }
    }

    AviFileInput& input_;
    System::File file_;
    std::unique_ptr<Media::RiffFile> riff_;
    Media::RiffFile::Chunk form_, hdrl_, strl_, movi_;
    bool odml_ = false;
    std::uint16_t videoNumber_ = 0;
    std::uint16_t audioNumber_ = 0;
    std::vector<std::uint64_t> indexPositions_;
    std::uint64_t audioTotal_ = 0;
    StreamHeader audioHeader_{};
};

AviFileInput::~AviFileInput() {
    audioDecoder.close();
    videoDecoder.close();
}

bool AviFileInput::open(const wchar_t* path) {
    try {
        FileParse(*this).open(path);
    } catch (const std::exception&) {
        return false;  // logged by the exception's builder
    }
    if ((flags & Video) && (frameCount <= 0 || !setupVideoFormat())) flags &= ~Video;
    if ((flags & Audio) && (sampleCount <= 0 || !AudioStreamOutput::setup(*this, audioDecoder, audioDecoding_)))
        flags &= ~Audio;
    try {
        if (flags & Video) videoFile.open(path, System::File::Mode::Read);
        if (flags & Audio) audioFile.open(path, System::File::Mode::Read);
    } catch (const std::exception&) {
        return false;
    }
    return (flags & (Video | Audio)) != 0;
}

bool AviFileInput::setupVideoFormat() {
    BITMAPINFOHEADER source{};
    std::memcpy(&source, videoDecoder.sourceFormat.data, sizeof source);
    if (width <= 0 || width > kMaxSide || height == 0 || std::abs(height) > kMaxSide || rate == 0 || scale == 0)
        return false;
    const FOURCC normalized = Media::normalizeFourCC(codec);
    const BITMAPINFOHEADER* output = &outputHeader_;
    if (normalized == 0 || normalized == fcc("YUY2") || normalized == fcc("PA64") || normalized == fcc("HF64")) {
        outputHeader_ = {};
        outputHeader_.biSize = sizeof outputHeader_;
        outputHeader_.biWidth = width;
        outputHeader_.biHeight = height;
        outputHeader_.biPlanes = 1;
        outputHeader_.biBitCount = source.biBitCount;
        outputHeader_.biCompression = normalized;
        outputHeader_.biSizeImage = static_cast<DWORD>(std::abs(height)) *
                                    Media::ImageBuffer::getBitmapRowSize(source.biBitCount, static_cast<std::uint32_t>(width));
    } else {
        if (!videoDecoder.open(codec)) return false;
        if (!videoDecoder.begin(fcc("YUY2"), 16) && !videoDecoder.begin(BI_RGB, 32) && !videoDecoder.begin(BI_RGB, 24)) {
            videoDecoder.close();
            return false;
        }
        output = &videoDecoder.outputFormat;
        videoDecoder.setPacketSource([this](std::uint32_t ahead, System::DataBuffer& bytes, bool& notKey) {
            const std::size_t i = static_cast<std::size_t>(feedFrame_) + ahead;
            if (i >= static_cast<std::size_t>(frameCount)) return false;
            const VideoIndex& entry = videoIndex[i];
            bytes.allocMemory(entry.size);
            if (entry.size) {
                videoFile.seek(static_cast<std::int64_t>(entry.offset));
                videoFile.readBlock(bytes.data, entry.size);
            }
            notKey = entry.notKey != 0;
            return true;
        });
    }
    const FOURCC compression = Media::normalizeFourCC(output->biCompression);
    const WORD bits = output->biBitCount;
    if (compression == 0 && bits == 32)
        pixelFormat = 87;
    else if (compression == 0 && bits == 24)
        pixelFormat = 88;
    else if (compression == fcc("YUY2") && bits == 16)
        pixelFormat = 107;
    else if (compression == fcc("PA64") && bits == 64)
        pixelFormat = 11;
    else if (compression == fcc("HF64") && bits == 64)
        pixelFormat = 10;
    else {
        videoDecoder.close();
        return false;
    }
    height = std::abs(height);
    return true;
}

std::shared_ptr<Media::ImageBuffer> AviFileInput::readVideo(int frame) {
    if (!videoFile.isOpen()) return {};
    Cache::ImageReadBuffer& read = Cache::ImageReadBuffer::instance();
    std::lock_guard lock(read.mutex);
    const int target = std::clamp(frame, 0, frameCount - 1);
    return videoDecoder.isOpen() ? readDecoded(target) : readUncompressed(target);
}

std::shared_ptr<Media::ImageBuffer> AviFileInput::readDecoded(int target) {
    Cache::ImageReadBuffer& read = Cache::ImageReadBuffer::instance();
    int start = target;
    while (start > 0 && videoIndex[start].notKey && start != lastVideoFrame + 1) --start;
    lastVideoFrame = target;
    for (int f = start; f <= target; ++f) {
        const VideoIndex& entry = videoIndex[f];
        if (entry.size) {
            read.buffer.allocMemory(entry.size);
            videoFile.seek(static_cast<std::int64_t>(entry.offset));
            videoFile.readBlock(read.buffer.data, entry.size);
        }
        feedFrame_ = f;
        if (videoDecoder.decode(entry.size ? read.buffer.data : nullptr, entry.size, entry.notKey != 0))
            pictureShown_ = true;
    }
    auto image = Media::ImageBuffer::create(pixelFormat, width, height);
    // Until the codec gave a picture its output holds nothing to show.
    if (pictureShown_ && videoDecoder.outputPixels.size >= videoDecoder.outputFormat.biSizeImage)
        image->convertFrom(videoDecoder.outputFormat, videoDecoder.outputPixels.data);
    else
        std::memset(image->pixels.data, 0, image->pixels.size);
    return image;
}

std::shared_ptr<Media::ImageBuffer> AviFileInput::readUncompressed(int target) {
    Cache::ImageReadBuffer& read = Cache::ImageReadBuffer::instance();
    // A repeated frame shows the last stored picture before it.
    int stored = target;
    while (stored >= 0 && videoIndex[stored].size == 0) --stored;
    const std::uint32_t imageSize = outputHeader_.biSizeImage;
    read.header = outputHeader_;
    read.buffer.allocMemory(imageSize);
    std::memset(read.buffer.data, 0, imageSize);
    if (stored >= 0) {
        // Short data leaves the rest of the picture black.
        const VideoIndex& entry = videoIndex[stored];
        videoFile.seek(static_cast<std::int64_t>(entry.offset));
        videoFile.readBlock(read.buffer.data, std::min(entry.size, imageSize));
    }
    auto image = Media::ImageBuffer::create(pixelFormat, width, height);
    image->convertFrom(read.header, read.buffer.data);
    return image;
}

std::shared_ptr<Media::AudioBlockBuffer> AviFileInput::readAudio(int block) {
    if (!audioFile.isOpen()) return {};
    Cache::AudioReadBuffer& read = Cache::AudioReadBuffer::instance();
    std::lock_guard lock(read.mutex);
    const std::uint32_t room = read.prepareSecond(AudioStreamOutput::blockFormat(*this));
    std::uint8_t* const out = read.buffer.data;
    std::uint32_t written = 0;
    if (block < 0) return read.makeBlock();

    // One division, so rates that are not whole multiples of the scale
    // place blocks exactly.
    const unsigned __int128 exact =
        static_cast<unsigned __int128>(block) * audioRate * audioBlockAlign / audioScale;
    const std::uint64_t position = exact > static_cast<unsigned __int128>(INT64_MAX) ? INT64_MAX : static_cast<std::uint64_t>(exact);
    std::uint64_t offset = 0;
    if (audioDecoding_ && block == lastAudioBlock + 1) {
        written += AudioStreamOutput::take(audioDecoder, out, room);
    } else {
        const auto first = std::lower_bound(audioIndex.begin(), audioIndex.end(), position,
                                            [](const AudioIndex& e, std::uint64_t p) { return static_cast<std::uint64_t>(e.start) < p; });
        audioCursor = std::max(0, static_cast<int>(first - audioIndex.begin()) - 1);
        if (!audioIndex.empty()) offset = position - static_cast<std::uint64_t>(audioIndex[audioCursor].start);
        if (audioDecoding_) audioDecoder.clearSource();
    }
    lastAudioBlock = block;
    while (written < room && static_cast<std::size_t>(audioCursor) < audioIndex.size()) {
        const AudioIndex& entry = audioIndex[audioCursor++];
        // A position past the entry's data reads nothing from it.
        if (offset < entry.size) {
            const std::uint64_t size = entry.size - offset;
            if (audioDecoding_) {
                AudioStreamOutput::feed(audioFile, entry.offset + offset, size, audioDecoder);
                audioDecoder.decode();
                written += AudioStreamOutput::take(audioDecoder, out + written, room - written);
            } else {
                const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(room - written, size));
                audioFile.seek(static_cast<std::int64_t>(entry.offset + offset));
                audioFile.readBlock(out + written, count);
                written += count;
            }
        }
        offset = 0;
    }
    return read.makeBlock();
}

}  // namespace Plugin
