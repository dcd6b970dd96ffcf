#include "plugin/input/WaveFileReader.h"

#include "media/audio/AudioBlockBuffer.h"
#include "plugin/PluginTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace PluginTest;
using WavFile = Plugin::WaveFileReader::WavFileInput;

class WavReader : public ::testing::Test {
protected:
    std::shared_ptr<WavFile> open(const std::string& path) {
        return std::dynamic_pointer_cast<WavFile>(reader.open(std::filesystem::path(path).wstring().c_str(), 0));
    }

    // ffmpeg's float decode of a file, interleaved.
    std::vector<float> reference(const std::string& path) {
        const Bytes raw = decodeRaw(folder, path, "-f f32le -acodec pcm_f32le");
        std::vector<float> samples(raw.size() / 4);
        std::memcpy(samples.data(), raw.data(), samples.size() * 4);
        return samples;
    }

    // Every sample of a block against the reference (silence past it).
    static void expectBlock(WavFile& file, int block, const std::vector<float>& ref, float tolerance) {
        const auto sound = file.readAudio(block);
        ASSERT_TRUE(sound);
        const int channels = file.channels;
        ASSERT_EQ(sound->samples, static_cast<std::uint32_t>(file.sampleRate));
        for (int c = 0; c < channels; ++c) {
            const float* plane = sound->getChannel(c);
            for (int i = 0; i < file.sampleRate; ++i) {
                const std::size_t n = (static_cast<std::size_t>(block) * file.sampleRate + i) * channels + c;
                const float want = n < ref.size() ? ref[n] : 0.0f;
                ASSERT_NEAR(plane[i], want, tolerance) << "block " << block << " channel " << c << " sample " << i;
            }
        }
    }

    MediaTest::TempFolder folder;
    Plugin::WaveFileReader reader;
    CoreTest::LogLines log;
};

TEST_F(WavReader, PcmAndFloatFilesMatchTheSource) {
    // ffmpeg stores more than 16 bits in the extensible form; tagged as
    // plain PCM or float the samples come as stored, extensible ones
    // through the decoder as 16-bit.
    const struct {
        const char* codec;
        std::uint16_t tag;  // written over the format tag, 0: as ffmpeg wrote it
        int bits;
        int format;
        float tolerance;
    } cases[] = {{"pcm_s16le", 0, 16, 1, 1e-6f},
                 {"pcm_s24le", 1, 24, 1, 1e-6f},
                 {"pcm_f32le", 3, 32, 3, 1e-6f},
                 {"pcm_s24le", 0, 16, 1, 1.01f / 32768}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.codec) + " tag " + std::to_string(c.tag));
        const std::string path = folder.file(std::string(c.codec) + ".wav");
        // 2.5 s of stereo: the third block is partly silent, the sixth all.
        ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=44100:duration=2.5 "
                                      "-af 'pan=stereo|c0=c0|c1=-0.5*c0' -c:a " + std::string(c.codec) + " " + path));
        if (c.tag) {
            Bytes bytes = MediaTest::readFile(path);
            ASSERT_EQ(std::memcmp(&bytes[12], "fmt ", 4), 0);
            std::memcpy(&bytes[20], &c.tag, 2);
            writeFile(path, bytes);
        }
        const auto file = open(path);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->flags, 2);
        EXPECT_EQ(file->sampleCount, 110250);
        EXPECT_EQ(file->sampleRate, 44100);
        EXPECT_EQ(file->channels, 2);
        EXPECT_EQ(file->bitsPerSample, c.bits);
        EXPECT_EQ(file->audioFormat, c.format);
        const std::vector<float> ref = reference(path);
        ASSERT_EQ(ref.size(), 110250u * 2);
        for (int block : {1, 0, 2, 5}) expectBlock(*file, block, ref, c.tolerance);
    }
}

