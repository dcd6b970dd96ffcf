// The camera's lights, light bloom, material and options through the real
// walk: the records the lights add, a facing white square lit by them
// against the lighting formula worked on the CPU, the eight-light limit,
// back faces and facing the camera, and the bloom against a CPU reference
// of its extract, box blurs and additions.
#include "effects/camera/CameraOption.h"
#include "effects/camera/MaterialSetting.h"
#include "effects/light/CameraLight.h"
#include "effects/light/CameraLightAmbient.h"
#include "effects/light/CameraLightBloom.h"

#include "effects/camera/CameraTestSupport.h"

#include <cmath>

namespace {

using CameraTest::Rgba;
using EffectsTest::Picture;

// The lighting pass's factor for a surface seen and lit head-on: the
// highlight D·V·F and the diffuse 1 - F with n = v = l (F = 0.04).
float headOnFactor(float shine) {
    const float r = (1.0f - shine) * (1.0f - shine);
    const float r2 = r * r;
    const float d = r2 != 0.0f ? 1.0f / r2 : 0.0f;
    const float v = 0.5f / (2.0f + 0.00001f);
    return d * v * 0.04f + 0.96f;
}

TEST(CameraLightRecord, DirectionsAndRecordsFollowTheItems) {
    struct Direction {
        float latitude, longitude, tilt;
        Media::Float3 expected;
    };
    for (const Direction& test : {Direction{0, 0, 0, {0, 0, -1}}, Direction{90, 0, 0, {0, -1, 0}},
                                  Direction{0, 90, 0, {1, 0, 0}}, Direction{0, 0, 90, {0, 0, -1}},
                                  Direction{-90, 0, 0, {0, 1, 0}}}) {
        const Media::Float3 d = Effect::CameraLight::direction(test.latitude, test.longitude, test.tilt);
        EXPECT_NEAR(d.x, test.expected.x, 1e-6);
        EXPECT_NEAR(d.y, test.expected.y, 1e-6);
        EXPECT_NEAR(d.z, test.expected.z, 1e-6);
    }
    const float rgb[3] = {1.0f, 0.5f, 0.25f};
    struct Record {
        float brightness;
        bool shadow;
        std::int32_t type;
        float scale, share;
    };
    for (const Record& test : {Record{100, false, 1, 1.0f, 0.0f}, Record{50, true, 2, 0.5f, 0.5f},
                               Record{200, false, 1, 2.0f, 0.0f}, Record{0, true, 2, 0.0f, 1.0f}}) {
        const Media::LightSource light = Effect::CameraLight::record({0, 0, -1}, test.brightness, rgb, test.shadow,
                                                                     20000);
        EXPECT_EQ(light.type, test.type);
        EXPECT_FLOAT_EQ(light.col[0], 1.0f * test.scale);
        EXPECT_FLOAT_EQ(light.col[1], 0.5f * test.scale);
        EXPECT_FLOAT_EQ(light.col[2], 0.25f * test.scale);
        EXPECT_FLOAT_EQ(light.col[3], test.share);
        EXPECT_EQ(light.range, 20000.0f);
        EXPECT_EQ(light.depth, 20000.0f);
    }
    const Media::LightSource ambient = Effect::CameraLightAmbient::record(100, rgb);
    EXPECT_EQ(ambient.type, 0);
    EXPECT_FLOAT_EQ(ambient.col[1], 0.5f);
    EXPECT_EQ(ambient.col[3], 0.0f);
    EXPECT_EQ(ambient.pos[2], 0.0f);
}

class CameraLightWalk : public CameraTest::CameraWalk {
protected:
    // Camera on layer 0, a parallel light on 1 (its colour, no shadow), a
    // white square of 16 on layer 2.
    Edit::ObjectPointer litSquare(float brightness, const char* color = "ff8040") {
        placeCamera();
        Effect::CameraLight& light = placeFilter<Effect::CameraLight>(1);
        light.brightness.setValue(brightness, 0);
        light.color.fromString(color);
        light.shadow.value = false;
        lights.push_back(&light);
        return placeSquare(2, 16, "ffffff");
    }
    Rgba centre() { return at(render(3), 32, 18); }
    std::vector<Effect::CameraLight*> lights;
};

TEST_F(CameraLightWalk, OneFullLightGivesItsColourThroughTheGlossiness) {
    Edit::ObjectPointer square = litSquare(100);
    const float colour[3] = {1.0f, 128.0f / 255.0f, 64.0f / 255.0f};
    struct Case {
        const char* name;
        int glossiness;  // -1: no material setting (0.7)
        float shine;
    };
    Effect::MaterialSetting* material = nullptr;
    for (const Case& test : {Case{"without material", -1, 0.7f}, Case{"光沢度 0", 0, 0.0f},
                             Case{"光沢度 100", 100, 1.0f}}) {
        SCOPED_TRACE(test.name);
        if (test.glossiness >= 0) {
            if (!material) material = &addFilter<Effect::MaterialSetting>(square);
            material->glossiness.setValue(test.glossiness, 0);
        }
        const Rgba pixel = centre();
        const float k = headOnFactor(test.shine);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], colour[c] * k, 0.004f * k) << c;
        EXPECT_NEAR(pixel[3], 1.0f, 0.001f);
    }
}

