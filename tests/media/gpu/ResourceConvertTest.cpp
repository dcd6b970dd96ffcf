// YUV on the GPU: YUY2 and YC48 pictures uploaded into RGB through the
// YUV2RGB table, frames read back as YUY2 and YC48 through the RGB2YUV
// table, against values computed on the CPU from the same table entries.
#include "media/gpu/ResourceConvert.h"

#include "core/CoreTestSupport.h"
#include "core/file/IniFile.h"
#include "media/GpuFixture.h"
#include "media/image/ImageBuffer.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/image/YUVformat.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

namespace YUV = Media::YUVformat;
using Media::ImageBuffer;
using Media::RenderBuffer;
using Media::ResourceBuffer;
using MediaTest::Rgba;

// Entry 1 is chosen for pictures at least 2 rows high; entry 2 never
// automatically.
const char* kSpaces =
    "[YUV2RGB]\n"
    "0=BT.601,0,1,0,1.402,1,-0.344136,-0.714136,1,1.772,0\n"
    "1=BT.709,2,1,0,1.5748,1,-0.187324,-0.468124,1,1.8556,0\n"
    "2=BT.2020,100000,1,0,1.4746,1,-0.164553,-0.571353,1,1.8814,0\n"
    "[RGB2YUV]\n"
    "0=BT.601,0,0.299,0.587,0.114,-0.168736,-0.331264,0.5,0.5,-0.418688,-0.081312\n"
    "1=BT.709,2,0.2126,0.7152,0.0722,-0.114572,-0.385428,0.5,0.5,-0.454153,-0.045847\n"
    "2=BT.2020,100000,0.2627,0.678,0.0593,-0.13963,-0.36037,0.5,0.5,-0.459786,-0.040214\n";

class ResourceConvertTest : public MediaTest::GpuTest {
public:
    using GpuTest::picture;

protected:
    void SetUp() override {
        GpuTest::SetUp();
        System::IniFile ini;
        ini.loadMemory(kSpaces);
        YUV::InitializeColorTable(ini);
        settings_ = service().settings;
    }
    void TearDown() override { service().settings = settings_; }

    Media::Direct3DService::Settings settings_;
};

// matrix × (input + offset), as the upload applies a YUV2RGB block.
std::array<float, 3> toRgb(const YUV::ColorMatrix& m, std::array<float, 3> in) {
    std::array<float, 3> out{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) out[r] += m.matrix[r * 4 + c] * (in[c] + m.offset[c]);
    return out;
}

// matrix × saturate(rgba) + offset, as the output applies an RGB2YUV block.
std::array<float, 3> toYuv(const YUV::ColorMatrix& m, const Rgba& in) {
    std::array<float, 3> out{};
    for (int r = 0; r < 3; ++r) {
        out[r] = m.offset[r];
        for (int c = 0; c < 4; ++c) out[r] += m.matrix[r * 4 + c] * std::clamp(in[c], 0.0f, 1.0f);
    }
    return out;
}

std::uint8_t unorm8(float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); }

TEST_F(ResourceConvertTest, Yuy2UploadsThroughTheChosenColourSpaceAndRange) {
    // Two rows of two pairs each: Y0 Cb Y1 Cr.
    const std::uint8_t rows[2][8] = {{16, 128, 235, 128, 81, 90, 145, 240},
                                     {126, 128, 126, 128, 41, 240, 210, 110}};
    auto image = ImageBuffer::create(DXGI_FORMAT_YUY2, 4, 2);
    for (int y = 0; y < 2; ++y) std::memcpy(image->pixels.data + y * image->pitch, rows[y], 8);

    // By hand, limited BT.601: black, white and mid grey.
    {
        ResourceBuffer buffer(*image, {1, 0});
        MediaTest::expectNear(pixel(buffer, 0, 0), {0, 0, 0, 1});
        MediaTest::expectNear(pixel(buffer, 1, 0), {1, 1, 1, 1});
        const float grey = 110 / 219.0f;
        MediaTest::expectNear(pixel(buffer, 0, 1), {grey, grey, grey, 1});
    }
    struct Case {
        const char* name;
        Media::ConvertParameters parameters;
        int entry;
        bool full;
    };
    const Case cases[] = {
        {"chosen by height (2 rows: entry 1), limited", {0, 0}, 1, false},
        {"entry 0, full range", {1, 1}, 0, true},
        {"entry 2", {3, 0}, 2, false},
        {"a number past the table takes the last entry", {9, 0}, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResourceBuffer buffer(*image, c.parameters);
        ASSERT_EQ(buffer.getFormat(), DXGI_FORMAT_R16G16B16A16_FLOAT);
        const YUV::ColorEntry& entry = YUV::getYUV2RGBTable().getEntry(c.entry);
        const YUV::ColorMatrix& block = c.full ? entry.full : entry.limited;
        for (UINT y = 0; y < 2; ++y)
            for (UINT x = 0; x < 4; ++x) {
                SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
                // Both pixels of a pair take the pair's chroma.
                const std::uint8_t* pair = rows[y] + (x / 2) * 4;
                const auto rgb = toRgb(block, {pair[1] / 255.0f, pair[(x % 2) * 2] / 255.0f, pair[3] / 255.0f});
                MediaTest::expectNear(pixel(buffer, x, y), {rgb[0], rgb[1], rgb[2], 1}, 3e-3f);
            }
    }
}

// The pairs stay packed on the GPU. An odd width whose rows end after the
// last pixel's Y and Cb (no Cr inside the row) gives that pixel neutral
// red-difference chroma; nothing past a row is read.
TEST_F(ResourceConvertTest, Yuy2RowsOfAnOddWidthUploadTheirLastPixel) {
    const std::uint8_t rows[2][6] = {{16, 128, 235, 128, 126, 200}, {235, 128, 16, 128, 81, 90}};
    const Media::ImageData image{DXGI_FORMAT_YUY2, 3, 2, 6, &rows[0][0]};
    ResourceBuffer buffer(image, {1, 0});
    const YUV::ColorMatrix& block = YUV::getYUV2RGBTable().getEntry(0).limited;
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 3; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            const std::uint8_t* pair = rows[y] + (x / 2) * 4;
            const float cr = x == 2 ? 128 / 255.0f : pair[3] / 255.0f;
            const auto rgb = toRgb(block, {pair[1] / 255.0f, pair[(x % 2) * 2] / 255.0f, cr});
            MediaTest::expectNear(pixel(buffer, x, y), {rgb[0], rgb[1], rgb[2], 1}, 3e-3f);
        }
}

