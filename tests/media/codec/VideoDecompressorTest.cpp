#include "media/codec/VideoDecompressor.h"

#include "media/MediaFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using MediaTest::Stream;

constexpr FOURCC kYuy2 = mmioFOURCC('Y', 'U', 'Y', '2');

class VideoDecompressorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<MediaTest::TempFolder>();
        const std::string source = "-f lavfi -i testsrc=size=64x48:rate=10 -t 2 ";
        ASSERT_TRUE(MediaTest::ffmpeg(source + "-c:v mjpeg -q:v 4 " + folder->file("mjpeg.avi")));
        ASSERT_TRUE(MediaTest::ffmpeg(source + "-c:v libx264 -bf 2 -g 8 -pix_fmt yuv420p " + folder->file("h264.avi")));
        ASSERT_TRUE(MediaTest::ffmpeg(source + "-c:v utvideo -pix_fmt gbrp " + folder->file("utvideo.avi")));
        ASSERT_TRUE(MediaTest::ffmpeg(source + "-c:v rawvideo -pix_fmt bgr24 " + folder->file("raw.avi")));
    }
    static void TearDownTestSuite() { folder.reset(); }

    // ffmpeg's own decode of the file, every frame, in the given pixel format.
    static std::vector<std::uint8_t> reference(const std::string& name, const char* pixelFormat) {
        const std::string out = folder->file(name + "." + pixelFormat);
        EXPECT_TRUE(MediaTest::ffmpeg("-i " + folder->file(name) + " -vsync 0 -f rawvideo -pix_fmt " + pixelFormat +
                                      " " + out));
        return MediaTest::readFile(out);
    }

    static Stream video(const std::string& name) {
        const auto streams = MediaTest::readRiff(folder->file(name));
        const Stream* s = MediaTest::findStream(streams, "vids");
        return s ? *s : Stream{};
    }

    // Opens and begins as the AVI reader does: YUY2, else RGB 32, else RGB 24.
    static bool start(Media::VideoDecompressor& d, const Stream& s) {
        d.sourceFormat.allocMemory(static_cast<std::uint32_t>(s.format.size()));
        std::memcpy(d.sourceFormat.data, s.format.data(), s.format.size());
        if (!d.open(s.handler)) return false;
        return d.begin(kYuy2, 16) || d.begin(BI_RGB, 32) || d.begin(BI_RGB, 24);
    }

    // The output pixels as top-down rows.
    static std::vector<std::uint8_t> picture(const Media::VideoDecompressor& d) {
        const BITMAPINFOHEADER& h = d.outputFormat;
        const std::size_t height = std::abs(h.biHeight);
        const std::size_t row = h.biSizeImage / height;
        std::vector<std::uint8_t> out(d.outputPixels.data, d.outputPixels.data + h.biSizeImage);
        if (h.biCompression == BI_RGB && h.biHeight > 0)
            for (std::size_t y = 0; y < height / 2; ++y)
                std::swap_ranges(out.begin() + y * row, out.begin() + (y + 1) * row, out.end() - (y + 1) * row);
        return out;
    }

    // Decodes frames [first, last] in order, lending the following chunks,
    // and compares each picture with ffmpeg's frame.
    static void expectFrames(Media::VideoDecompressor& d, const Stream& s, const std::vector<std::uint8_t>& ref,
                             std::size_t first, std::size_t last) {
        std::size_t current = first;
        d.setPacketSource([&](std::uint32_t ahead, System::DataBuffer& bytes, bool& notKey) {
            const std::size_t n = current + ahead;
            if (n >= s.chunks.size()) return false;
            bytes.allocMemory(static_cast<std::uint32_t>(s.chunks[n].data.size()));
            if (bytes.size) std::memcpy(bytes.data, s.chunks[n].data.data(), bytes.size);
            notKey = !s.chunks[n].key;
            return true;
        });
        const std::size_t frameBytes = d.outputFormat.biSizeImage;
        for (current = first; current <= last; ++current) {
            SCOPED_TRACE(current);
            const auto& chunk = s.chunks[current];
            ASSERT_TRUE(d.decode(chunk.data.data(), static_cast<std::uint32_t>(chunk.data.size()), !chunk.key));
            ASSERT_GE(ref.size(), (current + 1) * frameBytes);
            const std::vector<std::uint8_t> want(ref.begin() + current * frameBytes, ref.begin() + (current + 1) * frameBytes);
            const std::vector<std::uint8_t> got = picture(d);
            int worst = 0;
            for (std::size_t i = 0; i < got.size(); ++i) worst = std::max(worst, std::abs(got[i] - want[i]));
            EXPECT_LE(worst, 1);
        }
    }

    static inline std::unique_ptr<MediaTest::TempFolder> folder;
};

