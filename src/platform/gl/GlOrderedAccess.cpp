#include "platform/gl/GlOrderedAccess.h"

#include "embedded/embedded_OrderedAccessProbe_frag.h"
#include "embedded/embedded_OrderedAccessProbe_vert.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlProbe.h"

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>

namespace Platform::Gl {

namespace OrderedAccessProbe {

namespace {

constexpr const char* kPlace = "Platform::Gl::OrderedAccessProbe::draw";
constexpr int kRectangles = 320;
std::atomic<bool> g_forceFailure{false};

}  // namespace

const std::vector<Rectangle>& rectangles() {
    static const std::vector<Rectangle> list = [] {
        // A fixed linear congruential sequence: the same probe everywhere.
        std::uint32_t state = 12345;
        auto next = [&state](int range) {
            state = state * 1664525u + 1013904223u;
            return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(range));
        };
        std::vector<Rectangle> result;
        for (int i = 0; i < kRectangles; ++i) {
            // Most cross tile borders; all overlap many others.
            const int width = 40 + next(120), height = 40 + next(120);
            const int left = next(kSize - width + 1), top = next(kSize - height + 1);
            result.push_back({left, top, left + width, top + height,
                              static_cast<float>(next(1001)) / 1000.0f,
                              0.25f + static_cast<float>(next(501)) / 1000.0f});
        }
        return result;
    }();
    return list;
}

std::vector<float> draw(Display& display) {
    Context& context = display.context();
    const std::string size = "#define PROBE_SIZE " + std::to_string(kSize) + "\n";
    ProbeDraw probe(display, (size + embedded_OrderedAccessProbe_vert).c_str(),
                    embedded_OrderedAccessProbe_frag, DXGI_FORMAT_R32_FLOAT,
                    Texture::ShaderResource | Texture::UnorderedAccess, kPlace, kSize);

    std::vector<float> boxes;
    for (const Rectangle& r : rectangles()) {
        const float box[8] = {static_cast<float>(r.left), static_cast<float>(r.top),
                              static_cast<float>(r.right), static_cast<float>(r.bottom),
                              r.value, r.alpha, 0, 0};
        boxes.insert(boxes.end(), box, box + 8);
    }
    GLuint buffer = 0;
    glCreateBuffers(1, &buffer);
    glNamedBufferStorage(buffer, static_cast<GLsizeiptr>(boxes.size() * sizeof(float)),
                         boxes.data(), 0);
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, buffer);

    // A draw without colour targets: the framebuffer gives the size.
    setRenderTargets(context, {});
    glNamedFramebufferParameteri(context.framebuffer(), GL_FRAMEBUFFER_DEFAULT_WIDTH, kSize);
    glNamedFramebufferParameteri(context.framebuffer(), GL_FRAMEBUFFER_DEFAULT_HEIGHT, kSize);
    setViewport(context, kSize, kSize, false);
    bindImage(context, 1, &probe.target, ImageStage::Pixel);
    probe.draw(context, static_cast<GLsizei>(rectangles().size() * 6));
    glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, 0);
    glDeleteBuffers(1, &buffer);

    std::vector<float> values(static_cast<std::size_t>(kSize) * kSize);
    probe.target.read(values.data(), kSize * sizeof(float), kPlace);
    return values;
}

int rasterizerThreads(const Capabilities& capabilities) {
    if (capabilities.renderer.find("llvmpipe") == std::string::npos) return 0;
    if (const char* setting = std::getenv("LP_NUM_THREADS")) return std::atoi(setting);
    return static_cast<int>(std::thread::hardware_concurrency());
}

void forceFailure(bool force) { g_forceFailure = force; }

}  // namespace OrderedAccessProbe

bool orderedAccessSupported(Display& display, const Capabilities& capabilities) {
    using namespace OrderedAccessProbe;
    if (capabilities.fragmentShaderInterlock) return true;
    if (rasterizerThreads(capabilities) < 2 || g_forceFailure) return false;
    // The same blending on the CPU, rectangle after rectangle.
    std::vector<float> expected(static_cast<std::size_t>(kSize) * kSize, 0.0f);
    for (const Rectangle& r : rectangles())
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                float& pixel = expected[static_cast<std::size_t>(y) * kSize + x];
                pixel = r.value * r.alpha + pixel * (1.0f - r.alpha);
            }
    const std::vector<float> drawn = draw(display);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        if (!(std::fabs(drawn[i] - expected[i]) <= 1e-4f)) return false;
    return true;
}

}  // namespace Platform::Gl
