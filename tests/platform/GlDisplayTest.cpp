// The headless GL layer: a display without any window system, one context
// per thread in one share group, D3D-like clip control, queued releases.
#include "platform/gl/GlDisplay.h"

#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlFormat.h"
#include "platform/gl/GlOrderedAccess.h"
#include "platform/gl/GlTexture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Platform::Gl::Display;

GLuint compile(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    EXPECT_TRUE(ok);
    return shader;
}

// A triangle covering the upper half of clip space (y > 0) in one colour.
GLuint upperHalfProgram() {
    const GLuint vs = compile(GL_VERTEX_SHADER, R"(#version 450 core
        const vec2 corners[3] = vec2[](vec2(-4.0, 0.0), vec2(4.0, 0.0), vec2(0.0, 4.0));
        void main() { gl_Position = vec4(corners[gl_VertexID], 0.0, 1.0); })");
    const GLuint fs = compile(GL_FRAGMENT_SHADER, R"(#version 450 core
        layout(location = 0) out vec4 colour;
        void main() { colour = vec4(1.0, 0.0, 0.0, 1.0); })");
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    return program;
}

std::vector<unsigned char> readRgba8(GLuint texture, int width, int height) {
    std::vector<unsigned char> pixels(width * height * 4);
    glGetTextureImage(texture, 0, GL_RGBA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(pixels.size()),
                      pixels.data());
    return pixels;
}

class GlDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Nothing may depend on a window system.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
};

TEST_F(GlDisplayTest, OpensCoreContextWithUpperLeftClipControl) {
    Display display("test");
    Platform::Gl::Context& context = display.context();
    EXPECT_EQ(&context, display.currentContext());

    GLint major = 0, minor = 0, profile = 0, origin = 0, depth = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    glGetIntegerv(GL_CLIP_ORIGIN, &origin);
    glGetIntegerv(GL_CLIP_DEPTH_MODE, &depth);
    EXPECT_GE(major * 10 + minor, 45);
    EXPECT_TRUE(profile & GL_CONTEXT_CORE_PROFILE_BIT);
    EXPECT_EQ(origin, GL_UPPER_LEFT);
    EXPECT_EQ(depth, GL_ZERO_TO_ONE);
    EXPECT_GE(display.capabilities().maxTextureSize, 16384);
    EXPECT_FALSE(display.capabilities().renderer.empty());
}

TEST_F(GlDisplayTest, DrawsWithoutDisplayAndRowZeroIsTheTop) {
    Display display("test");
    Platform::Gl::Context& context = display.context();

    constexpr int kSize = 8;
    GLuint texture = 0;
    glCreateTextures(GL_TEXTURE_2D, 1, &texture);
    glTextureStorage2D(texture, 1, GL_RGBA8, kSize, kSize);
    const GLuint framebuffer = context.framebuffer();
    glNamedFramebufferTexture(framebuffer, GL_COLOR_ATTACHMENT0, texture, 0);
    ASSERT_EQ(glCheckNamedFramebufferStatus(framebuffer, GL_FRAMEBUFFER),
              static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glNamedFramebufferDrawBuffer(framebuffer, GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, kSize, kSize);
    const float transparent[4] = {0, 0, 0, 0};
    glClearNamedFramebufferfv(framebuffer, GL_COLOR, 0, transparent);

    const GLuint program = upperHalfProgram();
    glUseProgram(program);
    glBindVertexArray(context.vertexArray());
    glDrawArrays(GL_TRIANGLES, 0, 3);
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Clip-space y > 0 is the upper half: rows 0..3 in memory.
    const std::vector<unsigned char> pixels = readRgba8(texture, kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            const unsigned char* p = &pixels[(y * kSize + x) * 4];
            const bool covered = y < kSize / 2;
            EXPECT_EQ(p[0], covered ? 255 : 0);
            EXPECT_EQ(p[3], covered ? 255 : 0);
        }
    }
    glDeleteProgram(program);
    glDeleteTextures(1, &texture);
}

