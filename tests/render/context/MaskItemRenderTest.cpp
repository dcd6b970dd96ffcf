// The mask item at render time: the time a scene mask is sampled at, and
// the pictures of the pass's temporary images, figures and scenes.
#include "core/base/Singleton.h"
#include "edit/service/EditService.h"
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemMaskSelect.h"
#include "render/context/ObjectContext.h"
#include "render/service/ResourceCache.h"

#include "media/GpuFixture.h"

#include <gtest/gtest.h>

namespace {

class MaskItemRenderTest : public MediaTest::GpuTest {
protected:
    MaskItemRenderTest() {
        own = edit.getInstance()->project.getOrCreateScene(0).get();
        own->videoRate = 30;
        own->videoScale = 1;
        own->width = 64;
        own->height = 36;
        context.scene = own;
        context.cache = &cache;
    }
    void at(double time) {
        context.frame = static_cast<int>(time);
        context.time = time;
        context.setObjectFrames(object);
    }

    System::Singleton<Edit::EditService> edit;
    Edit::Scene* own = nullptr;
    Effect::ObjectFrames object{0, 120, {}};
    Render::ResourceCache cache{1 << 20};
    Render::ObjectContext context;
    Effect::ItemList items;
    Effect::EffectItemSelect::SharedList figures;
    Effect::EffectItemCheck fit{items, L"シーンの長さを合わせる"};
    Effect::EffectItemMaskSelect mask{items, L"マスクの種類", figures, &fit};
};

TEST_F(MaskItemRenderTest, SceneTimeIsSecondsIntoTheObjectOrTheWholeSceneStretchedOverIt) {
    Edit::Scene& referenced = *edit.getInstance()->project.getOrCreateScene(1);
    referenced.videoRate = 30;
    referenced.videoScale = 1;
    referenced.totalLength = 60;
    mask.scene = 1;
    mask.figure = -1;
    at(45);
    EXPECT_DOUBLE_EQ(mask.getSceneTime(context), 1.5);
    fit.value = true;
    EXPECT_DOUBLE_EQ(mask.getSceneTime(context), (61.0 / 30) * 1.5 / (121.0 / 30));
    // A scene the project does not hold is sampled like an unfitted one.
    mask.scene = 7;
    EXPECT_DOUBLE_EQ(mask.getSceneTime(context), 1.5);
    // Without a scene the fit check does nothing.
    mask.scene = -1;
    object.start = 15;
    at(45);
    EXPECT_DOUBLE_EQ(mask.getSceneTime(context), 1.0);
}

TEST_F(MaskItemRenderTest, PicturesComeFromThePassTheFigureOrNowhere) {
    at(0);
    auto shape = std::make_shared<Media::ResourceBuffer>(6u, 4u);
    const float green[4] = {0, 1, 0, 1};
    shape->clear(green);
    cache.add("shape", shape, 24);

    mask.figure = -1;
    mask.path = L"*shape";
    std::unique_ptr<Media::ResourceBuffer> copy = mask.getMaskImage(context, 10, 10);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.get(), shape.get());
    EXPECT_EQ(copy->getWidth(), 6u);
    MediaTest::expectNear(pixel(*copy, 5, 3), {0, 1, 0, 1});
    mask.path = L"*missing";
    EXPECT_FALSE(mask.getMaskImage(context, 10, 10));

    // The root scene never masks.
    mask.path.clear();
    mask.scene = 0;
    EXPECT_FALSE(mask.getMaskImage(context, 10, 10));

    // A figure is drawn at the asked size in opaque white; the background
    // figure (0) takes the frame's size.
    mask.scene = -1;
    mask.figure = 0;
    std::unique_ptr<Media::ResourceBuffer> background = mask.getMaskImage(context, 16, 12);
    ASSERT_TRUE(background);
    EXPECT_EQ(background->getWidth(), 64u);
    EXPECT_EQ(background->getHeight(), 36u);
    mask.figure = 2;
    std::unique_ptr<Media::ResourceBuffer> figure = mask.getMaskImage(context, 16, 12);
    ASSERT_TRUE(figure);
    EXPECT_EQ(figure->getWidth(), 16u);
    EXPECT_EQ(figure->getHeight(), 12u);
    MediaTest::expectNear(pixel(*figure, 8, 6), {1, 1, 1, 1});
}

}  // namespace
