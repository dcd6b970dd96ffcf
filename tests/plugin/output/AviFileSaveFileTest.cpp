#include "plugin/output/AviFileSaveFile.h"

#include "plugin/input/AviFileInput.h"
#include "plugin/input/AviFileReader.h"
#include "plugin/output/OutputTestSupport.h"

#include "core/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace OutputTest;

// 6x4 at 30 fps, 48000 Hz: 1600 sample frames per frame.
Plugin::OutputSceneInfo smallScene(int frames) {
    Plugin::OutputSceneInfo scene;
    scene.lastFrame = frames - 1;
    scene.rate = 30;
    scene.scale = 1;
    scene.audioRate = 48000;
    scene.width = 6;
    scene.height = 4;
    return scene;
}

class AviWriter : public ::testing::Test {
protected:
    std::string write(int frames, int videoFormat, std::uint32_t audioTag, std::uint64_t riffLimit = 0x7E000000,
                      const std::string& name = "out.avi") {
        const std::string path = folder.file(name);
        Plugin::AviFileSaveFile file(std::filesystem::path(path).wstring(), smallScene(frames), source, videoFormat,
                                     audioTag);
        file.riffLimit = riffLimit;
        if (cancelAt >= 0) source->onVideo = [&](int f) { if (f == cancelAt) file.cancel = true; };
        EXPECT_TRUE(file.save());
        bytes = MediaTest::readFile(path);
        chunks = walk(bytes, 0, bytes.size());
        return path;
    }

    MediaTest::TempFolder folder;
    std::shared_ptr<PatternSource> source = std::make_shared<PatternSource>(6, 4, 1600);
    int cancelAt = -1;
    Bytes bytes;
    std::vector<Chunk> chunks;
    CoreTest::LogLines log;
};

Bytes expectedRgb(int frames, bool alpha) {
    Bytes out;
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const auto p = pixel(f, x, y);
                out.insert(out.end(), p.begin(), p.begin() + (alpha ? 4 : 3));
            }
    return out;
}

Bytes expectedPcm16(int frames) {
    Bytes out;
    for (std::int64_t s = 0; s < std::int64_t{frames} * 1600; ++s)
        for (int c = 0; c < 2; ++c) {
            const std::int16_t v = sample(s, c);
            const auto* p = reinterpret_cast<const std::uint8_t*>(&v);
            out.insert(out.end(), p, p + 2);
        }
    return out;
}

