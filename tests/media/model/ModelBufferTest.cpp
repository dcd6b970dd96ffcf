// OBJ and MTL files read into model parts: coordinate conversion, faces,
// groups and materials, the errors of broken files, and a cube drawn
// through the 3D object programs with its silhouette read back.
#include "media/model/ModelBuffer.h"

#include "core/CoreTestSupport.h"
#include "media/GpuFixture.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/model/ModelLoaderObj.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlTexture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace Media;
using CoreTest::TempFolder;
using MediaTest::expectNear;
using MediaTest::Rgba;

struct Files {
    TempFolder folder;
    std::shared_ptr<ModelBuffer> load(const std::string& obj, const std::string& mtl = {}, bool flip = false) {
        CoreTest::writeBytes(folder.file("m.obj"), obj);
        if (!mtl.empty()) CoreTest::writeBytes(folder.file("m.mtl"), mtl);
        return ModelLoaderObj::loadFromFile(folder.wide("m.obj"), flip);
    }
    // The program's and the standard errors alike.
    std::string failure(const std::string& obj, const std::string& mtl = {}) {
        try {
            load(obj, mtl);
        } catch (const std::exception& e) {
            return e.what();
        }
        return "(no exception)";
    }
};

const char* kQuad = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n";

std::vector<float> positions(const ModelBuffer::Part& part) {
    std::vector<float> values;
    for (const auto& v : part.vertices) values.insert(values.end(), {v.x, v.y, v.z});
    return values;
}

TEST(ModelLoaderTest, FacesGroupsAndCoordinates) {
    Files files;
    // A fan of four corners makes two triangles; Y is negated.
    auto model = files.load(std::string(kQuad) + "f 1/1/1 2/2/1 3/3/1 4/4/1\n");
    ASSERT_EQ(model->parts.size(), 1u);
    const auto& part = model->parts[0];
    EXPECT_EQ(positions(part), (std::vector<float>{0, 0, 0, 1, 0, 0, 1, -1, 0, 0, 0, 0, 1, -1, 0, 0, -1, 0}));
    EXPECT_EQ(part.vertices[2].u, 1.0f);
    EXPECT_EQ(part.vertices[2].v, 1.0f);
    EXPECT_EQ(part.vertices[0].nz, 1.0f);
    // Defaults of a part without material.
    EXPECT_EQ(part.color, (std::array<float, 4>{0.5f, 0.5f, 0.5f, 1.0f}));
    EXPECT_EQ(part.scale, (std::array<float, 3>{100, 100, 100}));
    EXPECT_TRUE(part.texturePath.empty());

    // Flip mirrors Z and V and takes the index list from its end.
    auto flipped = files.load("v 1 2 3\nv 4 5 6\nv 7 8 9\nvt 0 0.25\nvn 0 1 1\nf 1/1/1 2/1/1 3/1/1\n", {}, true);
    EXPECT_EQ(positions(flipped->parts[0]), (std::vector<float>{7, -8, -9, 4, -5, -6, 1, -2, -3}));
    EXPECT_EQ(flipped->parts[0].vertices[0].v, 0.75f);
    EXPECT_EQ(flipped->parts[0].vertices[0].ny, -1.0f);
    EXPECT_EQ(flipped->parts[0].vertices[0].nz, -1.0f);

    // No texture coordinate reads (0, 0); relative indices count back.
    auto relative = files.load(std::string(kQuad) + "f -4//-1 -3//1 -2//1\n");
    EXPECT_EQ(positions(relative->parts[0]), (std::vector<float>{0, 0, 0, 1, 0, 0, 1, -1, 0}));
    EXPECT_EQ(relative->parts[0].vertices[1].u, 0.0f);
    // A texture index of 0 lies below the list: that corner takes (0, 0).
    auto zero = files.load(std::string(kQuad) + "f 1/0/1 2/0/1 3/3/1\n");
    ASSERT_NE(zero, nullptr);
    const auto& corners = zero->parts.at(0).vertices;
    ASSERT_EQ(corners.size(), 3u);
    EXPECT_EQ(std::vector<float>({corners[1].u, corners[1].v, corners[2].u, corners[2].v}),
              std::vector<float>({0, 0, 1, 1}));
}

