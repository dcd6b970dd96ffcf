#include "effects/control/SceneChange.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "edit/model/Object.h"
#include "edit/scope/EditScope.h"
#include "effect/base/EffectEvent.h"
#include "effect/base/OutputView.h"
#include "effect/registry/EffectService.h"
#include "effects/blur/BlurFilter.h"
#include "effects/blur/BokashiFilter.h"
#include "embedded/embedded_SceneChangeDual_frag.h"
#include "embedded/embedded_SceneChangeOffset_frag.h"
#include "embedded/embedded_SceneChangeRandom_frag.h"
#include "embedded/embedded_SceneChangeSlice_frag.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/ResourceService.h"
#include "platform/gl/GlTexture.h"
#include "render/cache/SceneSource.h"
#include "render/context/ObjectContext.h"
#include "render/service/RenderVideoWorker.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace Effect {

namespace {

using Image = std::unique_ptr<Media::ResourceBuffer>;
using Params = SceneChange::Params;
using Define = SceneChange::SceneChangeDefine;

// Blend-list entries the transitions draw with.
constexpr int kOpaque = 4;
constexpr int kDualMask = 5;          // source × (1 - m) + frame × m
constexpr int kDualMaskInverse = 6;   // source × m + frame × (1 - m)
constexpr int kMixByFactor = 21;      // source × (1 - f) + frame × f

constexpr float kBlack[4] = {0, 0, 0, 1};
constexpr float kWhite[4] = {1, 1, 1, 1};
constexpr float kTransparent[4] = {0, 0, 0, 0};

Resource::ResourceService& resources() { return Resource::ResourceService::Get(); }
const Platform::Gl::BlendState* blendState(int entry) { return resources().blendStateList.get(entry); }

std::unique_ptr<Media::PixelShader> loadShader(const char* code) {
    auto shader = std::make_unique<Media::PixelShader>(&Media::Direct3DService::Get());
    shader->loadFromMemory(code, std::strlen(code));
    return shader;
}

// Halves away from zero, as the items' own rounding.
int roundHalfAway(double value) { return static_cast<int>(std::lround(value)); }

float effective(const Params& params) { return params.invert ? 1.0f - params.progress : params.progress; }

void clearFrame(Media::RenderBuffer& frame, const float rgba[4]) {
    frame.getTexture()->clear(rgba, "Effect::SceneChange::controlVideo");
}

// The frame's own picture replaced by the source.
void copyInto(Media::RenderBuffer& frame, Media::ResourceBuffer& source) {
    resources().shaderList.general(Resource::ShaderList::Copy).draw(frame, source);
}

void mixByFactor(Params& params, Media::ResourceBuffer& source, float factor) {
    const float blendFactor[4] = {factor, factor, factor, factor};
    resources().shaderList.general(Resource::ShaderList::Copy).draw(*params.frame, source, blendFactor,
                                                                     blendState(kMixByFactor));
}

// A pass of one of the transitions' own shaders with the shared 16-byte
// block as its constants.
template <class Block>
void pass(Media::PixelShader& shader, Media::RenderBuffer& frame, Media::ResourceBuffer& source,
          const Block& block) {
    Resource::ShaderList& list = resources().shaderList;
    list.setConstant(block);
    shader.draw(frame, source, list.getConstantBuffer(), blendState(kOpaque));
}

struct OffsetBlock {
    std::int32_t offset[2];
    std::int32_t unused[2];
};
struct SliceBlock {
    std::uint32_t offsetX, offsetY, divide, unused;
};
struct RandomBlock {
    float ratio;
    std::uint32_t divideX, divideY, unused;
};

void offsetPass(Params& params, Media::ResourceBuffer& source, int dx, int dy) {
    pass(*params.common->offset, *params.frame, source, OffsetBlock{{dx, dy}, {0, 0}});
}

// Bands for the slice and random-line transitions: at most half the frame
// height, at least one.
int bandsOf(const Params& params) {
    const int half = params.frame->getHeight() / 2;
    return params.divisions > half ? half : std::max(params.divisions, 1);
}

void crossFade(Params& params, const Define&) { mixByFactor(params, *params.before, params.progress); }

void fadeThrough(Params& params, const float colour[4]) {
    const float x = 2.0f * params.progress;
    if (x < 1.0f) {
        clearFrame(*params.frame, colour);
        mixByFactor(params, *params.before, x);
    } else {
        params.before->clear(colour);
        mixByFactor(params, *params.before, x - 1.0f);
    }
}

void slice(Params& params, const Define&) {
    const auto o = static_cast<std::uint32_t>(std::trunc(static_cast<float>(params.frame->getWidth()) *
                                                         effective(params)));
    const SliceBlock block{params.vertical ? 0u : o, params.vertical ? o : 0u,
                           static_cast<std::uint32_t>(bandsOf(params)), 0u};
    if (params.invert) {
        Image current = params.frame->createResourceBuffer(true);
        copyInto(*params.frame, *params.before);
        pass(*params.common->slice, *params.frame, *current, block);
    } else {
        pass(*params.common->slice, *params.frame, *params.before, block);
    }
}

void randomLines(Params& params, const Define&) {
    const auto d = static_cast<std::uint32_t>(bandsOf(params));
    const RandomBlock block{params.progress, params.vertical ? d : 0u, params.vertical ? 0u : d, 0u};
    std::shared_ptr<Media::ResourceBuffer> thresholds = resources().randomThreshold.get();
    Resource::ShaderList& list = resources().shaderList;
    list.setConstant(block);
    Media::Direct3DService& service = Media::Direct3DService::Get();
    service.setRenderTarget(*params.frame);
    Platform::Gl::Texture* sources[2] = {&params.before->getShaderResourceView(),
                                         &thresholds->getShaderResourceView()};
    params.common->random->drawPass(sources, 2, list.getConstantBuffer(), blendState(kOpaque), nullptr);
}

void slide(Params& params, const Define&) {
    const float w = static_cast<float>(params.frame->getWidth());
    const float h = static_cast<float>(params.frame->getHeight());
    const float theta = static_cast<float>(params.angle) * 0.017453292f;
    const float c = std::cos(theta);
    const float s = std::sin(theta);
    float ox, oy;
    if (std::fabs(h * c) > std::fabs(w * s)) {
        ox = c <= 0.0f ? -w : w;
        oy = w * s / std::fabs(c);
    } else {
        ox = h * c / std::fabs(s);
        oy = s <= 0.0f ? -h : h;
    }
    const float p = effective(params);
    const int dx = roundHalfAway(ox * p);
    const int dy = roundHalfAway(oy * p);
    if (params.invert) {
        Image current = params.frame->createResourceBuffer(true);
        copyInto(*params.frame, *params.before);
        offsetPass(params, *current, dx, dy);
    } else {
        offsetPass(params, *params.before, dx, dy);
    }
}

void push(Params& params, const Define&) {
    float ox = static_cast<float>(params.frame->getWidth());
    float oy = 0.0f;
    if (params.vertical) {
        ox = 0.0f;
        oy = -static_cast<float>(params.frame->getHeight());
    }
    if (params.invert) {
        ox = -ox;
        oy = -oy;
    }
    const float p = params.progress;
    Image current = params.frame->createResourceBuffer(true);
    clearFrame(*params.frame, kTransparent);
    offsetPass(params, *params.before, roundHalfAway(ox * p), roundHalfAway(oy * p));
    offsetPass(params, *current, roundHalfAway(ox * (p - 1.0f)), roundHalfAway(oy * (p - 1.0f)));
}

void drawView(Params& params, const OutputView& view, Media::ResourceBuffer& image, bool composite) {
    params.effect->drawing.drawTransition(view, *params.frame, image, composite);
}

void swap(Params& params, const Define&) {
    const float p = params.progress;
    const float theta = p * 180.0f * 0.017453292f;
    const float s = std::sin(theta);
    const float c = std::cos(theta);
    const float k = params.invert ? s : -s;
    const float w = static_cast<float>(params.frame->getWidth());
    const float h = static_cast<float>(params.frame->getHeight());
    OutputView before, after;
    if (params.vertical) {
        before.y = -k * 0.33f * h;
        after.y = k * 0.33f * h;
    } else {
        before.x = k * 0.33f * w;
        after.x = -k * 0.33f * w;
    }
    before.z = (1.0f - c) * 512.0f;
    after.z = (c + 1.0f) * 512.0f;
    Image current = params.frame->createResourceBuffer(true);
    clearFrame(*params.frame, kTransparent);
    if (p < 0.5f) {
        drawView(params, after, *current, false);
        drawView(params, before, *params.before, false);
    } else {
        drawView(params, before, *params.before, false);
        drawView(params, after, *current, false);
    }
}

void shrinkTurn(Params& params, const Define&) {
    const float p = effective(params);
    const float q = p * p;
    OutputView view;
    view.z = q * 8192.0f;
    view.rotationZ = p * 360.0f;
    view.alpha = 1.0f - q;
    if (params.invert) {
        Image current = params.frame->createResourceBuffer(true);
        copyInto(*params.frame, *params.before);
        drawView(params, view, *current, true);
    } else {
        drawView(params, view, *params.before, true);
    }
}

void turn(Params& params, const Define&) {
    const float p = params.progress;
    const float a = params.invert ? -180.0f * p : 180.0f * p;
    Image current = params.frame->createResourceBuffer(true);
    clearFrame(*params.frame, kTransparent);
    OutputView view;
    float& axis = params.vertical ? view.rotationX : view.rotationY;
    if (p < 0.5f) {
        axis = a;
        drawView(params, view, *params.before, true);
    } else {
        axis = a + 180.0f;
        drawView(params, view, *current, true);
    }
}

void cubeTurn(Params& params, const Define&) {
    const float p = params.progress;
    const float size = static_cast<float>(params.vertical ? params.frame->getHeight() : params.frame->getWidth());
    const float u = params.invert ? -90.0f : 90.0f;
    Image current = params.frame->createResourceBuffer(true);
    clearFrame(*params.frame, kTransparent);
    OutputView before, after;
    for (OutputView* view : {&before, &after}) {
        view->z = size / 2.0f;
        view->centerZ = size / 2.0f;
    }
    (params.vertical ? before.rotationX : before.rotationY) = p * u;
    (params.vertical ? after.rotationX : after.rotationY) = (p - 1.0f) * u;
    if (p < 0.5f) {
        drawView(params, after, *current, true);
        drawView(params, before, *params.before, true);
    } else {
        drawView(params, before, *params.before, true);
        drawView(params, after, *current, true);
    }
}

// Strongest at the middle, where the source switches to the new picture.
float middleWeight(float p) { return 1.0f - std::fabs(2.0f * p - 1.0f); }

// Both blurs borrow the registered filter; without it the lookup fails as
// the registry's own does.
template <class Filter>
Filter& registeredFilter(Params& params, const char* typeName) {
    EffectService* service = params.context && params.context->object ? params.context->object->effectService
                                                                       : System::Singleton<EffectService>::getInstance();
    if (!service)
        throw System::makeException("Effect::EffectService::getDefaultEffect", "default effect not found", typeName);
    return *service->getDefaultEffect<Filter>();
}

void radialBlur(Params& params, const Define&) {
    const float p = params.progress;
    BlurFilter& filter = registeredFilter<BlurFilter>(params, "Effect::BlurFilter");
    std::unique_ptr<Media::ResourceBuffer> copy;
    if (p >= 0.5f) copy = params.frame->createResourceBuffer(true);
    Media::ResourceBuffer& source = p < 0.5f ? *params.before : *copy;
    float centerX = 0.0f, centerY = 0.0f;  // the result is placed here, not by the view
    Image result;
    filter.radialBlur(result, source, centerX, centerY, middleWeight(p) * 80.0f, 0.0f, 0.0f, true);
    if (result) copyInto(*params.frame, *result);
}

void blurThrough(Params& params, const Define&) {
    const float p = params.progress;
    const int radius = roundHalfAway(middleWeight(p) * 400.0f);
    Image source = p < 0.5f ? params.before->clone() : params.frame->createResourceBuffer(true);
    BokashiFilter& filter = registeredFilter<BokashiFilter>(params, "Effect::BokashiFilter");
    Image result;
    filter.blur(result, std::move(source), radius, 0.0f, BokashiFilter::Clamp);
    if (result) copyInto(*params.frame, *result);
}

EffectItemSelect::SharedList& typeList() {
    static EffectItemSelect::SharedList list;
    return list;
}

}  // namespace

