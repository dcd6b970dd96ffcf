#include "effects/blur/BlurFilter.h"

#include "embedded/embedded_RadialBlur_frag.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/context/ObjectContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Effect {

namespace {

// Sides of the grown canvas are capped; the cut falls on the right and
// the bottom only.
constexpr int kMaxSide = 16384;

}  // namespace

BlurFilter::Plan BlurFilter::plan(int width, int height, float strength, float offsetX, float offsetY,
                                  bool keepSize) {
    Plan plan;
    plan.right = width;
    plan.bottom = height;
    if (strength <= 0.0f) {
        plan.copy = true;
        return plan;
    }
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    const float cx = w * 0.5f + offsetX, cy = h * 0.5f + offsetY;
    const float k = 100.0f / (100.0f - strength);
    // A canvas point whose streak ends on the picture's edge lies k times
    // as far from the centre as that edge.
    int left = std::min(0, static_cast<int>(cx - k * cx - 0.5f));
    int top = std::min(0, static_cast<int>(cy - k * cy - 0.5f));
    int right = std::max(width, static_cast<int>(cx - (cx - w) * k + 0.5f));
    int bottom = std::max(height, static_cast<int>(cy - (cy - h) * k + 0.5f));
    const int dx = std::max(std::abs(left), std::abs(right - width));
    const int dy = std::max(std::abs(top), std::abs(bottom - height));
    const int n = std::max(10, static_cast<int>(std::hypot(static_cast<float>(std::min(dx, width)),
                                                           static_cast<float>(std::min(dy, height)))));
    plan.constant.sampleNum = n;
    plan.constant.sampleStep = strength * 0.01f / static_cast<float>(n);
    if (keepSize) {
        left = top = 0;
        right = width;
        bottom = height;
    } else {
        while (right - left > kMaxSide) --right;
        while (bottom - top > kMaxSide) --bottom;
        plan.centerShiftX = static_cast<float>(right + left - width) * 0.5f;
        plan.centerShiftY = static_cast<float>(bottom + top - height) * 0.5f;
    }
    plan.left = left;
    plan.top = top;
    plan.right = right;
    plan.bottom = bottom;
    plan.constant.center[0] = cx;
    plan.constant.center[1] = cy;
    plan.constant.offset[0] = static_cast<float>(left);
    plan.constant.offset[1] = static_cast<float>(top);
    return plan;
}

BlurFilter::CommonResource::CommonResource()
    : shader(std::make_unique<Media::PixelShader>(&Media::Direct3DService::Get())) {
    shader->loadFromMemory(embedded_RadialBlur_frag, sizeof embedded_RadialBlur_frag - 1);
}

BlurFilter::CommonResource::~CommonResource() = default;

BlurFilter::BlurFilter()
    : SharedResourceEffect(Name, EffectKind::Filter, MediaKind::Video, MediaKind::Video, L"ぼかし"),
      range(items, L"範囲", 20, 0, 80, 0.01),
      x(items, L"X", 0, -2000, 2000, 0.1),
      y(items, L"Y", 0, -2000, 2000, 0.1),
      fixedSize(items, L"サイズ固定") {}

void BlurFilter::radialBlur(Image& result, Media::ResourceBuffer& source, float& centerX,
                            float& centerY, float strength, float offsetX, float offsetY, bool keepSize) {
    const Plan p = plan(static_cast<int>(source.getWidth()), static_cast<int>(source.getHeight()), strength,
                        offsetX, offsetY, keepSize);
    if (p.copy) {
        result = source.clone();
        return;
    }
    centerX -= p.centerShiftX;
    centerY -= p.centerShiftY;
    Platform::Gl::Buffer& constants = common->constants.set(&p.constant);
    auto output = std::make_unique<Media::ResourceBuffer>(static_cast<UINT>(p.right - p.left),
                                                          static_cast<UINT>(p.bottom - p.top));
    common->shader->draw(*output, source, &constants, nullptr);
    result = std::move(output);
}

void BlurFilter::filterVideo(Image& result, Render::ObjectContext& context, Image input) {
    if (!input) return;
    radialBlur(result, *input, context.view.centerX, context.view.centerY,
               static_cast<float>(range.getValue(context)), static_cast<float>(x.getValue(context)),
               static_cast<float>(y.getValue(context)), fixedSize.value);
}

}  // namespace Effect
