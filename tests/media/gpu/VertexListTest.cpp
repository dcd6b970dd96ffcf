// Polygon lists: counts, face normals, transformed appends, the shared quad
// and the look-to matrix; drawn through test programs placed in the object
// slots of the shader list, read back pixel by pixel.
#include "media/gpu/VertexList.h"

#include "core/CoreTestSupport.h"
#include "media/GpuFixture.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/VertexBufferCommon.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlCommands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using namespace Media;
using MediaTest::Rgba;
using Resource::ShaderList;

constexpr UINT kSide = 8;

// Vertex programs map pixel coordinates of the 8 x 8 target to clip space
// and hand the pixel program a payload: texture kinds (u, v, alpha), colour
// kinds the colour, lit kinds the normal.
std::string vertexProgram(bool textured, bool normal) {
    std::string code = "layout(location = 0) in vec3 POSITION;\n";
    int location = 1;
    if (normal) code += "layout(location = " + std::to_string(location++) + ") in vec3 NORMAL;\n";
    if (textured) {
        code += "layout(location = " + std::to_string(location++) + ") in vec2 TEXUV;\n";
        code += "layout(location = " + std::to_string(location++) + ") in float COLOR;\n";
    } else {
        code += "layout(location = " + std::to_string(location++) + ") in vec4 COLOR;\n";
    }
    code += "layout(location = 0) out vec4 PAYLOAD;\nvoid main() {\n"
            "    gl_Position = vec4(POSITION.x / 4.0 - 1.0, 1.0 - POSITION.y / 4.0, 0.0, 1.0);\n";
    code += normal     ? "    PAYLOAD = vec4(NORMAL, 0.0);\n"
            : textured ? "    PAYLOAD = vec4(TEXUV, COLOR, 0.0);\n"
                       : "    PAYLOAD = COLOR;\n";
    return code + "}\n";
}

// Pixel program O<index>: the payload's first three values and
// (index + 1) / 16 as alpha.
std::string pixelProgram(int index) {
    return "layout(location = 0) in vec4 PAYLOAD;\nlayout(location = 0) out vec4 result;\n"
           "void main() { result = vec4(PAYLOAD.xyz, " +
           std::to_string(index + 1) + ".0 / 16.0); }\n";
}
float marker(int pixelShader) { return (pixelShader + 1) / 16.0f; }

class VertexListTest : public MediaTest::GpuTest {
protected:
    static void SetUpTestSuite() {
        GpuTest::SetUpTestSuite();
        ShaderList& list = resources().shaderList;
        // V0, V1, V7: textured; V2: textured with normals; V3, V4, V8:
        // coloured; V5: coloured with normals.
        const struct {
            int index;
            bool textured, normal;
        } vertex[] = {{0, true, false}, {1, true, false}, {2, true, true},  {3, false, false},
                      {4, false, false}, {5, false, true}, {7, true, false}, {8, false, false}};
        for (const auto& v : vertex) {
            const std::string code = vertexProgram(v.textured, v.normal);
            list.objectVertex(v.index).loadFromMemory(code.data(), code.size());
        }
        for (int i = 0; i < ShaderList::objectPixelCount; ++i) {
            const std::string code = pixelProgram(i);
            list.objectPixel(i).loadFromMemory(code.data(), code.size());
        }
    }

    // A cleared target bound with rasterizer state 0 and replacing blend.
    static std::unique_ptr<ResourceBuffer> target() {
        auto buffer = std::make_unique<ResourceBuffer>(kSide, kSide);
        const float none[4] = {0, 0, 0, 0};
        buffer->clear(none);
        service().setRenderTarget(*buffer);
        resources().rasterizerStateList.get(0)->bind(service().context());
        resources().blendStateList.get(4)->bind(service().context(), nullptr);
        return buffer;
    }
    static std::vector<Rgba> finish(ResourceBuffer& buffer) {
        service().unsetRenderTargets();
        return read(buffer);
    }
    // Pixels with something drawn, as a picture of '#' and '.'.
    static std::string coverage(const std::vector<Rgba>& pixels) {
        std::string text;
        for (UINT y = 0; y < kSide; ++y) {
            for (UINT x = 0; x < kSide; ++x) text += pixels[y * kSide + x][3] != 0 ? '#' : '.';
            text += '\n';
        }
        return text;
    }
};

