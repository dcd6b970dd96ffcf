// The flat drawing stages chosen on the CPU: which variant a projection
// gets, worked out by hand from the texels a pixel step covers, and the
// pixels they draw, compared bit for bit with the branching stages.
#include "render/output/OutputFixture.h"
#include "render/output/OutputShaderEffect.h"

#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/VertexList.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using OutputTest::pixelsToClip;
using OutputTest::Rgba;
using Resource::ShaderList;

constexpr int kNone = ShaderList::FlatBlendNone;
constexpr int kNear = ShaderList::FlatSampleNear;
constexpr int kFootprint = ShaderList::FlatSampleFootprint;

// Scale s, rotation r (radians) and shift (x, y) in frame pixels, then
// onto a width × height frame.
Media::Matrix4 placed(float s, float r, float x, float y, int width, int height) {
    const float c = std::cos(r) * s, n = std::sin(r) * s;
    const Media::Matrix4 world = {c, n, 0, 0, -n, c, 0, 0, 0, 0, 1, 0, x, y, 0, 1};
    const Media::Matrix4 clip = pixelsToClip(width, height);
    Media::Matrix4 m{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k) m[i * 4 + j] += world[i * 4 + k] * clip[k * 4 + j];
    return m;
}

TEST(FlatVariant, TheSamplingFollowsTheTexelsAPixelCovers) {
    struct Case {
        const char* name;
        Media::Matrix4 projection;
        bool pictureQuad;
        int blend;
        int expected;
    };
    Media::Matrix4 perspective = placed(1, 0, 0, 0, 64, 64);
    perspective[3] = 0.001f;
    const Case cases[] = {
        {"one to one", placed(1, 0, 3, -2, 64, 48), true, 0, kNone | kNear},
        {"magnified twice", placed(2, 0, 0, 0, 64, 48), true, 0, kNone | kNear},
        {"shrunk to a half: two texels a pixel", placed(0.5f, 0, 0, 0, 64, 48), true, 0, kNone | kFootprint},
        {"at the threshold itself", placed(1 / 1.05f, 0, 0, 0, 64, 48), true, 0, kNone},
        {"just inside the margin", placed(1 / 1.045f, 0, 0, 0, 64, 48), true, 0, kNone},
        {"turned 45 degrees: cos + sin texels", placed(1, 0.7853982f, 0, 0, 64, 48), true, 0, kNone | kFootprint},
        {"turned 45 degrees and magnified 1.5", placed(1.5f, 0.7853982f, 0, 0, 64, 48), true, 0, kNone | kNear},
        {"a blend mode keeps the blend branch", placed(1, 0, 0, 0, 64, 48), true, 3, kNear},
        {"a mesh of its own decides per pixel", placed(1, 0, 0, 0, 64, 48), false, 0, kNone},
        {"perspective decides per pixel", perspective, true, 0, kNone},
        {"a flattened quad decides per pixel", placed(0, 0, 0, 0, 64, 48), true, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Effect::OutputShaderEffect::flatVariant(c.projection, 64, 48, c.pictureQuad, c.blend),
                  c.expected);
    }
}

class FlatVariantDrawing : public OutputTest::OutputTest {
protected:
    void TearDown() override { Effect::OutputShaderEffect::chooseFlatVariants = true; }
};

// Texels that differ in every channel, so any change of sampling shows.
Rgba texel(UINT x, UINT y) {
    const float a = static_cast<float>((x * 7 + y * 3) % 9 + 1) / 10.0f;
    return {a * static_cast<float>(x % 5) / 4.0f, a * static_cast<float>(y % 7) / 6.0f,
            a * static_cast<float>((x + y) % 3) / 2.0f, a};
}
Rgba under(UINT x, UINT y) {
    return {0.25f, static_cast<float>(x % 4) / 8.0f, static_cast<float>(y % 4) / 8.0f, 0.75f};
}

TEST_F(FlatVariantDrawing, ChosenStagesDrawWhatTheBranchingStagesDraw) {
    constexpr int kWidth = 40, kHeight = 32;
    auto image = picture(24, 20, texel);
    Effect::OutputShaderEffect effect;
    struct Place {
        float scale, turn, x, y;
    };
    const Place places[] = {{1, 0, 0, 0},     {1, 0, 0.5f, -0.25f}, {1.7f, 0, 2, 1},
                            {0.55f, 0, -3, 2}, {0.3f, 0.4f, 0, 0},   {1.2f, 0.5f, 1, 1}};
    for (const Place& place : places)
        for (int blend : {0, 3, 12}) {
            SCOPED_TRACE(testing::Message() << "scale " << place.scale << " turn " << place.turn << " blend "
                                            << blend);
            std::vector<Rgba> drawn[2];
            for (bool choose : {false, true}) {
                Effect::OutputShaderEffect::chooseFlatVariants = choose;
                auto target = frame(kWidth, kHeight, under);
                Effect::OutputShaderEffect::ObjectDraw draw;
                const float c = std::cos(place.turn) * place.scale, s = std::sin(place.turn) * place.scale;
                draw.world = {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, place.x, place.y, 0, 1};
                draw.view = pixelsToClip(kWidth, kHeight);
                draw.alpha = 0.75f;
                draw.blend = blend;
                effect.drawPrepared(*target, image.get(), draw);
                drawn[choose ? 1 : 0] = read(*target);
            }
            ASSERT_EQ(drawn[0].size(), drawn[1].size());
            std::size_t differing = 0;
            for (std::size_t i = 0; i < drawn[0].size(); ++i)
                if (std::memcmp(&drawn[0][i], &drawn[1][i], sizeof(Rgba)) != 0) ++differing;
            EXPECT_EQ(differing, 0u);
        }
}

}  // namespace
