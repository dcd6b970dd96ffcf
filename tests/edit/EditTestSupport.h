#pragma once
// Helpers of the project-model tests: a registry holding small effect kinds
// of every type and media, and objects built on a layer table.
#include "effect/base/ControlState.h"
#include "edit/model/Scene.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/registry/EffectService.h"

#include "effect/EffectTestSupport.h"
#include "effect/RegistryTestSupport.h"

#include <cstdint>
#include <memory>

namespace EditTest {

inline constexpr const wchar_t* kNoInput = nullptr;

// An effect kind with two numbers (X in whole units, Y in tenths) and a
// check between them; controls report their layer range.
// The mark of a kind that is none of the controls governing later layers.
struct NoMark {};

template <const wchar_t* const* N, std::uint8_t K, std::uint8_t M, std::uint8_t T = M,
          const wchar_t* const* InputName = &kNoInput, class Mark = NoMark>
class Kind : public Effect::EffectBase, public Mark {
public:
    static constexpr const wchar_t* Name = *N;
    Kind() : EffectBase(*N, K, M, T, L"") {}
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<Kind>(); }
    const wchar_t* getInputEffectName() const override { return *InputName; }
    int getLayerRange() const override { return layerRange; }

    Effect::EffectItemNumber x{items, L"X", 0, -100000, 100000, 1};
    Effect::EffectItemCheck flag{items, L"反転", false};
    Effect::EffectItemNumber y{items, L"Y", 0, -10000, 10000, 0.1};
    int layerRange = 0;
};

inline constexpr const wchar_t* kFigure = L"図形";
inline constexpr const wchar_t* kSound = L"音声ファイル";
inline constexpr const wchar_t* kMovie = L"動画ファイル";
inline constexpr const wchar_t* kFrame = L"フレームバッファ";
inline constexpr const wchar_t* kCameraInput = L"カメラ入力";
inline constexpr const wchar_t* kDraw = L"標準描画";
inline constexpr const wchar_t* kPlain = L"基本出力";
inline constexpr const wchar_t* kPlay = L"音声再生";
inline constexpr const wchar_t* kMoviePlay = L"映像再生";
inline constexpr const wchar_t* kParticle = L"パーティクル出力";
inline constexpr const wchar_t* kLoneOutput = L"単独出力";
inline constexpr const wchar_t* kBlur = L"ぼかし";
inline constexpr const wchar_t* kGlow = L"グロー";
inline constexpr const wchar_t* kVolume = L"音量調整";
inline constexpr const wchar_t* kFade = L"フェード";
inline constexpr const wchar_t* kLight = L"並行光源(カメラ制御)";
inline constexpr const wchar_t* kGroup = L"グループ制御";
inline constexpr const wchar_t* kCamera = L"カメラ制御";
inline constexpr const wchar_t* kSceneChange = L"シーンチェンジ";
inline constexpr const wchar_t* kTime = L"時間制御(オブジェクト)";
inline constexpr const wchar_t* kStrange = L"種類不明";

using namespace Effect::EffectKind;
namespace MK = Effect::MediaKind;

using Figure = Kind<&kFigure, Input, MK::Video>;
using Sound = Kind<&kSound, Input, MK::Audio>;
using Movie = Kind<&kMovie, Input, MK::VideoAudio>;
using Frame = Kind<&kFrame, Input, MK::Video>;
using CameraInput = Kind<&kCameraInput, Input, MK::Camera>;
using Draw = Kind<&kDraw, Output, MK::Video>;
using Plain = Kind<&kPlain, Output, MK::Video>;
using Play = Kind<&kPlay, Output, MK::Audio>;
using MoviePlay = Kind<&kMoviePlay, Output, MK::VideoAudio>;
using Particle = Kind<&kParticle, Output, MK::Video, MK::Video, &kFigure>;
using LoneOutput = Kind<&kLoneOutput, Output, MK::Audio, MK::Audio, &kSound>;
using Blur = Kind<&kBlur, Filter, MK::Video>;
using Glow = Kind<&kGlow, Filter, MK::Video>;
using Volume = Kind<&kVolume, Filter, MK::Audio>;
using Fade = Kind<&kFade, Filter, MK::VideoAudio>;
using Light = Kind<&kLight, Filter, MK::Camera>;
// The controls governing later layers are known by their class's mark.
using GroupControl = Kind<&kGroup, Control, MK::Video, MK::Video, &kNoInput, Effect::GroupControlState>;
using CameraControl = Kind<&kCamera, Control, MK::Camera, MK::Camera, &kNoInput, Effect::CameraControlState>;
using SceneChange = Kind<&kSceneChange, Control, MK::Video, MK::Scene>;
using TimeControl = Kind<&kTime, Control, MK::Video, MK::Scene, &kNoInput, Effect::TimeControlState>;
using Strange = Kind<&kStrange, 5, MK::Video>;

// A registry with every kind above, in a program folder of its own.
class Registry {
public:
    Registry() {
        service.registerEffect<Figure>();
        service.registerEffect<Sound>();
        service.registerEffect<Movie>();
        service.registerEffect<Frame>();
        service.registerEffect<CameraInput>();
        service.registerEffect<Draw>();
        service.registerEffect<Plain>();
        service.registerEffect<Play>();
        service.registerEffect<MoviePlay>();
        service.registerEffect<Particle>();
        service.registerEffect<LoneOutput>();
        service.registerEffect<Blur>();
        service.registerEffect<Glow>();
        service.registerEffect<Volume>();
        service.registerEffect<Fade>();
        service.registerEffect<Light>();
        service.registerEffect<GroupControl>();
        service.registerEffect<CameraControl>();
        service.registerEffect<SceneChange>();
        service.registerEffect<TimeControl>();
        service.registerEffect<Strange>();
    }
    Effect::EffectDefine& define(const wchar_t* name) { return service.findEffect(name); }

    RegistryTest::Environment env;
    Effect::EffectService service;
};

// The X item of an effect of this file's kinds.
inline Effect::EffectItemNumber& xOf(const Effect::EffectBase& effect) {
    return *static_cast<Effect::EffectItemNumber*>(effect.items.at(0));
}
inline Effect::EffectItemNumber& yOf(const Effect::EffectBase& effect) {
    return *static_cast<Effect::EffectItemNumber*>(effect.items.at(2));
}

// The names of a chain, in order.
inline std::vector<std::wstring> chainNames(const Edit::EffectManager& chain) {
    std::vector<std::wstring> names;
    for (const auto& effect : chain.effectList) names.push_back(effect->name);
    return names;
}

}  // namespace EditTest