const std::array<SceneChange::SceneChangeDefine, SceneChange::builtinCount>& SceneChange::defines() {
    static const std::array<SceneChangeDefine, builtinCount> table = {{
        {L"クロスフェード", crossFade, 0},
        {L"暗転", [](Params& params, const Define&) { fadeThrough(params, kBlack); }, 0},
        {L"ホワイトアウト", [](Params& params, const Define&) { fadeThrough(params, kWhite); }, 0},
        {L"スライス", slice, ShowInvert | ShowDivisions | ShowVertical},
        {L"ランダムライン", randomLines, ShowDivisions | ShowVertical},
        {L"スライド", slide, ShowInvert | ShowAngle},
        {L"押し出し", push, ShowInvert | ShowVertical},
        {L"スワップ", swap, ShowInvert | ShowVertical},
        {L"縮小回転", shrinkTurn, ShowInvert},
        {L"回転", turn, ShowInvert | ShowVertical},
        {L"キューブ回転", cubeTurn, ShowInvert | ShowVertical},
        {L"放射ブラー", radialBlur, 0},
        {L"ぼかし", blurThrough, 0},
    }};
    return table;
}

SceneChange::CommonResource::CommonResource()
    : slice(loadShader(embedded_SceneChangeSlice_frag)),
      offset(loadShader(embedded_SceneChangeOffset_frag)),
      random(loadShader(embedded_SceneChangeRandom_frag)),
      dualOutput(loadShader(embedded_SceneChangeDual_frag)) {}

