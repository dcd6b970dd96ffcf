// Exports of a real project: frames rendered by the walk and the GPU path,
// sound by the audio walk, written by the built-in writers and read back
// with ffmpeg against the renderer's own read-back of the same frames.
#include "plugin/output/ExportFixture.h"
#include "plugin/output/OutputTestSupport.h"

#include "plugin/output/AviFileSave.h"
#include "plugin/output/SequentialFileSave.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using namespace ExportTest;
using OutputTest::Bytes;

// IEEE half to float, normal and zero values only (the pictures hold 0..1).
float halfToFloat(std::uint16_t h) {
    const int exponent = (h >> 10) & 0x1F;
    const float mantissa = static_cast<float>(h & 0x3FF) / 1024.0f;
    return exponent == 0 ? 0.0f : std::ldexp(1.0f + mantissa, exponent - 15);
}

class Export : public ExportFixture {
protected:
    Plugin::AviFileSave& avi() { return dynamic_cast<Plugin::AviFileSave&>(*output.plugins.at(0)); }

    // The renderer's read-back of every frame, once.
    const std::vector<std::vector<MediaTest::Rgba>>& rendered() {
        if (frames_.empty())
            for (int f = 0; f < 60; ++f) frames_.push_back(render(f));
        return frames_;
    }

public:
    // The frames as BT.601 limited-range YUY2 (the colour table's choice for
    // 36 rows): Y per pixel, Cb and Cr of each pair's first pixel.
    void expectYuy2(const Bytes& decoded) {
        ASSERT_EQ(decoded.size(), 60u * 64 * 36 * 2);
        float worst = 0;
        for (int f = 0; f < 60; ++f)
            for (int y = 0; y < 36; ++y)
                for (int x = 0; x < 64; ++x) {
                    const float r = renderedAt(f, x, y, 0), g = renderedAt(f, x, y, 1), b = renderedAt(f, x, y, 2);
                    const std::uint8_t* pair = &decoded[((static_cast<std::size_t>(f) * 36 + y) * 64 + x / 2 * 2) * 2];
                    const float luma = 16 + 219 * (0.299f * r + 0.587f * g + 0.114f * b);
                    worst = std::max(worst, std::fabs(pair[(x % 2) * 2] - luma));
                    if (x % 2) continue;
                    const float cb = 128 + 224 * (-0.168736f * r - 0.331264f * g + 0.5f * b);
                    const float cr = 128 + 224 * (0.5f * r - 0.418688f * g - 0.081312f * b);
                    worst = std::max({worst, std::fabs(pair[1] - cb), std::fabs(pair[3] - cr)});
                }
        EXPECT_LE(worst, 1.0f);
    }

    // Channel c (0 red, 1 green, 2 blue) of pixel (x, y) of frame f as 0..1.
    float renderedAt(int f, int x, int y, int c) { return rendered()[f][static_cast<std::size_t>(y) * 64 + x][c]; }

private:
    std::vector<std::vector<MediaTest::Rgba>> frames_;
};

// Decoded 8-bit frames (channels in the given order) against the read-back.
void expectFrames(Export& test, const Bytes& decoded, int channels, const int order[3], float tolerance,
                  const char* what) {
    ASSERT_EQ(decoded.size(), 60u * 64 * 36 * channels) << what;
    float worst = 0;
    for (int f = 0; f < 60; ++f)
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 64; ++x)
                for (int c = 0; c < 3; ++c) {
                    const std::size_t at = ((static_cast<std::size_t>(f) * 36 + y) * 64 + x) * channels + order[c];
                    worst = std::max(worst, std::fabs(decoded[at] / 255.0f - test.renderedAt(f, x, y, c)));
                }
    EXPECT_LE(worst, tolerance) << what;
}

