// The particle output: how many particles live at a frame, where the first
// one appears, how they fade, and that a frame draws the same pixels on
// every run and on any render thread.
#include "render/output/OutputSceneFixture.h"

#include "media/gpu/VertexList.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using OutputTest::Box;
using OutputTest::Rgba;

constexpr int kSide = 32;
const Rgba kBackground{0, 0, 0, 0};
const Rgba kColour{0.5f, 0.25f, 0.125f, 1};

class ParticleOutputTest : public OutputTest::OutputSceneTest {
protected:
    // The particles of one frame: their quads, and the frame they drew.
    struct Drawn {
        std::vector<Media::XYZ_UV> vertices;
        std::vector<Rgba> pixels;
    };
    Drawn drawAt(Effect::ParticleOutput& output, int frame) {
        auto target = this->frame(kSide, kSide, [](UINT, UINT) { return kBackground; });
        auto image = picture(4, 4, [](UINT, UINT) { return kColour; });
        Render::ObjectContext context = contextAt(*target, frame);
        output.outputVideo(context, *target, image);
        Drawn drawn;
        if (auto* list = dynamic_cast<Media::VertexListQuadPosUv*>(context.vertexList.get()))
            drawn.vertices = list->vertices;
        drawn.pixels = read(*target);
        return drawn;
    }
    static std::size_t particles(const Drawn& drawn) { return drawn.vertices.size() / 4; }
};

TEST_F(ParticleOutputTest, TheFirstFrameShowsOneParticleAtTheEmitter) {
    Effect::ParticleOutput& output = place<Effect::ParticleOutput>(0, 300);
    output.x.setValue(5, 0);
    output.y.setValue(-3, 0);
    const Drawn drawn = drawAt(output, 0);
    ASSERT_EQ(particles(drawn), 1u);
    EXPECT_EQ(drawn.vertices[0].x, 3.0f);   // -2 + 5
    EXPECT_EQ(drawn.vertices[0].y, -5.0f);  // -2 - 3
    EXPECT_EQ(drawn.vertices[0].alpha, 1.0f);
    EXPECT_EQ(boxOf(drawn.pixels, kSide, kBackground), (Box{19, 11, 23, 15}));
    const Rgba middle = drawn.pixels[13 * kSide + 21];
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(middle[i], kColour[i], 0.01f);
}

// At 30 frames a second and 20 particles a second, frame 150 has emitted
// 100 particles after the first; a lifetime of 2 seconds keeps those of
// age 0 to 2 (41), a third of a frame later one fewer. Without a lifetime
// only the newest 10000 are kept.
TEST_F(ParticleOutputTest, RateAndLifetimeSetHowManyLive) {
    struct Case {
        const char* what;
        double rate, lifetime;
        int frame;
        std::size_t count;
    };
    const Case cases[] = {
        {"lifetime 2 at an emission", 20, 2, 150, 41},
        {"lifetime 2 between emissions", 20, 2, 151, 40},
        {"unlimited", 20, 0, 150, 101},
        {"before the object starts", 20, 0, -1, 0},
        {"more than the limit", 500, 0, 900, 10000},
        {"rate 0 draws nothing", 0, 0, 150, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Effect::ParticleOutput& output = place<Effect::ParticleOutput>(0, 1000);
        output.rate.setValue(c.rate, 0);
        output.lifetime.setValue(c.lifetime, 0);
        output.speed.setValue(0, 0);  // all on the emitter: the frame stays small
        EXPECT_EQ(particles(drawAt(output, c.frame)), c.count);
    }
}

// Transparency 50 % a second: gone at age 2; a negative speed keeps the
// opacity at 1.
TEST_F(ParticleOutputTest, OpacityFollowsTheTransparencySpeed) {
    Effect::ParticleOutput& output = place<Effect::ParticleOutput>(0, 300);
    output.rate.setValue(1, 0);
    output.transparencySpeed.setValue(50, 0);
    Drawn drawn = drawAt(output, 60);  // ages 0, 1 and 2 s
    ASSERT_EQ(particles(drawn), 2u);
    EXPECT_FLOAT_EQ(drawn.vertices[0].alpha, 1.0f);
    EXPECT_FLOAT_EQ(drawn.vertices[4].alpha, 0.5f);
    output.transparencySpeed.setValue(-10, 0);
    drawn = drawAt(output, 60);
    ASSERT_EQ(particles(drawn), 3u);
    for (const auto& v : drawn.vertices) EXPECT_EQ(v.alpha, 1.0f);
}

// Spread over the full circle with a 3D spin: the pattern depends only on
// layer, start and frame, so runs and render threads agree, and another
// layer gives another pattern.
TEST_F(ParticleOutputTest, AFrameIsTheSameOnEveryRunAndThread) {
    auto setUp = [](Effect::ParticleOutput& output) {
        output.speed.setValue(6, 0);
        output.spread.setValue(360, 0);
        output.scaleSpeed.setValue(-20, 0);
        output.angleSpeed.setValue(1, 0);
        output.randomSpin.value = true;
    };
    Effect::ParticleOutput& output = place<Effect::ParticleOutput>(0, 300, 2);
    setUp(output);
    const Drawn first = drawAt(output, 45);
    const Drawn second = drawAt(output, 45);
    ASSERT_EQ(particles(first), 31u);
    EXPECT_EQ(first.pixels, second.pixels);
    EXPECT_NE(boxOf(first.pixels, kSide, kBackground), Box{});

    Drawn onThread;
    std::thread worker([&] { onThread = drawAt(output, 45); });
    worker.join();
    EXPECT_EQ(first.pixels, onThread.pixels);

    Effect::ParticleOutput& moved = place<Effect::ParticleOutput>(0, 300, 3);
    setUp(moved);
    const Drawn elsewhere = drawAt(moved, 45);
    EXPECT_NE(first.vertices[4].x, elsewhere.vertices[4].x);
}

// Directions taken from the emitter's movement: an emitter that does not
// move gives no direction, so every particle stays on it.
TEST_F(ParticleOutputTest, AStillEmitterGivesNoMovementDirection) {
    Effect::ParticleOutput& output = place<Effect::ParticleOutput>(0, 300);
    output.x.setValue(4, 0);
    output.directionFromMovement.value = true;
    output.angleFromMovement.value = true;
    const Drawn drawn = drawAt(output, 30);
    ASSERT_EQ(particles(drawn), 21u);
    for (std::size_t i = 0; i < drawn.vertices.size(); ++i) {
        const float corner = i % 4 == 0 || i % 4 == 3 ? -2.0f : 2.0f;
        EXPECT_FLOAT_EQ(drawn.vertices[i].x, 4.0f + corner) << i;
    }
}

}  // namespace
