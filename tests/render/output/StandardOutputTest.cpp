// The standard outputs move, turn, scale, fade and blend the picture as
// their items say: where the picture lands in a 32 x 32 frame, and the
// colour it leaves there.
#include "render/output/OutputSceneFixture.h"

#include "effect/base/ControlState.h"
#include "effect/registry/BuiltinEffectHooks.h"
#include "render/output/OutputEffects.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using OutputTest::Box;
using OutputTest::Rgba;

constexpr int kSide = 32;
const Rgba kBackground{0.25f, 0.25f, 0.25f, 1};
const Rgba kColour{0.5f, 0.25f, 0.125f, 1};

class StandardOutputTest : public OutputTest::OutputSceneTest {
protected:
    std::unique_ptr<Media::RenderBuffer> target() {
        return frame(kSide, kSide, [](UINT, UINT) { return kBackground; });
    }
    std::unique_ptr<Media::ResourceBuffer> image(UINT width, UINT height) {
        return picture(width, height, [](UINT, UINT) { return kColour; });
    }
};

TEST_F(StandardOutputTest, StandardDrawingItemsMoveThePicture) {
    struct Case {
        const char* what;
        UINT width, height;
        std::function<void(Effect::BasicOutput&)> set;
        Box box;
        Rgba centre;  // the frame pixel at (16, 16) or the box's middle
    };
    const Rgba faded{0.375f, 0.25f, 0.1875f, 1};  // half of the colour over the grey
    const Rgba added{0.75f, 0.5f, 0.375f, 1};     // colour + grey
    const Case cases[] = {
        {"nothing set", 4, 4, [](auto&) {}, {14, 14, 18, 18}, kColour},
        {"X 5", 4, 4, [](auto& o) { o.x.setValue(5, 0); }, {19, 14, 23, 18}, kColour},
        {"Y -3", 4, 4, [](auto& o) { o.y.setValue(-3, 0); }, {14, 11, 18, 15}, kColour},
        {"Z 1024 halves it", 4, 4, [](auto& o) { o.z.setValue(1024, 0); }, {15, 15, 17, 17}, kColour},
        {"centre X 2", 4, 4, [](auto& o) { o.centerX.setValue(2, 0); }, {12, 14, 16, 18}, kColour},
        {"scale 200", 4, 4, [](auto& o) { o.scale.setValue(200, 0); }, {12, 12, 20, 20}, kColour},
        {"Z rotation 90", 8, 2, [](auto& o) { o.rotationZ.setValue(90, 0); }, {15, 12, 17, 20}, kColour},
        {"aspect 50 narrows", 8, 8, [](auto& o) { o.aspect.setValue(50, 0); }, {14, 12, 18, 20}, kColour},
        {"aspect -50 flattens", 8, 8, [](auto& o) { o.aspect.setValue(-50, 0); }, {12, 14, 20, 18}, kColour},
        {"transparency 50", 4, 4, [](auto& o) { o.transparency.setValue(50, 0); }, {14, 14, 18, 18}, faded},
        {"blend add", 4, 4, [](auto& o) { o.blend.value = 1; }, {14, 14, 18, 18}, added},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Effect::BasicOutput& output = place<Effect::VideoOutput>(0, 10);
        c.set(output);
        auto frame = target();
        auto picture = image(c.width, c.height);
        Render::ObjectContext context = contextAt(*frame, 0);
        output.outputVideo(context, *frame, picture);
        const auto pixels = read(*frame);
        EXPECT_EQ(boxOf(pixels, kSide, kBackground), c.box);
        const Rgba middle =
            pixels[static_cast<std::size_t>((c.box.top + c.box.bottom) / 2 * kSide + (c.box.left + c.box.right) / 2)];
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(middle[i], c.centre[i], 0.01f) << i;
    }
}

