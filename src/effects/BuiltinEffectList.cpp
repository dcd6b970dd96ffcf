#include "effects/BuiltinEffectList.h"

#include "effect/registry/BuiltinEffectHooks.h"
#include "effect/registry/EffectService.h"
#include "effects/audio/AudioFadeFilter.h"
#include "effects/audio/AudioMonoFilter.h"
#include "effects/audio/AudioVolume.h"
#include "effects/basic/BasicTransform.h"
#include "effects/blur/BlurFilter.h"
#include "effects/clip/AngleClipFilter.h"
#include "effects/clip/LineClipFilter.h"
#include "effects/blur/BokashiFilter.h"
#include "effects/camera/CameraControl.h"
#include "effects/camera/CameraOption.h"
#include "effects/camera/MaterialSetting.h"
#include "effects/control/GroupAudioControl.h"
#include "effects/control/GroupControl.h"
#include "effects/control/SceneChange.h"
#include "effects/control/TimeControl.h"
#include "effects/light/CameraLight.h"
#include "effects/light/CameraLightAmbient.h"
#include "effects/light/CameraLightBloom.h"
#include "effects/media/FigureLoad.h"
#include "effects/media/ImageLoad.h"
#include "effects/media/MovieLoad.h"
#include "effects/media/SceneLoad.h"
#include "effects/media/TextInput.h"

namespace Effect {

void installBuiltinEffects() {
    installBuiltinEffect(1, &registerBuiltinEffect<MovieLoad>);
    installBuiltinEffect(2, &registerBuiltinEffect<ImageLoad>);
    installBuiltinEffect(3, &registerBuiltinEffect<AudioLoad>);
    installBuiltinEffect(5, &registerBuiltinEffect<TextInput>);
    installBuiltinEffect(6, &registerBuiltinEffect<FigureLoad>);
    installBuiltinEffect(7, &registerBuiltinEffect<SceneLoad>);
    installBuiltinEffect(17, &registerBuiltinEffect<GroupControl>);
    installBuiltinEffect(18, &registerBuiltinEffect<GroupAudioControl>);
    installBuiltinEffect(19, &registerBuiltinEffect<CameraControl>);
    installBuiltinEffect(20, &registerBuiltinEffect<TimeControl>);
    installBuiltinEffect(28, [](EffectService& service) {
        registerBuiltinEffect<LineClipFilter>(service);
        LineClipFilter::installTransitionClip(service);
    });
    installBuiltinEffect(29, [](EffectService& service) {
        registerBuiltinEffect<AngleClipFilter>(service);
        AngleClipFilter::installTransitionClip(service);
    });
    installBuiltinEffect(31, [](EffectService& service) {
        registerBuiltinEffect<BokashiFilter>(service);
        BokashiFilter::installTransitionBlur(service);
    });
    installBuiltinEffect(33, &registerBuiltinEffect<BlurFilter>);
    installBuiltinEffect(65, &registerBuiltinEffect<SceneChange>);
    installBuiltinEffect(68, &registerBuiltinEffect<CameraLight>);
    installBuiltinEffect(69, &registerBuiltinEffect<CameraLightAmbient>);
    installBuiltinEffect(70, &registerBuiltinEffect<CameraLightBloom>);
    installBuiltinEffect(71, &registerBuiltinEffect<MaterialSetting>);
    installBuiltinEffect(72, &registerBuiltinEffect<CameraOption>);
    installBuiltinEffect(73, &registerBuiltinEffect<BasicMove>);
    installBuiltinEffect(74, &registerBuiltinEffect<BasicScale>);
    installBuiltinEffect(75, &registerBuiltinEffect<BasicAlpha>);
    installBuiltinEffect(76, &registerBuiltinEffect<BasicAngle>);
    installBuiltinEffect(79, &registerBuiltinEffect<AudioFadeFilter>);
    installBuiltinEffect(80, &registerBuiltinEffect<AudioMonoFilter>);
    installBuiltinEffect(81, &registerBuiltinEffect<AudioVolume>);
}

}  // namespace Effect