TEST(ModelLoaderTest, FlatNormalsAndGroupRules) {
    Files files;
    // (b - a) x (c - a) = (0,1,0) x (0,0,1) = (1, 0, 0); Y negated stays 0.
    auto flat = files.load("v 0 0 0\nv 0 1 0\nv 0 0 1\nvt 0 0\nf 1 2 3\nf 1/1 3/1 2/1\n");
    ASSERT_EQ(flat->parts[0].vertices.size(), 6u);
    EXPECT_EQ(flat->parts[0].vertices[0].nx, 1.0f);
    EXPECT_EQ(flat->parts[0].vertices[3].nx, -1.0f);
    // A normal along Y shows the conversion: (0,0,1) x (1,0,0) = (0, 1, 0).
    auto upward = files.load("v 0 0 0\nv 0 0 1\nv 1 0 0\nf 1 2 3\n");
    EXPECT_EQ(upward->parts[0].vertices[0].ny, -1.0f);

    // Two g lines without faces make one group; usemtl after g names it;
    // usemtl after faces starts another.
    auto groups = files.load(std::string("mtllib m.mtl\n") + kQuad +
                                 "g a\ng b\nusemtl red\nf 1//1 2//1 3//1\nusemtl blue\nf 1//1 3//1 4//1\n",
                             "newmtl red\nKd 1 0 0\nd 0.5\nnewmtl blue\nKd 0 0 1\nTr 0.25\n");
    ASSERT_EQ(groups->parts.size(), 2u);
    EXPECT_EQ(groups->parts[0].color, (std::array<float, 4>{1, 0, 0, 0.5f}));
    EXPECT_EQ(groups->parts[1].color, (std::array<float, 4>{0, 0, 1, 0.75f}));
    // Faces with fewer than three corners make no triangle but a group;
    // lines of other keywords, comments and tab-ended lists are skipped.
    auto sparse = files.load(std::string("# c\no x\ns 1\n") + kQuad + "f 1//1 2//1\nf 1//1\t2//1 3//1\nl 1 2\n");
    ASSERT_EQ(sparse->parts.size(), 1u);
    EXPECT_TRUE(sparse->parts[0].vertices.empty());
}

TEST(ModelLoaderTest, MaterialTextures) {
    Files files;
    CoreTest::writeBytes(files.folder.file("wood.png"), "png");
    TestSupport::LogCapture log;
    auto model = files.load(std::string("mtllib m.mtl\n") + kQuad +
                                "usemtl wood\nf 1/1/1 2/2/1 3/3/1\nusemtl gone\nf 1/1/1 3/3/1 4/4/1\n"
                                "usemtl text\nf 1/1/1 3/3/1 4/4/1\n",
                            "newmtl wood\nmap_Kd -s 1 1 1 -o 0.5 wood.png\ndisp bump map.tga\n"
                            "newmtl gone\nKd 0.25 0.5 0.75\nmap_Kd missing.png\n"
                            "newmtl text\nmap_Kd notes.txt\n");
    ASSERT_EQ(model->parts.size(), 3u);
    EXPECT_EQ(model->parts[0].texturePath, files.folder.wide("wood.png"));
    EXPECT_TRUE(model->parts[1].texturePath.empty());
    EXPECT_EQ(model->parts[1].color, (std::array<float, 4>{0.25f, 0.5f, 0.75f, 1}));
    EXPECT_TRUE(model->parts[2].texturePath.empty());
    const auto warnings = log.of(System::Log::WARN);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].tag, "Media::ModelLoaderObj::loadFromFile");
    EXPECT_EQ(warnings[0].text, "map file not available : " + files.folder.file("missing.png"));
}