XYZ_UV uv(float x, float y, float u = 0.5f, float v = 0.25f, float alpha = 1) {
    return {x, y, 0, u, v, alpha, 0};
}

TEST_F(VertexListTest, OneQuadGoesThroughThePersistentStripWithTheTopLeftRule) {
    ShaderList& list = resources().shaderList;
    // Edges through pixel centres: D3D takes the top and left ones only.
    VertexListQuadPosUv quad;
    quad.vertices = {uv(1.5f, 1.5f), uv(5.5f, 1.5f), uv(5.5f, 4.5f), uv(1.5f, 4.5f)};
    auto buffer = target();
    quad.setFlatShader();
    quad.draw();
    const auto pixels = finish(*buffer);
    EXPECT_EQ(coverage(pixels),
              "........\n"
              ".####...\n"
              ".####...\n"
              ".####...\n"
              "........\n"
              "........\n"
              "........\n"
              "........\n");
    MediaTest::expectNear(pixels[2 * kSide + 2], {0.5f, 0.25f, 1, marker(0)});
    ASSERT_NE(list.quadStrip().getBuffer(), nullptr);
    EXPECT_EQ(list.quadStrip().getCount(), 4u);
    EXPECT_EQ(list.quadStrip().getTopology(), VertexBufferCommon::TriangleStrip);

    // The same buffer again, updated in place.
    const Platform::Gl::Buffer* persistent = list.quadStrip().getBuffer();
    VertexListQuadPosUv other;
    other.vertices = {uv(0, 0), uv(2, 0), uv(2, 2), uv(0, 2)};
    auto second = target();
    other.setFlatShader();
    other.draw();
    EXPECT_EQ(coverage(finish(*second)).substr(0, 18), "##......\n##......\n");
    EXPECT_EQ(list.quadStrip().getBuffer(), persistent);
}

TEST_F(VertexListTest, LongerQuadListsDrawEveryWholeQuadAndIgnoreTheRest) {
    ShaderList& list = resources().shaderList;
    list.quadStrip().update();
    std::vector<std::uint8_t> before(list.quadStrip().data(), list.quadStrip().data() + 4 * 28);
    for (std::size_t count : {8u, 9u}) {
        SCOPED_TRACE(count);
        VertexListQuadPosColor quads;
        const XYZ_COL red = {0, 0, 0, 1, 0, 0, 1};
        auto at = [&](float x, float y) {
            XYZ_COL v = red;
            v.x = x, v.y = y;
            return v;
        };
        quads.vertices = {at(0, 0), at(2, 0), at(2, 2), at(0, 2), at(4, 4), at(8, 4), at(8, 8), at(4, 8)};
        if (count == 9) quads.vertices.push_back(at(0, 8));
        auto buffer = target();
        quads.setFlatShader();
        quads.draw();
        const auto pixels = finish(*buffer);
        EXPECT_EQ(coverage(pixels),
                  "##......\n"
                  "##......\n"
                  "........\n"
                  "........\n"
                  "....####\n"
                  "....####\n"
                  "....####\n"
                  "....####\n");
        // Flat coloured drawing is O5.
        MediaTest::expectNear(pixels[0], {1, 0, 0, marker(5)});
    }
    // The persistent strip was not touched.
    EXPECT_EQ(0, std::memcmp(before.data(), list.quadStrip().data(), before.size()));
}

