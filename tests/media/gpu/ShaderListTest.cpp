// The built-in shader list: every general pixel shader and compute kernel
// against a CPU implementation of its formula on small fixed pictures, the
// blend-mode codes with transparent inputs, and the byte layout of every
// constant block.
#include "media/gpu/ShaderList.h"

#include "media/gpu/ConstantBufferCommon.h"
#include "media/GpuFixture.h"
#include "media/gpu/LightSource.h"
#include "media/image/YUVformat.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Media::ResourceBuffer;
using MediaTest::Rgba;
using Resource::ShaderList;

// Source pixels, premultiplied unless a test says otherwise; some channels
// lie outside [0, alpha] or [0, 1] on purpose. All exact in half floats.
constexpr int kWidth = 4, kHeight = 3;
const Rgba kSource[kHeight][kWidth] = {
    {{0.5f, 0.25f, 0.125f, 0.5f}, {1, 0.5f, 0, 1}, {0, 0, 0, 0}, {0.75f, 0.5f, 0.25f, 0.75f}},
    {{1.5f, -0.25f, 0.5f, 1}, {0.25f, 0.25f, 0.25f, 0.25f}, {0, 0.125f, 0.5f, 0.5f},
     {0.375f, 0.625f, 0.875f, 1}},
    {{0.5f, 0.5f, 0.5f, 0.25f}, {0, 0, 0, 1}, {1, 1, 1, 1}, {0.0625f, 0.5f, 0.25f, 0.5f}},
};

Rgba sourceAt(int x, int y) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return {0, 0, 0, 0};
    return kSource[y][x];
}

Rgba scale(Rgba c, float f) { return {c[0] * f, c[1] * f, c[2] * f, c[3] * f}; }
float luma(const Rgba& c) { return c[0] * 0.299f + c[1] * 0.587f + c[2] * 0.114f; }
float saturate(float v) { return std::clamp(v, 0.0f, 1.0f); }

// A tolerance relative to the size of the value: half floats keep 11 bits.
void expectClose(const Rgba& actual, const Rgba& expected) {
    for (int i = 0; i < 4; ++i) {
        ASSERT_FALSE(std::isnan(actual[i])) << "channel " << i;
        EXPECT_NEAR(actual[i], expected[i], 2e-3f + std::abs(expected[i]) * 1e-3f) << "channel " << i;
    }
}

class ShaderListTest : public MediaTest::GpuTest {
protected:
    static ShaderList& list() { return resources().shaderList; }
    static std::unique_ptr<ResourceBuffer> source() {
        return picture(kWidth, kHeight, [](UINT x, UINT y) { return kSource[y][x]; });
    }
};

