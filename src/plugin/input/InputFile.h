#pragma once
// An opened media file: the one description of a media file the whole
// program reads (length, rate, size, sound format, tracks), and reads of a
// picture by frame number and of sound one second at a time. The input
// service hands one object to every thread that asks for the file, so the
// reads of a reader serialize on its shared read buffers.
#include <cstdint>
#include <memory>

namespace Media {
class ImageBuffer;
class AudioBlockBuffer;
}

namespace Plugin {

class InputPlugin;

class InputFile {
public:
    enum Flag : int {
        Video = 1,
        Audio = 2,
        MultiTrack = 4,  // the track counts are meaningful
        OwnTimeToFrame = 8,
    };

    InputFile() = default;
    virtual ~InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // A picture of pixelFormat, width by height. The base raises "not
    // implement.".
    virtual std::shared_ptr<Media::ImageBuffer> readVideo(int frame);
    // Samples block × sampleRate up to one second later as planar float;
    // silent where the file has no data. The base raises "not implement.".
    virtual std::shared_ptr<Media::AudioBlockBuffer> readAudio(int block);
    // seconds × rate ÷ scale rounded half away from zero, clamped to the
    // frames; 0 for a time that gives no integer (NaN, huge).
    virtual int timeToFrame(double seconds);

    InputPlugin* reader = nullptr;  // set by the input service
    int flags = 0;
    int frameCount = 0;
    int pixelFormat = 0;  // DXGI format code
    int width = 0;
    int height = 0;
    std::uint32_t rate = 0;
    std::uint32_t scale = 0;
    int videoTrackCount = 0;
    std::int64_t sampleCount = 0;
    int audioFormat = 0;  // 1 integer PCM, 3 IEEE float
    int bitsPerSample = 0;
    int channels = 0;
    int sampleRate = 0;
    int audioTrackCount = 0;
};

}  // namespace Plugin
