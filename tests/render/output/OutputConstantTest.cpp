// The constant blocks of output drawing byte by byte at the offsets the
// shaders read them (HLSL packing), and the blend states the drawing picks.
#include "render/output/OutputShaderEffect.h"

#include "media/gpu/BlendStateList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

template <class T, class Block>
T at(const Block& block, std::size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const std::uint8_t*>(&block) + offset, sizeof value);
    return value;
}

Media::Matrix4 counting(float base) {
    Media::Matrix4 m;
    for (int i = 0; i < 16; ++i) m[static_cast<std::size_t>(i)] = base + static_cast<float>(i);
    return m;
}

TEST(OutputConstantTest, ObjectBlockPacking) {
    Resource::ShaderList::ObjectConstant previous{};
    previous.shine = 0.25f;
    const Media::Matrix4 projection = counting(1), normalWorld = counting(100);
    const auto plain = Effect::OutputShaderEffect::objectConstant(previous, projection, 0.5f, 7, nullptr, 0.9f);
    ASSERT_EQ(sizeof plain, 160u);
    // Row i of the row-vector matrix is register i: the shader's column i.
    for (int i = 0; i < 16; ++i) EXPECT_EQ(at<float>(plain, 4 * static_cast<std::size_t>(i)), 1.0f + i);
    EXPECT_EQ(at<float>(plain, 64), 0.5f);
    EXPECT_EQ(at<std::int32_t>(plain, 68), 7);
    EXPECT_EQ(at<float>(plain, 144), 0.25f) << "shine is written only when lit";
    EXPECT_EQ(at<float>(plain, 80), 0.0f);

    const auto lit = Effect::OutputShaderEffect::objectConstant(previous, projection, 1, 0, &normalWorld, 0.9f);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(at<float>(lit, 80 + 4 * static_cast<std::size_t>(i)), 100.0f + i);
    EXPECT_EQ(at<float>(lit, 144), 0.9f);
}

TEST(OutputConstantTest, FlatBlockLayouts) {
    const Resource::ShaderList::BlendOffsetConstant withMode{22, 0.5f, {-3, 4}};
    ASSERT_EQ(sizeof withMode, 16u);
    EXPECT_EQ(at<std::int32_t>(withMode, 0), 22);
    EXPECT_EQ(at<float>(withMode, 4), 0.5f);
    EXPECT_EQ(at<std::int32_t>(withMode, 8), -3);
    EXPECT_EQ(at<std::int32_t>(withMode, 12), 4);
    const Resource::ShaderList::AlphaOffsetConstant plain{0.25f, {5, -6}, 0};
    ASSERT_EQ(sizeof plain, 16u);
    EXPECT_EQ(at<float>(plain, 0), 0.25f);
    EXPECT_EQ(at<std::int32_t>(plain, 4), 5);
    EXPECT_EQ(at<std::int32_t>(plain, 8), -6);
}

// Ten records: only the first eight count. Ambient colours add up, every
// record's residual factor multiplies into the ambient term, and shadow
// lights get their projection.
TEST(OutputConstantTest, LightingBlockPacking) {
    std::vector<Media::LightSource> lights;
    for (int i = 0; i < 10; ++i) {
        const std::int32_t type = i == 0 ? 0 : i == 3 ? 2 : i == 9 ? 0 : 1;
        lights.push_back({type, {1.0f + i, 2.0f + i, 3.0f + i}, {0.1f * i, 0.2f, 0.3f, 0.5f}, 10.0f + i,
                          20.0f + i, {0, 0}});
    }
    const Media::Matrix4 identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    int asked = 0;
    const auto block = Effect::OutputShaderEffect::lightingConstant(lights, identity, [&](const Media::LightSource& l) {
        ++asked;
        EXPECT_EQ(l.type, 2);
        return counting(0);
    });
    ASSERT_EQ(sizeof block, 912u);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(at<std::int32_t>(block, 896), 8);
    // Ambient: record 0's colour plus 0.5^8.
    const float residual = 1.0f / 256.0f;
    EXPECT_FLOAT_EQ(at<float>(block, 900), 0.0f + residual);
    EXPECT_FLOAT_EQ(at<float>(block, 904), 0.2f + residual);
    EXPECT_FLOAT_EQ(at<float>(block, 908), 0.3f + residual);
    for (std::size_t i = 0; i < 8; ++i) {
        const std::size_t record = 512 + 48 * i;
        EXPECT_EQ(at<std::int32_t>(block, record), lights[i].type);
        EXPECT_EQ(at<float>(block, record + 4), 1.0f + static_cast<float>(i));   // direction
        EXPECT_EQ(at<float>(block, record + 12), 3.0f + static_cast<float>(i));
        EXPECT_EQ(at<float>(block, record + 28), 0.5f);                           // residual
        EXPECT_EQ(at<float>(block, record + 32), 10.0f + static_cast<float>(i));  // area
        EXPECT_EQ(at<float>(block, record + 36), 20.0f + static_cast<float>(i));  // depth range
    }
    // Light 3's projection is pixel-to-world x light view x flip(y), one
    // shader column per 16 bytes: the second column negated.
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(at<float>(block, 3 * 64 + 16 * static_cast<std::size_t>(row)), 4.0f * row);
        EXPECT_EQ(at<float>(block, 3 * 64 + 16 * static_cast<std::size_t>(row) + 4), -(4.0f * row + 1));
    }
    EXPECT_EQ(at<float>(block, 0), 0.0f) << "no projection for other lights";
}

TEST(OutputConstantTest, BlendEntriesOfTheDrawing) {
    using Platform::Gl::Blend;
    using Platform::Gl::BlendOp;
    struct Case {
        int entry;
        Platform::Gl::BlendDesc desc;
    };
    const Case cases[] = {
        {Effect::OutputShaderEffect::BlendOver,
         {true, Blend::One, Blend::InvSrcAlpha, BlendOp::Add, Blend::One, Blend::InvSrcAlpha, BlendOp::Add}},
        {Effect::OutputShaderEffect::BlendReplace,
         {false, Blend::Zero, Blend::Zero, BlendOp::Add, Blend::Zero, Blend::Zero, BlendOp::Add}},
        {Effect::OutputShaderEffect::BlendLighting,
         {true, Blend::Zero, Blend::SrcColor, BlendOp::Add, Blend::Zero, Blend::One, BlendOp::Add}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const Platform::Gl::BlendDesc& d = Shader::BlendStateList::describe(c.entry);
        EXPECT_EQ(d.enable, c.desc.enable);
        if (!c.desc.enable) continue;
        EXPECT_EQ(d.src, c.desc.src);
        EXPECT_EQ(d.dest, c.desc.dest);
        EXPECT_EQ(d.op, c.desc.op);
        EXPECT_EQ(d.srcAlpha, c.desc.srcAlpha);
        EXPECT_EQ(d.destAlpha, c.desc.destAlpha);
        EXPECT_EQ(d.opAlpha, c.desc.opAlpha);
    }
}

}  // namespace
