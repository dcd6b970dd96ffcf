#include "effects/blur/BokashiFilter.h"

#include "media/gpu/ComputeShader.h"
#include "media/gpu/PixelShader.h"

#include "effects/EffectsTestSupport.h"
#include "effects/blur/BoxBlurReference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using namespace EffectsTest;
using Effect::BokashiFilter;
using Image = BokashiFilter::Image;

Rgba total(const Picture& picture) {
    Rgba sum{0, 0, 0, 0};
    for (const Rgba& p : picture.pixels)
        for (int c = 0; c < 4; ++c) sum[c] += p[c];
    return sum;
}

class Blur : public EffectGpuTest {
protected:
    void SetUp() override {
        EffectGpuTest::SetUp();
        filter.createResource();
    }
    Picture blurred(const Picture& source, int radius, float aspect, int mode) {
        Image result;
        filter.blur(result, upload(source), radius, aspect, mode);
        return download(*result);
    }
    Picture blurredBy(const Picture& source, int radius, int mode, bool compute) {
        Image result;
        filter.blur(result, upload(source), radius, 0.0f, mode, compute);
        return download(*result);
    }
    BokashiFilter filter;
    const Picture source = patterned(23, 17);
};

TEST_F(Blur, SinglePassesOfBothStagesMatchTheBoxOnTheCpu) {
    for (int mode : {0, 1, 2})
        for (bool vertical : {false, true})
            for (int r : {1, 10})
                for (bool compute : {false, true}) {
                    SCOPED_TRACE(testing::Message() << "mode " << mode << (vertical ? " vertical" : " horizontal")
                                                    << " r " << r << (compute ? " compute" : " pixel"));
                    const int width = source.width + (mode == 0 && !vertical ? 2 * r : 0);
                    const int height = source.height + (mode == 0 && vertical ? 2 * r : 0);
                    const std::size_t index = static_cast<std::size_t>(mode * 2 + (vertical ? 1 : 0));
                    Image result;
                    if (compute)
                        filter.boxBlurPassCompute(result, upload(source), *filter.common->computeShaders[index],
                                                  width, height, r, vertical ? static_cast<UINT>(width) : 1u,
                                                  vertical ? 1u : static_cast<UINT>(height));
                    else
                        filter.boxBlurPass(result, upload(source), *filter.common->pixelShaders[index], width,
                                           height, r);
                    expectPicture(download(*result), boxPass(source, mode, vertical, width, height, r), 2e-3f);
                }
}

TEST_F(Blur, RadiusZeroHandsTheVeryInputBack) {
    Image input = upload(source);
    Media::ResourceBuffer* original = input.get();
    Image result;
    filter.blur(result, std::move(input), 0, 0.0f, 0);
    EXPECT_EQ(result.get(), original);
    Image once;
    filter.blurOnce(once, std::move(result), 0);
    EXPECT_EQ(once.get(), original);
    Image pass;
    filter.boxBlurPass(pass, std::move(once), *filter.common->pixelShaders[0], 50, 50, 0);
    EXPECT_EQ(pass.get(), original);
    EXPECT_EQ(pass->getWidth(), 23u);
}

TEST_F(Blur, WholeBlurMatchesTheCpuInEveryMode) {
    struct Case {
        int radius;
        int mode;
    };
    // Radius 100 (vertical + horizontal = 200) takes the compute passes.
    for (const Case& k : {Case{1, 0}, Case{1, 1}, Case{1, 2}, Case{10, 0}, Case{10, 1}, Case{10, 2},
                          Case{100, 0}, Case{100, 2}, Case{10, 7}}) {
        SCOPED_TRACE(testing::Message() << "radius " << k.radius << " mode " << k.mode);
        const int mode = k.mode == 7 ? 0 : k.mode;  // unknown modes grow
        const Picture expected = boxBlur(source, k.radius, k.radius, mode);
        const Picture actual = blurred(source, k.radius, 0.0f, k.mode);
        expectPicture(actual, expected, 3e-3f);
        // The other stage gives the same picture.
        expectPicture(blurredBy(source, k.radius, k.mode, k.radius < 100), expected, 3e-3f);
        if (mode == 0) {
            // Growing loses nothing: the picture's sum stays.
            const Rgba before = total(source), after = total(actual);
            for (int c = 0; c < 4; ++c) EXPECT_NEAR(after[c], before[c], before[c] * 2e-3f);
        }
    }
}