TEST_F(VertexListTest, EachDrawingModeBindsItsShaderPair) {
    struct Case {
        const char* name;
        std::shared_ptr<VertexList> list;
        void (VertexList::*bind)();
        int vertex, pixel;
    };
    auto textured = std::make_shared<VertexListTrianglePosUv>();
    textured->vertices = {uv(0, 0), uv(8, 0), uv(0, 8)};
    auto coloured = std::make_shared<VertexListTrianglePosColor>();
    coloured->vertices = {{0, 0, 0, 0, 1, 0, 1}, {8, 0, 0, 0, 1, 0, 1}, {0, 8, 0, 0, 1, 0, 1}};
    const Case cases[] = {
        {"flat textured", textured, &VertexList::setFlatShader, 0, 0},
        {"depth textured", textured, &VertexList::setDepthShader, 1, 1},
        {"shadow textured", textured, &VertexList::setShadowShader, 7, 8},
        {"flat coloured", coloured, &VertexList::setFlatShader, 3, 5},
        {"depth coloured", coloured, &VertexList::setDepthShader, 4, 6},
        {"shadow coloured", coloured, &VertexList::setShadowShader, 8, 9},
    };
    ShaderList& shaders = resources().shaderList;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto buffer = target();
        ((*c.list).*c.bind)();
        EXPECT_EQ(service().bindingCache().vertexShader, shaders.objectVertex(c.vertex).program()->id());
        EXPECT_EQ(service().bindingCache().pixelShader, shaders.objectPixel(c.pixel).program()->id());
        c.list->draw();
        EXPECT_EQ(finish(*buffer)[0][3], marker(c.pixel));
    }
}

TEST_F(VertexListTest, FaceNormalsFollowTheWindingAndFoldedQuadsSplitAlongTheOtherDiagonal) {
    // Lit drawing (V2 + O2 for textured lists) shows the normal it got.
    auto normalAt = [](VertexList& list, UINT x, UINT y) {
        auto buffer = target();
        list.setLightShader();
        list.drawNormal();
        return finish(*buffer)[y * kSide + x];
    };
    VertexListQuadPosUv clockwise;
    clockwise.vertices = {uv(0, 0), uv(8, 0), uv(8, 8), uv(0, 8)};
    MediaTest::expectNear(normalAt(clockwise, 3, 3), {0, 0, -1, marker(2)});
    VertexListQuadPosUv reversed;
    reversed.vertices = {uv(0, 8), uv(8, 8), uv(8, 0), uv(0, 0)};
    MediaTest::expectNear(normalAt(reversed, 3, 3), {0, 0, 1, marker(2)});
    VertexListTrianglePosUv triangle;
    triangle.vertices = {uv(0, 0), uv(8, 0), uv(0, 8)};
    MediaTest::expectNear(normalAt(triangle, 1, 1), {0, 0, -1, marker(2)});
    // Coloured lists are lit by V5 + O7.
    VertexListTrianglePosColor colours;
    colours.vertices = {{0, 0, 0, 1, 1, 1, 1}, {0, 8, 0, 1, 1, 1, 1}, {8, 0, 0, 1, 1, 1, 1}};
    MediaTest::expectNear(normalAt(colours, 1, 1), {0, 0, 1, marker(7)});

    // A quad dented at c: split along b-d the notch b-c-d is drawn twice
    // over; along a-c it stays empty. Only normals look for the fold.
    VertexListQuadPosUv folded;
    folded.vertices = {uv(0, 0), uv(8, 0), uv(2, 2), uv(0, 8)};
    auto flat = target();
    folded.setFlatShader();
    folded.draw();
    EXPECT_NE(finish(*flat)[3 * kSide + 3][3], 0.0f);
    const Rgba notch = normalAt(folded, 3, 3);
    EXPECT_EQ(notch[3], 0.0f);
    auto lit = target();
    folded.setLightShader();
    folded.drawNormal();
    const auto pixels = finish(*lit);
    EXPECT_NE(pixels[0 * kSide + 4][3], 0.0f);
    EXPECT_NE(pixels[4 * kSide + 0][3], 0.0f);

    // Kinds with normals keep their own.
    VertexListQuadPosUvNorm own;
    own.vertices = {{0, 0, 0, 0.6f, 0, 0.8f, 0, 0, 1, 0}, {8, 0, 0, 0.6f, 0, 0.8f, 1, 0, 1, 0},
                    {8, 8, 0, 0.6f, 0, 0.8f, 1, 1, 1, 0}, {0, 8, 0, 0.6f, 0, 0.8f, 0, 1, 1, 0}};
    MediaTest::expectNear(normalAt(own, 4, 4), {0.6f, 0, 0.8f, marker(2)});
}