TEST_F(CameraLightWalk, AShadowLightDoesNotShadeTheObjectItFallsFrom) {
    litSquare(100);
    const Rgba plain = centre();
    lights[0]->shadow.value = true;
    lights[0]->updateItemVisible();
    EXPECT_TRUE(lights[0]->shadowRange.visible);
    const Rgba shadowed = centre();
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(shadowed[c], plain[c], 0.004f) << c;
    lights[0]->shadow.value = false;
    lights[0]->updateItemVisible();
    EXPECT_FALSE(lights[0]->shadowRange.visible);
}

TEST_F(CameraLightWalk, AnObjectInFrontCastsItsShadowAwayFromTheLight) {
    scene().width = 128;
    scene().height = 72;
    placeCamera();
    Effect::CameraLight& light = placeFilter<Effect::CameraLight>(1);
    light.brightness.setValue(100, 0);
    light.longitude.setValue(45, 0);  // from the front right
    light.shadowRange.value = 1000;
    placeSquare(2, 64, "ffffff");
    // 20 in front of it: its shadow falls 20 to the left, x from -28 to -12.
    Edit::ObjectPointer front = placeSquare(3, 16, "ffffff");
    outputOf(front).z.setValue(-20, 0);
    const auto pixels = render(3);
    const float shaded = at(pixels, 64 - 20, 36)[0], lit = at(pixels, 64 + 20, 36)[0];
    EXPECT_GT(lit, 0.2f);
    EXPECT_LT(shaded, 0.25f * lit);
    EXPECT_NEAR(at(pixels, 64 - 20, 36)[3], 1.0f, 0.001f);
}

TEST_F(CameraLightWalk, ALightFromAboveLeavesAFacingObjectDark) {
    litSquare(100);
    lights[0]->latitude.setValue(90, 0);
    const Rgba pixel = centre();
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], 0.0f, 0.002f);
    EXPECT_NEAR(pixel[3], 1.0f, 0.001f);
}

TEST_F(CameraLightWalk, HalfBrightnessLeavesHalfTheAmbientShare) {
    placeCamera();
    Effect::CameraLight& light = placeFilter<Effect::CameraLight>(1);
    light.shadow.value = false;  // 明るさ 50, white: the defaults
    Effect::CameraLightAmbient& ambient = placeFilter<Effect::CameraLightAmbient>(2);
    ambient.brightness.setValue(20, 0);
    ambient.disable = true;
    Edit::ObjectPointer square = placeSquare(3, 16, "ffffff");
    addFilter<Effect::MaterialSetting>(square).glossiness.setValue(100, 0);
    // 0.5 × 0.96 from the light and the share 0.5 left for ambient.
    const Rgba pixel = centre();
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], 0.5f * 0.96f + 0.5f, 0.004f);
    // An ambient light takes the share's place.
    ambient.disable = false;
    const Rgba withAmbient = centre();
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(withAmbient[c], 0.5f * 0.96f + 0.2f, 0.004f);
}

TEST_F(CameraLightWalk, ANinthLightHasNoEffect) {
    placeCamera();
    // Eight lights of brightness 0: no light, a full ambient share.
    for (int layer = 1; layer <= 8; ++layer) {
        Effect::CameraLight& dark = placeFilter<Effect::CameraLight>(layer);
        dark.brightness.setValue(0, 0);
        dark.shadow.value = false;
    }
    Effect::CameraLight& ninth = placeFilter<Effect::CameraLight>(9);
    ninth.brightness.setValue(200, 0);
    ninth.shadow.value = false;
    placeSquare(10, 16, "ffffff");
    const Rgba pixel = centre();
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], 1.0f, 0.002f);
    // The same light as the eighth counts.
    ninth.brightness.setValue(0, 0);
    auto& eighth = dynamic_cast<Effect::CameraLight&>(*objectAt(8, 3)->effectList[0]);
    eighth.brightness.setValue(200, 0);
    EXPECT_GT(centre()[0], 1.5f);
}

class CameraOptionWalk : public CameraTest::CameraWalk {};

TEST_F(CameraOptionWalk, HidingTheBackHidesAnObjectTurnedAway) {
    placeCamera();
    Edit::ObjectPointer square = placeSquare(1, 8);
    Effect::CameraOption& option = addFilter<Effect::CameraOption>(square);
    option.hideBack.value = true;
    EXPECT_NEAR(at(render(3), 32, 18)[3], 1.0f, 0.01f);
    outputOf(square).rotationY.setValue(180, 0);
    EXPECT_LT(at(render(3), 32, 18)[3], 0.01f);
    option.hideBack.value = false;
    EXPECT_NEAR(at(render(3), 32, 18)[3], 1.0f, 0.01f);
}

