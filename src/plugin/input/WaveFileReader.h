#pragma once
// The built-in reader of RIFF WAVE files: 16- and 24-bit PCM and 32-bit
// float as stored, other formats through the audio decoder as 16-bit PCM.
#include "core/file/File.h"
#include "media/codec/AudioDecompressor.h"
#include "plugin/input/InputFile.h"
#include "plugin/input/InputPlugin.h"

#include <cstdint>

namespace Plugin {

class WaveFileReader : public InputPlugin {
public:
    class WavFileInput : public InputFile {
    public:
        ~WavFileInput() override;
        // Parses the file; false when it delivers no sound. Never throws.
        bool open(const wchar_t* path);
        std::shared_ptr<Media::AudioBlockBuffer> readAudio(int block) override;

        System::File audioFile;
        Media::AudioDecompressor audioDecoder;
        std::int64_t dataOffset = 0;
        std::int64_t dataSize = 0;
        std::uint32_t blockAlign = 0;
        std::uint32_t bytesPerSecond = 0;
        std::int64_t sourcePosition = 0;
        int lastAudioBlock = -256;

    private:
        class FileParse;
        bool decoding_ = false;
    };

    WaveFileReader();
    // The track is ignored. Never throws.
    std::shared_ptr<InputFile> open(const wchar_t* path, int track) override;
};

}  // namespace Plugin
