// The numbered blend, sampler and rasterizer states, each checked by the
// pixels it gives against the effect the state list promises, and the lazy
// holders they live in.
#include "media/gpu/BlendStateList.h"
#include "media/gpu/ComResource.h"
#include "media/gpu/ConstantBufferCommon.h"
#include "media/GpuFixture.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/RasterizerStateList.h"
#include "media/gpu/SamplerStateList.h"
#include "media/gpu/VertexShader.h"
#include "platform/gl/GlCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using Media::PixelShader;
using Media::ResourceBuffer;
using MediaTest::expectNear;
using MediaTest::Rgba;

class PipelineStateListTest : public MediaTest::GpuTest {};

Rgba operator+(Rgba a, Rgba b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2], a[3] + b[3]}; }
Rgba operator-(Rgba a, Rgba b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2], a[3] - b[3]}; }
Rgba operator*(Rgba a, Rgba b) { return {a[0] * b[0], a[1] * b[1], a[2] * b[2], a[3] * b[3]}; }
Rgba all(float v) { return {v, v, v, v}; }
// Colour from one value, alpha from another.
Rgba split(Rgba colour, float alpha) { return {colour[0], colour[1], colour[2], alpha}; }

TEST_F(PipelineStateListTest, EveryBlendStateGivesItsEffect) {
    // Two colour outputs: the second one's alpha weighs states 5 to 7.
    auto shader = pixelShader(R"(
layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 c[2]; };
layout(location = 0, index = 0) out vec4 result;
layout(location = 0, index = 1) out vec4 second;
void main() { result = c[0]; second = c[1]; })");
    const Rgba s{0.6f, 0.3f, 0.2f, 0.5f};
    const Rgba s1{0.1f, 0.9f, 0.4f, 0.25f};
    const Rgba d{0.2f, 0.4f, 0.8f, 0.7f};
    const Rgba F{0.3f, 0.6f, 0.9f, 0.4f};
    const Rgba one = all(1);
    auto source = constants({s[0], s[1], s[2], s[3], s1[0], s1[1], s1[2], s1[3]});

    const Rgba effects[22] = {
        s + d * (one - all(s[3])),                                              // over
        s * (one - all(d[3])) + d,                                              // under
        split(s * all(s[3]) + d * (one - all(s[3])), s[3] + d[3] * (1 - s[3])),  // straight
        split(s * all(d[3]) + d * (one - all(s[3])), d[3]),                     // atop
        s,                                                                      // replace
        d + (s - d) * (one - all(s1[3])),
        d + (s - d) * all(s1[3]),
        s * (one - all(s1[3])),
        d * all(s[3]),                                                          // mask
        d * (one - all(s[3])),                                                  // inverse mask
        split(d * all(s[3]), s[3]),
        split(d * s, d[3]),
        split(s + d, s[3] + d[3] * (1 - s[3])),
        split(s + d, s[3] * (1 - d[3]) + d[3]),
        split(s * F + d, s[3] * F[3] + d[3] * (1 - s[3])),
        s * all(d[3]),
        {std::max(s[0], d[0]), std::max(s[1], d[1]), std::max(s[2], d[2]), std::max(s[3], d[3])},
        split(d * all(s[3]), d[3]),
        s + d,
        split(s * all(d[3]) + d, d[3]),
        s * F + d * (one - F),
        s * (one - F) + d * F,
    };
    ResourceBuffer target(1, 1);
    for (int index = 0; index < Shader::BlendStateList::count; ++index) {
        SCOPED_TRACE(index);
        target.clear(d.data());
        const bool factored = index == 14 || index == 20 || index == 21;
        service().setRenderTarget(target);
        shader->drawPass(nullptr, 0, source.get(), resources().blendStateList.get(index),
                         factored ? F.data() : nullptr);
        expectNear(pixel(target, 0, 0), effects[index]);
    }
}

