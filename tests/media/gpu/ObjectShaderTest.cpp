// The object-drawing programs of the shader list, drawn as the output
// effects draw them and compared with CPU formulas: flat and 3D drawing of
// each family, the transparent layer and its resolve, lighting with and
// without a shadow, back faces and the shadow-map writers.
#include "media/GpuFixture.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/VertexBufferCommon.h"
#include "media/gpu/VertexList.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlTexture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>

namespace {

using namespace Media;
using MediaTest::expectNear;
using MediaTest::Rgba;
using Platform::Gl::Stage;
using Resource::ShaderList;

constexpr UINT kSide = 8;
const Rgba kBackground{0.1f, 0.2f, 0.3f, 1.0f};

// Pixel coordinates of the 8 x 8 target to clip space, z kept: one column
// per four floats.
ShaderList::ObjectConstant objectConstant(float alpha = 1, int blend = 0, float shine = 0.5f) {
    ShaderList::ObjectConstant c{};
    const float s = 2.0f / kSide;
    const float projection[16] = {s, 0, 0, 0, 0, -s, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};
    std::memcpy(c.projection, projection, sizeof projection);
    c.alpha = alpha;
    c.blend = blend;
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::memcpy(c.normalWorld, identity, sizeof identity);
    c.shine = shine;
    return c;
}

Rgba over(const Rgba& top, const Rgba& under) {
    Rgba r;
    for (int i = 0; i < 4; ++i) r[i] = top[i] + under[i] * (1 - top[3]);
    return r;
}
Rgba scaled(const Rgba& c, float f) { return {c[0] * f, c[1] * f, c[2] * f, c[3] * f}; }

// A clockwise (on screen) quad over pixels [x0, x1) x [y0, y1) at depth z.
template <class List, class Make>
std::shared_ptr<List> quad(float x0, float y0, float x1, float y1, Make make, bool reversed = false) {
    auto list = std::make_shared<List>();
    list->vertices = {make(x0, y0), make(x1, y0), make(x1, y1), make(x0, y1)};
    if (reversed) std::swap(list->vertices[1], list->vertices[3]);
    return list;
}

class ObjectShaderTest : public MediaTest::GpuTest {
protected:
    static ShaderList& shaders() { return resources().shaderList; }
    static Platform::Gl::Context& context() { return service().context(); }

    static std::unique_ptr<RenderBuffer> frame() {
        auto made = std::make_unique<RenderBuffer>(DXGI_FORMAT_R16G16B16A16_FLOAT);
        made->createTexture2D(kSide, kSide);
        made->getRenderTargetView().clear(kBackground.data(), "test");
        return made;
    }

    // Binds what one object draw needs and draws the list in the mode.
    static void drawObject(RenderBuffer& target, VertexList& list, void (VertexList::*mode)(),
                           const ShaderList::ObjectConstant& constant, ResourceBuffer* picture,
                           bool normals = false, ResourceBuffer* frameCopy = nullptr) {
        shaders().setObjectConstant(constant);
        const bool depth = mode != &VertexList::setFlatShader;
        if (depth) {
            ResourceBuffer* views[] = {target.getDepthBuffer(), target.getTransparentBuffer(),
                                       target.getTransparentDepthBuffer(), target.getNormalBuffer(),
                                       target.getNormalTransparentBuffer()};
            service().setRenderTargetAndUnorderedAccessView(target, normals ? 5 : 3, views);
        } else {
            service().setRenderTarget(target);
        }
        resources().rasterizerStateList.get(0)->bind(context());
        resources().blendStateList.get(constant.blend >= 20 ? 4 : 0)->bind(context(), nullptr);
        Platform::Gl::bindConstantBuffer(context(), Stage::Vertex, 0, shaders().getObjectConstantBuffer());
        Platform::Gl::bindConstantBuffer(context(), Stage::Pixel, 0, shaders().getObjectConstantBuffer());
        service().setPixelSampler(resources().samplerStateList.get(0));
        Platform::Gl::bindTexture(context(), Stage::Pixel, 0,
                                  picture ? &picture->getShaderResourceView() : nullptr);
        Platform::Gl::bindTexture(context(), Stage::Pixel, 1,
                                  frameCopy ? &frameCopy->getShaderResourceView() : nullptr);
        (list.*mode)();
        if (normals) list.drawNormal(); else list.draw();
        Platform::Gl::bindTexture(context(), Stage::Pixel, 0, nullptr);
        Platform::Gl::bindTexture(context(), Stage::Pixel, 1, nullptr);
        service().unsetRenderTargets();
        context().bindings() = {};
    }

