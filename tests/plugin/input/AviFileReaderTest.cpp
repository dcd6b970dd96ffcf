#include "plugin/input/AviFileReader.h"
#include "plugin/input/AviFileInput.h"

#include "media/audio/AudioBlockBuffer.h"
#include "media/image/ImageBuffer.h"
#include "plugin/PluginTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using namespace PluginTest;
using Layout = AviLayout;

class AviReader : public ::testing::Test {
protected:
    std::shared_ptr<Plugin::AviFileInput> open(const std::string& path) {
        return std::dynamic_pointer_cast<Plugin::AviFileInput>(reader.open(std::filesystem::path(path).wstring().c_str(), 0));
    }
    std::shared_ptr<Plugin::AviFileInput> build(const Layout& layout, const std::string& name = "a.avi") {
        writeAvi(folder.file(name), layout);
        return open(folder.file(name));
    }

    MediaTest::TempFolder folder;
    Plugin::AviFileReader reader;
    CoreTest::LogLines log;
};

// The pixel (x, y) of a B8G8R8X8 picture as 0xRRGGBB.
std::uint32_t bgr(const Media::ImageBuffer& image, int x, int y) {
    const std::uint8_t* p = image.pixels.data + static_cast<std::size_t>(y) * image.pitch + static_cast<std::size_t>(x) * 4;
    return static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

std::uint32_t expectedPixel(int frame, int x, int y) {
    return static_cast<std::uint32_t>(200 - 5 * frame) << 16 | static_cast<std::uint32_t>(20 + y) << 8 |
           static_cast<std::uint32_t>(10 * frame + x);
}

void expectFrame(Plugin::AviFileInput& file, int read, int shown) {
    const auto image = file.readVideo(read);
    ASSERT_TRUE(image);
    for (int y = 0; y < file.height; ++y)
        for (int x = 0; x < file.width; ++x)
            ASSERT_EQ(bgr(*image, x, y), expectedPixel(shown, x, y)) << "frame " << read << " at " << x << "," << y;
}

// Sample i of the built stream is i; blocks are one second (8000 samples).
void expectSoundBlock(Plugin::AviFileInput& file, int block, std::int64_t total) {
    const auto sound = file.readAudio(block);
    ASSERT_TRUE(sound);
    ASSERT_EQ(sound->samples, 8000u);
    const float* left = sound->getChannel(0);
    for (int i = 0; i < 8000; ++i) {
        const std::int64_t n = std::int64_t{block} * 8000 + i;
        const float want = n < total ? static_cast<float>(static_cast<std::int16_t>(n)) / 32768.0f : 0.0f;
        ASSERT_EQ(left[i], want) << "block " << block << " sample " << i;
    }
}

TEST_F(AviReader, EveryIndexKindFindsTheSameFramesAndSound) {
    struct Case {
        const char* name;
        Layout::Index index;
        std::uint64_t secondRiff;
    };
    const Case cases[] = {
        {"idx1 relative to movi", Layout::Index::Relative, 0},
        {"idx1 with absolute offsets", Layout::Index::Absolute, 0},
        {"no index: the movie list is scanned", Layout::Index::None, 0},
        {"OpenDML standard indexes", Layout::Index::OpenDml, 0},
        // The second RIFF part lies past 1.1 GB (a hole), reached only
        // through the 64-bit index offsets.
        {"OpenDML beyond the first RIFF", Layout::Index::OpenDml, 0x46000000ull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout;
        layout.frames = 20;
        layout.fps = 4;
        layout.index = c.index;
        layout.secondRiff = c.secondRiff;
        const auto file = build(layout);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->flags, 3);
        EXPECT_EQ(file->frameCount, 20);
        EXPECT_EQ(file->rate, 4u);
        EXPECT_EQ(file->scale, 1u);
        EXPECT_EQ(file->width, 5);
        EXPECT_EQ(file->height, 3);
        EXPECT_EQ(file->pixelFormat, 88);
        EXPECT_EQ(file->sampleCount, 40000);
        EXPECT_EQ(file->sampleRate, 8000);
        EXPECT_EQ(file->channels, 1);
        EXPECT_EQ(file->bitsPerSample, 16);
        EXPECT_EQ(file->audioFormat, 1);
        expectFrame(*file, 0, 0);
        expectFrame(*file, 13, 13);
        expectFrame(*file, 19, 19);
        expectSoundBlock(*file, 3, 40000);
        expectSoundBlock(*file, 1, 40000);
        expectSoundBlock(*file, 4, 40000);
    }
}

TEST_F(AviReader, IndexesWithoutTheOpenDmlListAreNotUsed) {
    Layout layout;
    layout.frames = 8;
    layout.index = Layout::Index::OpenDml;
    layout.odmlList = false;
    layout.secondRiff = 0x100000;
    const auto file = build(layout);
    ASSERT_TRUE(file);
    // Only the first part's movie list is scanned.
    EXPECT_EQ(file->frameCount, 4);
    EXPECT_EQ(log.count(System::Log::INFO, "Plugin::AviFileInput::FileParse::open", "invalid video frame num info."), 1);
    EXPECT_EQ(log.count(System::Log::INFO, "Plugin::AviFileInput::FileParse::open", "invalid audio sample num info."), 1);
    EXPECT_EQ(file->sampleCount, 8000);
    expectFrame(*file, 3, 3);
}

TEST_F(AviReader, FramesOutsideTheStreamAreClampedAndShortHeadersLowered) {
    Layout layout;
    layout.frames = 9;
    layout.claimedFrames = 1000;
    const auto file = build(layout);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->frameCount, 9);
    expectFrame(*file, -5, 0);
    expectFrame(*file, 9 + 7, 8);
    // A block past the end of the index is silent.
    expectSoundBlock(*file, 5, 9 * 2000);
    expectSoundBlock(*file, 2, 9 * 2000);
}