TEST_F(Export, AviInEveryPixelFormatHoldsTheRenderedFramesAndSound) {
    struct Case {
        const wchar_t* videoType;
        const wchar_t* audioType;
        const char* tag;
        const char* pixFmt;  // ffmpeg's decode, empty when ffmpeg has no decoder
        float tolerance;
    };
    const Case cases[] = {
        {L"RGB24bit", L"PCM16bit", "[0][0][0][0]", "bgr24", 0.6f / 255},
        // Straight alpha is worked out in half floats before the 8-bit store.
        {L"RGBA32bit", L"PCM(float)32bit", "[0][0][0][0]", "bgra", 1.3f / 255},
        {L"YUY2", L"PCM16bit", "YUY2", "yuyv422", 0},
        {L"RGBA64bit(PA64)", L"PCM16bit", "PA64", "", 0},
        {L"RGBA64bit(HF64)", L"PCM16bit", "HF64", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.tag));
        *avi().videoType = c.videoType;
        *avi().audioType = c.audioType;
        const std::string path = folder.file(std::string("export-") + std::to_string(&c - cases) + ".avi");
        exportWith(0, path);
        ASSERT_EQ(output.lastOutcome(), Plugin::OutputService::Outcome::Complete);

        auto video = OutputTest::probeStream(path, "v:0");
        EXPECT_EQ(video["codec_tag_string"], c.tag);
        EXPECT_EQ(video["width"], "64");
        EXPECT_EQ(video["height"], "36");
        EXPECT_EQ(video["r_frame_rate"], "30/1");
        if (*c.pixFmt) {
            EXPECT_EQ(video["nb_read_frames"], "60");
        }
        auto sound = OutputTest::probeStream(path, "a:0");
        EXPECT_EQ(sound["sample_rate"], "48000");
        EXPECT_EQ(sound["channels"], "2");

        const Bytes bytes = MediaTest::readFile(path);
        const auto chunks = OutputTest::walk(bytes, 0, bytes.size());
        const auto pictures = OutputTest::select(chunks, "00db");
        ASSERT_EQ(pictures.size(), 60u);
        if (std::string(c.tag) == "YUY2") {
            const std::string raw = folder.file("video.raw");
            ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:v -f rawvideo -pix_fmt yuyv422 " + raw));
            expectYuy2(MediaTest::readFile(raw));
        } else if (*c.pixFmt) {
            const std::string raw = folder.file("video.raw");
            ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:v -f rawvideo -pix_fmt " + c.pixFmt + " " + raw));
            const int bgr[3] = {2, 1, 0}, rgb[3] = {0, 1, 2};
            const bool reversed = std::string(c.pixFmt) != "rgb24";
            expectFrames(*this, MediaTest::readFile(raw), std::string(c.pixFmt) == "bgra" ? 4 : 3,
                         reversed ? bgr : rgb, c.tolerance, c.pixFmt);
        } else {
            // No decoder at hand: the 64-bit rows (R, G, B, A, top row first)
            // against the read-back, 16-bit fractions or half floats.
            const bool half = std::string(c.tag) == "HF64";
            float worst = 0;
            for (int f = 0; f < 60; f += 7)
                for (int y = 0; y < 36; ++y)
                    for (int x = 0; x < 64; ++x)
                        for (int ch = 0; ch < 3; ++ch) {
                            std::uint16_t v;
                            std::memcpy(&v, &bytes[pictures[f].data() + (y * 64 + x) * 8 + ch * 2], 2);
                            const float value = half ? halfToFloat(v) : v / 65535.0f;
                            worst = std::max(worst, std::fabs(value - renderedAt(f, x, y, ch)));
                        }
            EXPECT_LE(worst, 1.0f / 2048) << c.tag;
        }

        // Sound: every sample of the range, as the audio walk mixes it.
        const std::string pcm = folder.file("audio.raw");
        ASSERT_TRUE(MediaTest::ffmpeg("-i '" + path + "' -map 0:a -f f32le -c:a pcm_f32le " + pcm));
        const Bytes decoded = MediaTest::readFile(pcm);
        ASSERT_EQ(decoded.size(), 60u * 1600 * 8);
        float worst = 0;
        for (int f = 0; f < 60; f += 11) {
            const auto planes = renderSound(f);
            ASSERT_EQ(planes[0].size(), 1600u);
            for (int i = 0; i < 1600; ++i)
                for (int ch = 0; ch < 2; ++ch) {
                    float got;
                    std::memcpy(&got, &decoded[((static_cast<std::size_t>(f) * 1600 + i) * 2 + ch) * 4], 4);
                    worst = std::max(worst, std::fabs(got - planes[ch][i]));
                }
        }
        EXPECT_LE(worst, 1.0f / 32768 + 1e-6f);
        EXPECT_GT(std::fabs(renderSound(3)[0][100]), 0.0f);
    }
    // A complete video export notifies; no sound file is set.
    EXPECT_EQ(host.balloons, 5);
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(log.count(System::Log::INFO, "Plugin::OutputService::outputFileEnd", "export file complete"), 5);
}

}  // namespace