// "合成モード" 0 keeps the mode an enclosing group gave; the aspect items at
// their limits make a side zero; the movie output is the same drawing.
TEST_F(StandardOutputTest, ViewOfTheStandardOutputs) {
    auto frame = target();
    Effect::BasicOutput& video = place<Effect::VideoOutput>(0, 10);
    Render::ObjectContext context = contextAt(*frame, 0);
    context.view.blendMode = 3;
    EXPECT_EQ(video.getOutputView(context).blendMode, 3);
    video.blend.value = 5;
    EXPECT_EQ(video.getOutputView(context).blendMode, 5);
    video.aspect.setValue(100, 0);
    EXPECT_EQ(video.getOutputView(context).scaleX, 0.0f);
    video.aspect.setValue(-100, 0);
    EXPECT_EQ(video.getOutputView(context).scaleY, 0.0f);
    // Flags that keep position and rotation.
    video.aspect.setValue(0, 0);
    video.x.setValue(7, 0);
    video.rotationZ.setValue(30, 0);
    context.keepPosition = 1;
    context.keepRotation = 1;
    const Effect::OutputView kept = video.getOutputView(context);
    EXPECT_EQ(kept.x, 0.0f);
    EXPECT_EQ(kept.rotationZ, 0.0f);

    Effect::MovieOutput& movie = place<Effect::MovieOutput>(0, 10);
    EXPECT_EQ(movie.mediaType, Effect::MediaKind::VideoAudio);
    EXPECT_EQ(movie.items.back()->name, L"音量");
    movie.x.setValue(5, 0);
    auto drawn = target();
    auto picture = image(4, 4);
    Render::ObjectContext movieContext = contextAt(*drawn, 0);
    movie.outputVideo(movieContext, *drawn, picture);
    EXPECT_EQ(boxOf(read(*drawn), kSide, kBackground), (Box{19, 14, 23, 18}));
}

