// The caches reading real files through the input service, against what
// the ffmpeg command line makes of the same files.
#include "plugin/input/InputService.h"
#include "render/cache/AudioCache.h"
#include "render/cache/ImageCache.h"

#include "media/MediaFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::wstring wide(const std::string& path) { return std::wstring(path.begin(), path.end()); }

std::vector<float> floats(const std::vector<std::uint8_t>& bytes) {
    std::vector<float> out(bytes.size() / 4);
    std::memcpy(out.data(), bytes.data(), out.size() * 4);
    return out;
}

TEST(MediaFileCacheTest, SoundAcrossABlockBoundaryIsTheFileSampleForSample) {
    MediaTest::TempFolder folder;
    const std::string path = folder.file("tone.wav");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i sine=frequency=440:sample_rate=8000:duration=2.5 "
                                  "-f lavfi -i sine=frequency=660:sample_rate=8000:duration=2.5 "
                                  "-filter_complex amerge=inputs=2 -c:a pcm_s16le " + path));
    const std::string raw = folder.file("tone.raw");
    ASSERT_TRUE(MediaTest::ffmpeg("-i " + path + " -f f32le -c:a pcm_f32le " + raw));
    const std::vector<float> reference = floats(MediaTest::readFile(raw));  // interleaved L, R
    ASSERT_EQ(reference.size(), 2u * 20000);

    Plugin::InputService input;
    Cache::AudioCache cache;
    cache.setCacheSize(16);
    // Samples 7990 to 8019: the end of block 0 and the start of block 1.
    const auto read = cache.readAudio(wide(path), 0, {7990, 8000}, 30, 0, 1);
    ASSERT_TRUE(read);
    for (int j = 0; j < 30; ++j) {
        EXPECT_FLOAT_EQ(read->getChannel(0)[j], reference[2 * (7990 + j)]) << j;
        EXPECT_FLOAT_EQ(read->getChannel(1)[j], reference[2 * (7990 + j) + 1]) << j;
    }
    // Past the file's end (2.5 s) the blocks are silent or missing.
    const auto tail = cache.readAudio(wide(path), 0, {19990, 8000}, 20, 0, 1);
    ASSERT_TRUE(tail);
    for (int j = 0; j < 10; ++j) EXPECT_FLOAT_EQ(tail->getChannel(0)[j], reference[2 * (19990 + j)]) << j;
    for (int j = 10; j < 20; ++j) EXPECT_EQ(tail->getChannel(0)[j], 0.0f) << j;
}

TEST(MediaFileCacheTest, APictureIsDecodedOnceAndMatchesTheFile) {
    MediaTest::TempFolder folder;
    const std::string path = folder.file("still.bmp");
    ASSERT_TRUE(MediaTest::ffmpeg("-f lavfi -i testsrc=size=64x48 -frames:v 1 -pix_fmt bgr24 " + path));
    const std::string raw = folder.file("still.raw");
    ASSERT_TRUE(MediaTest::ffmpeg("-i " + path + " -f rawvideo -pix_fmt bgr24 " + raw));
    const std::vector<std::uint8_t> reference = MediaTest::readFile(raw);
    ASSERT_EQ(reference.size(), 64u * 48 * 3);

    Plugin::InputService input;
    Cache::ImageCache cache;
    const auto picture = cache.getImage(wide(path));
    ASSERT_TRUE(picture);
    EXPECT_EQ(cache.getImage(wide(path)), picture);
    ASSERT_EQ(picture->width, 64u);
    ASSERT_EQ(picture->height, 48u);
    ASSERT_EQ(picture->format, 88u);  // B8G8R8X8
    EXPECT_EQ(cache.cache.getTotal(), std::uint64_t{picture->pitch} * 48);
    for (std::uint32_t y = 0; y < 48; ++y)
        for (std::uint32_t x = 0; x < 64; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(picture->pixels.data[y * picture->pitch + x * 4 + c], reference[(y * 64 + x) * 3 + c])
                    << x << "," << y;
    EXPECT_FALSE(cache.getImage(wide(folder.file("missing.bmp"))));
    cache.setCacheSize(0);
    EXPECT_TRUE(cache.cache.getKeys().empty());
    EXPECT_TRUE(cache.getImage(wide(path)));
    EXPECT_TRUE(cache.getImage(wide(path)));
}

}  // namespace