TEST_F(GlDisplayTest, EachThreadHasItsOwnContextInOneShareGroup) {
    Display display("test");
    display.context();

    // A texture made here is visible to another thread's context.
    const unsigned char green[4] = {0, 255, 0, 255};
    GLuint texture = 0;
    glCreateTextures(GL_TEXTURE_2D, 1, &texture);
    glTextureStorage2D(texture, 1, GL_RGBA8, 1, 1);
    glTextureSubImage2D(texture, 0, 0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, green);
    glFinish();

    EGLContext mainContext = eglGetCurrentContext();
    EGLContext otherContext = EGL_NO_CONTEXT;
    std::vector<unsigned char> seen;
    std::size_t countInThread = 0;
    std::thread([&] {
        display.context();
        otherContext = eglGetCurrentContext();
        seen = readRgba8(texture, 1, 1);
        countInThread = display.contextCount();
    }).join();

    EXPECT_NE(otherContext, EGL_NO_CONTEXT);
    EXPECT_NE(otherContext, mainContext);
    EXPECT_EQ(countInThread, 2u);
    EXPECT_EQ(seen, std::vector<unsigned char>(green, green + 4));
    // The thread's context went with the thread; ours is still current.
    EXPECT_EQ(display.contextCount(), 1u);
    EXPECT_EQ(eglGetCurrentContext(), mainContext);
    glDeleteTextures(1, &texture);
}

TEST_F(GlDisplayTest, ReleaseFromAThreadWithoutContextIsQueued) {
    Display display("test");
    display.context();
    GLuint texture = 0;
    glCreateTextures(GL_TEXTURE_2D, 1, &texture);
    glTextureStorage2D(texture, 1, GL_RGBA8, 1, 1);
    glFinish();

    std::thread([&] { display.release(Display::Kind::Texture, texture); }).join();
    // Nothing was deleted on that thread, and no context was made for it.
    EXPECT_EQ(display.contextCount(), 1u);
    EXPECT_TRUE(glIsTexture(texture));
    display.context();
    EXPECT_FALSE(glIsTexture(texture));
}

TEST_F(GlDisplayTest, CanBeOpenedAgainAfterClosing) {
    for (int i = 0; i < 2; ++i) {
        Display display("test");
        GLuint texture = 0;
        glCreateTextures(GL_TEXTURE_2D, 1, &texture);
        EXPECT_NE(texture, 0u);
        display.release(Display::Kind::Texture, texture);
    }
    EXPECT_EQ(eglGetCurrentContext(), EGL_NO_CONTEXT);
}

// The probe draws hundreds of overlapping translucent rectangles across
// many tiles in one draw; on a renderer that keeps primitive order per
// pixel the result equals blending them one after another on the CPU.
// Ordered access is reported where interlock exists, or where that probe
// ran with several rasterizer threads and matched.
TEST_F(GlDisplayTest, OrderedAccessIsReportedOnlyWhereTheProbeMatchesTheCpuBlend) {
    namespace Probe = Platform::Gl::OrderedAccessProbe;
    Display display("test");
    const Platform::Gl::Capabilities& capabilities = display.capabilities();

    const auto& rectangles = Probe::rectangles();
    ASSERT_GE(rectangles.size(), 200u);
    std::vector<float> expected(Probe::kSize * Probe::kSize, 0.0f);
    std::vector<int> depth(expected.size(), 0);
    int tileCrossings = 0;
    for (const auto& r : rectangles) {
        tileCrossings += r.left / 64 != (r.right - 1) / 64 || r.top / 64 != (r.bottom - 1) / 64;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * Probe::kSize + x;
                expected[i] = r.value * r.alpha + expected[i] * (1.0f - r.alpha);
                ++depth[i];
            }
    }
    // The probe is one that can fail: many tiles, deep overlaps.
    EXPECT_GT(tileCrossings, static_cast<int>(rectangles.size()) / 2);
    EXPECT_GT(*std::max_element(depth.begin(), depth.end()), 30);

    const std::vector<float> drawn = Probe::draw(display);
    int mismatches = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i) mismatches += std::fabs(drawn[i] - expected[i]) > 1e-4f;
    const bool llvmpipe = capabilities.renderer.find("llvmpipe") != std::string::npos;
    if (llvmpipe) {
        EXPECT_EQ(mismatches, 0);
    }
    const bool proven = Probe::rasterizerThreads(capabilities) > 1 && mismatches == 0;
    EXPECT_EQ(capabilities.orderedAccess, capabilities.fragmentShaderInterlock || proven);

    // With the probe failing, only interlock gives ordered access.
    Probe::forceFailure(true);
    bool forced = true;
    std::thread([&] { forced = Display("test").capabilities().orderedAccess; }).join();
    Probe::forceFailure(false);
    EXPECT_EQ(forced, capabilities.fragmentShaderInterlock);
}