SceneChange::CommonResource::~CommonResource() = default;

SceneChange::SceneChange()
    : SharedResourceEffect(Name, EffectKind::Control, MediaKind::Video, MediaKind::Video, L"シーンチェンジ"),
      type(items, L"種類", 0, typeList()),
      angle(items, L"角度", 0, 0, 360, 1),
      divisions(items, L"分割数", 5, 2, 1000, 1),
      blur(items, L"ぼかし", 2, 0, 100, 1),
      vertical(items, L"縦方向"),
      invert(items, L"反転"),
      keepAspect(items, L"縦横比固定", true) {
    // The choices are made once, by the first scene change; wipes added to
    // the transition list later are not offered.
    static std::once_flag listed;
    std::call_once(listed, [this] {
        EffectItemSelect::SharedList& list = typeList();
        for (int value = 0; value < builtinCount; ++value) list.setItem(value, defines()[value].name);
        if (transitionList)
            for (std::size_t i = 0; i < transitionList->size(); ++i)
                list.addItem(builtinCount + static_cast<int>(i), transitionList->items()[i].name);
        list.rebuildIndex();
    });
    type.notifyChange = true;
    targetType = MediaKind::Scene;
    updateItemVisible();
}

float SceneChange::progressAt(int frame, int start, int end) {
    const float p = static_cast<float>(frame - start + 1) / static_cast<float>(end - start + 1);
    return std::clamp(p, 0.0f, 1.0f);
}