TEST_F(VideoDecompressorTest, DecodesEveryFrameAsFfmpegDoes) {
    struct Case {
        const char* file;
        FOURCC compression;
        WORD bits;
        const char* pixelFormat;
    };
    const Case cases[] = {
        {"mjpeg.avi", kYuy2, 16, "yuyv422"},
        {"h264.avi", kYuy2, 16, "yuyv422"},
        // RGB codecs refuse YUY2 and give bottom-up RGB 32.
        {"utvideo.avi", BI_RGB, 32, "bgra"},
        {"raw.avi", BI_RGB, 32, "bgra"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const Stream s = video(c.file);
        ASSERT_EQ(s.chunks.size(), 20u);
        Media::VideoDecompressor d;
        ASSERT_TRUE(start(d, s));
        EXPECT_EQ(d.outputFormat.biCompression, c.compression);
        EXPECT_EQ(d.outputFormat.biBitCount, c.bits);
        EXPECT_EQ(d.outputFormat.biWidth, 64);
        EXPECT_EQ(std::abs(d.outputFormat.biHeight), 48);
        expectFrames(d, s, reference(c.file, c.pixelFormat), 0, s.chunks.size() - 1);
        d.close();
        EXPECT_FALSE(d.decompressing);
    }
}

TEST_F(VideoDecompressorTest, BottomUpBitmapsAreTurnedUpright) {
    // The same frames stored bottom-up, as bitmaps are by default.
    Stream s = video("raw.avi");
    BITMAPINFOHEADER h;
    std::memcpy(&h, s.format.data(), sizeof h);
    ASSERT_EQ(h.biHeight, -48);
    h.biHeight = 48;
    std::memcpy(s.format.data(), &h, sizeof h);
    const std::size_t row = 64 * 3;
    for (auto& chunk : s.chunks)
        for (std::size_t y = 0; y < 24; ++y)
            std::swap_ranges(chunk.data.begin() + y * row, chunk.data.begin() + (y + 1) * row, chunk.data.end() - (y + 1) * row);
    Media::VideoDecompressor d;
    ASSERT_TRUE(start(d, s));
    EXPECT_EQ(d.outputFormat.biHeight, 48);
    expectFrames(d, s, reference("raw.avi", "bgra"), 0, 4);
}

TEST_F(VideoDecompressorTest, ReorderingCodecAfterAJump) {
    const Stream s = video("h264.avi");
    ASSERT_FALSE(s.chunks[1].key);
    ASSERT_TRUE(s.chunks[8].key);
    const std::vector<std::uint8_t> ref = reference("h264.avi", "yuyv422");
    Media::VideoDecompressor d;
    ASSERT_TRUE(start(d, s));
    expectFrames(d, s, ref, 0, 5);
    // The reader jumps back to a key frame and decodes on from there.
    expectFrames(d, s, ref, 8, 11);
    expectFrames(d, s, ref, 0, 2);
    // To the end of the stream: the codec gives up what it held back.
    expectFrames(d, s, ref, 16, 19);
}

TEST_F(VideoDecompressorTest, WithoutLentPacketsAReorderingCodecLags) {
    const Stream s = video("h264.avi");
    Media::VideoDecompressor d;
    ASSERT_TRUE(start(d, s));
    // Frame 0 needs packets that follow it: no picture from the first call.
    EXPECT_FALSE(d.decode(s.chunks[0].data.data(), static_cast<std::uint32_t>(s.chunks[0].data.size()), false));
}

TEST_F(VideoDecompressorTest, EveryOutputDepthAtUnalignedWidths) {
    // The converter writes whole vector blocks past a row's end: at these
    // widths that used to run past the output block, or over the start of the
    // previous row of a bottom-up bitmap.
    struct Output {
        FOURCC fourcc;
        WORD bits;
        const char* pixelFormat;
        std::size_t bytesPerPixel;
    };
    const Output outputs[] = {
        {kYuy2, 16, "yuyv422", 2},
        {BI_RGB, 32, "bgra", 4},
        {BI_RGB, 24, "bgr24", 3},
    };
    struct Codec {
        const char* name;
        const char* options;
        bool evenWidthsOnly;
    };
    const Codec codecs[] = {
        {"mpeg4", "-c:v mpeg4", false},
        {"wmv2", "-c:v wmv2", true},
        {"mjpeg422", "-c:v mjpeg -pix_fmt yuvj422p", false},
    };
    constexpr int kHeight = 6;
    for (const Codec& codec : codecs) {
        for (const int width : {1016, 1017, 1018, 330}) {
            if (codec.evenWidthsOnly && width % 2) continue;
            const std::string file = std::string(codec.name) + "-" + std::to_string(width) + ".avi";
            SCOPED_TRACE(file);
            ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i testsrc=size=" + std::to_string(width) + "x" +
                                          std::to_string(kHeight) + ":rate=10 -t 0.3 " + codec.options + " " +
                                          folder->file(file)));
            const Stream s = video(file);
            ASSERT_EQ(s.chunks.size(), 3u);
            for (const Output& output : outputs) {
                SCOPED_TRACE(output.pixelFormat);
                const std::vector<std::uint8_t> ref = reference(file, output.pixelFormat);
                const std::size_t refRow = ref.size() / (s.chunks.size() * kHeight);
                // YUY2 rows hold whole pairs: an odd width ends on a half pair.
                const std::size_t pixelBytes =
                    output.fourcc == kYuy2 ? (width + 1) / 2 * 4 : width * output.bytesPerPixel;
                ASSERT_EQ(refRow, pixelBytes);
                Media::VideoDecompressor d;
                d.sourceFormat.allocMemory(static_cast<std::uint32_t>(s.format.size()));
                std::memcpy(d.sourceFormat.data, s.format.data(), s.format.size());
                ASSERT_TRUE(d.open(s.handler));
                ASSERT_TRUE(d.begin(output.fourcc, output.bits));
                const std::size_t row = d.outputFormat.biSizeImage / kHeight;
                for (std::size_t n = 0; n < s.chunks.size(); ++n) {
                    ASSERT_TRUE(d.decode(s.chunks[n].data.data(), static_cast<std::uint32_t>(s.chunks[n].data.size()),
                                         !s.chunks[n].key));
                    const std::vector<std::uint8_t> got = picture(d);
                    int worst = 0;
                    for (std::size_t y = 0; y < kHeight; ++y) {
                        const std::uint8_t* a = got.data() + y * row;
                        const std::uint8_t* b = ref.data() + (n * kHeight + y) * refRow;
                        for (std::size_t i = 0; i < pixelBytes; ++i)
                            worst = std::max(worst, std::abs(a[i] - b[i]));
                        // Row padding carries nothing.
                        for (std::size_t i = pixelBytes; i < row; ++i) worst = std::max(worst, int{a[i]} * 1000);
                    }
                    EXPECT_LE(worst, 1) << "frame " << n;
                }
            }
        }
    }
}

