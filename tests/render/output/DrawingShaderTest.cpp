// The pixel arithmetic of object drawing, driven through the output
// drawing and compared with a CPU version of the blend-mode table written
// here: every mode on the full, flat and into-picture paths, footprint
// averaging of shrunk pictures, camera depth with the transparent layer,
// and the lighting pass with variance shadows.
#include "render/output/OutputFixture.h"
#include "render/output/OutputShaderEffect.h"

#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/SamplerStateList.h"
#include "media/gpu/VertexList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using OutputTest::halfStep;
using OutputTest::pixelsToClip;
using OutputTest::Rgba;
using OutputTest::translation;

constexpr int kSide = 8;
constexpr float kOpacity = 0.75f;

// Premultiplied object pixels: alphas down the rows (0 and 2^-11 are
// below the discard threshold), colours across.
Rgba sourcePixel(UINT x, UINT y) {
    const float alphas[8] = {1.0f, 0.75f, 0.5f, 0.25f, 0.0f, 1.0f / 2048.0f, 1.0f, 0.5f};
    const float a = alphas[y];
    const float straight[3] = {static_cast<float>(x) / 8.0f, static_cast<float>((x * 3 + y) % 8) / 8.0f,
                               static_cast<float>((7 - x + y) % 8) / 8.0f};
    return {straight[0] * a, straight[1] * a, straight[2] * a, a};
}
// Premultiplied frame pixels, including 0.5 exactly (overlay's switch)
// and a transparent pixel.
Rgba framePixel(UINT x, UINT y) {
    const float alphas[4] = {1.0f, 0.5f, 1.0f, 0.0f};
    const float a = alphas[(x + y) % 4];
    const float straight[3] = {0.5f, static_cast<float>((x + 2 * y) % 8) / 8.0f,
                               static_cast<float>((5 * x + y) % 8) / 8.0f};
    return {straight[0] * a, straight[1] * a, straight[2] * a, a};
}

// The blend table as written for the drawing programs.
struct Yuv {
    float y, cb, cr;
};
Yuv toYuv(float r, float g, float b) {
    return {0.299f * r + 0.587f * g + 0.114f * b, -0.169f * r - 0.331f * g + 0.5f * b,
            0.5f * r - 0.419f * g - 0.081f * b};
}
void fromYuv(Yuv c, float out[3]) {
    out[0] = c.y + 1.402f * c.cr;
    out[1] = c.y - 0.344f * c.cb - 0.714f * c.cr;
    out[2] = c.y + 1.772f * c.cb;
}

// What the shader outputs for modes 1 to 12 and 0: a x (f, s.a).
Rgba modeColour(int mode, const Rgba& s, const Rgba& d, float a) {
    float f[3];
    const float sa = s[3];
    if (mode == 8 || mode == 9) {
        const Yuv source = toYuv(s[0], s[1], s[2]);
        const Yuv target = toYuv(sa * d[0], sa * d[1], sa * d[2]);
        fromYuv(mode == 8 ? Yuv{source.y, target.cb, target.cr} : Yuv{target.y, source.cb, source.cr}, f);
    } else {
        for (int i = 0; i < 3; ++i) {
            const float sc = s[i], dc = d[i];
            switch (mode) {
                case 1: f[i] = sc + sa * dc; break;
                case 2: f[i] = sa * dc - sc; break;
                case 3: f[i] = dc * sc; break;
                case 4: f[i] = sc + dc * (sa - sc); break;
                case 5: f[i] = dc < 0.5f ? 2 * dc * sc : 2 * (sc + dc * (sa - sc)) - sa; break;
                case 6: f[i] = std::max(sc, sa * dc); break;
                case 7: f[i] = std::min(sc, sa * dc); break;
                case 10: f[i] = std::min(sa, std::max(0.0f, sa * dc + sc - sa)); break;
                case 11: f[i] = std::min(sa, std::max(0.0f, sa * dc + 2 * sc - sa)); break;
                case 12: f[i] = std::fabs(sa * dc - sc); break;
                default: f[i] = sc; break;
            }
        }
    }
    return {a * f[0], a * f[1], a * f[2], a * sa};
}