TEST_F(AviReader, FilesWithoutAUsableStreamAreDeclined) {
    // An 8-bit uncompressed stream has no video; alone, the file is declined.
    Writer w;
    const std::size_t riff = w.open("RIFF", "AVI ");
    const std::size_t hdrl = w.open("LIST", "hdrl");
    const std::size_t strl = w.open("LIST", "strl");
    w.chunk("strh", streamHeader("vids", 0, 1, 25, 1, 0));
    w.chunk("strf", bitmapFormat(4, 4, 8));
    w.close(strl);
    w.close(hdrl);
    const std::size_t movi = w.open("LIST", "movi");
    w.chunk("00db", Bytes(16, 7));
    w.close(movi);
    w.close(riff);
    writeFile(folder.file("8bit.avi"), w.bytes);
    EXPECT_FALSE(open(folder.file("8bit.avi")));

    const struct {
        const char* name;
        Bytes bytes;
        const char* error;
    } broken[] = {
        {"not RIFF", Bytes{'R', 'I', 'F', 'X', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, "invalid RIFF file."},
        {"a WAVE form", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, "AVI chunk not found."},
        {"no header list", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, "hdrl chunk not found."},
        {"truncated header", Bytes{'R', 'I', 'F'}, nullptr},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.name);
        log.clear();
        writeFile(folder.file("broken.avi"), b.bytes);
        EXPECT_FALSE(open(folder.file("broken.avi")));
        if (b.error) {
            bool logged = false;
            for (const auto& line : log.of(System::Log::ERROR))
                logged |= line.text.find(b.error) != std::string::npos;
            EXPECT_TRUE(logged);
        }
    }
}