// Offsets worked out by hand from the chunk sizes: the header lists end at
// 3862, the alignment JUNK there holds 214 bytes, so the movi list's form
// type sits at 4092 and its first chunk at 4096.
TEST_F(AviWriter, HeaderLayoutAndIndexOfASmallFile) {
    write(3, 88, 1);
    ASSERT_GT(bytes.size(), 4096u);
    EXPECT_EQ(id(bytes, 0), "RIFF");
    EXPECT_EQ(u32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(id(bytes, 8), "AVI ");
    EXPECT_EQ(id(bytes, 12), "LIST");
    EXPECT_EQ(u32(bytes, 16), 3862u - 20u);
    EXPECT_EQ(id(bytes, 24), "avih");
    EXPECT_EQ(u32(bytes, 32), 33333u);     // microseconds per frame
    EXPECT_EQ(u32(bytes, 32 + 12), 0x810u);  // has index, trust chunk type
    EXPECT_EQ(u32(bytes, 32 + 16), 3u);     // total frames
    EXPECT_EQ(u32(bytes, 32 + 24), 2u);     // streams
    EXPECT_EQ(u32(bytes, 32 + 32), 6u);
    EXPECT_EQ(u32(bytes, 32 + 36), 4u);
    EXPECT_EQ(id(bytes, 88), "LIST");
    EXPECT_EQ(id(bytes, 96), "strl");
    EXPECT_EQ(id(bytes, 100), "strh");
    EXPECT_EQ(id(bytes, 108), "vids");
    EXPECT_EQ(u32(bytes, 108 + 32), 3u);           // length
    EXPECT_EQ(u32(bytes, 108 + 36), 80u);  // 18-byte rows padded to 20, four rows
    EXPECT_EQ(id(bytes, 1852 - 1632), "JUNK");    // video super index reservation
    EXPECT_EQ(u32(bytes, 1852 - 1632 + 4), 1624u);
    EXPECT_EQ(id(bytes, 1864 + 8), "auds");
    EXPECT_EQ(u32(bytes, 1864 + 8 + 20), 4u);       // scale = block alignment
    EXPECT_EQ(u32(bytes, 1864 + 8 + 24), 192000u);  // rate
    EXPECT_EQ(u32(bytes, 1864 + 8 + 32), 4800u);    // length in sample frames
    EXPECT_EQ(u32(bytes, 1864 + 8 + 44), 4u);       // sample size
    EXPECT_EQ(id(bytes, 3594), "JUNK");             // OpenDML reservation
    EXPECT_EQ(id(bytes, 3602), "odml");
    EXPECT_EQ(id(bytes, 3862), "JUNK");
    EXPECT_EQ(u32(bytes, 3866), 214u);
    EXPECT_EQ(id(bytes, 4084), "LIST");
    EXPECT_EQ(id(bytes, 4092), "movi");
    EXPECT_EQ(id(bytes, 4096), "00db");
    EXPECT_EQ(u32(bytes, 4100), 80u);
    EXPECT_EQ(id(bytes, 4096 + 88), "01wb");
    EXPECT_EQ(u32(bytes, 4096 + 92), 6400u);

    const auto idx1 = select(chunks, "idx1");
    ASSERT_EQ(idx1.size(), 1u);
    ASSERT_EQ(idx1[0].size, 6u * 16);
    std::uint32_t expectedOffset = 4;  // from the movi form type
    for (int i = 0; i < 6; ++i) {
        const std::size_t e = idx1[0].data() + 16 * i;
        const bool video = i % 2 == 0;
        EXPECT_EQ(id(bytes, e), video ? "00db" : "01wb");
        EXPECT_EQ(u32(bytes, e + 4), 0x10u);
        EXPECT_EQ(u32(bytes, e + 8), expectedOffset);
        EXPECT_EQ(u32(bytes, e + 12), video ? 80u : 6400u);
        expectedOffset += 8 + (video ? 80 : 6400);
    }
    EXPECT_TRUE(select(chunks, "indx").empty());
    EXPECT_TRUE(select(chunks, "ix00").empty());
    EXPECT_TRUE(source->lastStraightAlpha);
}

// ffmpeg reads the files back as the stream written: tag, size, rate, frame
// count, and the decoded pictures and sound equal the source's.
TEST_F(AviWriter, FilesReadBackWithFfmpeg) {
    struct Case {
        int format;
        std::uint32_t audio;
        const char* tag;
        const char* pixFmt;
        const char* sampleFmt;
    };
    const Case cases[] = {
        {88, 1, "[0][0][0][0]", "bgr24", "s16le"},
        {87, 3, "[0][0][0][0]", "bgra", "f32le"},
        {107, 1, "YUY2", "yuyv422", "s16le"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const std::string path = write(5, c.format, c.audio, 0x7E000000, std::to_string(c.format) + ".avi");
        auto video = probeStream(path, "v:0");
        EXPECT_EQ(video["codec_tag_string"], c.tag);
        EXPECT_EQ(video["width"], "6");
        EXPECT_EQ(video["height"], "4");
        EXPECT_EQ(video["r_frame_rate"], "30/1");
        EXPECT_EQ(video["nb_read_frames"], "5");
        auto audio = probeStream(path, "a:0");
        EXPECT_EQ(audio["sample_rate"], "48000");
        EXPECT_EQ(audio["channels"], "2");

        const std::string raw = folder.file("video.raw");
        ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:v -f rawvideo -pix_fmt " + c.pixFmt + " " + raw));
        Bytes expected;
        if (c.format == 107) {
            for (int f = 0; f < 5; ++f) {
                auto image = source->getVideoFrame(f, 107, true);
                for (int y = 0; y < 4; ++y)
                    expected.insert(expected.end(), image->pixels.data + y * image->pitch,
                                    image->pixels.data + y * image->pitch + 12);
            }
        } else {
            expected = expectedRgb(5, c.format == 87);
        }
        EXPECT_EQ(MediaTest::readFile(raw), expected);

        const std::string pcm = folder.file("audio.raw");
        ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:a -f " + std::string(c.sampleFmt) + " " + pcm));
        const Bytes sound = MediaTest::readFile(pcm);
        if (c.audio == 1) {
            EXPECT_EQ(sound, expectedPcm16(5));
        } else {
            ASSERT_EQ(sound.size(), 5u * 1600 * 8);
            const float first = sample(0, 1) / 32768.0f;
            float got;
            std::memcpy(&got, &sound[4], 4);
            EXPECT_EQ(got, first);
        }
    }
}

// The 64-bit forms have no reader at hand: their chunks hold the picture's
// rows top-down, as the source laid them out.
TEST_F(AviWriter, SixtyFourBitFormsWriteTopDownRows) {
    for (auto [format, tag] : {std::pair{11, "PA64"}, std::pair{10, "HF64"}}) {
        SCOPED_TRACE(tag);
        write(2, format, 1, 0x7E000000, std::string(tag) + ".avi");
        const auto strf = select(chunks, "strf");
        ASSERT_EQ(strf.size(), 2u);
        EXPECT_EQ(u32(bytes, strf[0].data() + 4), 6u);
        EXPECT_EQ(u32(bytes, strf[0].data() + 8), 4u);  // positive height
        EXPECT_EQ(bytes[strf[0].data() + 14], 64);
        EXPECT_EQ(id(bytes, strf[0].data() + 16), tag);
        const auto frames = select(chunks, "00db");
        ASSERT_EQ(frames.size(), 2u);
        for (int f = 0; f < 2; ++f) {
            ASSERT_EQ(frames[f].size, 6u * 8 * 4);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 6; ++x)
                    for (int c = 0; c < 4; ++c) {
                        std::uint16_t v;
                        std::memcpy(&v, &bytes[frames[f].data() + y * 48 + x * 8 + c * 2], 2);
                        ASSERT_EQ(v, pixel(f, x, y)[c] * 257 + f);
                    }
        }
    }
}

// Our own reader takes the file back too.
TEST_F(AviWriter, OwnReaderReadsTheFile) {
    const std::string path = write(4, 88, 1);
    Plugin::AviFileReader reader;
    auto input = reader.open(std::filesystem::path(path).wstring().c_str(), 0);
    ASSERT_TRUE(input);
    EXPECT_EQ(input->frameCount, 4);
    EXPECT_EQ(input->width, 6);
    EXPECT_EQ(input->height, 4);
    EXPECT_EQ(input->sampleCount, 6400);
    auto image = input->readVideo(2);
    ASSERT_TRUE(image);
    const std::uint8_t* p = image->pixels.data + 3 * image->pitch + 5 * 4;
    const auto e = pixel(2, 5, 3);
    EXPECT_EQ((std::array<int, 3>{p[0], p[1], p[2]}), (std::array<int, 3>{e[0], e[1], e[2]}));
}

// A lowered RIFF limit makes a file of several RIFF chunks; ffmpeg reads it
// whole through the OpenDML indexes.
TEST_F(AviWriter, OpenDmlFileAcrossSeveralRiffChunks) {
    // Each frame adds 88 + 6408 bytes; the first RIFF ends after the frame
    // that takes it past 20000 bytes: frame index 2 (4096 + 3 x 6496 = 23584).
    const std::string path = write(10, 88, 1, 20000);
    const auto riffs = select(chunks, "RIFF");
    ASSERT_GE(riffs.size(), 3u);
    EXPECT_EQ(riffs[0].type, "AVI ");
    for (std::size_t i = 1; i < riffs.size(); ++i) EXPECT_EQ(riffs[i].type, "AVIX");
    EXPECT_EQ(riffs.back().pos + 8 + riffs.back().size, bytes.size());

    const auto movis = select(chunks, "movi");
    ASSERT_EQ(movis.size(), riffs.size());
    for (const auto& m : movis) EXPECT_EQ((m.pos + 12) % 2048, 0u) << m.pos;
    EXPECT_EQ(select(chunks, "idx1").size(), 1u);
    EXPECT_LT(select(chunks, "idx1")[0].pos, riffs[1].pos);
    EXPECT_EQ(select(chunks, "ix00").size(), riffs.size());
    EXPECT_EQ(select(chunks, "ix01").size(), riffs.size());

    const auto indx = select(chunks, "indx");
    ASSERT_EQ(indx.size(), 2u);
    EXPECT_EQ(select(chunks, "JUNK").size(), riffs.size());  // only the alignment ones remain
    std::uint32_t totalDuration = 0;
    for (std::uint32_t e = 0; e < u32(bytes, indx[0].data() + 4); ++e) {
        const std::size_t entry = indx[0].data() + 24 + 16 * e;
        const std::uint64_t at = u64(bytes, entry);
        EXPECT_EQ(id(bytes, at), "ix00");
        EXPECT_EQ(u32(bytes, entry + 8), u32(bytes, at + 4));
        totalDuration += u32(bytes, entry + 12);
    }
    EXPECT_EQ(u32(bytes, indx[0].data() + 4), riffs.size());
    EXPECT_EQ(totalDuration, 10u);

    const auto odml = select(chunks, "odml");
    ASSERT_EQ(odml.size(), 1u);
    EXPECT_EQ(u32(bytes, odml[0].data() + 12), 10u);  // dmlh total frames
    EXPECT_EQ(u32(bytes, 32 + 16), 3u);                  // avih: the first RIFF's frames only
    EXPECT_EQ(u32(bytes, 108 + 32), 10u);                // video strh length

    auto video = probeStream(path, "v:0");
    EXPECT_EQ(video["nb_read_frames"], "10");
    const std::string raw = folder.file("video.raw");
    ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:v -f rawvideo -pix_fmt bgr24 " + raw));
    EXPECT_EQ(MediaTest::readFile(raw), expectedRgb(10, false));
    const std::string pcm = folder.file("audio.raw");
    ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:a -f s16le " + pcm));
    EXPECT_EQ(MediaTest::readFile(pcm), expectedPcm16(10));
}

// A frame without picture keeps its place as an empty chunk; one without
// sound becomes silence of its length; both are logged.
TEST_F(AviWriter, MissingFramesKeepTheirPlace) {
    source->noPicture = {1};
    source->noSound = {2};
    write(4, 88, 1);
    const auto frames = select(chunks, "00db");
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[1].size, 0u);
    EXPECT_EQ(frames[2].size, 80u);
    const auto sound = select(chunks, "01wb");
    ASSERT_EQ(sound.size(), 4u);
    EXPECT_EQ(sound[2].size, 6400u);
    EXPECT_EQ(Bytes(bytes.begin() + sound[2].data(), bytes.begin() + sound[2].data() + 6400), Bytes(6400, 0));
    EXPECT_EQ(u32(bytes, 32 + 16), 4u);
    EXPECT_EQ(u32(bytes, 1872 + 32), 6400u);
    const std::string tag = "Plugin::AviFileSaveFile::save";
    EXPECT_EQ(log.count(System::Log::WARN, tag, "no picture for frame 1; written as an empty frame"), 1);
    EXPECT_EQ(log.count(System::Log::WARN, tag, "no sound for frame 2; written as silence"), 1);
}

