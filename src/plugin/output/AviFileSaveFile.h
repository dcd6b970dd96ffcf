#pragma once
// An uncompressed AVI export: one video stream of bitmap rows (24- or
// 32-bit RGB, YUY2 or a 64-bit form) and one stereo PCM stream (16-bit or
// float). Below the RIFF size limit the file is a plain AVI with idx1; past
// it the writer goes on in AVIX chunks with OpenDML indexes. The bytes go to
// a temporary file renamed over the target after the last header rewrite,
// so a failure never leaves a file that looks complete.
#include "core/file/AtomicFile.h"
#include "plugin/output/OutputFile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace Plugin {

class AviFileSaveFile : public OutputFile {
public:
    // videoFormat: DXGI 88, 87, 107, 11 or 10; audioFormatTag: 1 or 3.
    AviFileSaveFile(std::wstring path, const OutputSceneInfo& scene, std::shared_ptr<OutputFrameSource> source,
                    int videoFormat, std::uint32_t audioFormatTag);

    bool save() override;

    // Bytes a RIFF chunk may reach before the next one begins.
    std::uint64_t riffLimit = 0x7E000000;

    static constexpr int maxRiffChunks = 100;

private:
    struct Entry {
        std::uint64_t position;
        std::uint32_t size;
        std::uint16_t stream;
    };
    struct SuperIndex {
        std::uint64_t pos = 0;
        std::array<std::uint8_t, 1624> data{};
    };

    void writeHeader();
    void writeVideoFrame(int frame);
    void writeAudioFrame(int frame);
    void changeRiffChunk();
    void closeRiffChunk();
    void updateHeader();
    void writeStandardIndex(int stream, std::uint32_t duration);

    void put(const void* data, std::size_t size);
    void putChunk(const char* id, const void* data, std::uint32_t size);
    // Writes id, a size placeholder and the form type; returns the form
    // type's position.
    std::uint64_t openList(const char* id, const char* type);
    void closeSize(std::uint64_t dataPos);
    void rewrite(std::uint64_t pos, const void* data, std::size_t size);
    void rewriteId(std::uint64_t dataPos, const char* id);
    void writeAlignmentJunk();
    std::uint32_t blockAlign() const { return audioChannels * audioBits / 8; }

    const int videoFormat;
    const std::uint32_t audioFormatTag;
    const std::uint32_t audioBits;
    const std::uint32_t audioChannels = 2;

    std::unique_ptr<System::AtomicFile> file_;
    std::uint64_t position = 0;
    std::uint64_t riffDataPos = 0;
    std::uint64_t hdrlDataPos = 0;
    std::uint64_t strlDataPos = 0;
    std::uint64_t moviDataPos = 0;
    std::uint64_t firstMoviDataPos = 0;
    std::uint64_t avihPos = 0;
    std::array<std::uint32_t, 14> avih{};
    std::uint64_t videoStrhPos = 0;
    std::array<std::uint8_t, 64> videoStrh{};
    std::uint64_t audioStrhPos = 0;
    std::array<std::uint8_t, 64> audioStrh{};
    std::uint64_t odmlPos = 0;
    std::array<std::uint8_t, 260> odml{};
    SuperIndex superIndex[2];
    std::uint64_t riffBase = 0;
    int riffCount = 0;
    int framesAtRiff = 0;
    std::int64_t samplesAtRiff = 0;
    bool openDml = false;
    int framesWritten = 0;
    std::int64_t samplesWritten = 0;
    std::uint32_t maxVideoChunk = 0;
    std::uint32_t maxAudioChunk = 0;
    std::vector<Entry> entries;
    std::vector<std::uint8_t> convertBuffer;
    std::vector<std::uint8_t> silence;
};

}  // namespace Plugin