// Modes 20 to 23: the whole pixel; a zero divisor gives transparent black.
Rgba alphaMode(int mode, const Rgba& s, const Rgba& d, float a) {
    auto rescale = [](const Rgba& c, float alpha) {
        if (c[3] == 0.0f) return Rgba{0, 0, 0, 0};
        return Rgba{alpha * c[0] / c[3], alpha * c[1] / c[3], alpha * c[2] / c[3], alpha};
    };
    Rgba c;
    switch (mode) {
        case 20:
            for (int i = 0; i < 4; ++i) c[i] = a * s[i] + d[i];
            return rescale(c, std::min(a * s[3] + d[3], 1.0f));
        case 21:
            for (int i = 0; i < 4; ++i) c[i] = a * s[i] + d[i] * (1 - a * s[3]);
            return rescale(c, std::min(a * s[3] + d[3], 1.0f));
        case 22:
            for (int i = 0; i < 4; ++i) c[i] = a * s[i] + d[i];
            return rescale(c, std::max(d[3], a * s[3]));
        default:
            return rescale(d, std::max(d[3] - a * s[3], 0.0f));
    }
}

Rgba shaderOutput(int mode, const Rgba& s, const Rgba& d, float a) {
    return mode >= 20 ? alphaMode(mode, s, d, a) : modeColour(mode, s, d, a);
}

// Blend entry 0: source plus destination times one minus source alpha.
Rgba over(const Rgba& top, const Rgba& under) {
    Rgba r;
    for (int i = 0; i < 4; ++i) r[i] = top[i] + under[i] * (1 - top[3]);
    return r;
}

void expectHalfNear(const Rgba& actual, const Rgba& expected) {
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], halfStep(expected[i]) + 1e-6f) << "channel " << i;
}

class DrawingShaderTest : public OutputTest::OutputTest {};

enum class Path { Full, Flat, IntoImage };

// Every mode over a known frame on each path: the full path draws 20 to 23
// as 0, the flat path composites their pixel over the frame, drawing into
// a picture writes it in place of the pixel. The pictures are sampled
// through a point sampler: the GL side moves polygons by 1/256 pixel for
// the top-left edge rule, which a filtering sampler would turn into a
// fraction of the neighbouring texel.
TEST_F(DrawingShaderTest, EveryBlendModeMatchesTheTable) {
    const int modes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 20, 21, 22, 23};
    auto image = picture(kSide, kSide, sourcePixel);
    Effect::OutputShaderEffect effect;
    Platform::Gl::SamplerState* point = resources().samplerStateList.get(6);
    for (Path path : {Path::Full, Path::Flat, Path::IntoImage}) {
        for (int mode : modes) {
            SCOPED_TRACE(testing::Message() << "path " << static_cast<int>(path) << " mode " << mode);
            auto target = frame(kSide, kSide, framePixel);
            std::unique_ptr<Media::ResourceBuffer> into;
            if (path == Path::Full) {
                Effect::OutputShaderEffect::ObjectDraw draw;
                draw.world = translation(0, 0, 0);
                draw.view = pixelsToClip(kSide, kSide);
                draw.alpha = kOpacity;
                draw.blend = mode;
                draw.sampler = point;
                effect.drawPrepared(*target, image.get(), draw);
            } else if (path == Path::Flat) {
                effect.drawFlat(*target, *image, kOpacity, mode, 0, 0);
            } else {
                into = picture(kSide, kSide, framePixel);
                effect.drawIntoImage(*into, image.get(), pixelsToClip(kSide, kSide), kOpacity, mode, point, 0,
                                     nullptr);
            }
            const auto pixels = into ? read(*into) : read(*target);
            for (UINT y = 0; y < kSide; ++y)
                for (UINT x = 0; x < kSide; ++x) {
                    SCOPED_TRACE(testing::Message() << "pixel " << x << ", " << y);
                    const Rgba s = sourcePixel(x, y), d = framePixel(x, y);
                    const int drawn = path == Path::Full && mode >= 20 ? 0 : mode;
                    Rgba expected;
                    if (drawn != 0 && s[3] < 0.001f)
                        expected = d;  // discarded
                    else if (drawn >= 20 && path == Path::IntoImage)
                        expected = shaderOutput(drawn, s, d, kOpacity);
                    else
                        expected = over(shaderOutput(drawn, s, d, kOpacity), d);
                    expectHalfNear(pixels[y * kSide + x], expected);
                }
        }
    }
}

