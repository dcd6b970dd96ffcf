// Shared textures handed between the contexts of threads that draw at the
// same time: every draw and dispatch is fenced, reads hold off later writes,
// writes hold off reads and other writes.
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlProgram.h"
#include "platform/gl/GlTexture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <latch>
#include <semaphore>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace Platform::Gl;

constexpr int kSide = 256;

const char* const kCoveringTriangle = R"(
    void main() {
        const vec2 c[3] = vec2[](vec2(-1.0, -1.0), vec2(3.0, -1.0), vec2(-1.0, 3.0));
        gl_Position = vec4(c[gl_VertexID], 0.0, 1.0);
    })";

Texture floatTarget(Display& display, unsigned flags) {
    return Texture(display, *findFormat(DXGI_FORMAT_R32_FLOAT), kSide, kSide, flags, nullptr, 0,
                   "test");
}

std::vector<float> readBack(Texture& texture) {
    std::vector<float> values(static_cast<std::size_t>(texture.width()) * texture.height());
    texture.read(values.data(), static_cast<std::size_t>(texture.width()) * sizeof(float), "test");
    return values;
}

// Programs made by the thread that draws with them.
struct Programs {
    explicit Programs(Display& display)
        : vertex(display, Stage::Vertex, kCoveringTriangle, "glCreateShaderProgramv", "test"),
          // Slow on purpose, so that a pass is still being drawn when
          // another thread touches its texture; the result is the value.
          fill(display, Stage::Pixel, R"(
              layout(std140, binding = B_SLOT(0)) uniform Constant { vec4 value; };
              layout(location = 0) out vec4 result;
              void main() {
                  float work = 0.0;
                  for (int i = 0; i < 64; ++i) work += sin(float(i) * gl_FragCoord.x);
                  result = vec4(value.x + (work > 1e9 ? 1.0 : 0.0));
              })",
               "glCreateShaderProgramv", "test"),
          copy(display, Stage::Pixel, R"(
              layout(binding = T_SLOT(0)) uniform sampler2D source;
              layout(location = 0) out vec4 result;
              void main() { result = loadTexel(source, ivec2(gl_FragCoord.xy)); })",
               "glCreateShaderProgramv", "test") {}
    Program vertex;
    Program fill;
    Program copy;
};

void fillWith(Context& context, Programs& programs, Buffer& constant, Texture& target, float value) {
    const float block[4] = {value, 0, 0, 0};
    constant.update(block);
    Texture* targets[] = {&target};
    setRenderTargets(context, targets);
    bindConstantBuffer(context, Stage::Pixel, 0, &constant);
    useProgram(context, programs.vertex);
    useProgram(context, programs.fill);
    draw(context, GL_TRIANGLES, 0, 3);
    setRenderTargets(context, {});
}

void copyInto(Context& context, Programs& programs, Texture& source, Texture& target) {
    Texture* targets[] = {&target};
    setRenderTargets(context, targets);
    bindTexture(context, Stage::Pixel, 0, &source);
    useProgram(context, programs.vertex);
    useProgram(context, programs.copy);
    draw(context, GL_TRIANGLES, 0, 3);
    bindTexture(context, Stage::Pixel, 0, nullptr);
    setRenderTargets(context, {});
}

// The images of a pass stay bound for the next one: the second and third
// draws or dispatches must be fenced and followed by a barrier as the
// first is, or another thread's pass samples what the first one left.
TEST(GlHandoverTest, EveryDrawAndDispatchWithImagesBoundIsHandedOver) {
    Display display("test");
    Context& context = display.context();
    Program vertex(display, Stage::Vertex, kCoveringTriangle, "glCreateShaderProgramv", "test");
    Program pixelAdd(display, Stage::Pixel, R"(
        layout(binding = U_SLOT(0), r32f) coherent uniform image2D target;
        void main() {
            ivec2 p = ivec2(gl_FragCoord.xy);
            imageStore(target, p, imageLoad(target, p) + vec4(1.0));
        })",
                     "glCreateShaderProgramv", "test");
    Program computeAdd(display, Stage::Compute, R"(
        layout(local_size_x = 8, local_size_y = 8) in;
        layout(binding = U_SLOT(0), r32f) coherent uniform image2D target;
        void main() {
            ivec2 p = ivec2(gl_GlobalInvocationID.xy);
            imageStore(target, p, imageLoad(target, p) + vec4(1.0));
        })",
                       "glCreateShaderProgramv", "test");
    const float zero[4] = {0, 0, 0, 0};

    for (const bool compute : {false, true}) {
        SCOPED_TRACE(compute ? "dispatch" : "draw");
        Texture image = floatTarget(display, Texture::ShaderResource | Texture::UnorderedAccess);
        image.clear(zero, "test");
        if (compute) {
            useProgram(context, computeAdd);
            bindImage(context, 0, &image, ImageStage::Compute);
            for (int i = 0; i < 3; ++i) dispatch(context, kSide / 8, kSide / 8, 1);
            bindImage(context, 0, nullptr, ImageStage::Compute);
        } else {
            setRenderTargets(context, {});
            glNamedFramebufferParameteri(context.framebuffer(), GL_FRAMEBUFFER_DEFAULT_WIDTH, kSide);
            glNamedFramebufferParameteri(context.framebuffer(), GL_FRAMEBUFFER_DEFAULT_HEIGHT, kSide);
            setViewport(context, kSide, kSide, false);
            useProgram(context, vertex);
            useProgram(context, pixelAdd);
            bindImage(context, 0, &image, ImageStage::Pixel);
            for (int i = 0; i < 3; ++i) draw(context, GL_TRIANGLES, 0, 3);
        }
        std::vector<float> seen;
        std::thread([&] {
            Context& other = display.context();
            Programs programs(display);
            Texture copy = floatTarget(display, Texture::ShaderResource | Texture::RenderTarget);
            copyInto(other, programs, image, copy);
            seen = readBack(copy);
        }).join();
        if (!compute) setRenderTargets(context, {});
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(kSide * kSide));
        for (std::size_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], 3.0f) << "pixel " << i;
    }
}