TEST_F(ShaderListTest, ConstantBlocksKeepTheirPackedByteLayout) {
    auto bytes = [](const auto& block) {
        std::vector<std::uint8_t> out(sizeof block);
        std::memcpy(out.data(), &block, sizeof block);
        return out;
    };
    using Bytes = std::vector<std::uint8_t>;
    // 0.5f = 0x3f000000, 1.0f = 0x3f800000, 0.25f = 0x3e800000.
    EXPECT_EQ(bytes(ShaderList::AlphaOffsetConstant{0.5f, {-2, 7}, 0}),
              (Bytes{0, 0, 0, 0x3f, 0xfe, 0xff, 0xff, 0xff, 7, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(ShaderList::BlendOffsetConstant{3, 0.5f, {-2, 7}}),
              (Bytes{3, 0, 0, 0, 0, 0, 0, 0x3f, 0xfe, 0xff, 0xff, 0xff, 7, 0, 0, 0}));
    EXPECT_EQ(bytes(ShaderList::BlendConstant{21, 1.0f, {}}),
              (Bytes{21, 0, 0, 0, 0, 0, 0x80, 0x3f, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(ShaderList::BoxConstant{4, -1, {}}),
              (Bytes{4, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(ShaderList::TransitionMaskConstant{0.25f, 0.5f, {1.0f, 0.5f}}),
              (Bytes{0, 0, 0x80, 0x3e, 0, 0, 0, 0x3f, 0, 0, 0x80, 0x3f, 0, 0, 0, 0x3f}));
    EXPECT_EQ(bytes(ShaderList::BrightPassConstant{0.25f, 0.5f, 1.0f, 0}),
              (Bytes{0, 0, 0x80, 0x3e, 0, 0, 0, 0x3f, 0, 0, 0x80, 0x3f, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(ShaderList::OffsetConstant{{1, -1}, {}}),
              (Bytes{1, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes(ShaderList::ResampleConstant{{0.5f, 1.0f}, {}}),
              (Bytes{0, 0, 0, 0x3f, 0, 0, 0x80, 0x3f, 0, 0, 0, 0, 0, 0, 0, 0}));
    const Bytes pixelColor = bytes(ShaderList::PixelColorConstant{{1, 0.5f, 0.25f, 0}, {3, -1}, 2, 0});
    EXPECT_EQ(Bytes(pixelColor.begin() + 12, pixelColor.end()),
              (Bytes{0, 0, 0, 0, 3, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 2, 0, 0, 0, 0, 0, 0, 0}));
    const Bytes pixelCopy = bytes(ShaderList::PixelCopyConstant{{1, 2}, {-3, 4}, 5, {}});
    EXPECT_EQ(Bytes(pixelCopy.begin(), pixelCopy.begin() + 20),
              (Bytes{1, 0, 0, 0, 2, 0, 0, 0, 0xfd, 0xff, 0xff, 0xff, 4, 0, 0, 0, 5, 0, 0, 0}));
    EXPECT_EQ(pixelCopy.size(), 32u);
    // The colour matrix: rows at 0, 16, 32, 48 and the offset at 64.
    Media::YUVformat::ColorMatrix matrix{};
    matrix.matrix[4] = 1.0f;
    matrix.offset[1] = 0.5f;
    const Bytes colour = bytes(matrix);
    EXPECT_EQ(colour.size(), 80u);
    EXPECT_EQ(Bytes(colour.begin() + 16, colour.begin() + 20), (Bytes{0, 0, 0x80, 0x3f}));
    EXPECT_EQ(Bytes(colour.begin() + 68, colour.begin() + 72), (Bytes{0, 0, 0, 0x3f}));
    // A light record: type at 0, pos at 4, col at 16, range at 32, depth at 36.
    const Bytes light = bytes(Media::LightSource{2, {1, 0, 0}, {0, 0, 0, 0.5f}, 1.0f, 0.25f, {}});
    EXPECT_EQ(light.size(), 48u);
    EXPECT_EQ(Bytes(light.begin(), light.begin() + 8), (Bytes{2, 0, 0, 0, 0, 0, 0x80, 0x3f}));
    EXPECT_EQ(Bytes(light.begin() + 28, light.begin() + 40),
              (Bytes{0, 0, 0, 0x3f, 0, 0, 0x80, 0x3f, 0, 0, 0x80, 0x3e}));
}

TEST_F(ShaderListTest, EveryGeneralPixelShaderFollowsItsFormula) {
    // A colour matrix of no particular meaning: rows and offset.
    Media::YUVformat::ColorMatrix matrix = {
        {0.5f, 0.25f, 0, 0.125f, 0, 1, -0.5f, 0, 0.25f, 0.25f, 0.25f, 0, 0, 0, 0, 1},
        {0.125f, -0.25f, 0.5f, 0}};
    auto rowDot = [&](int row, const Rgba& v) {
        float sum = 0;
        for (int i = 0; i < 4; ++i) sum += matrix.matrix[row * 4 + i] * v[i];
        return sum;
    };
    std::unique_ptr<Platform::Gl::Buffer> matrixBuffer;
    Media::ConstantBufferCommon::create(matrixBuffer, &matrix, sizeof matrix);

    struct Case {
        const char* name;
        int slot;
        std::function<void()> constants;  // writes the shared block; null: none
        UINT width, height;               // the target
        std::function<Rgba(int, int)> expected;
    };
    auto block = [](auto value) { return [value] { list().setConstant(value); }; };
    const Case cases[] = {
        {"colour matrix, offset before the product", ShaderList::ColorMatrix, nullptr, kWidth, kHeight,
         [&](int x, int y) {
             Rgba c = sourceAt(x, y);
             const Rgba v = {c[0] + matrix.offset[0], c[1] + matrix.offset[1], c[2] + matrix.offset[2], 1};
             return Rgba{rowDot(0, v), rowDot(1, v), rowDot(2, v), rowDot(3, v)};
         }},
        {"colour matrix of the saturated input, offset after", ShaderList::ColorMatrixSaturate, nullptr,
         kWidth, kHeight,
         [&](int x, int y) {
             Rgba c = sourceAt(x, y);
             for (float& v : c) v = saturate(v);
             return Rgba{rowDot(0, c) + matrix.offset[0], rowDot(1, c) + matrix.offset[1],
                         rowDot(2, c) + matrix.offset[2], rowDot(3, c) + matrix.offset[3]};
         }},
        {"copy", ShaderList::Copy, nullptr, kWidth, kHeight, sourceAt},
        {"fill", ShaderList::Fill, block(ShaderList::ColorConstant{{0.25f, 0.5f, 0.75f, 1}}), 2, 2,
         [](int, int) { return Rgba{0.25f, 0.5f, 0.75f, 1}; }},
        {"white", ShaderList::White, nullptr, 2, 2, [](int, int) { return Rgba{1, 1, 1, 1}; }},
        {"offset, zero outside", ShaderList::OffsetLoad, block(ShaderList::OffsetConstant{{2, -1}, {}}),
         kWidth, kHeight, [](int x, int y) { return sourceAt(x + 2, y - 1); }},
        {"offset, edges extended", ShaderList::OffsetClamp,
         block(ShaderList::OffsetConstant{{2, -1}, {}}), kWidth, kHeight,
         [](int x, int y) { return sourceAt(std::min(x + 2, kWidth - 1), std::max(y - 1, 0)); }},
        {"silhouette", ShaderList::Silhouette, block(ShaderList::ColorConstant{{0.5f, 0.25f, 1, 1}}),
         kWidth, kHeight,
         [](int x, int y) { return scale({0.5f, 0.25f, 1, 1}, sourceAt(x, y)[3]); }},
        {"opacity", ShaderList::Alpha, block(ShaderList::AlphaConstant{0.5f, {}}), kWidth, kHeight,
         [](int x, int y) { return scale(sourceAt(x, y), 0.5f); }},
        {"opacity with offset", ShaderList::AlphaOffset,
         block(ShaderList::AlphaOffsetConstant{0.25f, {-1, 1}, 0}), kWidth, kHeight,
         [](int x, int y) { return scale(sourceAt(x - 1, y + 1), 0.25f); }},
        {"premultiply", ShaderList::Premultiply, nullptr, kWidth, kHeight,
         [](int x, int y) {
             const Rgba c = sourceAt(x, y);
             return Rgba{c[0] * c[3], c[1] * c[3], c[2] * c[3], c[3]};
         }},
        {"un-premultiply, transparent stays 0", ShaderList::Unpremultiply, nullptr, kWidth, kHeight,
         [](int x, int y) {
             const Rgba c = sourceAt(x, y);
             return c[3] == 0 ? Rgba{0, 0, 0, 0} : Rgba{c[0] / c[3], c[1] / c[3], c[2] / c[3], c[3]};
         }},
        {"opaque", ShaderList::Opaque, nullptr, kWidth, kHeight,
         [](int x, int y) {
             const Rgba c = sourceAt(x, y);
             return Rgba{c[0], c[1], c[2], 1};
         }},
        {"colours clamped to alpha", ShaderList::ClampToAlpha, nullptr, kWidth, kHeight,
         [](int x, int y) {
             const Rgba c = sourceAt(x, y);
             return Rgba{std::clamp(c[0], 0.0f, c[3]), std::clamp(c[1], 0.0f, c[3]),
                         std::clamp(c[2], 0.0f, c[3]), c[3]};
         }},
        {"saturate", ShaderList::Saturate, nullptr, kWidth, kHeight,
         [](int x, int y) {
             const Rgba c = sourceAt(x, y);
             return Rgba{saturate(c[0]), saturate(c[1]), saturate(c[2]), saturate(c[3])};
         }},
        {"horizontal box, step 2, offset -1", ShaderList::BoxHorizontal,
         block(ShaderList::BoxConstant{2, -1, {}}), 3, kHeight,
         [](int x, int y) {
             Rgba sum{};
             for (int k = 0; k < 2; ++k) {
                 const Rgba c = sourceAt(std::clamp(x * 2 - 1 + k, 0, kWidth - 1), y);
                 for (int i = 0; i < 4; ++i) sum[i] += c[i] / 2;
             }
             return sum;
         }},
        {"horizontal box, step 1 copies and repeats the last column", ShaderList::BoxHorizontal,
         block(ShaderList::BoxConstant{1, 0, {}}), kWidth + 2, kHeight,
         [](int x, int y) { return sourceAt(std::min(x, kWidth - 1), y); }},
        {"vertical box, step 3", ShaderList::BoxVertical, block(ShaderList::BoxConstant{3, 0, {}}), kWidth,
         1,
         [](int x, int) {
             Rgba sum{};
             for (int k = 0; k < 3; ++k)
                 for (int i = 0; i < 4; ++i) sum[i] += sourceAt(x, k)[i] / 3;
             return sum;
         }},
        {"box of no samples", ShaderList::BoxVertical, block(ShaderList::BoxConstant{0, 0, {}}), 2, 2,
         [](int, int) { return Rgba{0, 0, 0, 0}; }},
        {"bright pass", ShaderList::BrightPass,
         block(ShaderList::BrightPassConstant{0.25f, 2.0f, 0.75f, 0}), kWidth, kHeight,
         [](int x, int y) {
             const Rgba c = sourceAt(x, y);
             const float w = std::max(luma(c) - 0.25f, 0.0f) * 2.0f;
             return Rgba{std::min(c[0] * w, 0.75f), std::min(c[1] * w, 0.75f), std::min(c[2] * w, 0.75f),
                         std::min(w, 1.0f)};
         }},
        {"into light space", ShaderList::ToLightSpace, block(ShaderList::FloatConstant{0.5f, {}}), kWidth,
         kHeight,
         [](int x, int y) {
             const Rgba c = sourceAt(x, y);
             auto e = [](float v) { return std::exp(saturate(v) * 0.5f + 1.0f); };
             return Rgba{e(c[0]), e(c[1]), e(c[2]), c[3]};
         }},
    };
    auto input = source();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.constants) c.constants();
        Platform::Gl::Buffer* constants =
            c.slot <= ShaderList::ColorMatrixSaturate ? matrixBuffer.get()
            : c.constants                             ? list().getConstantBuffer()
                                                      : nullptr;
        ResourceBuffer target(c.width, c.height);
        list().general(c.slot).draw(target, *input, constants, nullptr);
        const auto pixels = read(target);
        for (UINT y = 0; y < c.height; ++y)
            for (UINT x = 0; x < c.width; ++x) {
                SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
                expectClose(pixels[y * c.width + x], c.expected(static_cast<int>(x), static_cast<int>(y)));
            }
    }
}

TEST_F(ShaderListTest, LightSpaceRoundTripsAndTwoTargetsTakeOnePictureEach) {
    auto input = source();
    ResourceBuffer light(kWidth, kHeight), back(kWidth, kHeight);
    list().setConstant(ShaderList::FloatConstant{2.0f, {}});
    list().general(ShaderList::ToLightSpace).draw(light, *input, list().getConstantBuffer(), nullptr);
    list().setConstant(ShaderList::FloatConstant{0.5f, {}});
    list().general(ShaderList::FromLightSpace).draw(back, light, list().getConstantBuffer(), nullptr);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const Rgba c = sourceAt(x, y);
            // e^(2v + 1) in half floats keeps about 3 decimals of v.
            const Rgba p = pixel(back, static_cast<UINT>(x), static_cast<UINT>(y));
            for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], saturate(c[i]), 2e-3f);
            EXPECT_EQ(p[3], c[3]);
        }

    auto second = picture(kWidth, kHeight, [](UINT x, UINT y) { return scale(kSource[y][x], 0.5f); });
    ResourceBuffer first(kWidth, kHeight), other(kWidth, kHeight);
    Platform::Gl::Texture* targets[] = {&first.getRenderTargetView(), &other.getRenderTargetView()};
    Platform::Gl::setRenderTargets(service().context(), targets);
    Platform::Gl::Texture* sources[] = {&input->getShaderResourceView(), &second->getShaderResourceView()};
    list().general(ShaderList::CopyTwo).drawPass(sources, 2, nullptr, nullptr, nullptr);
    EXPECT_EQ(read(first), read(*input));
    EXPECT_EQ(read(other), read(*second));
}

TEST_F(ShaderListTest, SampledShadersReadThroughTheBoundSampler) {
    auto input = source();
    service().setPixelSampler(resources().samplerStateList.get(1));
    // At a texel's centre the filtered sample is the texel (within the
    // filter's fixed-point weights).
    auto expectSource = [](ResourceBuffer& buffer) {
        const auto pixels = read(buffer);
        for (int i = 0; i < kWidth * kHeight; ++i) expectClose(pixels[i], sourceAt(i % kWidth, i / kWidth));
    };
    ResourceBuffer same(kWidth, kHeight);
    list().general(ShaderList::Sample).draw(same, *input, nullptr);
    expectSource(same);
    list().setConstant(ShaderList::ResampleConstant{{1, 1}, {}});
    list().general(ShaderList::Resample).draw(same, *input, list().getConstantBuffer(), nullptr);
    expectSource(same);

    // Halving: each pixel is the mean of its 2 x 2 footprint.
    ResourceBuffer half(2, 1);
    list().setConstant(ShaderList::ResampleConstant{{2, 2}, {}});
    list().general(ShaderList::Resample).draw(half, *input, list().getConstantBuffer(), nullptr);
    for (int x = 0; x < 2; ++x) {
        Rgba mean{};
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                for (int i = 0; i < 4; ++i) mean[i] += sourceAt(x * 2 + dx, dy)[i] / 4;
        expectClose(pixel(half, static_cast<UINT>(x), 0), mean);
    }

    // The transition mask from darkness, eased; equal limits cut hard.
    struct Case {
        float limitMin, limitMax;
        std::function<float(float)> expected;  // of the darkness 1 - Y
    };
    const Case cases[] = {
        {0.25f, 0.75f,
         [](float dark) {
             const float t = saturate((dark - 0.25f) / 0.5f);
             return t * t * (3 - 2 * t);
         }},
        {0.5f, 0.5f, [](float dark) { return dark - 0.5f > 0 ? 1.0f : 0.0f; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limitMax);
        ResourceBuffer mask(kWidth, kHeight);
        list().setConstant(ShaderList::TransitionMaskConstant{c.limitMin, c.limitMax, {1, 1}});
        list().general(ShaderList::TransitionMask).draw(mask, *input, list().getConstantBuffer(), nullptr);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const Rgba p = pixel(mask, static_cast<UINT>(x), static_cast<UINT>(y));
                const float dark = 1 - luma(sourceAt(x, y));
                expectClose(p, {0, 0, 0, c.expected(dark)});
            }
    }
}

// The compositing of the Part's blend-mode table, in double precision.
Rgba compose(int code, const Rgba& sf, const Rgba& df, float af) {
    const double a = af;
    double s[4], d[4];
    for (int i = 0; i < 4; ++i) s[i] = sf[i], d[i] = df[i];
    double r[4];
    auto rescale = [&](const double c[4], double factor) {
        for (int i = 0; i < 4; ++i) r[i] = c[3] == 0 ? 0 : factor * c[i] / c[3];
    };
    auto luma = [](const double c[3], double out[3]) {
        out[0] = c[0] * 0.299 + c[1] * 0.587 + c[2] * 0.114;
        out[1] = c[0] * -0.169 + c[1] * -0.331 + c[2] * 0.5;
        out[2] = c[0] * 0.5 + c[1] * -0.419 + c[2] * -0.081;
    };
    double sd[3] = {s[3] * d[0], s[3] * d[1], s[3] * d[2]};
    if (code >= 20 && code <= 23) {
        double c[4];
        switch (code) {
            case 20:
                for (int i = 0; i < 4; ++i) c[i] = s[i] * a + d[i];
                rescale(c, std::min(s[3] * a + d[3], 1.0));
                break;
            case 21:
                for (int i = 0; i < 4; ++i) c[i] = s[i] * a + d[i] * (1 - s[3] * a);
                rescale(c, std::min(s[3] * a + d[3], 1.0));
                break;
            case 22:
                for (int i = 0; i < 4; ++i) c[i] = s[i] * a + d[i];
                rescale(c, std::max(d[3], s[3] * a));
                break;
            default: rescale(d, std::max(d[3] - s[3] * a, 0.0)); break;
        }
        return {float(r[0]), float(r[1]), float(r[2]), float(r[3])};
    }
    double rgb[3];
    for (int i = 0; i < 3; ++i) {
        switch (code) {
            case 1: rgb[i] = sd[i] + s[i]; break;
            case 2: rgb[i] = sd[i] - s[i]; break;
            case 3: rgb[i] = d[i] * s[i]; break;
            case 4: rgb[i] = d[i] * (s[3] - s[i]) + s[i]; break;
            case 5: rgb[i] = d[i] < 0.5 ? 2 * d[i] * s[i] : 2 * (d[i] * (s[3] - s[i]) + s[i]) - s[3]; break;
            case 6: rgb[i] = std::max(s[i], sd[i]); break;
            case 7: rgb[i] = std::min(s[i], sd[i]); break;
            case 10: rgb[i] = std::clamp(sd[i] + s[i] - s[3], 0.0, s[3]); break;
            case 11: rgb[i] = std::clamp(sd[i] + 2 * s[i] - s[3], 0.0, s[3]); break;
            case 12: rgb[i] = std::abs(sd[i] - s[i]); break;
            default: rgb[i] = s[i]; break;
        }
    }
    if (code == 8 || code == 9) {
        double source[3], target[3];
        luma(s, source);
        luma(sd, target);
        const double y = code == 8 ? source[0] : target[0];
        const double* chroma = code == 8 ? target : source;
        rgb[0] = y + 1.402 * chroma[2];
        rgb[1] = y - 0.344 * chroma[1] - 0.714 * chroma[2];
        rgb[2] = y + 1.772 * chroma[1];
    }
    // r = (rgb, s.a) * a, drawn over the destination.
    const double ra = s[3] * a;
    Rgba out;
    for (int i = 0; i < 3; ++i) out[i] = float(rgb[i] * a + d[i] * (1 - ra));
    out[3] = float(ra + d[3] * (1 - ra));
    return out;
}

TEST_F(ShaderListTest, EveryBlendModeCodeMatchesItsFormulaWithoutNaN) {
    struct Pair {
        Rgba s, d;
    };
    const Pair pairs[] = {
        {{0.5f, 0.25f, 0.125f, 0.5f}, {0.25f, 0.5f, 0.75f, 1}},       // translucent over opaque
        {{0.75f, 0.5f, 0.25f, 1}, {0.5f, 0.5f, 0.5f, 1}},             // opaque over opaque
        {{0.25f, 0.5f, 0.125f, 0.5f}, {0, 0, 0, 0}},                  // over a transparent pixel
        {{0, 0, 0, 0}, {0.5f, 0.25f, 0, 1}},                          // transparent source
        {{0.0004f, 0, 0, 0.0004f}, {0.5f, 0.25f, 0, 1}},              // below 0.001: discarded
        {{0.125f, 0.375f, 0.25f, 0.375f}, {0.1875f, 0.125f, 0.0625f, 0.25f}},  // both translucent
        {{0.5f, 0.25f, 0.75f, 1}, {0.5f, 0.25f, 0.75f, 1}},           // equal opaque pixels
        {{0.5f, 0.25f, 0.75f, 1}, {0.75f, 0.25f, 0.5f, 1}},           // overlay's two branches
    };
    constexpr UINT n = std::size(pairs);
    auto sources = picture(n, 1, [&](UINT x, UINT) { return pairs[x].s; });
    auto frame = picture(n, 1, [&](UINT x, UINT) { return pairs[x].d; });
    const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 21, 22, 23, 99};
    for (int code : codes) {
        for (float alpha : {1.0f, 0.5f, 0.0f}) {
            SCOPED_TRACE(testing::Message() << "code " << code << ", opacity " << alpha);
            // The target starts as the frame; codes 20 to 23 replace its pixels.
            ResourceBuffer target(n, 1);
            list().general(ShaderList::Copy).draw(target, *frame, nullptr);
            list().setConstant(ShaderList::BlendConstant{code, alpha, {}});
            const bool replace = code >= 20 && code <= 23;
            Platform::Gl::Texture* textures[] = {&sources->getShaderResourceView(),
                                                 &frame->getShaderResourceView()};
            service().setRenderTarget(target);
            list().general(ShaderList::Blend).drawPass(textures, 2, list().getConstantBuffer(),
                                                       resources().blendStateList.get(replace ? 4 : 0),
                                                       nullptr);
            const auto pixels = read(target);
            for (UINT i = 0; i < n; ++i) {
                SCOPED_TRACE(testing::Message() << "pair " << i);
                const Pair& p = pairs[i];
                const Rgba expected = p.s[3] < 0.001f ? p.d : compose(code, p.s, p.d, alpha);
                expectClose(pixels[i], expected);
            }
        }
    }
}

TEST_F(ShaderListTest, BlendModeEdgeCases) {
    auto opaque = picture(1, 1, [](UINT, UINT) { return Rgba{0.5f, 0.25f, 0.75f, 1}; });
    auto blended = [&](int slot, const ResourceBuffer& s, int code, Rgba d, std::array<int, 2> offset) {
        auto frame = picture(1, 1, [&](UINT, UINT) { return d; });
        ResourceBuffer target(1, 1);
        list().general(ShaderList::Copy).draw(target, *frame, nullptr);
        if (slot == ShaderList::Blend)
            list().setConstant(ShaderList::BlendConstant{code, 1.0f, {}});
        else
            list().setConstant(ShaderList::BlendOffsetConstant{code, 1.0f, {offset[0], offset[1]}});
        service().setRenderTarget(target);
        Platform::Gl::Texture* textures[] = {&const_cast<ResourceBuffer&>(s).getShaderResourceView(),
                                             &frame->getShaderResourceView()};
        const bool replace = code >= 20;
        list().general(slot).drawPass(textures, 2, list().getConstantBuffer(),
                                      resources().blendStateList.get(replace ? 4 : 0), nullptr);
        return pixel(target, 0, 0);
    };
    const Rgba grey{0.25f, 0.25f, 0.25f, 1};
    // Code 0 at full opacity reproduces the source.
    expectClose(blended(ShaderList::Blend, *opaque, 0, grey, {}), {0.5f, 0.25f, 0.75f, 1});
    // Subtracting or differencing an equal opaque picture gives black.
    expectClose(blended(ShaderList::Blend, *opaque, 2, {0.5f, 0.25f, 0.75f, 1}, {}), {0, 0, 0, 1});
    expectClose(blended(ShaderList::Blend, *opaque, 12, {0.5f, 0.25f, 0.75f, 1}, {}), {0, 0, 0, 1});
    // alpha_sub of an opaque source clears the pixel.
    expectClose(blended(ShaderList::Blend, *opaque, 23, grey, {}), {0, 0, 0, 0});
    // Slot 25 moves the source; outside it nothing is drawn.
    auto wide = picture(2, 1, [](UINT x, UINT) { return x == 0 ? Rgba{0, 0, 0, 0} : Rgba{1, 0, 0, 1}; });
    expectClose(blended(ShaderList::BlendOffset, *wide, 0, grey, {1, 0}), {1, 0, 0, 1});
    expectClose(blended(ShaderList::BlendOffset, *wide, 0, grey, {0, 0}), grey);
    expectClose(blended(ShaderList::BlendOffset, *wide, 0, grey, {5, 0}), grey);
}

TEST_F(ShaderListTest, PixelKernelsEditOnePixelPerDispatch) {
    const Rgba d{0.25f, 0.5f, 0.125f, 0.5f};
    const Rgba c{0.5f, 0.25f, 0.25f, 0.5f};
    auto edit = [&](int kernel, const auto& block, ResourceBuffer* source) {
        auto image = picture(3, 1, [&](UINT x, UINT) { return x == 2 ? c : d; });
        std::unique_ptr<Platform::Gl::Buffer> constants;
        Media::ConstantBufferCommon::create(constants, &block, sizeof block);
        Platform::Gl::bindConstantBuffer(service().context(), Platform::Gl::Stage::Compute, 0,
                                         constants.get());
        service().setComputeUnorderedAccessView(0, *image);
        if (source) service().setComputeUnorderedAccessView(1, *source);
        list().compute(kernel).dispatch(1, 1, 1);
        return read(*image);
    };
    const float over = c[3] + d[3] * (1 - c[3]);
    struct Case {
        int blend;
        Rgba expected;
    };
    const Case cases[] = {
        {-1, c},
        {0, {c[0] + d[0] * 0.5f, c[1] + d[1] * 0.5f, c[2] + d[2] * 0.5f, over}},
        {1, {d[0] + c[0], d[1] + c[1], d[2] + c[2], over}},
        {2, {d[0] - c[0], d[1] - c[1], d[2] - c[2], over}},
        {3, {d[0] * 0.5f + d[0] * c[0], d[1] * 0.5f + d[1] * c[1], d[2] * 0.5f + d[2] * c[2], over}},
        {7, c},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.blend);
        const auto colour = edit(ShaderList::PixelColor,
                                 ShaderList::PixelColorConstant{{c[0], c[1], c[2], c[3]}, {1, 0}, k.blend, 0},
                                 nullptr);
        expectClose(colour[0], d);
        expectClose(colour[1], k.expected);
        // The pixel at x = 2 (holding c) laid onto x = 0.
        const auto copied =
            edit(ShaderList::PixelCopy, ShaderList::PixelCopyConstant{{0, 0}, {2, 0}, k.blend, {}}, nullptr);
        expectClose(copied[0], k.expected);
        expectClose(copied[1], d);
        auto other = picture(3, 1, [&](UINT x, UINT) { return x == 1 ? c : Rgba{0, 0, 0, 0}; });
        const auto fromOther = edit(ShaderList::PixelCopyFrom,
                                    ShaderList::PixelCopyConstant{{0, 0}, {1, 0}, k.blend, {}}, other.get());
        expectClose(fromOther[0], k.expected);
    }
    // A position outside the picture writes nothing.
    const auto outside = edit(ShaderList::PixelColor,
                              ShaderList::PixelColorConstant{{1, 1, 1, 1}, {3, 0}, -1, 0}, nullptr);
    expectClose(outside[0], d);
    expectClose(outside[1], d);
}

}  // namespace