TEST_F(DrawingShaderTest, AlphaZeroDrawsNothingOnTheFullPath) {
    auto image = picture(kSide, kSide, [](UINT, UINT) { return Rgba{1, 1, 1, 1}; });
    auto target = frame(kSide, kSide, framePixel);
    Effect::OutputShaderEffect effect;
    for (float alpha : {0.0f, -0.5f}) {
        Effect::OutputShaderEffect::ObjectDraw draw;
        draw.world = translation(0, 0, 0);
        draw.view = pixelsToClip(kSide, kSide);
        draw.alpha = alpha;
        draw.blend = 20;  // as 0 here; would change every pixel if drawn
        effect.drawPrepared(*target, image.get(), draw);
    }
    const auto pixels = read(*target);
    for (UINT y = 0; y < kSide; ++y)
        for (UINT x = 0; x < kSide; ++x) expectHalfNear(pixels[y * kSide + x], framePixel(x, y));
}

// A one-pixel checkerboard shrunk to a quarter averages to grey instead of
// picking every fourth texel.
TEST_F(DrawingShaderTest, ShrinkingAveragesTheFootprint) {
    constexpr UINT side = 64;
    auto board = picture(side, side, [](UINT x, UINT y) {
        const float v = (x + y) % 2 ? 1.0f : 0.0f;
        return Rgba{v, v, v, 1};
    });
    Effect::OutputShaderEffect effect;
    for (float degrees : {0.0f, 30.0f}) {
        SCOPED_TRACE(degrees);
        auto target = frame(32, 32, [](UINT, UINT) { return Rgba{0, 0, 0, 1}; });
        const float c = std::cos(degrees * 3.14159265f / 180), s = std::sin(degrees * 3.14159265f / 180);
        Effect::OutputShaderEffect::ObjectDraw draw;
        draw.world = {0.25f * c, 0.25f * s, 0, 0, -0.25f * s, 0.25f * c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        draw.view = pixelsToClip(32, 32);
        effect.drawPrepared(*target, board.get(), draw);
        const auto pixels = read(*target);
        // The picture covers the middle 16 x 16 pixels; away from its edges.
        for (UINT y = 13; y < 19; ++y)
            for (UINT x = 13; x < 19; ++x) {
                const Rgba p = pixels[y * 32 + x];
                for (int i = 0; i < 3; ++i) EXPECT_NEAR(p[i], 0.5f, 0.06f) << x << ", " << y;
            }
    }
}

// Camera space: an opaque quad behind a translucent one. Nothing
// translucent reaches the frame until the composite pass; then the layer
// goes over the opaque colour, whichever was drawn first. A translucent
// quad behind the opaque one is dropped.
TEST_F(DrawingShaderTest, CameraSpaceCompositesTheTransparentLayer) {
    const Rgba background{0.1f, 0.2f, 0.3f, 1};
    const Rgba opaque{0.25f, 0.5f, 0.75f, 1};
    const Rgba glass{0.25f, 0.125f, 0, 0.5f};  // premultiplied
    const Rgba hidden{0.5f, 0.5f, 0.5f, 0.5f};
    auto opaqueImage = picture(4, 8, [&](UINT, UINT) { return opaque; });
    auto glassImage = picture(4, 8, [&](UINT, UINT) { return glass; });
    auto hiddenImage = picture(2, 8, [&](UINT, UINT) { return hidden; });
    Effect::OutputShaderEffect effect;
    auto draw = [&](Media::RenderBuffer& target, Media::ResourceBuffer& image, float x, float z) {
        Effect::OutputShaderEffect::ObjectDraw d;
        d.world = translation(x, 0, z);
        d.view = pixelsToClip(kSide, kSide);
        d.camera = true;
        effect.drawPrepared(target, &image, d);
    };
    for (bool opaqueFirst : {true, false}) {
        SCOPED_TRACE(opaqueFirst ? "opaque first" : "translucent first");
        auto target = frame(kSide, kSide, [&](UINT, UINT) { return background; });
        // Opaque over columns 2 to 5 at depth 0.3; glass over 4 to 7 at
        // 0.7 (larger is nearer); the hidden one over 2 to 3 at 0.1.
        if (opaqueFirst) draw(*target, *opaqueImage, 0, 0.3f);
        draw(*target, *glassImage, 2, 0.7f);
        if (!opaqueFirst) draw(*target, *opaqueImage, 0, 0.3f);
        draw(*target, *hiddenImage, -1, 0.1f);
        auto before = read(*target);
        expectHalfNear(before[3 * kSide + 5], opaque);
        expectHalfNear(before[3 * kSide + 7], background);
        effect.drawCameraPass(*target);
        const auto pixels = read(*target);
        expectHalfNear(pixels[3 * kSide + 1], background);
        expectHalfNear(pixels[3 * kSide + 2], opaque);  // hidden quad dropped
        expectHalfNear(pixels[3 * kSide + 3], opaque);
        expectHalfNear(pixels[3 * kSide + 5], over(glass, opaque));
        expectHalfNear(pixels[3 * kSide + 7], over(glass, background));
    }
}

// The lighting of one surface pixel for one light, written from the
// lighting rules (saturated products, Schlick's factor).
float lightTerm(const Media::Float3& n, const Media::Float3& l, const Media::Float3& v, float shine) {
    auto sat = [](float x) { return std::clamp(x, 0.0f, 1.0f); };
    const Media::Float3 h = Media::normalise(v + l);
    const float r = (1 - shine) * (1 - shine), a2 = r * r;
    const float f = 0.04f + 0.96f * std::pow(1 - sat(Media::dot(h, l)), 5.0f);
    const float nl = sat(Media::dot(n, l)), nh = sat(Media::dot(n, h)), nv = sat(Media::dot(n, v));
    const float q = nh * nh * (a2 - 1) + 1;
    const float distribution = a2 / (q * q);
    const float visibility =
        0.5f / (nl * std::sqrt(nv * nv * (1 - a2) + a2) + nv * std::sqrt(nl * nl * (1 - a2) + a2) + 0.00001f);
    return (distribution * visibility * f + (1 - f)) * nl;
}

class LightingTest : public DrawingShaderTest {
protected:
    static constexpr int side = 16;
    static constexpr float shine = 0.5f;
    const Rgba background{0.1f, 0.2f, 0.3f, 1};
    const Rgba surface{0.8f, 0.6f, 0.4f, 1};
    const Rgba casterColour{0.2f, 0.9f, 0.3f, 1};
    const Media::Float3 towardsViewer{0, 0, -1};

    // An orthographic light on the viewer's side whose rays lean in x:
    // nearer surfaces (larger z) land further right in its map, and its
    // depth is 1 - z (smaller is nearer the light).
    static Media::Matrix4 lightView(const Media::LightSource&) {
        const float s = 2.0f / side;
        return {s, 0, 0, 0, 0, -s, 0, 0, 10 * s, 0, -1, 0, 0, 0, 1, 1};
    }

    void drawSurface(Effect::OutputShaderEffect& effect, Media::RenderBuffer& target,
                     Media::ResourceBuffer& image, float x, float y, float z, bool castsShadow,
                     int blend = 0) {
        Effect::OutputShaderEffect::ObjectDraw d;
        d.blend = blend;
        d.world = translation(x, y, z);
        d.view = pixelsToClip(side, side);
        d.camera = true;
        d.shine = shine;
        if (castsShadow) d.lightView = lightView;
        effect.drawPrepared(target, &image, d);
    }
    void light(Effect::OutputShaderEffect& effect, Media::RenderBuffer& target) {
        const Media::Float3 corners[4] = {towardsViewer, towardsViewer, towardsViewer, towardsViewer};
        effect.drawCameraLighting(target, pixelsToClip(side, side), lightView, corners);
    }
    static Media::LightSource shadowLight() {
        // Towards the viewer; colour 0.5 with a residual factor of 0.25.
        return {Media::LightSource::ShadowLight, {0, 0, -1}, {0.5f, 0.5f, 0.5f, 0.25f}, 0, 0, {0, 0}};
    }
    Rgba lit(const Rgba& colour, float visibility) const {
        const float term = lightTerm(towardsViewer, towardsViewer, towardsViewer, shine);
        Rgba e;
        for (int i = 0; i < 3; ++i) e[i] = colour[i] * (0.25f + 0.5f * term * visibility);
        e[3] = 1;
        return e;
    }
};

TEST_F(LightingTest, WithoutLightsTheFrameStaysAsItIs) {
    Effect::OutputShaderEffect effect;
    auto image = picture(side, side, [&](UINT, UINT) { return surface; });
    auto target = frame(side, side, [&](UINT, UINT) { return background; });
    drawSurface(effect, *target, *image, 0, 0, 0.3f, true);
    const auto before = read(*target);
    light(effect, *target);
    const auto after = read(*target);
    for (std::size_t i = 0; i < after.size(); ++i) expectHalfNear(after[i], before[i]);
}

TEST_F(LightingTest, AnEmptyShadowMapGivesFullVisibility) {
    Effect::OutputShaderEffect effect;
    auto image = picture(side, side, [&](UINT, UINT) { return surface; });
    auto target = frame(side, side, [&](UINT, UINT) { return background; });
    target->addLight(shadowLight());
    drawSurface(effect, *target, *image, 0, 0, 0.3f, false);
    light(effect, *target);
    const auto pixels = read(*target);
    const Rgba expected = lit(surface, 1);
    for (const Rgba& p : pixels)
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(p[i], expected[i], 4e-3f);
}

TEST_F(LightingTest, ACasterDarkensTheSurfaceWhereItsShadowFalls) {
    Effect::OutputShaderEffect effect;
    auto image = picture(side, side, [&](UINT, UINT) { return surface; });
    auto casterImage = picture(4, 4, [&](UINT, UINT) { return casterColour; });
    auto target = frame(side, side, [&](UINT, UINT) { return background; });
    target->addLight(shadowLight());
    // The receiver fills the frame at z 0.3; the caster covers pixels
    // 4 to 7 in both axes at z 0.6. In the light's map the caster moves
    // 6 pixels right and the receiver 3, so the shadow falls on receiver
    // pixels 7 to 10 across, rows 4 to 7.
    drawSurface(effect, *target, *image, 0, 0, 0.3f, true);
    drawSurface(effect, *target, *casterImage, -2, -2, 0.6f, true);
    light(effect, *target);
    const auto pixels = read(*target);
    // Moments of the caster (0.4, 0.16) against the receiver's light
    // depth 0.7.
    const float shadowed = 0.0001f / (0.0001f + 0.3f * 0.3f);
    struct Case {
        int x, y;
        Rgba expected;
    };
    const Case cases[] = {
        {9, 5, lit(surface, shadowed)},  {9, 6, lit(surface, shadowed)},
        {13, 5, lit(surface, 1)},        {2, 12, lit(surface, 1)},
        {9, 10, lit(surface, 1)},        {5, 5, lit(casterColour, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        const Rgba p = pixels[static_cast<std::size_t>(c.y * side + c.x)];
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(p[i], c.expected[i], 4e-3f);
    }
}

// An object drawn with a blend mode casts no shadow, and lights other than
// shadow lights never read a map.
TEST_F(LightingTest, BlendedCastersAndPlainLightsCastNoShadow) {
    Effect::OutputShaderEffect effect;
    auto image = picture(side, side, [&](UINT, UINT) { return surface; });
    auto casterImage = picture(4, 4, [&](UINT, UINT) { return casterColour; });
    for (std::int32_t type : {Media::LightSource::ShadowLight, Media::LightSource::Light}) {
        SCOPED_TRACE(type);
        auto target = frame(side, side, [&](UINT, UINT) { return background; });
        Media::LightSource record = shadowLight();
        record.type = type;
        target->addLight(record);
        drawSurface(effect, *target, *image, 0, 0, 0.3f, true);
        // Blend mode 3 over an opaque surface keeps the caster opaque.
        drawSurface(effect, *target, *casterImage, -2, -2, 0.6f, true, type == 2 ? 3 : 0);
        light(effect, *target);
        const Rgba p = read(*target)[5 * side + 9];
        const Rgba expected = lit(surface, 1);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(p[i], expected[i], 4e-3f);
    }
}

}  // namespace