void SceneChange::preloadVideo(Render::ObjectContext& context) {
    Cache::SceneSource* source = Cache::getSceneSource();
    if (!source || !context.scene || !context.object) return;
    const int before = context.object->start - 1;
    context.preInput =
        source->createRenderingBuffer(*context.scene, before, context.frame - before, context.object->layer - 1);
}

void SceneChange::controlVideo(Render::ObjectContext& context) {
    if (!context.preInput) {
        System::Log::warn("Effect::SceneChange::controlVideo", "no before frame buffer");
        return;
    }
    auto* rendered = dynamic_cast<Render::RenderVideoWorker::RenderingBuffer*>(context.preInput.get());
    if (!rendered) {
        System::Log::warn("Effect::SceneChange::controlVideo", "invalid before frame buffer");
        return;
    }
    Media::RenderBuffer* frame = context.view.target;
    if (!frame || !frame->getTexture() || !rendered->buffer.getTexture()) return;
    Image before = rendered->buffer.createResourceBuffer(true);

    const Effect::ObjectFrames& frames = context.getObjectFrames();
    Params params;
    params.effect = this;
    params.common = common.get();
    params.before = before.get();
    params.frame = frame;
    params.context = &context;
    params.progress = progressAt(context.frame, frames.start, frames.end);
    params.angle = roundHalfAway(angle.getValue(context));
    params.divisions = roundHalfAway(divisions.getValue(context));
    params.blur = roundHalfAway(blur.getValue(context));
    params.vertical = vertical.value;
    params.invert = invert.value;
    params.keepAspect = keepAspect.value;
    if (type.value >= 0 && type.value < builtinCount) {
        const SceneChangeDefine& define = defines()[static_cast<std::size_t>(type.value)];
        if (!define.draw) {
            System::Log::warn("Effect::SceneChange::controlVideo", "no scene change func");
            return;
        }
        define.draw(params, define);
        return;
    }
    wipe(params, type.value - builtinCount);
}

void SceneChange::wipe(Params& params, int index) {
    const Resource::TransitionItem* item = transitionList ? transitionList->find(index) : nullptr;
    const float p = params.invert ? 1.0f - params.progress : params.progress;
    Image mask = item ? item->createMask(static_cast<UINT>(params.frame->getWidth()),
                                         static_cast<UINT>(params.frame->getHeight()), p, params.blur,
                                         params.keepAspect)
                      : nullptr;
    if (!mask) {
        System::Log::warn("Effect::SceneChange::wipe", "no scene change mask");
        return;
    }
    params.common->dualOutput->draw(*params.frame, *params.before, *mask,
                                    blendState(params.invert ? kDualMaskInverse : kDualMask));
}

bool SceneChange::effectEvent(EffectEvent& event) {
    if (event.code != EffectEvent::ItemChanged) return false;
    if (event.scope) {
        event.scope->refreshSetting = true;
        event.scope->refreshTimeSetting = true;
        event.scope->refreshColorSetting = true;
        event.scope->refreshTextSetting = true;
    }
    return true;
}

void SceneChange::updateItemVisible() {
    const int flags = type.value >= 0 && type.value < builtinCount
                          ? defines()[static_cast<std::size_t>(type.value)].flags
                          : wipeFlags;
    angle.visible = (flags & ShowAngle) != 0;
    divisions.visible = (flags & ShowDivisions) != 0;
    blur.visible = (flags & ShowBlur) != 0;
    vertical.visible = (flags & ShowVertical) != 0;
    invert.visible = (flags & ShowInvert) != 0;
    keepAspect.visible = (flags & ShowKeepAspect) != 0;
}

}  // namespace Effect
