#pragma once
// ぼかし: a separable box blur, twice per axis (a trapezoid kernel),
// optionally weighting bright pixels. `blur` and `blurOnce` are the blur the
// whole effect set borrows from the registered prototype. Pixel passes cost
// 2r + 1 loads a pixel; compute passes keep a running sum per line and
// cost two, so every radius takes them.
//
// Each pass draws into a new picture and frees the one it read; nothing
// comes back to the CPU. The shaders are made once per class; the pass
// constants are each render thread's own.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "effects/base/BuiltinClass.h"
#include "media/gpu/ContextConstantBuffer.h"
#include "platform/WinTypes.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Media {
class ComputeShader;
class PixelShader;
class ResourceBuffer;
}  // namespace Media
namespace Platform::Gl {
class Buffer;
}  // namespace Platform::Gl

namespace Effect {

class EffectService;

class BokashiFilter : public SharedResourceEffect<BokashiFilter> {
public:
    static constexpr const wchar_t* Name = L"ぼかし";
    using Image = std::unique_ptr<Media::ResourceBuffer>;

    // Edge rules: the picture grows by the radius (outside transparent),
    // keeps its size (outside transparent, so edges fade), or keeps its
    // size repeating the edge pixels. Other values act as Grow.
    enum Mode : int { Grow = 0, Keep = 1, Clamp = 2 };
    // The soft wipes of the transition list blur their masks with the
    // registry's prototype for as long as that lives.
    static void installTransitionBlur(EffectService& service);
    // Compute passes from this sum of the two axes' radii on.
    static constexpr int computeThreshold = 1;
    // Lines of one compute work group.
    static constexpr UINT linesPerGroup = 8;

    // The pass constants, as every pass's b0 holds them.
    struct PassConstant {
        std::int32_t width;
        std::int32_t height;
        std::int32_t range;
        float divide;  // 1 / (2 range + 1)
    };

    class CommonResource {
    public:
        CommonResource();
        ~CommonResource();
        // Index: mode × 2, plus 1 for the vertical pass.
        std::array<std::unique_ptr<Media::PixelShader>, 6> pixelShaders;
        std::array<std::unique_ptr<Media::ComputeShader>, 6> computeShaders;
        // Written and uploaded before every pass.
        Platform::Gl::Buffer& setConstant(const PassConstant& constant) { return constants.set(&constant); }

    private:
        Media::ContextConstantBuffer constants{sizeof(PassConstant)};
    };

    BokashiFilter();

    void filterVideo(Image& result, Render::ObjectContext& context, Image input) override;

    // The input is taken over; radius 0 hands it back untouched. aspect in
    // [-1, 1]: above 0 shortens the vertical radius, below 0 the
    // horizontal one.
    void blur(Image& result, Image input, int radius, float aspect, int mode);
    // The same with the passes' stage chosen by the caller.
    void blur(Image& result, Image input, int radius, float aspect, int mode, bool compute);
    // One vertical and one horizontal growing pass of the same radius.
    void blurOnce(Image& result, Image input, int radius);
    // One pass into a new (width, height) picture; radius 0 hands the input
    // back.
    void boxBlurPass(Image& result, Image input, Media::PixelShader& shader, int width, int height,
                     int radius);
    // groupsX, groupsY: the lines of the pass's axis, and 1 on the other.
    void boxBlurPassCompute(Image& result, Image input, Media::ComputeShader& shader, int width,
                            int height, int radius, UINT groupsX, UINT groupsY);

    EffectItemNumber range;
    EffectItemNumber aspect;
    EffectItemNumber lightStrength;
    EffectItemCheck fixedSize;

    std::shared_ptr<CommonResource> common;

private:
    // One pass of either stage along an axis into (width, height).
    void pass(Image& image, bool compute, int mode, bool vertical, int width, int height, int radius);
};

}  // namespace Effect
