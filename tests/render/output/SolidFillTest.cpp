// Solid pictures (one colour, no texture until asked for) in the output
// drawing: which placements cover the whole frame, worked out by hand,
// and the frames they give, compared bit for bit with drawing the same
// colour from a texture.
#include "render/output/OutputFixture.h"
#include "render/output/OutputShaderEffect.h"

#include "media/gpu/ResourceBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using OutputTest::pixelsToClip;
using OutputTest::Rgba;

constexpr int kWidth = 64, kHeight = 48;

// Scale s, turn r (radians) and shift (x, y) in frame pixels, onto the frame.
Media::Matrix4 world(float s, float r, float x, float y) {
    const float c = std::cos(r) * s, n = std::sin(r) * s;
    return {c, n, 0, 0, -n, c, 0, 0, 0, 0, 1, 0, x, y, 0, 1};
}
Media::Matrix4 times(const Media::Matrix4& a, const Media::Matrix4& b) {
    Media::Matrix4 m{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) m[i * 4 + j] += a[i * 4 + k] * b[k * 4 + j];
    return m;
}

TEST(SolidFill, APictureCoversTheFrameWhenEveryPixelCentreSamplesInsideIt) {
    struct Case {
        const char* name;
        Media::Matrix4 world;
        UINT width, height;
        bool covers;
    };
    // Frame pixel centres reach 31.5 and 23.5 from the centre; a picture's
    // outermost texel centres lie half a texel inside its edges.
    Media::Matrix4 perspective = times(world(1, 0, 0, 0), pixelsToClip(kWidth, kHeight));
    perspective[3] = 0.001f;
    const Case cases[] = {
        {"exactly the frame", world(1, 0, 0, 0), 64, 48, true},
        {"the frame moved a quarter pixel", world(1, 0, 0.25f, 0), 64, 48, false},
        {"one pixel narrower", world(1, 0, 0, 0), 63, 48, false},
        {"larger, moved 18 pixels: 31.5 + 18 = 49.5", world(1, 0, 18, 0), 100, 100, true},
        {"larger, moved 19 pixels", world(1, 0, 19, 0), 100, 100, false},
        {"larger, turned 10 degrees", world(1, 0.1745329f, 0, 0), 100, 100, true},
        {"the frame's size turned 45 degrees", world(1, 0.7853982f, 0, 0), 64, 48, false},
        {"half the frame magnified twice", world(2, 0, 0, 0), 40, 30, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Effect::OutputShaderEffect::coversTarget(times(c.world, pixelsToClip(kWidth, kHeight)), kWidth,
                                                           kHeight, c.width, c.height),
                  c.covers);
    }
    EXPECT_FALSE(Effect::OutputShaderEffect::coversTarget(perspective, kWidth, kHeight, 100, 100));
}

class SolidFillDrawing : public OutputTest::OutputTest {
protected:
    // A frame as the scene walk starts it: transparent once first used.
    static std::unique_ptr<Media::RenderBuffer> freshFrame() {
        auto made = std::make_unique<Media::RenderBuffer>(DXGI_FORMAT_R16G16B16A16_FLOAT);
        made->createTexture2D(kWidth, kHeight, Media::RenderBuffer::Contents::Undefined);
        const float transparent[4] = {0, 0, 0, 0};
        made->clearLater(transparent);
        return made;
    }
};

TEST_F(SolidFillDrawing, ASolidPictureGivesTheFrameATexturedPictureOfItsColourGives) {
    struct Case {
        const char* name;
        Media::Matrix4 world;
        UINT width, height;
        Rgba color;  // premultiplied
        float alpha;
        bool drawnBefore;
        bool filled;  // the frame took the colour without a texture
    };
    const Rgba grey = {128 / 255.0f, 128 / 255.0f, 128 / 255.0f, 1};
    const Rgba odd = {0.2f, 0.3f, 0.8f, 1};
    const Rgba half = {0.1f, 0.25f, 0.05f, 0.5f};
    const Case cases[] = {
        {"the frame's size", world(1, 0, 0, 0), 64, 48, grey, 1, false, true},
        {"larger and moved", world(1, 0, 7, -3), 100, 80, odd, 1, false, true},
        {"larger, turned and magnified", world(1.5f, 0.2f, 0, 0), 100, 100, odd, 1, false, true},
        {"turned: a pixel covers 1.18 texels", world(1, 0.2f, 0, 0), 100, 100, odd, 1, false, false},
        {"half the frame magnified twice", world(2, 0, 0, 0), 40, 30, grey, 1, false, true},
        {"translucent colour", world(1, 0, 0, 0), 64, 48, half, 1, false, false},
        {"translucent draw", world(1, 0, 0, 0), 64, 48, grey, 0.5f, false, false},
        {"not covering", world(1, 0, 10, 0), 64, 48, odd, 1, false, false},
        {"over a frame already drawn into", world(1, 0, 0, 0), 64, 48, grey, 1, true, false},
    };
    Effect::OutputShaderEffect effect;
    auto first = picture(16, 16, [](UINT x, UINT) { return Rgba{0.5f, static_cast<float>(x) / 16, 0, 1}; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Effect::OutputShaderEffect::ObjectDraw draw;
        draw.world = c.world;
        draw.view = pixelsToClip(kWidth, kHeight);
        draw.alpha = c.alpha;
        std::vector<Rgba> frames[2];
        for (int solid = 0; solid < 2; ++solid) {
            auto frame = freshFrame();
            if (c.drawnBefore) {
                Effect::OutputShaderEffect::ObjectDraw under;
                under.world = world(1, 0, 0, 0);
                under.view = draw.view;
                effect.drawPrepared(*frame, first.get(), under);
            }
            std::unique_ptr<Media::ResourceBuffer> image;
            if (solid) {
                image = Media::ResourceBuffer::solid(c.width, c.height, c.color.data());
            } else {
                image = std::make_unique<Media::ResourceBuffer>(c.width, c.height);
                image->clear(c.color.data());
            }
            effect.drawPrepared(*frame, image.get(), draw);
            if (solid) {
                EXPECT_EQ(image->solidColor() != nullptr, c.filled);
            }
            frames[solid] = read(*frame);
        }
        std::size_t differing = 0;
        for (std::size_t i = 0; i < frames[0].size(); ++i)
            if (std::memcmp(&frames[0][i], &frames[1][i], sizeof(Rgba)) != 0) ++differing;
        EXPECT_EQ(differing, 0u);
    }
}

TEST_F(SolidFillDrawing, ASolidPictureMakesItsTextureWhenAskedAndCopiesStaySolid) {
    const float color[4] = {0.25f, 0.5f, 0.125f, 0.5f};
    auto image = Media::ResourceBuffer::solid(3, 2, color);
    EXPECT_EQ(image->getWidth(), 3u);
    EXPECT_EQ(image->getHeight(), 2u);
    auto copy = image->clone();
    ASSERT_NE(copy->solidColor(), nullptr);
    for (const Rgba& texel : read(*image)) EXPECT_EQ(texel, (Rgba{0.25f, 0.5f, 0.125f, 0.5f}));
    EXPECT_EQ(image->solidColor(), nullptr);
    for (const Rgba& texel : read(*copy->clone())) EXPECT_EQ(texel, (Rgba{0.25f, 0.5f, 0.125f, 0.5f}));
}

}  // namespace
