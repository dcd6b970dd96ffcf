#pragma once
// An opened AVI file, OpenDML included: the headers and the index are read
// at open; frame and sound data are read on demand through one handle per
// stream. Compressed video and sound go through the decompressors.
#include "core/file/File.h"
#include "media/codec/AudioDecompressor.h"
#include "media/codec/VideoDecompressor.h"
#include "plugin/input/InputFile.h"

#include <cstdint>
#include <vector>

namespace Plugin {

class AviFileInput : public InputFile {
public:
    struct VideoIndex {
        std::uint64_t offset;
        std::uint32_t size;  // 0 repeats the previous picture
        std::uint8_t notKey;
    };
    struct AudioIndex {
        std::int64_t start;  // position of the first byte in the stream's data
        std::uint64_t offset;
        std::uint32_t size;
    };

    AviFileInput() = default;
    ~AviFileInput() override;

    // Parses the file and prepares the streams; false when it delivers
    // neither video nor audio. Never throws (the failure is logged).
    bool open(const wchar_t* path);

    std::shared_ptr<Media::ImageBuffer> readVideo(int frame) override;
    std::shared_ptr<Media::AudioBlockBuffer> readAudio(int block) override;

    System::File videoFile;
    System::File audioFile;
    std::vector<VideoIndex> videoIndex;
    std::vector<AudioIndex> audioIndex;
    Media::VideoDecompressor videoDecoder;
    Media::AudioDecompressor audioDecoder;
    std::uint32_t codec = 0;
    int lastVideoFrame = -256;
    std::uint32_t audioBlockAlign = 0;
    std::int32_t audioIndexBlocks = 0;
    std::uint32_t audioRate = 0;
    std::uint32_t audioScale = 0;
    std::uint32_t audioLength = 0;
    int audioCursor = 0;
    int lastAudioBlock = -256;

private:
    class FileParse;

    bool setupVideoFormat();
    std::shared_ptr<Media::ImageBuffer> readUncompressed(int target);
    std::shared_ptr<Media::ImageBuffer> readDecoded(int target);

    BITMAPINFOHEADER outputHeader_{};  // uncompressed streams
    bool audioDecoding_ = false;
    bool pictureShown_ = false;  // the codec gave a picture since the stream began
    int feedFrame_ = 0;          // the frame just passed to the codec
};

}  // namespace Plugin
