#include "plugin/input/WaveFileReader.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "media/riff/RiffFile.h"
#include "plugin/input/AudioStreamOutput.h"
#include "plugin/input/FileFilter.h"
#include "render/cache/ReadBuffer.h"

#include <algorithm>
#include <cstring>

namespace Plugin {

namespace {
constexpr const char* kParsePlace = "Plugin::WaveFileReader::WavFileInput::FileParse::open";
}

class WaveFileReader::WavFileInput::FileParse {
public:
    explicit FileParse(WavFileInput& input) : input_(input) {}

    void open(const wchar_t* path) {
        file_.open(path, System::File::Mode::Read);
        Media::RiffFile riff(file_);
        Media::RiffFile::Chunk form, fmt, data;
        if (!riff.getRiffChunk(mmioFOURCC('W', 'A', 'V', 'E'), form))
            throw System::makeException(kParsePlace, "WAVE chunk not found.");
        if (!riff.findChunk(mmioFOURCC('f', 'm', 't', ' '), fmt, form))
            throw System::makeException(kParsePlace, "fmt chunk not found.");
        if (fmt.size >= 65536) {
            System::Log::info(kParsePlace, "invalid wav fmt size.");
            return;
        }
        // Shorter than a WAVEFORMAT: no sound to speak of.
        if (fmt.size < 16) return;
        System::DataBuffer& format = input_.audioDecoder.sourceFormat;
        format.allocMemory(static_cast<std::uint32_t>(fmt.size));
        riff.read(fmt.start, format.data, format.size);
        form.rewind();
        if (!riff.findChunk(mmioFOURCC('d', 'a', 't', 'a'), data, form))
            throw System::makeException(kParsePlace, "data chunk not found.");

        WAVEFORMATEX wave{};
        std::memcpy(&wave, format.data, std::min<std::size_t>(format.size, sizeof wave));
        input_.dataOffset = static_cast<std::int64_t>(data.start);
        input_.dataSize = static_cast<std::int64_t>(data.size);
        input_.bitsPerSample = wave.wBitsPerSample;
        input_.sampleRate = static_cast<int>(std::min<DWORD>(wave.nSamplesPerSec, 0x7FFFFFFF));
        input_.channels = wave.nChannels;
        input_.blockAlign = wave.nBlockAlign ? wave.nBlockAlign : wave.wBitsPerSample * wave.nChannels / 8u;
        const std::uint64_t computed = std::uint64_t{wave.nChannels} * wave.wBitsPerSample / 8 * wave.nSamplesPerSec;
        input_.bytesPerSecond = wave.nAvgBytesPerSec ? wave.nAvgBytesPerSec
                                                     : static_cast<std::uint32_t>(std::min<std::uint64_t>(computed, UINT32_MAX));
        if (input_.blockAlign == 0 || input_.bytesPerSecond == 0) return;
        const auto rate = static_cast<std::uint32_t>(input_.sampleRate);
        if (input_.bytesPerSecond == input_.blockAlign * rate)
            input_.sampleCount = input_.dataSize / input_.blockAlign;
        else
            input_.sampleCount = static_cast<std::int64_t>(static_cast<double>(input_.dataSize) * rate /
                                                           input_.bytesPerSecond);
        input_.flags |= Audio;
    }

private:
    WavFileInput& input_;
    System::File file_;
};

WaveFileReader::WavFileInput::~WavFileInput() { audioDecoder.close(); }

bool WaveFileReader::WavFileInput::open(const wchar_t* path) {
    try {
        FileParse(*this).open(path);
    } catch (const std::exception&) {
        return false;  // logged by the exception's builder
    }
    if ((flags & Audio) && (sampleCount <= 0 || !AudioStreamOutput::setup(*this, audioDecoder, decoding_)))
        flags &= ~Audio;
    if (!(flags & Audio)) return false;
    try {
        audioFile.open(path, System::File::Mode::Read);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

std::shared_ptr<Media::AudioBlockBuffer> WaveFileReader::WavFileInput::readAudio(int block) {
    if (!audioFile.isOpen()) return {};
    Cache::AudioReadBuffer& read = Cache::AudioReadBuffer::instance();
    std::lock_guard lock(read.mutex);
    const std::uint32_t room = read.prepareSecond(AudioStreamOutput::blockFormat(*this));
    std::uint8_t* const out = read.buffer.data;
    if (block < 0) return read.makeBlock();
    // Past the data every block is silent.
    std::int64_t position = std::min(static_cast<std::int64_t>(bytesPerSecond) * block, dataSize);

    if (!decoding_) {
        const std::int64_t count = std::min(dataSize, position + room) - position;
        if (count > 0) {
            audioFile.seek(dataOffset + position);
            audioFile.readBlock(out, static_cast<DWORD>(count));
        }
        return read.makeBlock();
    }

    std::uint32_t written = 0;
    if (block == lastAudioBlock + 1) {
        written += AudioStreamOutput::take(audioDecoder, out, room);
        position = sourcePosition;
    } else {
        audioDecoder.clearSource();
    }
    lastAudioBlock = block;
    while (written < room) {
        const std::int64_t end = std::min(dataSize, position + static_cast<std::int64_t>(bytesPerSecond));
        if (end - position <= 0) break;
        AudioStreamOutput::feed(audioFile, static_cast<std::uint64_t>(dataOffset + position),
                                static_cast<std::uint64_t>(end - position), audioDecoder);
        position = end;
        sourcePosition = position;
        audioDecoder.decode();
        written += AudioStreamOutput::take(audioDecoder, out + written, room - written);
    }
    return read.makeBlock();
}

WaveFileReader::WaveFileReader()
    : InputPlugin(L"Wave File Reader", FileFilter::make({{L"WavFile (*.wav)", L"*.wav"}}), KindAudio) {}

std::shared_ptr<InputFile> WaveFileReader::open(const wchar_t* path, int) {
    auto file = std::make_shared<WavFileInput>();
    if (!file->open(path)) return {};
    return file;
}

}  // namespace Plugin