TEST(ModelLoaderTest, BrokenFilesFailWithTheirError) {
    Files files;
    struct Case {
        const char* name;
        std::string obj, mtl;
        const char* error;
    };
    const std::string quad = kQuad;
    const Case cases[] = {
        {"vertex index past the end", quad + "f 1//1 2//1 9//1\n", "", "invalid vertex index"},
        {"index 0", quad + "f 0//1 2//1 3//1\n", "", "invalid vertex index"},
        {"relative index before the start", quad + "f -5//1 2//1 3//1\n", "", "invalid vertex index"},
        {"texture index past the end", quad + "f 1/9/1 2/1/1 3/1/1\n", "", "invalid texture index"},
        {"normal index past the end", quad + "f 1//2 2//1 3//1\n", "", "invalid normal index"},
        {"only positions", quad, "", "no model object"},
        {"material library missing", "mtllib none.mtl\n" + quad, "", "mtllib file read failed"},
        {"material missing", "mtllib m.mtl\n" + quad + "usemtl red\nf 1//1 2//1 3//1\n", "newmtl blue\n",
         "invalid unordered_map"},
        {"map option", "mtllib m.mtl\n", "newmtl a\nmap_Kd -bm 2 n.png\n", "invalid map option"},
        {"newmtl without name", "mtllib m.mtl\n", "newmtl\n", "invalid newmtl params"},
        {"Kd short", "mtllib m.mtl\n", "newmtl a\nKd 1 0\n", "invalid Kd params"},
        {"Kd without material", "mtllib m.mtl\n", "Kd 1 0 0\n", "invalid material"},
        {"text as a number", "v 1 x 3\nf 1//1 1//1 1//1\n", "", "stof"},
        {"NaN coordinate", "v nan 0 0\n", "", "stof"},
        {"index out of int range", quad + "f 99999999999//1 2//1 3//1\n", "", "stoi"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(files.folder.file("m.mtl"));
        const std::string text = files.failure(c.obj, c.mtl);
        EXPECT_NE(text.find(c.error), std::string::npos) << text;
        EXPECT_EQ(ModelBuffer::loadFromFile(files.folder.wide("m.obj"), false), nullptr);
    }
    // The vertex index note is 0-based.
    EXPECT_NE(files.failure(quad + "f 1//1 2//1 9//1\n").find("\n8\n"), std::string::npos);
    EXPECT_NE(files.failure("").find("no model object"), std::string::npos);
    EXPECT_NE(CoreTest::failureText([&] { ModelLoaderObj::loadFromFile(files.folder.wide("none.obj"), false); })
                  .find("obj file read failed"),
              std::string::npos);
    // A parsing error names the file and line.
    TestSupport::LogCapture log;
    files.failure("v 0 0 0\nv 1 x 0\n");
    const auto errors = log.of(System::Log::ERROR);
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors[0].text.find("m.obj(2)"), std::string::npos) << errors[0].text;
    // Only .obj files are models.
    EXPECT_TRUE(ModelBuffer::isSupportedFile(L"a/b.OBJ"));
    EXPECT_FALSE(ModelBuffer::isSupportedFile(L"a/b.mtl"));
    EXPECT_EQ(ModelBuffer::loadFromFile(files.folder.wide("m.mtl"), false), nullptr);
}

class ModelDrawTest : public MediaTest::GpuTest {};

// A box over x, z in [-0.5, 0.5] and y in [0, 1] (above the origin in the
// file): its front face (z = -0.5) textured, the rest in the MTL colour.
constexpr const char* kBox = R"(mtllib m.mtl
v -0.5 0 -0.5
v 0.5 0 -0.5
v 0.5 1 -0.5
v -0.5 1 -0.5
v -0.5 0 0.5
v 0.5 0 0.5
v 0.5 1 0.5
v -0.5 1 0.5
vt 0 1
vt 1 1
vt 1 0
vt 0 0
g box
usemtl wood
f 1/1 2/2 3/3 4/4
usemtl red
f 6 5 8 7
f 5 1 4 8
f 2 6 7 3
f 4 3 7 8
f 5 6 2 1
)";