// A target the driver cannot render into is refused when it is first made
// a target, with the caller's call text and the framebuffer status, not
// drawn into silently. Shared-exponent RGB is never colour-renderable.
TEST_F(GlDisplayTest, AnUnrenderableTargetIsRefusedWithTheFramebufferStatus) {
    using namespace Platform::Gl;
    Display display("test");
    display.context();
    const Format sharedExponent = {9999, "test", GL_RGB9_E5, GL_RGB, GL_FLOAT, 12, nullptr,
                                   Format::Reads::Rgba};
    Texture texture(display, sharedExponent, 4, 4, Texture::ShaderResource | Texture::RenderTarget,
                    nullptr, 0, "test");
    std::string text;
    try {
        texture.checkRenderTarget("Direct3D.device->CreateRenderTargetView", "Test::place");
    } catch (const std::exception& e) {
        text = e.what();
    }
    EXPECT_NE(text.find("Direct3D.device->CreateRenderTargetView"), std::string::npos) << text;
    EXPECT_NE(text.find("GL_FRAMEBUFFER_"), std::string::npos) << text;

    // A renderable one passes, and its answer is kept.
    Texture rgba(display, *findFormat(DXGI_FORMAT_R8G8B8A8_UNORM), 4, 4,
                 Texture::ShaderResource | Texture::RenderTarget, nullptr, 0, "test");
    EXPECT_NO_THROW(rgba.checkRenderTarget("call", "place"));
    // The start-up answers are the driver's own.
    for (const Format& format : allFormats()) {
        GLint renderable = GL_NONE;
        glGetInternalformativ(GL_TEXTURE_2D, format.internalFormat, GL_FRAMEBUFFER_RENDERABLE, 1,
                              &renderable);
        EXPECT_EQ(display.capabilities().renderable.at(format.code), renderable != GL_NONE) << format.name;
    }
}

// A rectangle with edges through pixel centres (window 1.5 to 5.5) covers
// columns and rows 1 to 4, as D3D's top-left rule does.
TEST_F(GlDisplayTest, EdgesThroughPixelCentresFollowTheTopLeftRule) {
    using namespace Platform::Gl;
    Display display("test");
    Context& context = display.context();
    Program vertex(display, Stage::Vertex, R"(
        void main() {
            vec2 c[6] = vec2[](vec2(-0.625, 0.625), vec2(0.375, 0.625), vec2(-0.625, -0.375),
                               vec2(0.375, 0.625), vec2(0.375, -0.375), vec2(-0.625, -0.375));
            gl_Position = vec4(c[gl_VertexID], 0.0, 1.0);
        })",
                   "glCreateShaderProgramv", "test");
    Program pixel(display, Stage::Pixel,
                  "layout(location = 0) out vec4 r;\nvoid main() { r = vec4(1.0); }",
                  "glCreateShaderProgramv", "test");
    Texture target(display, *findFormat(DXGI_FORMAT_R8G8B8A8_UNORM), 8, 8,
                   Texture::ShaderResource | Texture::RenderTarget, nullptr, 0, "test");
    const float zero[4] = {0, 0, 0, 0};
    target.clear(zero, "test");
    Texture* targets[] = {&target};
    setRenderTargets(context, targets);
    setViewport(context, 8, 8, true);
    useProgram(context, vertex);
    useProgram(context, pixel);
    draw(context, GL_TRIANGLES, 0, 6);
    setRenderTargets(context, {});

    std::vector<std::uint32_t> pixels(64);
    target.read(pixels.data(), 32, "test");
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pixels[y * 8 + x] != 0, x >= 1 && x <= 4 && y >= 1 && y <= 4)
                << "pixel " << x << "," << y;
}

}  // namespace