TEST_F(ResourceConvertTest, Yc48UploadsThroughItsOwnBlock) {
    // Y, Cb, Cr as 16-bit words where 4096 is 1.0, and a zero fourth word.
    const std::int16_t words[3][4] = {{4096, 0, 0, 0}, {0, 0, 0, 0}, {2048, -1024, 1024, 0}};
    auto image = ImageBuffer::create(DXGI_FORMAT_R16G16B16A16_SNORM, 3, 1);
    std::memcpy(image->pixels.data, words, sizeof words);
    ResourceBuffer buffer(*image, {1, 0});
    MediaTest::expectNear(pixel(buffer, 0, 0), {1, 1, 1, 1});
    MediaTest::expectNear(pixel(buffer, 1, 0), {0, 0, 0, 1});
    // BT.601: r = Y + 1.402 Cr, g = Y - 0.344136 Cb - 0.714136 Cr, b = Y + 1.772 Cb.
    MediaTest::expectNear(pixel(buffer, 2, 0),
                          {0.5f + 1.402f * 0.25f, 0.5f + 0.344136f * 0.25f - 0.714136f * 0.25f,
                           0.5f - 1.772f * 0.25f, 1});
}

TEST_F(ResourceConvertTest, FramesReadBackAsYuy2BytesOfTheOutputColourSpace) {
    // Odd width: the last pair takes the last pixel twice.
    const Rgba colours[2][5] = {
        {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 1}, {0.25f, 0.5f, 0.75f, 1}},
        {{0, 0, 0, 1}, {0.5f, 0.5f, 0.5f, 1}, {1, 0.5f, 0, 1}, {0.125f, 0.25f, 0.375f, 0.5f}, {1, 1, 0, 1}}};
    RenderBuffer frame(DXGI_FORMAT_R16G16B16A16_FLOAT);
    frame.createTexture2D(5, 2);
    auto source = picture(5, 2, [&](UINT x, UINT y) { return colours[y][x]; });
    resources().shaderList.general(Resource::ShaderList::Copy).draw(frame, *source);

    struct Case {
        const char* name;
        std::wstring space;
        int range;
        int entry;
    };
    const Case cases[] = {
        {"automatic: entry 1 for 2 rows, limited", L"", 0, 1},
        {"named, full range", L"BT.601", 1, 0},
        {"unknown name is automatic", L"none", 0, 1},
        {"named entry 2", L"BT.2020", 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        service().settings.outputYUVColorSpace = c.space;
        service().settings.outputYUVColorRange = c.range;
        const auto image = frame.convertToImageBuffer(DXGI_FORMAT_YUY2, false);
        ASSERT_EQ(image->format, static_cast<std::uint32_t>(DXGI_FORMAT_YUY2));
        ASSERT_EQ(image->width, 5u);
        ASSERT_EQ(image->pitch, 32u);
        const YUV::ColorEntry& entry = YUV::getRGB2YUVTable().getEntry(c.entry);
        const YUV::ColorMatrix& block = c.range ? entry.full : entry.limited;
        for (UINT y = 0; y < 2; ++y)
            for (UINT pair = 0; pair < 3; ++pair) {
                SCOPED_TRACE(testing::Message() << "pair " << pair << ", row " << y);
                const auto first = toYuv(block, colours[y][pair * 2]);
                const auto second = toYuv(block, colours[y][std::min(pair * 2 + 1, 4u)]);
                const std::uint8_t expected[4] = {unorm8(first[0]), unorm8(first[1]), unorm8(second[0]),
                                                  unorm8(first[2])};
                const std::uint8_t* actual = image->pixels.data + y * image->pitch + pair * 4;
                for (int i = 0; i < 4; ++i) EXPECT_EQ(actual[i], expected[i]) << "byte " << i;
            }
    }
}

