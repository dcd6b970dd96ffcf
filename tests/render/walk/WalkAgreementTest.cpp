// Picture and sound agree on which layers a time control governs: one
// scene rendered through the video walk and the audio walk.
#include "render/audio/AudioWalkFixture.h"
#include "render/walk/WalkFixture.h"

#include <gtest/gtest.h>

namespace {

using WalkTest::Rgba;

const Rgba kRed{1, 0, 0, 1};
const Rgba kBlue{0, 0, 1, 1};

class WalkAgreementTest : public WalkTest::WalkFixture {
protected:
    WalkAgreementTest() {
        service.registerEffect<AudioTest::Signal>();
        service.registerEffect<Effect::AudioOutput>();
        scene().audioRate = 3000;  // 100 samples a frame
    }

    // A sound on one side only.
    void placeSound(int layer, int pan) {
        Edit::ObjectPointer object = scene().createObject(AudioTest::kSoundFile, layer, 0, 5);
        scene().updateLayerObject();
        dynamic_cast<Effect::AudioOutput&>(*object->effectList.at(1)).pan.setValue(pan, 0);
    }

    std::vector<std::vector<float>> renderSound(int frame) {
        std::promise<std::vector<std::vector<float>>> result;
        audio.requestRenderingFrame(Render::RenderTaskType::OneShot, frame, [&](int, Media::AudioBuffer& buffer) {
            result.set_value({AudioTest::plane(buffer, 0), AudioTest::plane(buffer, 1)});
        });
        return result.get_future().get();
    }

    static bool sounds(const std::vector<float>& side) {
        for (float v : side)
            if (v != 0.0f) return true;
        return false;
    }

    Render::RenderAudioWorker audio{&edit};
};

// A time control on layer 0 moves the frame by 20; every object lies in
// frames 0..5, so a governed layer shows and sounds nothing at frame 0.
// Layers 1 and 3 hold pictures (red, blue), layers 2 and 4 sounds (right,
// left).
TEST_F(WalkAgreementTest, PictureAndSoundSeeTheSameLayersPastATimeControl) {
    Edit::ObjectPointer control = scene().createObject(WalkTest::kTime, 0, 0, 100);
    scene().updateLayerObject();
    auto& time = dynamic_cast<WalkTest::TimeShift&>(*control->effectList[0]);
    time.shift = 20;
    place(1, 0, 5).first->color = kRed;
    placeSound(2, 100);
    auto [blue, blueDraw] = place(3, 0, 5);
    blue->color = kBlue;
    blueDraw->x.setValue(10, 0);
    placeSound(4, -100);

    struct Case {
        const char* name;
        bool layerRange;
        int range;
        int lastGoverned;
    } cases[] = {
        // Without the layer-range flag it governs its own layer only.
        {"own layer only", false, 3, 0},
        {"two layers", true, 2, 2},
        {"three layers", true, 3, 3},
        {"all layers", true, 0, 1000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control->layerRangeControl = c.layerRange;
        time.range = c.range;
        const std::vector<Rgba> pixels = render(0);
        const auto sound = renderSound(0);
        ASSERT_EQ(sound[0].size(), 100u);
        const bool shown1 = at(pixels, 32, 18)[0] > 0.5f;
        const bool shown3 = at(pixels, 42, 18)[2] > 0.5f;
        EXPECT_EQ(shown1, c.lastGoverned < 1);
        EXPECT_EQ(sounds(sound[1]), c.lastGoverned < 2);
        EXPECT_EQ(shown3, c.lastGoverned < 3);
        EXPECT_EQ(sounds(sound[0]), c.lastGoverned < 4);
    }
}

}  // namespace