    // O4 through the position quad, over the frame.
    static void resolve(RenderBuffer& target) {
        ResourceBuffer* views[] = {target.getDepthBuffer(), target.getTransparentBuffer(),
                                   target.getTransparentDepthBuffer()};
        service().setRenderTargetAndUnorderedAccessView(target, 3, views);
        shaders().objectPixel(ShaderList::Resolve).drawPass(nullptr, 0, nullptr,
                                                            resources().blendStateList.get(0), nullptr);
        context().bindings() = {};
    }

    static Rgba at(RenderBuffer& target, UINT x, UINT y) {
        return read(*target.getTexture())[y * kSide + x];
    }
    static Rgba at(ResourceBuffer* buffer, UINT x, UINT y) { return pixel(*buffer, x, y); }
};

XYZ_UV uvAt(float x, float y, float z, float alpha) { return {x, y, z, 0.5f, 0.5f, alpha, 0}; }

TEST_F(ObjectShaderTest, EachFamilyDrawsAFlatQuad) {
    const Rgba picture{0.4f, 0.2f, 0.6f, 0.8f};  // premultiplied
    const Rgba opaquePicture{0.4f, 0.2f, 0.6f, 1.0f};
    auto translucent = this->picture(4, 4, [&](UINT, UINT) { return picture; });
    auto opaque = this->picture(4, 4, [&](UINT, UINT) { return opaquePicture; });
    const float z = 0.5f;
    auto textured = [&](float alpha) {
        return quad<VertexListQuadPosUv>(2, 2, 6, 6, [&](float x, float y) { return uvAt(x, y, z, alpha); });
    };
    auto coloured = [&](Rgba c) {
        return quad<VertexListQuadPosColor>(2, 2, 6, 6, [&](float x, float y) {
            return XYZ_COL{x, y, z, c[0], c[1], c[2], c[3]};
        });
    };
    auto colouredLit = [&](Rgba c) {
        return quad<VertexListQuadPosColorNorm>(2, 2, 6, 6, [&](float x, float y) {
            return XYZ_COL_NORM{x, y, z, 0, 0, -1, c[0], c[1], c[2], c[3]};
        });
    };
    struct Case {
        const char* name;
        std::shared_ptr<VertexList> list;
        void (VertexList::*mode)();
        ResourceBuffer* picture;
        bool normals;
        float alpha;
        Rgba expected;  // drawn over the background
    };
    const Case cases[] = {
        {"flat textured (O0)", textured(0.5f), &VertexList::setFlatShader, translucent.get(), false, 1,
         over(scaled(picture, 0.5f), kBackground)},
        {"flat textured, constant alpha (O0)", textured(1), &VertexList::setFlatShader, translucent.get(),
         false, 0.25f, over(scaled(picture, 0.25f), kBackground)},
        {"flat coloured (O5)", coloured({1, 0.5f, 0.25f, 0.5f}), &VertexList::setFlatShader, nullptr,
         false, 1, over({0.5f, 0.25f, 0.125f, 0.5f}, kBackground)},
        {"3D textured (O1)", textured(1), &VertexList::setDepthShader, opaque.get(), false, 1, opaquePicture},
        {"3D coloured (O6)", coloured({1, 0.5f, 0.25f, 1}), &VertexList::setDepthShader, nullptr, false, 1,
         {1, 0.5f, 0.25f, 1}},
        {"3D textured lit (O2)", textured(1), &VertexList::setLightShader, opaque.get(), true, 1,
         opaquePicture},
        {"3D coloured lit (O7)", colouredLit({0.25f, 0.5f, 1, 1}), &VertexList::setLightShader, nullptr,
         true, 1, {0.25f, 0.5f, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto target = frame();
        drawObject(*target, *c.list, c.mode, objectConstant(c.alpha), c.picture, c.normals);
        expectNear(at(*target, 3, 4), c.expected);
        expectNear(at(*target, 1, 4), kBackground);
        expectNear(at(*target, 6, 6), kBackground);
        if (c.mode != &VertexList::setFlatShader) {
            EXPECT_NEAR(at(target->getDepthBuffer(), 3, 4)[0], z, 1e-6);
            EXPECT_EQ(at(target->getDepthBuffer(), 1, 4)[0], 0.0f);
        }
        if (c.normals) {
            // Quads without normals get their face normal; the lit
            // coloured one carries (0, 0, -1). Shine rides in w.
            expectNear(at(target->getNormalBuffer(), 3, 4), {0, 0, -1, 0.5f});
            expectNear(at(target->getNormalBuffer(), 1, 4), {0, 0, 0, -1});
        }
    }
}

TEST_F(ObjectShaderTest, BlendModesCompositeAgainstTheFrameCopy) {
    const Rgba picture{0.4f, 0.2f, 0.1f, 0.5f};
    auto source = this->picture(4, 4, [&](UINT, UINT) { return picture; });
    auto copy = this->picture(kSide, kSide, [](UINT, UINT) { return kBackground; });
    auto list = quad<VertexListQuadPosUv>(2, 2, 6, 6, [](float x, float y) { return uvAt(x, y, 0.5f, 1); });
    // Code 1 (add) at opacity 0.5: rgb = d * s.a + s, r = (rgb, s.a) * a.
    auto target = frame();
    drawObject(*target, *list, &VertexList::setFlatShader, objectConstant(0.5f, 1), source.get(), false,
               copy.get());
    Rgba r;
    for (int i = 0; i < 3; ++i) r[i] = (kBackground[i] * picture[3] + picture[i]) * 0.5f;
    r[3] = picture[3] * 0.5f;
    expectNear(at(*target, 3, 3), over(r, kBackground));
    // Code 22 (alpha_max) replaces the pixel with blend state 4.
    auto replaced = frame();
    drawObject(*replaced, *list, &VertexList::setFlatShader, objectConstant(1, 22), source.get(), false,
               copy.get());
    const Rgba sum{picture[0] + kBackground[0], picture[1] + kBackground[1], picture[2] + kBackground[2],
                   picture[3] + kBackground[3]};
    expectNear(at(*replaced, 3, 3), scaled(sum, 1.0f / sum[3]));
}

TEST_F(ObjectShaderTest, TranslucentQuadsFormOneLayerResolvedOverTheOpaqueDepth) {
    const Rgba wall{0.2f, 0.4f, 0.6f, 1.0f};
    const Rgba a{0.5f, 0.1f, 0.1f, 0.5f};   // straight colours, alpha < 0.99
    const Rgba b{0.1f, 0.1f, 0.6f, 0.75f};
    auto coloured = [](float x0, float x1, float z, Rgba c) {
        return quad<VertexListQuadPosColor>(x0, 0, x1, 8, [=](float x, float y) {
            return XYZ_COL{x, y, z, c[0], c[1], c[2], c[3]};
        });
    };
    auto premultiplied = [](Rgba c) { return Rgba{c[0] * c[3], c[1] * c[3], c[2] * c[3], c[3]}; };
    auto opaqueWall = coloured(0, 8, 0.3f, wall);
    auto nearA = coloured(2, 6, 0.7f, a);  // columns 2 to 5
    auto farB = coloured(4, 8, 0.5f, b);   // columns 4 to 7
    auto hidden = coloured(0, 2, 0.1f, {1, 1, 1, 0.5f});  // behind the wall
    for (bool nearFirst : {true, false}) {
        SCOPED_TRACE(nearFirst ? "near quad first" : "far quad first");
        auto target = frame();
        const auto constant = objectConstant();
        drawObject(*target, *opaqueWall, &VertexList::setDepthShader, constant, nullptr);
        drawObject(*target, *(nearFirst ? nearA : farB), &VertexList::setDepthShader, constant, nullptr);
        drawObject(*target, *(nearFirst ? farB : nearA), &VertexList::setDepthShader, constant, nullptr);
        drawObject(*target, *hidden, &VertexList::setDepthShader, constant, nullptr);
        // Nothing translucent reaches the frame before the resolve.
        expectNear(at(*target, 5, 3), wall);
        resolve(*target);
        const Rgba layerA = premultiplied(a), layerB = premultiplied(b);
        expectNear(at(*target, 0, 3), wall);
        expectNear(at(*target, 3, 3), over(layerA, wall));
        expectNear(at(*target, 5, 3), over(over(layerA, layerB), wall));
        expectNear(at(*target, 7, 3), over(layerB, wall));
        EXPECT_NEAR(at(target->getTransparentDepthBuffer(), 5, 3)[0], 0.7f, 1e-6);
        EXPECT_NEAR(at(target->getDepthBuffer(), 5, 3)[0], 0.3f, 1e-6);
    }
}

TEST_F(ObjectShaderTest, DepthRulesAtTheStoredSurface) {
    const Rgba c{0.2f, 0.6f, 0.4f, 1.0f};
    auto coloured = [&](float x0, float x1, float z, Rgba colour) {
        return quad<VertexListQuadPosColor>(x0, 0, x1, 8, [=](float x, float y) {
            return XYZ_COL{x, y, z, colour[0], colour[1], colour[2], colour[3]};
        });
    };
    auto target = frame();
    const auto constant = objectConstant();
    drawObject(*target, *coloured(0, 8, 0.5f, c), &VertexList::setDepthShader, constant, nullptr);
    // At exactly the stored depth w is 0.5: half strength, buffers untouched.
    const Rgba d{0.8f, 0.2f, 0.2f, 1.0f};
    drawObject(*target, *coloured(0, 4, 0.5f, d), &VertexList::setDepthShader, constant, nullptr);
    expectNear(at(*target, 1, 1), over(scaled(d, 0.5f), c));
    // Far behind: discarded.
    drawObject(*target, *coloured(4, 8, 0.2f, d), &VertexList::setDepthShader, constant, nullptr);
    expectNear(at(*target, 5, 1), c);
    // A translucent layer in front, then an opaque quad nearer still
    // clears the layer at its pixels.
    drawObject(*target, *coloured(0, 8, 0.7f, {1, 1, 1, 0.5f}), &VertexList::setDepthShader, constant,
               nullptr);
    drawObject(*target, *coloured(0, 4, 0.9f, d), &VertexList::setDepthShader, constant, nullptr);
    expectNear(at(target->getTransparentBuffer(), 1, 1), {0, 0, 0, 0});
    expectNear(at(target->getTransparentBuffer(), 5, 1), {0.5f, 0.5f, 0.5f, 0.5f});
    EXPECT_NEAR(at(target->getDepthBuffer(), 1, 1)[0], 0.9f, 1e-6);
}

TEST_F(ObjectShaderTest, BackFacesNegateTheNormal) {
    for (bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "back face" : "front face");
        auto list = quad<VertexListQuadPosColorNorm>(
            2, 2, 6, 6, [](float x, float y) { return XYZ_COL_NORM{x, y, 0.5f, 0.6f, 0, -0.8f, 1, 1, 1, 1}; },
            reversed);
        auto target = frame();
        drawObject(*target, *list, &VertexList::setLightShader, objectConstant(1, 0, 0.25f), nullptr, true);
        const float sign = reversed ? -1.0f : 1.0f;
        expectNear(at(target->getNormalBuffer(), 3, 3), {0.6f * sign, 0, -0.8f * sign, 0.25f});
    }
}

// The lighting formula for one light on a CPU, as the pass computes it.
float lightTerm(const float n[3], const float l[3], const float v[3], float shine) {
    auto dot = [](const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
    float h[3] = {v[0] + l[0], v[1] + l[1], v[2] + l[2]};
    const float length = std::sqrt(dot(h, h));
    for (float& x : h) x /= length;
    const float r = (1 - shine) * (1 - shine), r2 = r * r;
    const float nl = dot(n, l), nv = dot(n, v), nh = dot(n, h);
    const float f = 0.04f + 0.96f * std::pow(1 - std::clamp(dot(h, l), 0.0f, 1.0f), 5.0f);
    const float denominator = nh * nh * (r2 - 1) + 1;
    const float distribution = denominator != 0 ? r2 / (denominator * denominator) : 0;
    const float visibility =
        0.5f / (nl * std::sqrt(nv * nv * (1 - r2) + r2) + nv * std::sqrt(nl * nl * (1 - r2) + r2) + 0.00001f);
    return (distribution * visibility * f + (1 - f)) * std::clamp(nl, 0.0f, 1.0f);
}

TEST_F(ObjectShaderTest, LightingPassShadesLitPixelsWithAmbientLightsAndShadows) {
    const Rgba surface{0.8f, 0.6f, 0.4f, 1.0f};
    const float z = 0.5f;
    auto lit = quad<VertexListQuadPosColorNorm>(0, 0, 8, 6, [&](float x, float y) {
        return XYZ_COL_NORM{x, y, z, 0, 0, -1, surface[0], surface[1], surface[2], 1};
    });
    // A shadow map of two texels per pixel with an occluder over columns 0
    // to 3 at depth 0.1, written by the shadow writer of coloured polygons
    // (V8 + O9); the filter reaches two texels either way.
    constexpr UINT mapSide = 2 * kSide;
    auto shadowMap = std::make_unique<ResourceBuffer>(mapSide, mapSide, DXGI_FORMAT_R32G32_FLOAT);
    const float far[4] = {1, 1, 1, 1};
    shadowMap->clear(far);
    {
        auto occluder = quad<VertexListQuadPosColor>(0, 0, 4, 8, [](float x, float y) {
            return XYZ_COL{x, y, 0.1f, 0, 0, 0, 1};
        });
        auto halfTransparent = quad<VertexListQuadPosColor>(4, 0, 8, 8, [](float x, float y) {
            return XYZ_COL{x, y, 0.05f, 0, 0, 0, 0.4f};
        });
        ShaderList::LightConstant light{};
        std::memcpy(light.lightProjection, objectConstant().projection, sizeof light.lightProjection);
        shaders().setLightConstant(light);
        shaders().setObjectConstant(objectConstant());
        ResourceBuffer scratch(mapSide, mapSide);
        for (auto* list : {occluder.get(), halfTransparent.get()}) {
            service().setRenderTarget(scratch);
            resources().rasterizerStateList.get(0)->bind(context());
            resources().blendStateList.get(4)->bind(context(), nullptr);
            Platform::Gl::bindConstantBuffer(context(), Stage::Vertex, 0, shaders().getObjectConstantBuffer());
            Platform::Gl::bindConstantBuffer(context(), Stage::Vertex, 1, shaders().getLightConstantBuffer());
            Platform::Gl::bindImage(context(), 0, &shadowMap->getUnorderedAccessView(),
                                    Platform::Gl::ImageStage::Pixel);
            list->setShadowShader();
            list->draw();
            Platform::Gl::bindImage(context(), 0, nullptr, Platform::Gl::ImageStage::Pixel);
            service().unsetRenderTargets();
            context().bindings() = {};
        }
        // Below half opacity casts nothing.
        expectNear(pixel(*shadowMap, 13, 5), {1, 1, 0, 1});
        expectNear(pixel(*shadowMap, 3, 5), {0.1f, 0.01f, 0, 1}, 1e-5f);
    }

    const float n[3] = {0, 0, -1}, v[3] = {0, 0, -1};
    float l[3] = {0.3f, -0.4f, -1};
    const float length = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
    for (float& x : l) x /= length;

    struct Case {
        const char* name;
        int lights;
        int type;
        float shine;
        const float* direction;
    };
    const float towardsViewer[3] = {0, 0, -1};
    const Case cases[] = {
        {"ambient only", 0, 1, 0.5f, l},
        {"one directional light", 1, 1, 0.5f, l},
        {"shine 1 facing the light", 1, 1, 1.0f, towardsViewer},
        {"shadow light", 1, 2, 0.5f, l},
    };
    const float ambient[3] = {0.25f, 0.2f, 0.1f};
    const float colour[4] = {0.5f, 0.75f, 1.0f, 1.0f};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto target = frame();
        drawObject(*target, *lit, &VertexList::setLightShader, objectConstant(1, 0, c.shine), nullptr, true);

        ShaderList::LightingConstant block{};
        // The pixel (x, y, depth) to the shadow map's (x / 4 - 1, y / 4 - 1, depth).
        const float toMap[16] = {0.25f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, 1, 0, -1, -1, 0, 1};
        std::memcpy(block.projection[0], toMap, sizeof toMap);
        block.source[0] = {c.type, {c.direction[0], c.direction[1], c.direction[2]},
                           {colour[0], colour[1], colour[2], colour[3]}, 0, 0, {0, 0}};
        block.lightNum = c.lights;
        std::memcpy(block.ambient, ambient, sizeof ambient);
        std::unique_ptr<Platform::Gl::Buffer> constants;
        ConstantBufferCommon::create(constants, &block, sizeof block);

        VertexBufferCommon& strip = shaders().quadStripNormal();
        const XYZ_UV_NORM corners[4] = {{-1, 1, 0, v[0], v[1], v[2], 0, 0, 1, 0},
                                        {1, 1, 0, v[0], v[1], v[2], 1, 0, 1, 0},
                                        {-1, -1, 0, v[0], v[1], v[2], 0, 1, 1, 0},
                                        {1, -1, 0, v[0], v[1], v[2], 1, 1, 1, 0}};
        std::memcpy(strip.data(), corners, sizeof corners);
        strip.update();
        service().setRenderTarget(*target);
        resources().rasterizerStateList.get(0)->bind(context());
        resources().blendStateList.get(11)->bind(context(), nullptr);
        service().setPixelSampler(resources().samplerStateList.get(7));
        Platform::Gl::bindConstantBuffer(context(), Stage::Pixel, 0, constants.get());
        Platform::Gl::bindTexture(context(), Stage::Pixel, 0, &target->getNormalBuffer()->getShaderResourceView());
        Platform::Gl::bindTexture(context(), Stage::Pixel, 1, &target->getDepthBuffer()->getShaderResourceView());
        Platform::Gl::bindTexture(context(), Stage::Pixel, 2, &shadowMap->getShaderResourceView());
        shaders().objectVertex(6).bind(context());
        shaders().objectPixel(ShaderList::Lighting).bind(context());
        service().drawVertexBuffer(strip);
        for (int unit = 0; unit < 3; ++unit) Platform::Gl::bindTexture(context(), Stage::Pixel, unit, nullptr);
        service().unsetRenderTargets();
        context().bindings() = {};

        const float term = c.lights ? lightTerm(n, c.direction, v, c.shine) : 0.0f;
        auto expected = [&](float shadow) {
            Rgba e;
            for (int i = 0; i < 3; ++i) e[i] = surface[i] * (ambient[i] + colour[i] * term * shadow);
            e[3] = 1;  // blend state 11 keeps the frame's alpha
            return e;
        };
        Rgba unshadowed = at(*target, 6, 2), shadowed = at(*target, 1, 2);
        EXPECT_NEAR(unshadowed[3], 1.0f, 1e-3f);
        for (int i = 0; i < 3; ++i) {
            EXPECT_FALSE(std::isnan(unshadowed[i]));
            EXPECT_NEAR(unshadowed[i], expected(1)[i], 4e-3f) << i;
            // The occluder at 0.1 shadows depth 0.5 almost completely:
            // var = 0.0001, factor = var / (var + 0.4^2).
            const float factor = c.type == 2 ? 0.0001f / (0.0001f + 0.16f) : 1.0f;
            EXPECT_NEAR(shadowed[i], expected(factor)[i], 4e-3f) << i;
        }
        // Rows without a lit surface keep their colour.
        expectNear(at(*target, 3, 7), kBackground);
    }
}

}  // namespace
