#include "effects/blur/BlurFilter.h"

#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"

#include "effects/EffectsTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace EffectsTest;
using Effect::BlurFilter;

struct PlanCase {
    int width, height;
    float strength, offsetX;
    bool keepSize;
    int left, top, right, bottom, samples;
    float shiftX;
};

// Worked out by hand: k = 100 / (100 - strength), the reach of the streaks
// k times the centre's distance to each edge.
TEST(RadialBlurPlan, CanvasSamplesAndCentreShift) {
    const PlanCase cases[] = {
        // k = 2, symmetric growth by 50, hypot(50, 50) = 70.7.
        {100, 100, 50, 0, false, -50, -50, 150, 150, 70, 0},
        // Centre at x 70: 70 more on the left, 30 on the right; the centre
        // pair moves 20 right so the picture stays put; hypot(70, 50) = 86.0.
        {100, 100, 50, 20, false, -70, -50, 130, 150, 86, -20},
        // Kept size: same streaks, no growth.
        {100, 100, 50, 0, true, 0, 0, 100, 100, 70, 0},
        // k = 1.25 on 8 × 6: 4 ± 5.5 and 3 ± 4.25 truncate to one more pixel
        // each side; the streaks are short, so the floor of 10 samples.
        {8, 6, 20, 0, false, -1, -1, 9, 7, 10, 0},
        // k = 2.5 on 10000 × 10: 7500 each side, cut to 16384 on the right.
        {10000, 10, 60, 0, false, -7500, -8, 8884, 18, 7500, -4308},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.strength);
        const BlurFilter::Plan plan = BlurFilter::plan(c.width, c.height, c.strength, c.offsetX, 0, c.keepSize);
        EXPECT_FALSE(plan.copy);
        EXPECT_EQ(plan.left, c.left);
        EXPECT_EQ(plan.top, c.top);
        EXPECT_EQ(plan.right, c.right);
        EXPECT_EQ(plan.bottom, c.bottom);
        EXPECT_EQ(plan.constant.sampleNum, c.samples);
        EXPECT_FLOAT_EQ(plan.constant.sampleStep, c.strength * 0.01f / static_cast<float>(c.samples));
        EXPECT_FLOAT_EQ(plan.centerShiftX, c.shiftX);
    }
    EXPECT_TRUE(BlurFilter::plan(100, 100, 0, 5, 5, false).copy);
}

// The streak of every output pixel averaged on the CPU: n samples from the
// pixel centre towards the centre point, positions truncated toward zero.
Picture streaks(const Picture& source, const BlurFilter::Plan& plan) {
    Picture out(plan.right - plan.left, plan.bottom - plan.top);
    const auto& c = plan.constant;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const float px = static_cast<float>(x) + 0.5f + c.offset[0];
            const float py = static_cast<float>(y) + 0.5f + c.offset[1];
            const float dx = c.center[0] - px, dy = c.center[1] - py;
            Rgba sum{0, 0, 0, 0};
            for (int i = 0; i < c.sampleNum; ++i) {
                const float t = c.sampleStep * static_cast<float>(i);
                const Rgba s = source.load(static_cast<int>(px + dx * t), static_cast<int>(py + dy * t));
                for (int k = 0; k < 4; ++k) sum[k] += s[k];
            }
            for (int k = 0; k < 4; ++k) out.at(x, y)[k] = sum[k] / static_cast<float>(c.sampleNum);
        }
    return out;
}

class RadialBlur : public EffectGpuTest {
protected:
    void SetUp() override {
        EffectGpuTest::SetUp();
        filter.createResource();
    }
    BlurFilter filter;
    const Picture source = patterned(21, 15);
};

TEST_F(RadialBlur, MatchesTheStreaksAveragedOnTheCpu) {
    struct Case {
        float strength, offsetX, offsetY;
        bool keepSize;
    };
    for (const Case& c : {Case{40, 0, 0, false}, Case{65, 4.5f, -3, false}, Case{30, -2, 6, true}}) {
        SCOPED_TRACE(testing::Message() << "strength " << c.strength);
        auto input = upload(source);
        float centerX = 1.0f, centerY = 2.0f;
        BlurFilter::Image result;
        filter.radialBlur(result, *input, centerX, centerY, c.strength, c.offsetX, c.offsetY, c.keepSize);
        const BlurFilter::Plan plan = BlurFilter::plan(21, 15, c.strength, c.offsetX, c.offsetY, c.keepSize);
        // A sample lying on a pixel edge may land on either side in the
        // GPU's float arithmetic; one such sample moves a channel by 1/n.
        expectPicture(download(*result), streaks(source, plan), 1.5f / static_cast<float>(plan.constant.sampleNum));
        EXPECT_FLOAT_EQ(centerX, 1.0f - plan.centerShiftX);
        EXPECT_FLOAT_EQ(centerY, 2.0f - plan.centerShiftY);
        ASSERT_NE(input, nullptr);  // read, not taken over
    }
}

TEST_F(RadialBlur, StrengthZeroCopiesThePictureAndLeavesTheCentre) {
    auto input = upload(source);
    float centerX = 3.0f, centerY = 4.0f;
    BlurFilter::Image result;
    filter.radialBlur(result, *input, centerX, centerY, 0.0f, 10.0f, 10.0f, false);
    expectPicture(download(*result), source, 1e-3f);
    EXPECT_EQ(centerX, 3.0f);
    EXPECT_EQ(centerY, 4.0f);
}

}  // namespace
