#include "media/GpuFixture.h"

#include "media/resource/ResourceService.h"
#include "platform/gl/DxgiFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class NoiseTextureTest : public MediaTest::GpuTest {
protected:
    static std::vector<float> values(Media::ResourceBuffer& texture) {
        std::vector<float> cells(256 * 256);
        glGetTextureImage(texture.getTexture()->name(), 0, GL_RED, GL_FLOAT,
                          static_cast<GLsizei>(cells.size() * sizeof(float)), cells.data());
        return cells;
    }
};

// Expected cells were worked out with exact integer arithmetic outside the
// program, step by step from the generator's start state.
TEST_F(NoiseTextureTest, TheThresholdsHoldEveryStepOnceInAFixedOrder) {
    const auto texture = resources().randomThreshold.get();
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(resources().randomThreshold.get(), texture);
    EXPECT_EQ(texture->getFormat(), DXGI_FORMAT_R32_FLOAT);
    EXPECT_EQ(texture->getWidth(), 256u);
    EXPECT_EQ(texture->getHeight(), 256u);

    std::vector<float> cells = values(*texture);
    const struct {
        int cell;
        int step;
    } fixed[] = {{0, 8159}, {1, 50037}, {255, 48674}, {256, 46218}, {40000, 43012}, {65535, 49838}};
    for (const auto& f : fixed) EXPECT_EQ(cells[f.cell], static_cast<float>(f.step / 65535.0)) << f.cell;

    std::sort(cells.begin(), cells.end());
    for (int i = 0; i < 65536; ++i) ASSERT_EQ(cells[i], static_cast<float>(i / 65535.0)) << i;
}

TEST_F(NoiseTextureTest, TheSmoothNoiseSpansExactlyMinusHalfToHalf) {
    const auto texture = resources().smoothNoise.get();
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(resources().smoothNoise.get(), texture);
    EXPECT_NE(texture, resources().randomThreshold.get());
    const std::vector<float> cells = values(*texture);
    const auto [low, high] = std::minmax_element(cells.begin(), cells.end());
    EXPECT_EQ(*low, -0.5f);
    EXPECT_EQ(*high, 0.5f);
    const struct {
        int x, y;
        double value;
    } fixed[] = {{0, 0, -0.0617456855175465},
                 {255, 0, -0.08404736696979243},
                 {0, 255, -0.09897215289097405},
                 {17, 3, -0.0764560373663794},
                 {128, 200, 0.04729274774244885}};
    for (const auto& f : fixed) EXPECT_NEAR(cells[f.y * 256 + f.x], f.value, 1e-6) << f.x << "," << f.y;
}

TEST(NoiseGeneratorTest, TheFirstStepsFromTheStartState) {
    Resource::NoiseTexture::Random random;
    EXPECT_EQ(random.next(), 0xe8683e430d4620d0ull);
    EXPECT_EQ(random.next(), 0xcaf3851f5c44d153ull);
    EXPECT_EQ(random.next(), 0xc1864a115e866363ull);
}

}  // namespace