// Three colours drawn into a frame and read back as YC48 words.
void expectYc48ReadBack(Media::Direct3DService& service) {
    const Rgba colours[3] = {{1, 1, 1, 1}, {1, 0, 0, 1}, {0.25f, 0.5f, 0.75f, 0.75f}};
    RenderBuffer frame(DXGI_FORMAT_R16G16B16A16_FLOAT);
    frame.createTexture2D(3, 1);
    auto source = ResourceConvertTest::picture(3, 1, [&](UINT x, UINT) { return colours[x]; });
    Resource::ResourceService::Get().shaderList.general(Resource::ShaderList::Copy).draw(frame, *source);
    service.settings.outputYUVColorSpace = L"BT.601";
    const auto image = frame.convertToImageBuffer(DXGI_FORMAT_R16G16B16A16_SNORM, false);
    ASSERT_EQ(image->format, static_cast<std::uint32_t>(DXGI_FORMAT_R16G16B16A16_SNORM));
    std::int16_t words[3][4];
    std::memcpy(words, image->pixels.data, sizeof words);
    // White is Y 4096 without chroma.
    EXPECT_NEAR(words[0][0], 4096, 1);
    EXPECT_NEAR(words[0][1], 0, 1);
    EXPECT_NEAR(words[0][2], 0, 1);
    for (int x = 1; x < 3; ++x) {
        SCOPED_TRACE(x);
        const Rgba& c = colours[x];
        const double y = 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2];
        const double cb = -0.168736 * c[0] - 0.331264 * c[1] + 0.5 * c[2];
        const double cr = 0.5 * c[0] - 0.418688 * c[1] - 0.081312 * c[2];
        EXPECT_NEAR(words[x][0], y * 4096, 1.5);
        EXPECT_NEAR(words[x][1], cb * 4096, 1.5);
        EXPECT_NEAR(words[x][2], cr * 4096, 1.5);
        EXPECT_NEAR(words[x][3], c[3] * 32767, 1);
    }
}

TEST_F(ResourceConvertTest, FramesReadBackAsYc48Words) { expectYc48ReadBack(service()); }

// A driver that cannot render into 16-bit signed words: the YC48 target is
// kept as floats (decided when the service starts) and the words are
// converted when read back, with the same result.
class ResourceConvertFallbackTest : public ResourceConvertTest {
protected:
    static void SetUpTestSuite() {
        Platform::Gl::forceUnrenderable({DXGI_FORMAT_R16G16B16A16_SNORM});
        GpuTest::SetUpTestSuite();
        Platform::Gl::forceUnrenderable({});
    }
};

TEST_F(ResourceConvertFallbackTest, FramesReadBackAsYc48WordsThroughAFloatTarget) {
    RenderBuffer words(DXGI_FORMAT_R16G16B16A16_SNORM);
    words.createTexture2D(2, 2);
    EXPECT_EQ(words.getRenderTargetView().format().internalFormat, static_cast<GLenum>(GL_RGBA32F));
    // Sampling-only pictures keep the format's own storage.
    ResourceBuffer sampled(2, 2, DXGI_FORMAT_R16G16B16A16_SNORM);
    EXPECT_EQ(sampled.getTexture()->format().internalFormat, static_cast<GLenum>(GL_RGBA16_SNORM));
    expectYc48ReadBack(service());
}

TEST_F(ResourceConvertTest, UnsupportedFramesAndFormatsAreRefused) {
    RenderBuffer bytes(DXGI_FORMAT_R8G8B8A8_UNORM);
    bytes.createTexture2D(2, 2);
    EXPECT_EQ(CoreTest::failureText([&] { bytes.convertToImageBuffer(DXGI_FORMAT_YUY2, false); }),
              "unsupported convert format.\n\n[Note]\nDXGI format 28 -> 107\n\n[Place]\n"
              "Media::ResourceConvert::convert()");
    RenderBuffer working(DXGI_FORMAT_R16G16B16A16_FLOAT);
    working.createTexture2D(2, 2);
    EXPECT_EQ(CoreTest::failureText([&] { Media::ResourceConvert().convert(working, DXGI_FORMAT_R8G8B8A8_UNORM); }),
              "unsupported convert format.\n\n[Note]\nDXGI format 10 -> 28\n\n[Place]\n"
              "Media::ResourceConvert::convert()");
}

}  // namespace