TEST_F(AviWriter, EmptyRangeGivesHeadersOnly) {
    Plugin::OutputSceneInfo scene = smallScene(10);
    scene.selectionStart = 5;
    scene.selectionEnd = 3;  // ends before it starts
    const std::string path = folder.file("empty.avi");
    Plugin::AviFileSaveFile file(std::filesystem::path(path).wstring(), scene, source, 88, 1);
    EXPECT_LE(file.frameCount, 0);
    EXPECT_TRUE(file.save());
    bytes = MediaTest::readFile(path);
    chunks = walk(bytes, 0, bytes.size());
    EXPECT_EQ(select(chunks, "movi")[0].size, 4u);
    EXPECT_EQ(select(chunks, "idx1")[0].size, 0u);
    EXPECT_EQ(bytes.size(), 4096u + 8u);
    EXPECT_TRUE(source->videoRequests.empty());
}

// A cancel ends the file before the next frame; what was written is a
// complete, shorter file.
TEST_F(AviWriter, CancelledExportIsACompleteShorterFile) {
    cancelAt = 2;
    const std::string path = write(8, 88, 1);
    EXPECT_EQ(source->videoRequests, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(probeStream(path, "v:0")["nb_read_frames"], "3");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

// A write failure (file size limit, as on a full disk) ends the export with
// the error; the old file stays and no temporary file is left.
TEST_F(AviWriter, WriteFailureKeepsTheOldFile) {
    const std::string path = folder.file("old.avi");
    CoreTest::writeBytes(path, "old");
    {
        CoreTest::FileSizeLimit limit(20000);
        Plugin::AviFileSaveFile file(std::filesystem::path(path).wstring(), smallScene(10), source, 88, 1);
        EXPECT_THROW(file.save(), System::Exception);
    }
    EXPECT_EQ(CoreTest::readBytes(path), "old");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

}  // namespace