// The sampler table as promised: filter, address across, address down,
// border colour.
struct SamplerCase {
    bool linear;
    char u, v;  // 'b'order, 'c'lamp, 'w'rap, 'm'irror
    Rgba border;
};
const SamplerCase kSamplers[8] = {
    {true, 'b', 'b', {0, 0, 0, 0}}, {true, 'c', 'c', {0, 0, 0, 0}}, {true, 'w', 'w', {0, 0, 0, 0}},
    {true, 'm', 'm', {0, 0, 0, 0}}, {true, 'm', 'b', {0, 0, 0, 0}}, {false, 'b', 'b', {0, 0, 0, 0}},
    {false, 'c', 'c', {0, 0, 0, 0}}, {true, 'b', 'b', {1, 1, 1, 1}},
};

Rgba texel(int x, int y) { return {x / 4.0f, y / 4.0f, 0.5f, 1.0f}; }

// D3D's sampling of the 4 x 4 picture texel(x, y).
Rgba sampleOnCpu(const SamplerCase& sampler, float u, float v) {
    auto address = [](char mode, int i, bool& outside) {
        outside = false;
        switch (mode) {
            case 'c': return std::clamp(i, 0, 3);
            case 'w': return ((i % 4) + 4) % 4;
            case 'm': {
                const int m = ((i % 8) + 8) % 8;
                return m < 4 ? m : 7 - m;
            }
            default: outside = i < 0 || i > 3; return i;
        }
    };
    auto fetch = [&](int x, int y) {
        bool outU, outV;
        const int ax = address(sampler.u, x, outU), ay = address(sampler.v, y, outV);
        return outU || outV ? sampler.border : texel(ax, ay);
    };
    if (!sampler.linear)
        return fetch(static_cast<int>(std::floor(u * 4)), static_cast<int>(std::floor(v * 4)));
    const float tx = u * 4 - 0.5f, ty = v * 4 - 0.5f;
    const int x0 = static_cast<int>(std::floor(tx)), y0 = static_cast<int>(std::floor(ty));
    const float fx = tx - x0, fy = ty - y0;
    return fetch(x0, y0) * all((1 - fx) * (1 - fy)) + fetch(x0 + 1, y0) * all(fx * (1 - fy)) +
           fetch(x0, y0 + 1) * all((1 - fx) * fy) + fetch(x0 + 1, y0 + 1) * all(fx * fy);
}

TEST_F(PipelineStateListTest, EverySamplerStateSamplesAsPromised) {
    auto shader = pixelShader(R"(
layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 c[1]; };
layout(binding = T_SLOT(0)) uniform sampler2D texture0;
layout(location = 0) out vec4 result;
void main() { result = texture(texture0, c[0].xy); })");
    auto source = picture(4, 4, [](UINT x, UINT y) { return texel(x, y); });
    const float points[][2] = {
        {0.375f, 0.625f},   // a texel centre
        {0.45f, 0.375f},    // between two texels
        {-0.125f, 0.375f},  // left of the picture
        {0.375f, 1.125f},   // below the picture
        {1.3f, -0.2f},      // outside on both axes
    };
    ResourceBuffer target(1, 1);
    for (int index = 0; index < Shader::SamplerStateList::count; ++index) {
        service().setPixelSampler(resources().samplerStateList.get(index));
        for (const auto& point : points) {
            SCOPED_TRACE(testing::Message() << "sampler " << index << " at " << point[0] << ","
                                            << point[1]);
            auto uv = constants({point[0], point[1], 0, 0});
            shader->draw(target, *source, uv.get(), nullptr);
            // Linear weights have 8 fractional bits on the GPU.
            expectNear(pixel(target, 0, 0), sampleOnCpu(kSamplers[index], point[0], point[1]),
                       6e-3f);
        }
    }
}

