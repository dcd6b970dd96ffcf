#pragma once
// Scenes under a camera control drawn through the real walk and the
// program's standard drawing: coloured squares, the camera, its filters,
// and read-backs of the finished frame (also as a preview, with handles).
#include "effects/camera/CameraControl.h"
#include "effects/media/FigureLoad.h"
#include "render/output/BasicOutput.h"

#include "effects/EffectsTestSupport.h"
#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

#include <future>
#include <string>

namespace CameraTest {

using MediaTest::Rgba;

class CameraWalk : public EffectsTest::InstalledEffects, public WalkTest::WalkFixture {
protected:
    explicit CameraWalk(int width = 64, int height = 36) : WalkFixture(8, true) {
        scene().videoRate = 10;
        scene().videoScale = 1;
        scene().width = width;
        scene().height = height;
    }

    // A filled square of the size and colour ("rrggbb") at the origin.
    Edit::ObjectPointer placeSquare(int layer, int size, const char* color = "ff0000") {
        Edit::ObjectPointer object = scene().createObject(L"図形", layer, 0, 20);
        scene().updateLayerObject();
        auto& figure = dynamic_cast<Effect::FigureLoad&>(*object->effectList[0]);
        figure.figure.value = 2;
        figure.size.setValue(size, 0);
        figure.color.fromString(color);
        return object;
    }
    static Effect::BasicOutput& outputOf(const Edit::ObjectPointer& object) {
        return dynamic_cast<Effect::BasicOutput&>(*object->effectList[1]);
    }
    Effect::CameraControl& placeCamera(int layer = 0) {
        return placeControl<Effect::CameraControl>(layer, 0, 20);
    }
    // An object holding one effect of the kind (a camera filter).
    template <class Kind>
    Kind& placeFilter(int layer) {
        Edit::ObjectPointer object = scene().createObject(Kind::Name, layer, 0, 20);
        scene().updateLayerObject();
        return dynamic_cast<Kind&>(*object->effectList[0]);
    }
    // A filter effect added to an object's chain after its input.
    template <class Kind>
    Kind& addFilter(const Edit::ObjectPointer& object) {
        return dynamic_cast<Kind&>(*object->addEffect(Kind::Name, 0, object->effectList[0].get()));
    }

    // The frame as a preview renders it (with handles and guides).
    std::vector<Rgba> renderPreview(int frame, std::vector<Anchor::AnchorItem>* anchors = nullptr) {
        std::promise<std::vector<Rgba>> result;
        worker.requestRenderingFrame(Render::RenderTaskType::Preview, frame,
                                     [&](int, Media::RenderBuffer& target, Anchor::AnchorList& list) {
                                         if (anchors) *anchors = list.items;
                                         result.set_value(target.getTexture() ? read(*target.getTexture())
                                                                              : std::vector<Rgba>{});
                                     });
        return result.get_future().get();
    }

    // Sum of alpha along a row and a column: the drawn width and height.
    float rowCoverage(const std::vector<Rgba>& pixels, int y) {
        float sum = 0.0f;
        for (int x = 0; x < scene().width; ++x) sum += at(pixels, x, y)[3];
        return sum;
    }
    float columnCoverage(const std::vector<Rgba>& pixels, int x) {
        float sum = 0.0f;
        for (int y = 0; y < scene().height; ++y) sum += at(pixels, x, y)[3];
        return sum;
    }
};

}  // namespace CameraTest