TEST_F(WavReader, TheFormatChunkMayFollowTheData) {
    Writer w;
    const std::size_t riff = w.open("RIFF", "WAVE");
    Bytes samples;
    for (int i = 0; i < 1500; ++i) {
        const auto v = static_cast<std::int16_t>(i * 20 - 15000);
        samples.push_back(static_cast<std::uint8_t>(v & 0xFF));
        samples.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    w.chunk("data", samples);
    w.chunk("LIST", Bytes{'I', 'N', 'F', 'O'});
    w.chunk("fmt ", waveFormat(1, 1, 1000, 16));
    w.close(riff);
    writeFile(folder.file("late.wav"), w.bytes);
    const auto file = open(folder.file("late.wav"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->sampleCount, 1500);
    std::vector<float> ref;
    for (int i = 0; i < 1500; ++i) ref.push_back(static_cast<float>(i * 20 - 15000) / 32768.0f);
    expectBlock(*file, 0, ref, 0.0f);
    expectBlock(*file, 1, ref, 0.0f);
}

TEST_F(WavReader, CompressedSoundIsDecodedTo16Bit) {
    const std::string path = folder.file("adpcm.wav");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=frequency=300:sample_rate=22050:duration=2.2 -c:a adpcm_ima_wav " + path));
    const auto file = open(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->audioFormat, 1);
    EXPECT_EQ(file->bitsPerSample, 16);
    EXPECT_EQ(file->sampleRate, 22050);
    EXPECT_EQ(file->sampleCount, static_cast<std::int64_t>(static_cast<double>(file->dataSize) * 22050 / file->bytesPerSecond));
    const std::vector<float> ref = reference(path);
    // Sequential blocks continue the decoder's output.
    for (int block : {0, 1}) expectBlock(*file, block, ref, 1.5f / 32768);
}

TEST_F(WavReader, UnusableFilesAreDeclined) {
    const std::string u8 = folder.file("u8.wav");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=duration=0.2 -c:a pcm_u8 " + u8));
    EXPECT_FALSE(open(u8));

    const auto riff = [](const char* form, std::initializer_list<std::pair<const char*, Bytes>> chunks) {
        Writer w;
        const std::size_t at = w.open("RIFF", form);
        for (const auto& [id, data] : chunks) w.chunk(id, data);
        w.close(at);
        return w.bytes;
    };
    Bytes zeroAlign = waveFormat(1, 0, 8000, 16);
    const struct {
        const char* name;
        Bytes bytes;
        const char* error;  // the parse's message, or null
    } cases[] = {
        {"not RIFF", Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0}, "invalid RIFF file."},
        {"an AVI form", riff("AVI ", {}), "WAVE chunk not found."},
        {"no format", riff("WAVE", {{"data", Bytes(8, 0)}}), "fmt chunk not found."},
        {"no data", riff("WAVE", {{"fmt ", waveFormat(1, 1, 8000, 16)}}), "data chunk not found."},
        {"no channels", riff("WAVE", {{"fmt ", zeroAlign}, {"data", Bytes(8, 0)}}), nullptr},
        {"empty data", riff("WAVE", {{"fmt ", waveFormat(1, 1, 8000, 16)}, {"data", Bytes{}}}), nullptr},
        {"32-bit integer", riff("WAVE", {{"fmt ", waveFormat(1, 1, 8000, 32)}, {"data", Bytes(8, 0)}}), nullptr},
        {"short format", riff("WAVE", {{"fmt ", Bytes(6, 1)}, {"data", Bytes(8, 0)}}), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        writeFile(folder.file("bad.wav"), c.bytes);
        EXPECT_FALSE(open(folder.file("bad.wav")));
        if (c.error) {
            bool logged = false;
            for (const auto& line : log.of(System::Log::ERROR)) logged |= line.text.find(c.error) != std::string::npos;
            EXPECT_TRUE(logged);
        }
    }
}

TEST_F(WavReader, DataClaimedPastTheEndIsReadAsFarAsItGoes) {
    Writer w;
    const std::size_t riff = w.open("RIFF", "WAVE");
    w.chunk("fmt ", waveFormat(1, 1, 1000, 16));
    w.fourcc("data");
    w.u32(0xFFFFFFF0u);  // a recording that was never finished
    std::vector<float> ref;
    for (int i = 0; i < 700; ++i) {
        w.u16(static_cast<std::uint16_t>(i * 30));
        ref.push_back(static_cast<float>(static_cast<std::int16_t>(i * 30)) / 32768.0f);
    }
    w.close(riff);
    writeFile(folder.file("open.wav"), w.bytes);
    const auto file = open(folder.file("open.wav"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->sampleCount, 700);
    expectBlock(*file, 0, ref, 0.0f);
    expectBlock(*file, 3, ref, 0.0f);
}

}  // namespace