// A triangle with its corners on pixel centres of an 8 x 8 target: top-left,
// top-right, bottom-left on the screen, or the reverse order.
TEST_F(PipelineStateListTest, RasterizerStatesCullBackFacesAndDrawWireframes) {
    Media::VertexShader vertex(&service());
    const char* vertexCode = R"(
layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 c[1]; };
void main() {
    vec2 corners[3] = vec2[](vec2(-0.625, 0.625), vec2(0.875, 0.625), vec2(-0.625, -0.875));
    int i = c[0].x > 0.0 ? 2 - gl_VertexID : gl_VertexID;
    gl_Position = vec4(corners[i], 0.0, 1.0);
})";
    vertex.loadFromMemory(vertexCode, std::strlen(vertexCode));
    // D3D's front face runs clockwise on the screen.
    auto facing = pixelShader(R"(
layout(location = 0) out vec4 result;
void main() { result = gl_FrontFacing ? vec4(0, 1, 0, 1) : vec4(1, 0, 0, 1); })");
    const Rgba green{0, 1, 0, 1}, red{1, 0, 0, 1}, none{0, 0, 0, 0};

    struct Case {
        const char* name;
        int rasterizer;
        bool reversed;
        Rgba inside;  // pixel (3, 3)
        Rgba edge;    // pixel (4, 1): its centre is on the top edge
    };
    const Case cases[] = {
        {"solid, clockwise", 0, false, green, green},
        {"solid, counter-clockwise", 0, true, red, red},
        {"culled, clockwise", 1, false, green, green},
        {"culled, counter-clockwise", 1, true, none, none},
        {"wireframe", 2, false, none, green},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResourceBuffer target(8, 8);
        target.clear(none.data());
        auto flag = constants({c.reversed ? 1.0f : 0.0f, 0, 0, 0});
        Platform::Gl::Context& context = service().context();
        service().setRenderTarget(target);
        Platform::Gl::setViewport(context, 8, 8, true);
        Platform::Gl::bindConstantBuffer(context, Platform::Gl::Stage::Vertex, 0, flag.get());
        resources().rasterizerStateList.get(c.rasterizer)->bind(context);
        resources().blendStateList.get(4)->bind(context, nullptr);
        vertex.bind(context);
        facing->bind(context);
        Platform::Gl::draw(context, GL_TRIANGLES, 0, 3);
        service().unsetRenderTargets();
        expectNear(pixel(target, 3, 3), c.inside);
        expectNear(pixel(target, 4, 1), c.edge);
        expectNear(pixel(target, 7, 7), none);
    }
}

TEST_F(PipelineStateListTest, AStateIsMadeOnceAndKeptByItsList) {
    Shader::BlendStateList list;
    EXPECT_EQ(list.holder(3).get(), nullptr);
    Platform::Gl::BlendState* first = list.get(3);
    EXPECT_EQ(list.get(3), first);
    EXPECT_EQ(list.holder(4).get(), nullptr);
    EXPECT_THROW(list.get(22), std::out_of_range);
    EXPECT_THROW(list.get(-1), std::out_of_range);
}

struct Counted {
    static inline std::atomic<int> made{0};
    Counted() { ++made; }
};

}  // namespace

template <>
inline constexpr const char* Media::comResourcePlace<Counted> =
    "Media::ComResource<struct Counted>::createResource";

namespace {

TEST(ComResourceTest, WithoutGeneratorTheRequestFails) {
    Media::ComResource<Platform::Gl::BlendState> empty;
    try {
        empty.createResource();
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(),
                     "resource generator not set.\n\n[Place]\n"
                     "Media::ComResource<struct ID3D11BlendState>::createResource()");
    }
}

TEST(ComResourceTest, AFailedGenerationIsTriedAgain) {
    int calls = 0;
    Media::ComResource<Counted> holder([&calls](Counted** out) {
        if (++calls == 1) throw std::runtime_error("first call fails");
        *out = new Counted();
    });
    EXPECT_THROW(holder.createResource(), std::runtime_error);
    EXPECT_EQ(holder.get(), nullptr);
    Counted* made = holder.createResource();
    EXPECT_NE(made, nullptr);
    EXPECT_EQ(holder.createResource(), made);
    EXPECT_EQ(calls, 2);
}

TEST(ComResourceTest, ConcurrentFirstRequestsGetTheOneObject) {
    Counted::made = 0;
    Media::ComResource<Counted> holder([](Counted** out) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        *out = new Counted();
    });
    std::vector<Counted*> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&, i] { seen[i] = holder.createResource(); });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(Counted::made, 1);
    for (Counted* p : seen) EXPECT_EQ(p, seen[0]);
}

}  // namespace