// Two producers rewrite one texture with their own versions while a
// consumer copies it out and reads the copy, all three at once: every
// consumed frame is one whole version (no write of one producer mixed with
// another's, no copy of a half-written texture, no write into a texture
// still being copied).
TEST(GlHandoverTest, ConcurrentWritersAndAReaderOnlyEverSeeWholeVersions) {
    Display display("test");
    display.context();
    Texture shared = floatTarget(display, Texture::ShaderResource | Texture::RenderTarget);
    const float zero[4] = {0, 0, 0, 0};
    shared.clear(zero, "test");

    constexpr int kVersions = 40;
    std::latch start(3);
    std::atomic<int> producing{2};
    std::atomic<int> consumed{0};
    auto producer = [&](int first) {
        Context& context = display.context();
        Programs programs(display);
        Buffer constant(display, 16, nullptr, "test", Buffer::Sharing::ContextOnly);
        start.arrive_and_wait();
        // One producer writes odd versions, the other even ones.
        int written = 0;
        for (int v = first; v <= 2 * kVersions; v += 2) {
            fillWith(context, programs, constant, shared, static_cast<float>(v));
            // Half way, wait until the consumer has taken two more frames, so
            // the threads overlap however the machine schedules them.
            if (++written == kVersions / 2) {
                const int seen = consumed;
                while (consumed < seen + 2) std::this_thread::yield();
            }
        }
        --producing;
    };
    std::vector<std::string> torn;
    std::set<float> versions;
    int frames = 0;
    std::thread consumer([&] {
        Context& context = display.context();
        Programs programs(display);
        Texture copy = floatTarget(display, Texture::ShaderResource | Texture::RenderTarget);
        start.arrive_and_wait();
        // Frames are consumed while the producers run, and once after.
        for (bool last = false; !last;) {
            last = producing == 0;
            copyInto(context, programs, shared, copy);
            const std::vector<float> values = readBack(copy);
            ++frames;
            ++consumed;
            versions.insert(values[0]);
            for (std::size_t i = 1; i < values.size(); ++i)
                if (values[i] != values[0]) {
                    torn.push_back("frame " + std::to_string(frames) + ": " +
                                   std::to_string(values[0]) + " and " + std::to_string(values[i]) +
                                   " at " + std::to_string(i));
                    break;
                }
        }
    });
    std::thread odd(producer, 1), even(producer, 2);
    odd.join();
    even.join();
    consumer.join();

    EXPECT_TRUE(torn.empty()) << torn.size() << " torn frames, first " << torn.front();
    // The threads overlapped: a version between the first and the last was seen.
    EXPECT_TRUE(std::any_of(versions.begin(), versions.end(),
                            [&](float v) { return v > 0 && v < *versions.rbegin(); }))
        << frames << " frames";
    // After both producers ended the texture holds one of their last versions.
    EXPECT_GE(*versions.rbegin(), static_cast<float>(2 * kVersions - 1));
}


// A dropped texture's storage goes to the next texture of its size, here
// on another thread while the dropping thread's last pass may still be
// drawn: the new owner's upload must land after that pass, never under it.
TEST(GlHandoverTest, ReusedStorageWaitsForThePassesOfItsFormerOwner) {
    Display display("test");
    display.context();
    constexpr int kRounds = 40;
    std::binary_semaphore go(0);
    std::binary_semaphore dropped(0);
    std::atomic<GLuint> formerName{0};
    bool reused = true;
    std::thread former([&] {
        Context& context = display.context();
        Programs programs(display);
        Buffer constant(display, 16, nullptr, "test", Buffer::Sharing::ContextOnly);
        for (int round = 0; round < kRounds; ++round) {
            go.acquire();
            {
                Texture target = floatTarget(display, Texture::ShaderResource | Texture::RenderTarget);
                fillWith(context, programs, constant, target, 2.0f);
                formerName = target.name();
            }
            dropped.release();
        }
    });
    int mixed = 0;
    for (int round = 0; round < kRounds; ++round) {
        go.release();
        dropped.acquire();
        Texture uploaded = floatTarget(display, Texture::ShaderResource | Texture::RenderTarget);
        const float one[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        uploaded.clear(one, "test");
        if (uploaded.name() != formerName) reused = false;
        const std::vector<float> values = readBack(uploaded);
        if (std::any_of(values.begin(), values.end(), [](float v) { return v != 1.0f; })) ++mixed;
    }
    former.join();
    EXPECT_TRUE(reused);
    EXPECT_EQ(mixed, 0);
}

}  // namespace