TEST_F(ModelDrawTest, BoxLoadsWithYNegatedAndDrawsItsSilhouette) {
    Files files;
    CoreTest::writeBytes(files.folder.file("wood.png"), "png");
    const std::string mtl = "newmtl wood\nmap_Kd wood.png\nnewmtl red\nKd 1 0 0\n";
    constexpr UINT side = 32;
    const Rgba wood{0.25f, 0.5f, 0.75f, 1};
    auto texture = picture(2, 2, [&](UINT, UINT) { return wood; });
    Resource::ShaderList& shaders = resources().shaderList;
    Platform::Gl::Context& context = service().context();

    for (bool flip : {false, true}) {
        SCOPED_TRACE(flip ? "flipped" : "as written");
        auto model = files.load(kBox, mtl, flip);
        ASSERT_EQ(model->parts.size(), 2u);
        ASSERT_FALSE(model->parts[0].texturePath.empty());
        RenderBuffer frame(DXGI_FORMAT_R16G16B16A16_FLOAT);
        frame.createTexture2D(side, side);
        const float clear[4] = {0, 0, 0, 0};
        frame.getRenderTargetView().clear(clear, "test");
        for (const auto& part : model->parts) {
            const bool textured = !part.texturePath.empty();
            auto list = ModelBuffer::createVertexList(part, textured);
            // Model units times the part's scale, 0.1 pixel per unit around
            // the centre; nearer (smaller z) is a larger depth.
            Resource::ShaderList::ObjectConstant c{};
            const float k = 0.1f * 2.0f / side;
            const float projection[16] = {k * part.scale[0], 0, 0, 0, 0, -k * part.scale[1], 0, 0,
                                          0, 0, -0.001f * part.scale[2], 0, 0, 0, 0.5f, 1};
            std::memcpy(c.projection, projection, sizeof projection);
            c.alpha = part.color[3];
            shaders.setObjectConstant(c);
            Media::ResourceBuffer* views[] = {frame.getDepthBuffer(), frame.getTransparentBuffer(),
                                              frame.getTransparentDepthBuffer()};
            service().setRenderTargetAndUnorderedAccessView(frame, 3, views);
            resources().rasterizerStateList.get(0)->bind(context);
            resources().blendStateList.get(0)->bind(context, nullptr);
            using Platform::Gl::Stage;
            Platform::Gl::bindConstantBuffer(context, Stage::Vertex, 0, shaders.getObjectConstantBuffer());
            Platform::Gl::bindConstantBuffer(context, Stage::Pixel, 0, shaders.getObjectConstantBuffer());
            if (part.sampler) service().setPixelSampler(part.sampler);
            Platform::Gl::bindTexture(context, Stage::Pixel, 0, textured ? &texture->getShaderResourceView() : nullptr);
            list->setDepthShader();
            list->draw();
            Platform::Gl::bindTexture(context, Stage::Pixel, 0, nullptr);
            service().unsetRenderTargets();
            context.bindings() = {};
        }
        const auto pixels = read(*frame.getTexture());
        auto at = [&](UINT x, UINT y) { return pixels[y * side + x]; };
        // The box spans columns 11 to 20 and, Y negated, rows 6 to 15.
        const Rgba front = flip ? Rgba{1, 0, 0, 1} : wood;
        expectNear(at(12, 7), front);
        expectNear(at(19, 14), front);
        expectNear(at(16, 11), front);
        for (auto [x, y] : {std::pair{16u, 18u}, {16u, 4u}, {9u, 10u}, {22u, 10u}})
            expectNear(at(x, y), {0, 0, 0, 0});
    }
}

}  // namespace
