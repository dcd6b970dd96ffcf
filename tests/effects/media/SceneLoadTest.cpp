#include "effects/media/SceneLoad.h"

#include "core/base/Singleton.h"
#include "edit/model/Scene.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/image/ImageBuffer.h"
#include "render/cache/CacheService.h"
#include "render/cache/SceneSource.h"

#include "effects/EffectsTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

using namespace EffectsTest;

// Scenes whose rendered frame n is red n × 10 / 255.
class NestedScenes : public Cache::SceneSource {
public:
    NestedScenes() { Cache::setSceneSource(this); }
    ~NestedScenes() override { Cache::setSceneSource(nullptr); }
    Edit::Scene* getScene(int id) const override {
        const auto it = scenes.find(id);
        return it == scenes.end() ? nullptr : it->second.get();
    }
    void createSceneImage(Edit::Scene&, int frame, ImageDone done) override {
        auto picture = Media::ImageBuffer::create(87, 2, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                std::uint8_t* p = picture->pixels.data + y * picture->pitch + x * 4;
                p[0] = 0;
                p[1] = 0;
                p[2] = static_cast<std::uint8_t>(frame * 10);
                p[3] = 255;
            }
        done(picture);
    }
    void createSceneAudioBlock(Edit::Scene&, int, AudioDone done) override { done(nullptr); }
    bool isBusy() const override { return false; }

    std::map<int, std::unique_ptr<Edit::Scene>> scenes;
};

class SceneObject : public EffectGpuTest {
protected:
    SceneObject() {
        parent.videoRate = 10;
        lone.context.scene = &parent;
        lone.frames.end = 59;
        // Scene 2: 20 frames at 10 fps, two seconds.
        auto nested = std::make_unique<Edit::Scene>(2, 2);
        nested->videoRate = 10;
        nested->videoScale = 1;
        nested->totalLength = 19;
        nested->name = L"中身";
        scenes.scenes[2] = std::move(nested);
    }
    int shownAt(Effect::SceneLoad& effect, int frame) {
        lone.context.frame = frame;
        lone.context.time = frame;
        lone.context.updateSectionPosition();
        // As the walk does: the preload starts the render the input takes.
        effect.preloadVideo(lone.context);
        std::unique_ptr<Media::ResourceBuffer> picture;
        effect.inputVideo(picture, lone.context);
        if (!picture) return -1;
        return static_cast<int>(std::lround(pixel(*picture, 0, 0)[0] * 255.0f / 10.0f));
    }

    Edit::Scene parent{1, 1};
    NestedScenes scenes;
    LoneObjectContext lone;
    System::Singleton<Cache::CacheService> cache;
};

TEST_F(SceneObject, TheNestedSceneIsShownAtTheComputedFrame) {
    Effect::SceneLoad effect;
    EXPECT_EQ(shownAt(effect, 0), -1);  // no scene chosen
    effect.scene.value = 2;
    ASSERT_TRUE(effect.updateMediaInfo());
    EXPECT_DOUBLE_EQ(effect.getMediaInfo().length, 2.0);
    struct Case {
        double speed;
        bool loop;
        int frame;
        int shown;
    };
    for (const Case& k : {Case{100, false, 7, 7}, Case{200, false, 5, 10}, Case{-100, false, 5, 15},
                          Case{100, true, 25, 5}}) {
        SCOPED_TRACE(testing::Message() << k.speed << " " << k.frame);
        effect.speed.setValue(k.speed, 0);
        effect.loop.value = k.loop;
        EXPECT_EQ(shownAt(effect, k.frame), k.shown);
    }
}

TEST_F(SceneObject, EditsOfTheSceneShowAtOnceAndAMissingSceneShowsNothing) {
    Effect::SceneLoad effect;
    effect.scene.value = 2;
    EXPECT_STREQ(effect.getDisplayName(), L"中身");
    EXPECT_EQ(effect.getTrackCount(0), 1);
    EXPECT_EQ(effect.getTrackCount(1), 0);
    EXPECT_EQ(shownAt(effect, 25), 20);  // held at the range end, two seconds
    scenes.scenes[2]->totalLength = 29;  // the scene grew to three seconds
    EXPECT_EQ(shownAt(effect, 25), 25);
    scenes.scenes[2]->name.clear();
    EXPECT_STREQ(effect.getDisplayName(), L"シーン");

    Effect::EffectEvent changed;
    changed.code = Effect::EffectEvent::ItemChanged;
    changed.item = &effect.scene;
    effect.scene.value = 9;
    EXPECT_FALSE(effect.effectEvent(changed));
    EXPECT_EQ(shownAt(effect, 3), -1);
    effect.scene.value = 2;
    EXPECT_TRUE(effect.effectEvent(changed));
}

}  // namespace
