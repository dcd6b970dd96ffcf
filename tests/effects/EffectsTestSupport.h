#pragma once
// Helpers of the built-in effect tests: pictures kept on the CPU to compare
// GPU read-backs with, and a render context for an object of 100 frames
// that is part of no project.
#include "effect/movement/SectionPosition.h"
#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/BuiltinEffects.h"
#include "effects/BuiltinEffectList.h"
#include "effect/EffectTestSupport.h"
#include "media/GpuFixture.h"
#include "render/audio/AudioEffects.h"
#include "render/output/OutputEffects.h"
#include "render/output/OutputFixture.h"
#include "render/output/OutputShaderEffect.h"
#include "render/context/ObjectContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace EffectsTest {

using MediaTest::Rgba;

// A picture on the CPU, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Picture() = default;
    Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, Rgba{0, 0, 0, 0}) {}
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Rgba at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Outside the picture reads transparent.
    Rgba load(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0, 0};
        return at(x, y);
    }
};

// Premultiplied colours that differ from pixel to pixel in every channel.
inline Picture patterned(int width, int height) {
    Picture picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const float a = static_cast<float>((x * 7 + y * 3) % 11) / 10.0f;
            picture.at(x, y) = {a * static_cast<float>((x * 5 + y) % 9) / 8.0f,
                                a * static_cast<float>((x + y * 5) % 7) / 6.0f,
                                a * static_cast<float>((x * 3 + y * 2) % 5) / 4.0f, a};
        }
    return picture;
}

class EffectGpuTest : public OutputTest::OutputTest {
protected:
    // Items take their movements from the registry's published kinds.
    EffectGpuTest() { EffectTest::Movements::install(); }

    // The picture drawn into a transparent (width, height) frame with the
    // context's view, as an object's output draws it.
    static Picture drawWithView(Render::ObjectContext& context, Media::ResourceBuffer* image, int width,
                                int height) {
        auto target = frame(width, height, [](UINT, UINT) { return Rgba{0, 0, 0, 0}; });
        Effect::OutputView view = context.view;
        view.target = target.get();
        Effect::OutputShaderEffect::ObjectDraw draw;
        draw.world = view.getWorldMatrix();
        draw.view = view.getViewMatrix();
        draw.alpha = view.alpha;
        Effect::OutputShaderEffect output;
        output.drawPrepared(*target, image, draw);
        Picture result(width, height);
        result.pixels = ::OutputTest::OutputTest::read(*target);
        return result;
    }
    // The bounding box of the pixels whose alpha is above the threshold:
    // {left, top, right, bottom}, inclusive; all -1 when there are none.
    static std::array<int, 4> coverage(const Picture& picture, float threshold = 0.5f) {
        std::array<int, 4> box{-1, -1, -1, -1};
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (picture.at(x, y)[3] > threshold) {
                    if (box[0] < 0 || x < box[0]) box[0] = x;
                    if (box[1] < 0 || y < box[1]) box[1] = y;
                    box[2] = std::max(box[2], x);
                    box[3] = std::max(box[3], y);
                }
        return box;
    }
    using GpuTest::read;
    static std::unique_ptr<Media::ResourceBuffer> upload(const Picture& source) {
        return picture(static_cast<UINT>(source.width), static_cast<UINT>(source.height),
                       [&](UINT x, UINT y) { return source.at(static_cast<int>(x), static_cast<int>(y)); });
    }
    static Picture download(Media::ResourceBuffer& buffer) {
        Picture result(static_cast<int>(buffer.getWidth()), static_cast<int>(buffer.getHeight()));
        result.pixels = read(buffer);
        return result;
    }
    // Every pixel within the tolerance; reports the first that is not.
    static void expectPicture(const Picture& actual, const Picture& expected, float tolerance) {
        ASSERT_EQ(actual.width, expected.width);
        ASSERT_EQ(actual.height, expected.height);
        for (int y = 0; y < expected.height; ++y)
            for (int x = 0; x < expected.width; ++x)
                for (int c = 0; c < 4; ++c)
                    if (std::fabs(actual.at(x, y)[c] - expected.at(x, y)[c]) > tolerance) {
                        ADD_FAILURE() << "pixel (" << x << ", " << y << ") channel " << c << ": "
                                      << actual.at(x, y)[c] << " instead of " << expected.at(x, y)[c];
                        return;
                    }
    }
};

// The program's built-in effects and outputs in the registry's table while
// it lives: registries made after it hold them.
struct InstalledEffects {
    InstalledEffects() {
        Render::installOutputEffects();
        Render::installAudioEffects();
        Effect::installBuiltinEffects();
    }
    ~InstalledEffects() {
        for (const Effect::BuiltinEffect& row : Effect::builtinEffects())
            Effect::installBuiltinEffect(row.number, nullptr);
    }
    InstalledEffects(const InstalledEffects&) = delete;
    InstalledEffects& operator=(const InstalledEffects&) = delete;
};

// A context for a lone object of frames 0 to 99 at the given frame.
class LoneObjectContext {
public:
    explicit LoneObjectContext(int frame = 0) {
        frames.start = 0;
        frames.end = 99;
        context.frame = frame;
        context.time = frame;
        context.setObjectFrames(frames);
    }
    Effect::ObjectFrames frames;
    Render::ObjectContext context;
};

}  // namespace EffectsTest
