#include "core/base/Exception.h"
#include "media/codec/AudioDecompressor.h"

#include "media/MediaFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using MediaTest::Stream;

class AudioDecompressorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<MediaTest::TempFolder>();
        const std::string sine = "-f lavfi -i sine=frequency=440:sample_rate=44100:duration=1 -ac 2 ";
        const std::pair<const char*, const char*> files[] = {
            {"mp3.avi", "-c:a libmp3lame -b:a 128k"}, {"mp3.wav", "-c:a libmp3lame -b:a 96k"},
            {"aac.avi", "-c:a aac -b:a 128k"},        {"adpcm_ms.wav", "-c:a adpcm_ms"},
            {"adpcm_ima.avi", "-c:a adpcm_ima_wav"},   {"s24.wav", "-c:a pcm_s24le"},
            {"f32.wav", "-c:a pcm_f32le"},             {"s16.wav", "-c:a pcm_s16le"},
        };
        for (const auto& [name, codec] : files)
            ASSERT_TRUE(MediaTest::ffmpeg(sine + codec + " " + folder->file(name))) << name;
    }
    static void TearDownTestSuite() { folder.reset(); }

    static std::vector<std::int16_t> reference(const std::string& name) {
        const std::string out = folder->file(name + ".s16");
        EXPECT_TRUE(MediaTest::ffmpeg("-i " + folder->file(name) + " -f s16le -c:a pcm_s16le " + out));
        const std::vector<std::uint8_t> bytes = MediaTest::readFile(out);
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    static Stream audio(const std::string& name) {
        const auto streams = MediaTest::readRiff(folder->file(name));
        const Stream* s = MediaTest::findStream(streams, "auds");
        return s ? *s : Stream{};
    }

    static void setFormat(Media::AudioDecompressor& d, const std::vector<std::uint8_t>& format) {
        d.sourceFormat.allocMemory(static_cast<std::uint32_t>(format.size()));
        std::memcpy(d.sourceFormat.data, format.data(), format.size());
    }

    // Feeds pieces of at most `piece` bytes of each chunk, decoding after each.
    static std::vector<std::int16_t> decodeAll(Media::AudioDecompressor& d, const Stream& s, std::size_t piece) {
        std::vector<std::int16_t> out;
        for (const auto& chunk : s.chunks) {
            for (std::size_t at = 0; at < chunk.data.size(); at += piece) {
                const auto size = static_cast<std::uint32_t>(std::min(piece, chunk.data.size() - at));
                d.insertSourceData(chunk.data.data() + at, size);
                d.decode();
                EXPECT_EQ(d.remaining, static_cast<int>(d.header.cbDstLengthUsed));
                const auto* decoded = reinterpret_cast<const std::int16_t*>(d.destinationBuffer.data);
                out.insert(out.end(), decoded, decoded + d.header.cbDstLengthUsed / 2);
            }
        }
        return out;
    }

    static inline std::unique_ptr<MediaTest::TempFolder> folder;
};