TEST_F(VertexListTest, ListsWithoutAWholePolygonCannotBeDrawn) {
    VertexListQuadPosUv three;
    three.vertices = {uv(0, 0), uv(1, 0), uv(1, 1)};
    VertexListTrianglePosColor two;
    two.vertices.resize(2);
    for (VertexList* list : {static_cast<VertexList*>(&three), static_cast<VertexList*>(&two)}) {
        auto buffer = target();
        list->setFlatShader();
        const std::string text = CoreTest::failureText([&] { list->draw(); });
        service().unsetRenderTargets();
        EXPECT_EQ(text.rfind("Direct3DService::Get().device->CreateBuffer() failed.\n", 0), 0u) << text;
        EXPECT_NE(text.find("[Place]\nMedia::VertexBufferCommon::create()"), std::string::npos);
    }
    VertexListQuadPosUv empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(three.isEmpty());
}

TEST_F(VertexListTest, DirectTrianglesDrawThroughATemporaryBuffer) {
    auto buffer = target();
    resources().shaderList.objectVertex(0).bind(service().context());
    resources().shaderList.objectPixel(0).bind(service().context());
    const XYZ_UV corners[3] = {uv(0, 0), uv(4, 0), uv(0, 4)};
    service().drawVertices(corners);
    EXPECT_EQ(coverage(finish(*buffer)).substr(0, 36), "###.....\n##......\n#.......\n........\n");
}

TEST(VertexListGeometryTest, AppendTransformedMovesPositionsNormalsAndOpacity) {
    const Matrix4 identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    VertexListQuadPosUv list;
    VertexListQuadPosUv other;
    other.vertices = {uv(1, 2, 0.5f, 0.75f, 0.8f)};
    VertexListQuadPosColor colours;
    colours.vertices = {{1, 2, 3, 0.1f, 0.2f, 0.3f, 0.4f}};

    list.appendTransformed(colours, identity, 0.5f);
    EXPECT_TRUE(list.isEmpty());
    list.appendTransformed(other, identity, 0.5f);
    ASSERT_EQ(list.vertices.size(), 1u);
    EXPECT_FLOAT_EQ(list.vertices[0].alpha, 0.4f);
    EXPECT_EQ(list.vertices[0].u, 0.5f);
    EXPECT_EQ(list.vertices[0].x, 1.0f);

    // A triangle list of the same vertex kind is appended as well.
    VertexListTrianglePosUv triangle;
    triangle.vertices = {uv(0, 0), uv(1, 0), uv(0, 1)};
    list.appendTransformed(triangle, identity, 1);
    EXPECT_EQ(list.vertices.size(), 4u);
    // Appending itself doubles what it had.
    list.appendTransformed(list, identity, 1);
    EXPECT_EQ(list.vertices.size(), 8u);

    // Translation by (10, 0, 0) with w = 2: positions halved after moving;
    // normals are the moved tip minus the moved position, not normalised.
    const Matrix4 moveAndHalve = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 10, 0, 0, 2};
    VertexListQuadPosColorNorm lit;
    VertexListQuadPosColorNorm source;
    source.vertices = {{2, 4, 6, 0, 0, 1, 1, 1, 1, 0.5f}};
    lit.appendTransformed(source, moveAndHalve, 1);
    ASSERT_EQ(lit.vertices.size(), 1u);
    const XYZ_COL_NORM& v = lit.vertices[0];
    EXPECT_FLOAT_EQ(v.x, 6);
    EXPECT_FLOAT_EQ(v.y, 2);
    EXPECT_FLOAT_EQ(v.z, 3);
    EXPECT_FLOAT_EQ(v.nx, 0);
    EXPECT_FLOAT_EQ(v.ny, 0);
    EXPECT_FLOAT_EQ(v.nz, 0.5f);
    EXPECT_FLOAT_EQ(v.a, 0.5f);

    // A quarter turn about z turns the normal with the position.
    const Matrix4 turn = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    VertexListTrianglePosUvNorm turned;
    VertexListTrianglePosUvNorm facing;
    facing.vertices = {{1, 0, 0, 1, 0, 0, 0, 0, 1, 0}};
    turned.appendTransformed(facing, turn, 1);
    EXPECT_NEAR(turned.vertices[0].y, 1, 1e-6);
    EXPECT_NEAR(turned.vertices[0].nx, 0, 1e-6);
    EXPECT_NEAR(turned.vertices[0].ny, 1, 1e-6);
}

