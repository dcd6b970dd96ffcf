// Scenes of 64 × 36 rendered through the walk and the GPU, read back and
// compared with values worked out by hand.
#include "render/walk/VideoSceneWalk.h"

#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

namespace {

using MediaTest::expectNear;
using WalkTest::Rgba;

const Rgba kClear{0, 0, 0, 0};
const Rgba kWhite{1, 1, 1, 1};
const Rgba kRed{1, 0, 0, 1};
const Rgba kBlue{0, 0, 1, 1};

class VideoSceneWalkTest : public WalkTest::WalkFixture {
protected:
    // The columns the 4-pixel-wide picture centred at X covers on row 18.
    void expectSquareAt(const std::vector<Rgba>& pixels, int centreColumn) {
        SCOPED_TRACE(centreColumn);
        expectNear(at(pixels, centreColumn - 3, 18), kClear);
        expectNear(at(pixels, centreColumn - 2, 18), kWhite);
        expectNear(at(pixels, centreColumn + 1, 18), kWhite);
        expectNear(at(pixels, centreColumn + 2, 18), kClear);
        expectNear(at(pixels, centreColumn, 15), kClear);
        expectNear(at(pixels, centreColumn, 16), kWhite);
    }
};

TEST_F(VideoSceneWalkTest, AnObjectMovingLinearlyLandsAtTheWorkedOutColumn) {
    auto [picture, draw] = place(0, 0, 40);
    draw->x.setMovement(*service.findMovement(L"直線移動").prototype);
    draw->x.resizeValueList(2);
    draw->x.setValue(-20, 0);
    draw->x.setValue(20, 1);
    // X runs from -20 at frame 0 to 20 at frame 40; the frame centre is
    // column 32.
    expectSquareAt(render(0), 12);
    expectSquareAt(render(10), 22);
    expectSquareAt(render(40), 52);
    // Past its end the object is gone and the frame is cleared.
    const std::vector<Rgba> after = render(41);
    for (const Rgba& pixel : after) expectNear(pixel, kClear);
}

TEST_F(VideoSceneWalkTest, AnUpperLayerAtHalfOpacityBlendsOverTheLowerOne) {
    auto [lower, lowerDraw] = place(0, 0, 10);
    lower->width = 64, lower->height = 36, lower->color = kRed;
    auto [upper, upperDraw] = place(1, 0, 10);
    upper->width = 32, upper->height = 36, upper->color = kBlue;
    upperDraw->alpha = 0.5f;
    const std::vector<Rgba> pixels = render(5);
    // Premultiplied over: blue × 0.5 + red × (1 - 0.5).
    expectNear(at(pixels, 32, 10), {0.5f, 0, 0.5f, 1});
    expectNear(at(pixels, 47, 10), {0.5f, 0, 0.5f, 1});
    expectNear(at(pixels, 15, 10), kRed);
    expectNear(at(pixels, 48, 10), kRed);

    // A hidden layer is left out.
    scene().getLayerObjectListGrow(1).layer->hide = true;
    expectNear(at(render(5), 32, 10), kRed);
}

TEST_F(VideoSceneWalkTest, AGroupControlMovesTheObjectsItGoverns) {
    WalkTest::Group& group = placeControl<WalkTest::Group>(0, 0, 10);
    group.dx = 10;
    group.range = 2;
    place(1, 0, 10).second->x.setValue(-10, 0);
    place(2, 0, 10).second->x.setValue(10, 0);
    place(3, 0, 10).second->y.setValue(-10, 0);  // past the group's two layers
    const std::vector<Rgba> pixels = render(0);
    expectSquareAt(pixels, 32);
    expectSquareAt(pixels, 52);
    // Not moved: centred at column 32, rows 6 to 9.
    expectNear(at(pixels, 29, 7), kClear);
    expectNear(at(pixels, 30, 7), kWhite);
    expectNear(at(pixels, 42, 7), kClear);

    // A hidden group layer has no effect: the objects stay where they are.
    scene().getLayerObjectListGrow(0).layer->hide = true;
    const std::vector<Rgba> ungrouped = render(0);
    expectSquareAt(ungrouped, 22);
    expectSquareAt(ungrouped, 42);
}

TEST_F(VideoSceneWalkTest, UnderACameraATranslucentObjectIsDrawnAfterAnOpaqueOneBehindIt) {
    WalkTest::Camera& camera = placeControl<WalkTest::Camera>(0, 0, 10);
    // Layer 1: nearer and translucent; layer 2: opaque at z = 0. Nearer
    // means a larger key, but translucency takes 10000 off.
    auto [near, nearDraw] = place(1, 0, 10);
    near->width = 64, near->height = 36, near->color = kBlue;
    nearDraw->z.setValue(-512, 0);
    nearDraw->alpha = 0.5f;
    auto [far, farDraw] = place(2, 0, 10);
    far->width = 64, far->height = 36, far->color = kRed;
    // The opaque object first, the translucent one over it.
    expectNear(at(render(0), 32, 18), {0.5f, 0, 0.5f, 1});
    EXPECT_EQ(camera.calls, (std::vector<std::string>{"setup", "complete"}));

    // Both opaque: the nearer one (larger key) is drawn first, so the
    // farther one covers it where both are.
    nearDraw->alpha = 1.0f;
    expectNear(at(render(0), 32, 18), kRed);
    // Past the camera's range objects are drawn in layer order again.
    camera.range = 1;
    expectNear(at(render(0), 32, 18), kRed);
}

TEST_F(VideoSceneWalkTest, DepthKeysFollowThePartsRule) {
    Effect::OutputView view;
    std::shared_ptr<WalkTest::Camera> camera = std::make_shared<WalkTest::Camera>();
    camera->viewProjectionMatrix = Effect::OutputView{}.getScreenMatrix(1920, 1080);
    view.cameraControl = std::make_shared<Edit::Object>(&service);
    view.cameraControl->effectList.push_back(camera);
    // z = 0: clip (0, 0, 51.2, 1024), depth 0.05.
    EXPECT_NEAR(Render::VideoSceneWalk::depthKey(view), 0.05f, 1e-6f);
    view.z = 1024;
    EXPECT_NEAR(Render::VideoSceneWalk::depthKey(view), 0.025f, 1e-6f);
    view.alpha = 0.5f;
    EXPECT_NEAR(Render::VideoSceneWalk::depthKey(view), 0.025f - 10000, 1e-2f);
    view.alpha = 1;
    view.blendMode = 3;
    EXPECT_NEAR(Render::VideoSceneWalk::depthKey(view), 0.025f - 10000, 1e-2f);
}

TEST_F(VideoSceneWalkTest, ANestedSceneRendersItsContent) {
    Edit::Scene& inner = *edit.project.getOrCreateScene(1);
    inner.width = 64;
    inner.height = 36;
    auto [innerPicture, innerDraw] = place(0, 0, 100, &inner);
    innerPicture->color = kBlue;
    innerDraw->x.setValue(8, 0);
    auto [source, sourceDraw] = place<WalkTest::SceneSource>(0, 0, 10);
    source->sceneId = 1;
    source->project = &edit.project;
    sourceDraw->y.setValue(4, 0);
    const std::vector<Rgba> pixels = render(0);
    // The inner picture's square at column 40 (columns 38 to 41), moved
    // down 4 rows (rows 20 to 23). The scene's picture is sampled again on
    // its way into the frame, so edges may differ by a step of 8 bits.
    expectNear(at(pixels, 39, 21), kBlue);
    expectNear(at(pixels, 40, 22), kBlue);
    expectNear(at(pixels, 37, 21), kClear, 0.01f);
    expectNear(at(pixels, 39, 19), kClear, 0.01f);
    expectNear(at(pixels, 42, 22), kClear, 0.01f);
}

TEST_F(VideoSceneWalkTest, ASceneShowingItselfIsRefusedAndTheFrameCompletes) {
    auto [picture, draw] = place(0, 0, 10);
    picture->color = kRed;
    auto [source, sourceDraw] = place<WalkTest::SceneSource>(1, 0, 10);
    source->sceneId = 0;
    source->project = &edit.project;
    const std::vector<Rgba> pixels = render(0);
    // The inner walk contributes a transparent picture over the red square.
    expectNear(at(pixels, 32, 18), kRed);
    expectNear(at(pixels, 0, 0), kClear);
    std::vector<std::string> warnings;
    for (const auto& line : env.log.of(System::Log::WARN))
        if (line.tag == "Render::RenderWorkerBase::RenderSection::RenderSection") warnings.push_back(line.text);
    EXPECT_EQ(warnings, std::vector<std::string>{"recursive scene. index=0 num=1"});
}

TEST_F(VideoSceneWalkTest, ATimeControlMovesTheFrameOfTheLayersItGoverns) {
    WalkTest::TimeShift& time = placeControl<WalkTest::TimeShift>(0, 0, 100);
    time.shift = 20;
    time.range = 1;
    // Layer 1 is looked up at frame 25, layer 2 at frame 5.
    place(1, 20, 30).first->color = kRed;
    auto [late, lateDraw] = place(2, 0, 10);
    late->color = kBlue;
    lateDraw->x.setValue(10, 0);
    const std::vector<Rgba> pixels = render(5);
    expectNear(at(pixels, 32, 18), kRed);
    expectNear(at(pixels, 42, 18), kBlue);
}

TEST_F(VideoSceneWalkTest, AClippingObjectShowsTheNextObjectOnlyInsideItsShape) {
    auto [back, backDraw] = place(0, 0, 10);
    back->width = 64, back->height = 36, back->color = kRed;
    auto [shape, shapeDraw] = place(1, 0, 10);
    shape->width = 8, shape->height = 8;
    objectAt(1, 0)->clipping = true;
    auto [clipped, clippedDraw] = place(2, 0, 10);
    clipped->width = 64, clipped->height = 36, clipped->color = kBlue;
    auto [after, afterDraw] = place(3, 0, 10);
    afterDraw->x.setValue(20, 0);
    const std::vector<Rgba> pixels = render(0);
    // Blue only inside the 8 × 8 shape; red around it; the shape itself is
    // not drawn; the object after the clip range draws as usual.
    expectNear(at(pixels, 29, 15), kBlue);
    expectNear(at(pixels, 34, 20), kBlue);
    expectNear(at(pixels, 27, 15), kRed);
    expectNear(at(pixels, 36, 18), kRed);
    expectNear(at(pixels, 32, 13), kRed);
    expectNear(at(pixels, 52, 18), kWhite);
}

TEST_F(VideoSceneWalkTest, TheSameSceneRendersTheSamePixelsTwice) {
    WalkTest::Camera& camera = placeControl<WalkTest::Camera>(0, 0, 10);
    (void)camera;
    for (int layer = 1; layer <= 4; ++layer) {
        auto [picture, draw] = place(layer, 0, 10);
        picture->width = 20, picture->height = 12;
        picture->color = {0.25f * layer, 0.5f, 1.0f - 0.2f * layer, 1};
        draw->alpha = 0.6f;
        draw->x.setValue(layer * 5 - 12, 0);
        draw->z.setValue(100 - layer * 50, 0);
    }
    const std::vector<Rgba> first = render(3);
    EXPECT_EQ(first, render(3));
}

// The walk may post only one object task ahead of the drawing.
class VideoSceneWalkBoundTest : public WalkTest::WalkFixture {
protected:
    VideoSceneWalkBoundTest() : WalkFixture(1) {}
};

TEST_F(VideoSceneWalkBoundTest, AWalkThatWaitsForEveryObjectDrawsTheSamePixels) {
    auto build = [](WalkTest::WalkFixture& fixture) {
        WalkTest::Group& group = fixture.template placeControl<WalkTest::Group>(0, 0, 10);
        group.dx = 3;
        for (int layer = 1; layer <= 6; ++layer) {
            auto [picture, draw] = fixture.template place<WalkTest::Picture>(layer, 0, 10);
            picture->width = 10 + layer, picture->height = 8;
            picture->color = {0.1f * layer, 1, 0.5f, 0.7f};
            draw->alpha = 0.8f;
            draw->x.setValue(layer * 4 - 14, 0);
        }
        return fixture.render(2);
    };
    struct Wide : WalkTest::WalkFixture {
        void TestBody() override {}
    };
    const std::vector<Rgba> narrow = build(*this);
    Wide wide;
    EXPECT_EQ(narrow, build(wide));
}

}  // namespace