TEST_F(AudioDecompressorTest, DecodesToTheSamePcmAsFfmpeg) {
    struct Case {
        const char* file;
        std::size_t piece;  // bytes per insert: AVI readers insert chunks, the WAV reader seconds
    };
    const Case cases[] = {
        {"mp3.avi", 1u << 20}, {"mp3.wav", 1000},     {"mp3.wav", 12000},  {"aac.avi", 1u << 20},
        {"adpcm_ms.wav", 1500}, {"adpcm_ima.avi", 1u << 20}, {"s24.wav", 44100 * 6}, {"f32.wav", 7000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " in pieces of " + std::to_string(c.piece));
        const Stream s = audio(c.file);
        ASSERT_FALSE(s.chunks.empty());
        Media::AudioDecompressor d;
        setFormat(d, s.format);
        ASSERT_TRUE(d.initialize());
        EXPECT_EQ(d.outputFormat.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(d.outputFormat.nChannels, 2);
        EXPECT_EQ(d.outputFormat.nSamplesPerSec, 44100u);
        EXPECT_EQ(d.outputFormat.wBitsPerSample, 16);
        EXPECT_EQ(d.outputFormat.nBlockAlign, 4);
        EXPECT_EQ(d.outputFormat.nAvgBytesPerSec, 176400u);
        EXPECT_EQ(d.sourceBuffer.size, 352800u);
        const std::vector<std::int16_t> got = decodeAll(d, s, c.piece);
        const std::vector<std::int16_t> want = reference(c.file);
        ASSERT_EQ(got.size(), want.size());
        int worst = 0;
        for (std::size_t i = 0; i < got.size(); ++i) worst = std::max(worst, std::abs(got[i] - want[i]));
        EXPECT_LE(worst, 1);
    }
}

TEST_F(AudioDecompressorTest, FormatsWithoutACodec) {
    Media::AudioDecompressor d;
    EXPECT_FALSE(d.initialize());  // no source format
    // Plain PCM never reaches a codec; the reader copies it.
    setFormat(d, audio("s16.wav").format);
    EXPECT_FALSE(d.initialize());
    std::vector<std::uint8_t> unknown = audio("mp3.wav").format;
    unknown[0] = 0x34;
    unknown[1] = 0x12;
    setFormat(d, unknown);
    EXPECT_FALSE(d.initialize());
    EXPECT_FALSE(d.prepared);
    // An extensible format whose SubFormat is no WAVE tag.
    std::vector<std::uint8_t> extensible = audio("s24.wav").format;
    ASSERT_EQ(extensible.size(), 40u);
    extensible[24 + 6] ^= 0xFF;
    setFormat(d, extensible);
    EXPECT_FALSE(d.initialize());
    // Nothing happens in decode without a prepared stream.
    d.decode();
    EXPECT_EQ(d.remaining, 0);
}

TEST_F(AudioDecompressorTest, PartialBlocksWaitAndTheSourceRoomIsChecked) {
    const Stream s = audio("adpcm_ms.wav");
    const std::vector<std::uint8_t>& data = s.chunks.at(0).data;
    Media::AudioDecompressor d;
    setFormat(d, s.format);
    ASSERT_TRUE(d.initialize());
    const std::uint32_t block = 1024;

    // One block and 200 bytes: the block is decoded, the 200 bytes move to the front.
    d.insertSourceData(data.data(), block + 200);
    d.decode();
    EXPECT_EQ(d.header.cbSrcLengthUsed, block);
    EXPECT_EQ(d.header.cbSrcLength, 200u);
    EXPECT_EQ(std::memcmp(d.sourceBuffer.data, data.data() + block, 200), 0);
    const int firstBlock = d.remaining;
    EXPECT_GT(firstBlock, 0);
    d.insertSourceData(data.data() + block + 200, block - 200);
    EXPECT_EQ(std::memcmp(d.sourceBuffer.data + 200, data.data() + block + 200, block - 200), 0);
    d.decode();
    EXPECT_EQ(d.header.cbSrcLength, 0u);
    EXPECT_EQ(d.remaining, firstBlock);

    // The source takes two seconds of output's worth, not a byte more.
    std::vector<std::uint8_t> filler(d.sourceRoom(), 0);
    d.insertSourceData(filler.data(), static_cast<std::uint32_t>(filler.size()));
    try {
        d.insertSourceData(filler.data(), 1);
        FAIL() << "no exception";
    } catch (const System::Exception& e) {
        EXPECT_STREQ(e.what(), "not enough source buffer.\n\n[Place]\nMedia::AudioDecompressor::insertSourceData()");
    }
    d.clearSource();
    EXPECT_EQ(d.header.cbSrcLength, 0u);
    d.close();
    EXPECT_FALSE(d.prepared);
    EXPECT_EQ(d.sourceFormat.data, nullptr);
    EXPECT_EQ(d.sourceBuffer.data, nullptr);
}

TEST_F(AudioDecompressorTest, AJumpStartsAfresh) {
    // Drop the pending bytes mid-frame, then feed from a later frame start:
    // the output matches ffmpeg's from there on.
    const Stream s = audio("mp3.avi");
    ASSERT_GT(s.chunks.size(), 10u);
    Media::AudioDecompressor d;
    setFormat(d, s.format);
    ASSERT_TRUE(d.initialize());
    d.insertSourceData(s.chunks[0].data.data(), 100);
    d.decode();
    d.clearSource();
    Stream tail = s;
    tail.chunks.erase(tail.chunks.begin(), tail.chunks.begin() + 5);
    const std::vector<std::int16_t> got = decodeAll(d, tail, 1u << 20);
    Media::AudioDecompressor fresh;
    setFormat(fresh, s.format);
    ASSERT_TRUE(fresh.initialize());
    EXPECT_EQ(got, decodeAll(fresh, tail, 1u << 20));
}

TEST_F(AudioDecompressorTest, AFullSourceBufferIsParsedWithinItsBytes) {
    // The parser reads ahead of the bytes it is given: a source buffer
    // filled to its last byte (here ending inside a frame) must be followed
    // by padding, or the read runs past the block (seen under ASan).
    const Stream s = audio("mp3.wav");
    const std::vector<std::uint8_t>& data = s.chunks.at(0).data;
    Media::AudioDecompressor d;
    setFormat(d, s.format);
    ASSERT_TRUE(d.initialize());
    std::vector<std::uint8_t> full;
    while (full.size() < d.sourceRoom()) full.insert(full.end(), data.begin(), data.end());
    full.resize(d.sourceRoom());
    d.insertSourceData(full.data(), static_cast<std::uint32_t>(full.size()));
    d.decode();
    const std::vector<std::int16_t> want = reference("mp3.wav");
    ASSERT_GE(d.header.cbDstLengthUsed / 2, want.size());
    const auto* got = reinterpret_cast<const std::int16_t*>(d.destinationBuffer.data);
    int worst = 0;
    for (std::size_t i = 0; i < want.size() / 2; ++i) worst = std::max(worst, std::abs(got[i] - want[i]));
    EXPECT_LE(worst, 1);
}

TEST_F(AudioDecompressorTest, HeadersBeyondRealFilesAreRefused) {
    // Up to 64 channels, 1 kHz to 768 kHz, 64 channels at 192 kHz in all.
    // Sizes are worked out in 64 bits: 4 bytes × (2^30 + 11025) Hz used to
    // wrap to 44100 bytes a second and pass.
    struct Case {
        WORD channels;
        DWORD rate;
        DWORD sourceBytes;  // 0: refused
    };
    const Case cases[] = {
        {2, 44100, 352800},
        {2, 768000, 6144000},
        {64, 192000, 49152000},
        {1, 1000, 4000},
        {2, (1u << 30) + 11025, 0},
        {2, 0xFFFFFFFF, 0},
        {2, 768001, 0},
        {1, 999, 0},
        {64, 192001, 0},
        {65, 8000, 0},
        {0, 44100, 0},
        {0xFFFF, 44100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels at " << c.rate);
        std::vector<std::uint8_t> format = audio("mp3.wav").format;
        std::memcpy(format.data() + 2, &c.channels, 2);
        std::memcpy(format.data() + 4, &c.rate, 4);
        Media::AudioDecompressor d;
        setFormat(d, format);
        EXPECT_EQ(d.initialize(), c.sourceBytes != 0);
        EXPECT_EQ(d.prepared, c.sourceBytes != 0);
        EXPECT_EQ(d.sourceBuffer.size, c.sourceBytes);
    }
}

}  // namespace