TEST_F(CameraOptionWalk, FacingTheCameraTurnsAnObjectSeenEdgeOnToTheCamera) {
    // Looking from the right along -x: the square in the z = 0 plane is
    // seen edge-on.
    Effect::CameraControl& camera = placeCamera();
    camera.x.setValue(1024, 0);
    camera.z.setValue(0, 0);
    Edit::ObjectPointer square = placeSquare(1, 8);
    EXPECT_LT(rowCoverage(render(3), 18), 0.5f);
    Effect::CameraOption& option = addFilter<Effect::CameraOption>(square);
    option.facing.value = 3;
    // Turned to the camera 1024 away: its own size.
    EXPECT_NEAR(rowCoverage(render(3), 18), 8.0f, 0.1f);
}

// The bloom's steps on the CPU, from the frame before it.
Picture bloomReference(Picture frame, float strength, int spread) {
    const float k = strength * 0.01f;
    const int r = spread;
    if (!(k > 0.0f) || r <= 0) return frame;
    Picture a(frame.width, frame.height);
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
        const Rgba& c = frame.pixels[i];
        const float w = std::max(c[0] * 0.299f + c[1] * 0.587f + c[2] * 0.114f - 1.0f, 0.0f);
        a.pixels[i] = {std::min(c[0] * w, 1.0f), std::min(c[1] * w, 1.0f), std::min(c[2] * w, 1.0f),
                       std::min(w, 1.0f)};
    }
    const auto blur = [&](int n) {
        if (n <= 0) return;
        const float divide = 1.0f / static_cast<float>(2 * n + 1);
        Picture b(a.width, a.height);
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) {
                Rgba sum{0, 0, 0, 0};
                for (int d = -n; d <= n; ++d)
                    for (int c = 0; c < 4; ++c) sum[c] += a.load(x + d, y)[c];
                for (int c = 0; c < 4; ++c) b.at(x, y)[c] = sum[c] * divide;
            }
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) {
                Rgba sum{0, 0, 0, 0};
                for (int d = -n; d <= n; ++d)
                    for (int c = 0; c < 4; ++c) sum[c] += b.load(x, y + d)[c];
                for (int c = 0; c < 4; ++c) a.at(x, y)[c] = sum[c] * divide;
            }
    };
    const float f = static_cast<float>(r) * k / 800.0f;
    const auto add = [&] {
        for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
            Rgba& d = frame.pixels[i];
            const Rgba& s = a.pixels[i];
            for (int c = 0; c < 3; ++c) d[c] += s[c] * f;
            d[3] = s[3] * f + d[3] * (1.0f - s[3]);
        }
    };
    blur(r / 16);
    blur(r / 16);
    add();
    blur(r / 8);
    add();
    blur(r / 4);
    add();
    blur(r / 2);
    add();
    return frame;
}

TEST_F(CameraLightWalk, TheBloomAddsTheBlurredOverBrightShare) {
    placeCamera();
    Effect::CameraLight& light = placeFilter<Effect::CameraLight>(1);
    light.brightness.setValue(200, 0);
    light.shadow.value = false;
    Effect::CameraLightBloom& bloom = placeFilter<Effect::CameraLightBloom>(2);
    Edit::ObjectPointer square = placeSquare(3, 6, "ffffff");
    addFilter<Effect::MaterialSetting>(square).glossiness.setValue(100, 0);

    struct Case {
        const char* name;
        float strength;
        int spread;
    };
    for (const Case& test : {Case{"拡散 40", 100.0f, 40}, Case{"拡散 15: the first layer unblurred", 250.0f, 15},
                             Case{"強さ 0", 0.0f, 40}}) {
        SCOPED_TRACE(test.name);
        bloom.disable = true;
        Picture before(scene().width, scene().height);
        before.pixels = render(3);
        // 2 × 0.96 on the square: brighter than white.
        EXPECT_NEAR(before.at(32, 18)[0], 1.92f, 0.01f);
        bloom.disable = false;
        bloom.strength.setValue(test.strength, 0);
        bloom.spread.setValue(test.spread, 0);
        const std::vector<Rgba> after = render(3);
        const Picture expected = bloomReference(before, test.strength, test.spread);
        float worst = 0.0f;
        for (std::size_t i = 0; i < after.size(); ++i)
            for (int c = 0; c < 4; ++c)
                worst = std::max(worst, std::fabs(after[i][c] - expected.pixels[i][c]));
        EXPECT_LT(worst, 0.006f);
        if (test.strength > 0.0f) {
            EXPECT_GT(after[static_cast<std::size_t>(18 * 64 + 40)][3], 0.001f);
        }
    }
}

}  // namespace