TEST(VideoDecompressor, OutputHeadersAndRefusals) {
    struct Case {
        LONG width, height;
        FOURCC fourcc;
        WORD bits;
        DWORD sizeImage;
        bool accepted;
    };
    const Case cases[] = {
        {640, 480, kYuy2, 16, 614400, false},  // a raw RGB source refuses YUY2
        {3, 2, BI_RGB, 24, 24, true},          // rows of 9 bytes padded to 12
        {3, -2, BI_RGB, 32, 24, true},
        {3, 2, BI_RGB, 0, 24, true},  // 0 bits: the source's 24
        {3, 2, BI_RGB, 16, 16, false},
        {3, 2, mmioFOURCC('H', 'F', '6', '4'), 64, 48, false},
    };
    for (const Case& c : cases) {
        Media::VideoDecompressor d;
        BITMAPINFOHEADER h{40, c.width, c.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        d.sourceFormat.allocMemory(sizeof h);
        std::memcpy(d.sourceFormat.data, &h, sizeof h);
        const std::uint8_t pixels[24] = {};
        EXPECT_FALSE(d.decode(pixels, sizeof pixels, false));  // before begin
        ASSERT_TRUE(d.open(0));
        EXPECT_EQ(d.begin(c.fourcc, c.bits), c.accepted);
        EXPECT_EQ(d.outputFormat.biSizeImage, c.sizeImage);
        EXPECT_EQ(d.outputFormat.biHeight, c.height);
        EXPECT_EQ(d.outputFormat.biCompression, c.fourcc);
    }
    // No decoder for the FourCC, nor for the compression code.
    Media::VideoDecompressor d;
    BITMAPINFOHEADER h{40, 16, 16, 1, 24, mmioFOURCC('Z', 'Z', 'Z', 'Z'), 0, 0, 0, 0, 0};
    d.sourceFormat.allocMemory(sizeof h);
    std::memcpy(d.sourceFormat.data, &h, sizeof h);
    EXPECT_FALSE(d.open(mmioFOURCC('Q', 'Q', 'Q', 'Q')));
    EXPECT_FALSE(d.begin(kYuy2, 16));
    Media::VideoDecompressor empty;
    EXPECT_FALSE(empty.open(mmioFOURCC('M', 'J', 'P', 'G')));
}

}  // namespace