TEST(VertexListGeometryTest, EmptyListsKeepTheirClass) {
    const std::shared_ptr<VertexList> lists[] = {
        std::make_shared<VertexListQuadPosUv>(),         std::make_shared<VertexListQuadPosColor>(),
        std::make_shared<VertexListQuadPosUvNorm>(),     std::make_shared<VertexListQuadPosColorNorm>(),
        std::make_shared<VertexListTrianglePosUv>(),     std::make_shared<VertexListTrianglePosColor>(),
        std::make_shared<VertexListTrianglePosUvNorm>(), std::make_shared<VertexListTrianglePosColorNorm>(),
    };
    for (const auto& list : lists) {
        const auto empty = list->createEmpty();
        EXPECT_EQ(typeid(*empty), typeid(*list));
        EXPECT_TRUE(empty->isEmpty());
    }
}

TEST(VertexListGeometryTest, TheSharedQuadIsTheCentredRectangle) {
    const auto quad = VertexListQuadPosUvCommon::setSize(3, 2);
    EXPECT_EQ(VertexListQuadPosUvCommon::setSize(3, 2), quad);
    ASSERT_EQ(quad->vertices.size(), 4u);
    const float corners[4][4] = {{-1.5f, -1, 0, 0}, {1.5f, -1, 1, 0}, {1.5f, 1, 1, 1}, {-1.5f, 1, 0, 1}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const XYZ_UV& v = quad->vertices[i];
        EXPECT_EQ(v.x, corners[i][0]);
        EXPECT_EQ(v.y, corners[i][1]);
        EXPECT_EQ(v.z, 0);
        EXPECT_EQ(v.u, corners[i][2]);
        EXPECT_EQ(v.v, corners[i][3]);
        EXPECT_EQ(v.alpha, 1);
        EXPECT_EQ(v.reserved, 0);
    }
    EXPECT_EQ(typeid(*quad->createEmpty()), typeid(VertexListQuadPosUvCommon));
}

TEST(VertexListGeometryTest, LookToMatrixAndNormalising) {
    const Matrix4 view = lookToMatrix({0, 0, -10}, {0, 0, 1}, {0, 1, 0});
    const Float3 origin = transformPoint(view, {0, 0, 0});
    EXPECT_FLOAT_EQ(origin.x, 0);
    EXPECT_FLOAT_EQ(origin.y, 0);
    EXPECT_FLOAT_EQ(origin.z, 10);
    // Looking along +x from the origin: +z of the world lies to the left.
    const Matrix4 side = lookToMatrix({0, 0, 0}, {2, 0, 0}, {0, 1, 0});
    const Float3 p = transformPoint(side, {0, 0, 1});
    EXPECT_NEAR(p.x, -1, 1e-6);
    EXPECT_NEAR(p.z, 0, 1e-6);

    const Float3 zero = normalise({0, 0, 0});
    EXPECT_EQ(zero.x, 0);
    EXPECT_EQ(zero.y, 0);
    EXPECT_EQ(zero.z, 0);
    const Float3 infinite = normalise({INFINITY, 1, 0});
    EXPECT_TRUE(std::isnan(infinite.x) && std::isnan(infinite.y) && std::isnan(infinite.z));
    const Float3 unit = normalise({3, 0, 4});
    EXPECT_FLOAT_EQ(unit.x, 0.6f);
    EXPECT_FLOAT_EQ(unit.z, 0.8f);
}

}  // namespace