TEST_F(AviReader, ASoundStreamWithAbsurdRatesIsRefused) {
    // Length and scale at their largest over a rate of 1: some 10^28
    // samples, which no count holds.
    Writer w;
    const std::size_t riff = w.open("RIFF", "AVI ");
    const std::size_t hdrl = w.open("LIST", "hdrl");
    const std::size_t strl = w.open("LIST", "strl");
    w.chunk("strh", streamHeader("auds", 0, 0xFFFFFFFFu, 1, 0xFFFFFFFFu, 2));
    w.chunk("strf", waveFormat(1, 1, 8000, 16));
    w.close(strl);
    w.close(hdrl);
    const std::size_t movi = w.open("LIST", "movi");
    w.chunk("00wb", Bytes(16, 7));
    w.close(movi);
    w.close(riff);
    writeFile(folder.file("rates.avi"), w.bytes);
    EXPECT_FALSE(open(folder.file("rates.avi")));
    EXPECT_EQ(log.count(System::Log::INFO, "Plugin::AviFileInput::FileParse::getAudioStreamHeader",
                        "invalid audio stream rate."),
              1);
}

TEST_F(AviReader, TruncatedFilesReadWhatIsThere) {
    Layout layout;
    layout.frames = 10;
    layout.index = Layout::Index::None;
    writeAvi(folder.file("full.avi"), layout);
    Bytes bytes = MediaTest::readFile(folder.file("full.avi"));
    // Cut inside frame 5's data: five whole frames and a partial one remain.
    const std::size_t frameChunk = 8 + ((5 * 3 + 3) & ~3) * 3;
    const std::size_t soundChunk = 8 + 2 * 2000;
    bytes.resize(bytes.size() - 5 * (frameChunk + soundChunk) + 8 + 20);
    writeFile(folder.file("cut.avi"), bytes);
    const auto file = open(folder.file("cut.avi"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->frameCount, 6);
    expectFrame(*file, 4, 4);
    EXPECT_EQ(file->videoIndex[5].size, 20u);
    const auto last = file->readVideo(5);  // partial data: no read past the end
    ASSERT_TRUE(last);
    EXPECT_EQ(file->sampleCount, 5 * 2000);
    expectSoundBlock(*file, 1, 5 * 2000);
}

// Frames of an ffmpeg-made file, decoded by ffmpeg as the reference.
class AviFromFfmpeg : public AviReader {
protected:
    static constexpr const char* kSource = "-f lavfi -i testsrc=size=64x48:rate=10:duration=3 ";
    static constexpr const char* kSound = "-f lavfi -i sine=frequency=300:sample_rate=22050:duration=3 ";

    // Mean absolute difference of two byte blocks of equal size.
    static double difference(const std::uint8_t* a, const std::uint8_t* b, std::size_t size) {
        double sum = 0;
        for (std::size_t i = 0; i < size; ++i) sum += std::abs(int{a[i]} - int{b[i]});
        return sum / static_cast<double>(size);
    }

    Bytes referenceFrame(const std::string& path, int frame, const char* pixelFormat) {
        return decodeRaw(folder, path,
                         "-vf 'select=eq(n\\," + std::to_string(frame) + ")' -frames:v 1 -f rawvideo -pix_fmt " + pixelFormat);
    }
};

TEST_F(AviFromFfmpeg, MjpegVideoAndPcmSoundMatchTheSource) {
    const std::string path = folder.file("mjpeg.avi");
    ASSERT_TRUE(MediaTest::ffmpeg(std::string(kSource) + kSound + "-c:v mjpeg -q:v 2 -c:a pcm_s16le " + path));
    const auto file = open(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->flags, 3);
    EXPECT_EQ(file->frameCount, 30);
    EXPECT_EQ(static_cast<double>(file->rate) / file->scale, 10.0);
    EXPECT_EQ(file->width, 64);
    EXPECT_EQ(file->height, 48);
    EXPECT_EQ(file->pixelFormat, 107);  // YUY2 out of the codec
    EXPECT_EQ(file->sampleRate, 22050);
    EXPECT_EQ(file->sampleCount, 3 * 22050);

    const Bytes reference = referenceFrame(path, 17, "yuyv422");
    ASSERT_EQ(reference.size(), 64u * 48 * 2);
    const auto image = file->readVideo(17);
    ASSERT_TRUE(image);
    Bytes rows;
    for (int y = 0; y < 48; ++y) rows.insert(rows.end(), image->pixels.data + y * image->pitch, image->pixels.data + y * image->pitch + 128);
    EXPECT_LT(difference(rows.data(), reference.data(), rows.size()), 1.5);

    const Bytes samples = decodeRaw(folder, path, "-f s16le -acodec pcm_s16le");
    ASSERT_EQ(samples.size(), 3u * 22050 * 2);
    const auto sound = file->readAudio(1);
    ASSERT_TRUE(sound);
    ASSERT_EQ(sound->samples, 22050u);
    for (int i = 0; i < 22050; i += 97) {
        std::int16_t want;
        std::memcpy(&want, &samples[static_cast<std::size_t>(22050 + i) * 2], 2);
        ASSERT_EQ(sound->getChannel(0)[i], want / 32768.0f) << i;
    }
}

TEST_F(AviFromFfmpeg, RawVideoIsExact) {
    const std::string path = folder.file("raw.avi");
    ASSERT_TRUE(MediaTest::ffmpeg(std::string(kSource) + "-c:v rawvideo -pix_fmt bgr24 " + path));
    const auto file = open(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->flags, 1);
    EXPECT_EQ(file->pixelFormat, 88);
    const Bytes reference = referenceFrame(path, 21, "bgr24");
    ASSERT_EQ(reference.size(), 64u * 48 * 3);
    const auto image = file->readVideo(21);
    ASSERT_TRUE(image);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const std::uint8_t* want = &reference[static_cast<std::size_t>(y * 64 + x) * 3];
            const std::uint8_t* got = image->pixels.data + y * image->pitch + x * 4;
            ASSERT_TRUE(got[0] == want[0] && got[1] == want[1] && got[2] == want[2]) << x << "," << y;
        }
}