// The same walk through the program's standard drawing.
class StandardDrawingWalkTest : public WalkTest::WalkFixture {
protected:
    StandardDrawingWalkTest() : WalkFixture(8, true) {}
    static Effect::EffectItemNumber& number(const Edit::ObjectPointer& object, const wchar_t* name) {
        return dynamic_cast<Effect::EffectItemNumber&>(*object->effectList[1]->findItem(name));
    }
};

TEST_F(StandardDrawingWalkTest, PicturesArePlacedMovedAndBlendedByTheStandardDrawing) {
    ASSERT_EQ(place(0, 0, 40).second, nullptr);  // not the test drawing
    WalkTest::Picture& lower = dynamic_cast<WalkTest::Picture&>(*objectAt(0, 0)->effectList[0]);
    lower.width = 64, lower.height = 36, lower.color = kRed;
    place(1, 0, 40);
    WalkTest::Picture& upper = dynamic_cast<WalkTest::Picture&>(*objectAt(1, 0)->effectList[0]);
    upper.width = 32, upper.height = 36, upper.color = kBlue;
    number(objectAt(1, 0), L"X").setValue(16, 0);
    number(objectAt(1, 0), L"透明度").setValue(50, 0);
    place(2, 0, 40);
    Effect::EffectItemNumber& x = number(objectAt(2, 0), L"X");
    x.setMovement(*service.findMovement(L"直線移動").prototype);
    x.resizeValueList(2);
    x.setValue(-20, 0);
    x.setValue(20, 1);

    const std::vector<Rgba> pixels = render(10);
    // Blue at half opacity over red on columns 32 to 63.
    expectNear(at(pixels, 40, 5), {0.5f, 0, 0.5f, 1});
    expectNear(at(pixels, 20, 5), kRed);
    // The white square at X = -10: columns 20 to 23 of row 18.
    expectNear(at(pixels, 20, 18), kWhite);
    expectNear(at(pixels, 23, 18), kWhite);
    expectNear(at(pixels, 19, 18), kRed);
    expectNear(at(pixels, 24, 18), kRed);
}
