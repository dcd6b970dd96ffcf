#pragma once
// Helpers of the render tests: a registry of small effect kinds that write
// what they are called with into a log, scenes built from them, and a
// control record for groups.
#include "edit/model/Scene.h"
#include "effect/base/ControlState.h"
#include "effect/base/EffectBase.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/registry/EffectService.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/context/ObjectContext.h"

#include "effect/RegistryTestSupport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace RenderTest {

// Calls of the recording kinds, in order: "<effect>:<call>@<layer>".
inline std::vector<std::string>& calls() {
    static std::vector<std::string> list;
    return list;
}

template <const wchar_t* const* N, std::uint8_t K, std::uint8_t M, std::uint8_t T = M>
class Recorder : public Effect::EffectBase {
public:
    static constexpr const wchar_t* Name = *N;
    Recorder() : EffectBase(*N, K, M, T, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Recorder>(); }
    int getLayerRange() const override { return layerRange; }

    void record(const char* call, Render::ObjectContextBase& context) {
        calls().push_back(tag + ":" + call + "@" + std::to_string(context.layer) + "/s" +
                          std::to_string(context.sectionPosition.index));
    }
    void preloadVideo(Render::ObjectContext& context) override { record("preload", context); }
    void inputVideo(std::unique_ptr<Media::ResourceBuffer>&, Render::ObjectContext& context) override {
        record("input", context);
    }
    void filterVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context,
                     std::unique_ptr<Media::ResourceBuffer> input) override {
        record("filter", context);
        if (!dropPicture) result = std::move(input);
    }
    void controlVideo(Render::ObjectContext& context) override { record("control", context); }
    void outputVideo(Render::ObjectContext& context, Media::RenderBuffer&,
                     std::unique_ptr<Media::ResourceBuffer>&) override {
        record("output", context);
    }
    Effect::OutputView getOutputView(Render::ObjectContext& context) override {
        record("view", context);
        return context.view;
    }

    int layerRange = 0;  // following layers a control governs, 0 = all
    std::string tag = "?";
    bool dropPicture = false;
};

inline constexpr const wchar_t* kImage = L"画像ファイル";
inline constexpr const wchar_t* kText = L"テキスト";
inline constexpr const wchar_t* kSound = L"音声ファイル";
inline constexpr const wchar_t* kDraw = L"標準描画";
inline constexpr const wchar_t* kPlay = L"音声再生";
inline constexpr const wchar_t* kBlur = L"ぼかし";
inline constexpr const wchar_t* kShade = L"陰影";
inline constexpr const wchar_t* kGroup = L"グループ制御";

namespace EK = Effect::EffectKind;
namespace MK = Effect::MediaKind;

using Image = Recorder<&kImage, EK::Input, MK::Video>;
using Text = Recorder<&kText, EK::Input, MK::Video>;
using Sound = Recorder<&kSound, EK::Input, MK::Audio>;
using Draw = Recorder<&kDraw, EK::Output, MK::Video>;
using Play = Recorder<&kPlay, EK::Output, MK::Audio>;
using Blur = Recorder<&kBlur, EK::Filter, MK::Video>;
using Shade = Recorder<&kShade, EK::Filter, MK::Video>;

class Group : public Recorder<&kGroup, EK::Control, MK::Video>, public Effect::GroupControlState {
public:
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Group>(); }
};

// A registry with the kinds above and a scene to place objects in.
class SceneFixture {
public:
    SceneFixture() {
        calls().clear();
        service.registerEffect<Image>();
        service.registerEffect<Text>();
        service.registerEffect<Sound>();
        service.registerEffect<Draw>();
        service.registerEffect<Play>();
        service.registerEffect<Blur>();
        service.registerEffect<Shade>();
        service.registerEffect<Group>();
    }

    // An object of the named kind whose effects log under the tag.
    Edit::ObjectPointer place(const wchar_t* name, int layer, int start, int end, const std::string& tag) {
        Edit::ObjectPointer object = scene.createObject(name, layer, start, end);
        scene.updateLayerObject();
        for (const auto& effect : object->effectList) tagEffect(*effect, tag);
        return object;
    }
    // Adds a filter to an object's chain.
    void addFilter(Edit::Object& object, const wchar_t* name, const std::string& tag) {
        tagEffect(*object.addEffect(name, object.getMidPointCount(), nullptr), tag);
    }

    RegistryTest::Environment env;
    Effect::EffectService service;
    Edit::Scene scene{1, 0, &service};

private:
    static void tagEffect(Effect::EffectBase& effect, const std::string& tag) {
        auto setTag = [&](auto* typed) {
            if (typed) typed->tag = tag + "." + std::to_string(effect.effectType);
        };
        setTag(dynamic_cast<Image*>(&effect));
        setTag(dynamic_cast<Text*>(&effect));
        setTag(dynamic_cast<Sound*>(&effect));
        setTag(dynamic_cast<Draw*>(&effect));
        setTag(dynamic_cast<Play*>(&effect));
        setTag(dynamic_cast<Blur*>(&effect));
        setTag(dynamic_cast<Shade*>(&effect));
        setTag(dynamic_cast<Group*>(&effect));
    }
};

}  // namespace RenderTest