TEST_F(AviFromFfmpeg, SeekingToANonKeyFrameDecodesFromTheKeyFrameBefore) {
    const std::string path = folder.file("gop.avi");
    ASSERT_TRUE(MediaTest::ffmpeg(std::string(kSource) + "-c:v mpeg4 -g 8 -bf 0 -q:v 2 " + path));
    const Bytes reference = referenceFrame(path, 13, "yuyv422");
    ASSERT_EQ(reference.size(), 64u * 48 * 2);
    const auto picture = [&](Plugin::AviFileInput& file, int frame) {
        const auto image = file.readVideo(frame);
        Bytes rows;
        for (int y = 0; y < 48; ++y)
            rows.insert(rows.end(), image->pixels.data + y * image->pitch, image->pixels.data + y * image->pitch + 128);
        return rows;
    };
    // A fresh file, one that played the frames before, and one that jumps
    // back from later on: the same picture.
    const auto direct = open(path);
    ASSERT_TRUE(direct);
    ASSERT_EQ(direct->pixelFormat, 107);
    ASSERT_TRUE(direct->videoIndex[8].notKey == 0 && direct->videoIndex[13].notKey == 1);
    const Bytes jumped = picture(*direct, 13);
    EXPECT_LT(difference(jumped.data(), reference.data(), reference.size()), 0.5);

    const auto played = open(path);
    Bytes sequential;
    for (int f = 0; f <= 13; ++f) sequential = picture(*played, f);
    EXPECT_LT(difference(sequential.data(), reference.data(), reference.size()), 0.5);

    const auto back = open(path);
    picture(*back, 27);
    const Bytes returned = picture(*back, 13);
    EXPECT_LT(difference(returned.data(), reference.data(), reference.size()), 0.5);
    // The neighbours and the key frame differ enough that a wrong frame
    // would be caught.
    for (int f : {8, 12, 14}) EXPECT_GT(difference(picture(*back, f).data(), reference.data(), reference.size()), 1.0) << f;
}

}  // namespace