// Whole positions without turning or scaling go the flat way; a scale
// goes the full way, without the camera or group in force.
TEST_F(StandardOutputTest, BasicOutputRoundsItsPosition) {
    struct Case {
        const char* what;
        double x, y, scale;
        Box box;
    };
    const Case cases[] = {
        {"rounded position", 3.4, -2.5, 100, {17, 11, 21, 15}},
        {"scale 200", 0, 0, 200, {12, 12, 20, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Effect::SimpleOutput& output = place<Effect::SimpleOutput>(0, 10);
        output.x.setValue(c.x, 0);
        output.y.setValue(c.y, 0);
        output.scale.setValue(c.scale, 0);
        auto frame = target();
        auto picture = image(4, 4);
        Render::ObjectContext context = contextAt(*frame, 0);
        output.outputVideo(context, *frame, picture);
        EXPECT_EQ(boxOf(read(*frame), kSide, kBackground), c.box);
    }
}

// The off-screen filter bakes the transform into a frame-sized picture;
// the output then draws it flat where the full path would have put it. A
// second off-screen filter passes the picture on.
TEST_F(StandardOutputTest, OffScreenDrawingBakesTheTransform) {
    Effect::BasicOutput& output = place<Effect::VideoOutput>(0, 10);
    output.x.setValue(5, 0);
    output.scale.setValue(200, 0);
    output.transparency.setValue(50, 0);
    auto frame = target();
    Render::ObjectContext context = contextAt(*frame, 0);
    Effect::TempDraw filter;
    std::unique_ptr<Media::ResourceBuffer> baked;
    filter.filterVideo(baked, context, image(4, 4));
    ASSERT_TRUE(baked);
    EXPECT_EQ(baked->getWidth(), static_cast<UINT>(kSide));
    EXPECT_TRUE(context.flat);
    EXPECT_TRUE(context.drawnDifferently);
    EXPECT_EQ(context.view.scaleX, 1.0f);
    Media::ResourceBuffer* const first = baked.get();
    std::unique_ptr<Media::ResourceBuffer> again;
    filter.filterVideo(again, context, std::move(baked));
    EXPECT_EQ(again.get(), first);

    output.outputVideo(context, *frame, again);
    const auto pixels = read(*frame);
    EXPECT_EQ(boxOf(pixels, kSide, kBackground), (Box{17, 12, 25, 20}));
    // Transparency applies once, when the output draws.
    const Rgba p = pixels[16 * kSide + 21];
    EXPECT_NEAR(p[0], 0.375f, 0.01f);
}

// The built-in table's rows reach the rendering's classes once the
// rendering installs them.
TEST(OutputRegistrationTest, RowsRegisterTheOutputs) {
    struct Uninstall {
        ~Uninstall() {
            for (int n : {11, 13, 14, 15, 60}) Effect::installBuiltinEffect(n, nullptr);
        }
    } uninstall;
    Render::installOutputEffects();
    RegistryTest::Environment env;
    Effect::EffectService service;
    EXPECT_NE(dynamic_cast<Effect::VideoOutput*>(service.createEffect(L"標準描画").get()), nullptr);
    EXPECT_NE(dynamic_cast<Effect::MovieOutput*>(service.createEffect(L"映像再生").get()), nullptr);
    EXPECT_NE(dynamic_cast<Effect::SimpleOutput*>(service.createEffect(L"基本出力").get()), nullptr);
    EXPECT_NE(dynamic_cast<Effect::ParticleOutput*>(service.createEffect(L"パーティクル出力").get()), nullptr);
    EXPECT_NE(dynamic_cast<Effect::TempDraw*>(service.createEffect(L"オフスクリーン描画").get()), nullptr);
}

// A camera control's record: its view-projection puts frame-centred pixels
// on the frame with depth = z.
class TestCamera : public Effect::EffectBase, public Effect::CameraControlState {
public:
    TestCamera() : EffectBase(L"カメラ制御", Effect::EffectKind::Control, Effect::MediaKind::Video,
                              Effect::MediaKind::Video, L"") {
        viewProjectionMatrix = OutputTest::pixelsToClip(kSide, kSide);
    }
    std::shared_ptr<Effect::EffectBase> create() const override { return std::make_shared<TestCamera>(); }
};

// Under a camera the standard drawing keeps depth, and a billboard marks
// the object as drawn differently; the basic output leaves the camera out.
TEST_F(StandardOutputTest, CameraSpaceThroughTheContext) {
    auto camera = std::make_shared<Edit::Object>();
    camera->effectList.push_back(std::make_shared<TestCamera>());
    struct Case {
        const char* what;
        bool simple;
        int cameraMode;
        Box box;
        float depth;
    };
    const Case cases[] = {
        {"standard drawing", false, 0, {14, 14, 18, 18}, 0.5f},
        {"billboard", false, 3, {14, 14, 18, 18}, 0.5f},
        {"basic output scaled", true, 0, {12, 12, 20, 20}, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto frame = target();
        auto picture = image(4, 4);
        Render::ObjectContext context;
        if (c.simple) {
            Effect::SimpleOutput& output = place<Effect::SimpleOutput>(0, 10);
            output.scale.setValue(200, 0);
            context = contextAt(*frame, 0);
            context.view.cameraControl = camera;
            output.outputVideo(context, *frame, picture);
        } else {
            Effect::BasicOutput& output = place<Effect::VideoOutput>(0, 10);
            output.z.setValue(0.5, 0);
            context = contextAt(*frame, 0);
            context.view.cameraControl = camera;
            context.view.cameraMode = c.cameraMode;
            output.outputVideo(context, *frame, picture);
        }
        EXPECT_EQ(boxOf(read(*frame), kSide, kBackground), c.box);
        EXPECT_NEAR(pixel(*frame->getDepthBuffer(), 16, 16)[0], c.depth, 1e-4f);
        EXPECT_EQ(context.drawnDifferently, c.cameraMode != 0 ? 1 : 0);
    }
}

}  // namespace

