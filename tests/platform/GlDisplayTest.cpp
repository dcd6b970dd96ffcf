// The headless GL layer: a display without any window system, one context
// per thread in one share group, D3D-like clip control, queued releases.
#include "platform/gl/GlDisplay.h"

#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlOrderedAccess.h"
#include "platform/gl/GlTexture.h"

#include <gtest/gtest.h>

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

// Overlapping primitives of one draw read, modify and write each pixel in
// submission order on llvmpipe (one thread per tile), so the layer reports
// ordered access there; elsewhere interlock decides.
TEST_F(GlDisplayTest, OrderedAccessIsProvenOnTheRunningRenderer) {
    Display display("test");
    const Platform::Gl::Capabilities& capabilities = display.capabilities();
    if (capabilities.renderer.find("llvmpipe") != std::string::npos) {
        EXPECT_TRUE(capabilities.orderedAccess);
        EXPECT_TRUE(Platform::Gl::primitiveOrderHolds(display));
    }
    if (capabilities.fragmentShaderInterlock) {
        EXPECT_TRUE(capabilities.orderedAccess);
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
