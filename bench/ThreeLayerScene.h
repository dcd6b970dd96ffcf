#pragma once
// The full-HD scene the render benchmarks draw, frames 0 to frames - 1: a
// full-frame picture scaled by 1.25, a half-size one moving from -480 to
// 480 across, and a half-transparent full-frame overlay.
#include "edit/model/Scene.h"
#include "effect/registry/EffectService.h"
#include "render/walk/WalkEffects.h"

#include <utility>

namespace Bench {

inline std::pair<WalkTest::Picture*, WalkTest::Draw*> placePicture(Edit::Scene& scene, int layer, int frames) {
    Edit::ObjectPointer object = scene.createObject(WalkTest::kPicture, layer, 0, frames - 1);
    scene.updateLayerObject();
    return {&dynamic_cast<WalkTest::Picture&>(*object->effectList[0]),
            &dynamic_cast<WalkTest::Draw&>(*object->effectList[1])};
}

inline void buildThreeLayerScene(Edit::Scene& scene, Effect::EffectService& effects, int frames) {
    scene.width = 1920;
    scene.height = 1080;

    auto [background, backgroundDraw] = placePicture(scene, 0, frames);
    background->width = 1920, background->height = 1080;
    background->color = {0.2f, 0.3f, 0.8f, 1};
    backgroundDraw->scale = 1.25f;

    auto [moving, movingDraw] = placePicture(scene, 1, frames);
    moving->width = 960, moving->height = 540;
    moving->color = {0.9f, 0.6f, 0.1f, 1};
    movingDraw->x.setMovement(*effects.findMovement(L"直線移動").prototype);
    movingDraw->x.resizeValueList(2);
    movingDraw->x.setValue(-480, 0);
    movingDraw->x.setValue(480, 1);

    auto [overlay, overlayDraw] = placePicture(scene, 2, frames);
    overlay->width = 1920, overlay->height = 1080;
    overlay->color = {0.1f, 0.9f, 0.4f, 1};
    overlayDraw->alpha = 0.5f;
}

}  // namespace Bench