TEST_F(Blur, KeepFadesTheBorderAndClampKeepsItOpaque) {
    Picture opaque(9, 9);
    for (Rgba& p : opaque.pixels) p = {1, 1, 1, 1};
    const Picture kept = blurred(opaque, 4, 0.0f, 1);
    const Picture clamped = blurred(opaque, 4, 0.0f, 2);
    EXPECT_LT(kept.at(0, 4)[3], 0.8f);
    EXPECT_NEAR(kept.at(4, 4)[3], 1.0f, 2e-3f);
    for (const Rgba& p : clamped.pixels) EXPECT_NEAR(p[3], 1.0f, 2e-3f);
}

TEST_F(Blur, AspectSplitsTheRadiusBetweenTheAxes) {
    // Aspect 0.5, radius 9: vertical 4 (2 + 2), horizontal 9 (5 + 4).
    Picture actual = blurred(source, 9, 0.5f, 0);
    EXPECT_EQ(actual.width, source.width + 18);
    EXPECT_EQ(actual.height, source.height + 8);
    expectPicture(actual, boxBlur(source, 4, 9, 0), 3e-3f);
    // 1 blurs only across, -1 only down.
    EXPECT_EQ(blurred(source, 6, 1.0f, 0).height, source.height);
    EXPECT_EQ(blurred(source, 6, 1.0f, 0).width, source.width + 12);
    EXPECT_EQ(blurred(source, 6, -1.0f, 0).width, source.width);
    EXPECT_EQ(blurred(source, 6, -1.0f, 0).height, source.height + 12);
}

TEST_F(Blur, BlurOnceGrowsByTheRadiusWithOneBoxPerAxis) {
    Image result;
    filter.blurOnce(result, upload(source), 3);
    Picture expected = boxPass(source, 0, true, source.width, source.height + 6, 3);
    expected = boxPass(expected, 0, false, source.width + 6, source.height + 6, 3);
    expectPicture(download(*result), expected, 2e-3f);
}

TEST_F(Blur, TheFilterReadsItsItems) {
    LoneObjectContext lone;
    BokashiFilter effect;
    effect.shareResource(filter);
    EXPECT_EQ(effect.common, filter.common);
    effect.range.setValue(4, 0);
    Image result;
    effect.filterVideo(result, lone.context, upload(source));
    expectPicture(download(*result), boxBlur(source, 4, 4, 0), 3e-3f);

    effect.fixedSize.value = true;
    effect.aspect.setValue(-50, 0);  // horizontal radius 2
    effect.filterVideo(result, lone.context, upload(source));
    expectPicture(download(*result), boxBlur(source, 4, 2, 2), 3e-3f);

    // Bright pixels weigh more: blurred in e^(base x + 1) space and back.
    effect.aspect.setValue(0, 0);
    effect.lightStrength.setValue(10, 0);
    effect.filterVideo(result, lone.context, upload(source));
    const float base = 10 * 0.15f + 1.0f;
    Picture light = source;
    for (Rgba& p : light.pixels)
        for (int c = 0; c < 3; ++c) p[c] = std::exp(std::clamp(p[c], 0.0f, 1.0f) * base + 1.0f);
    Picture expected = boxBlur(light, 4, 4, 2);
    for (Rgba& p : expected.pixels)
        for (int c = 0; c < 3; ++c) p[c] = (std::log(p[c]) - 1.0f) / base;
    expectPicture(download(*result), expected, 6e-3f);
}

}  // namespace
