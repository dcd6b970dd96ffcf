// The object render context: section positions as objects are switched,
// the filter-object and group-control lists, and the order in which the
// listed objects' effects run.
#include "render/context/ObjectContext.h"

#include "platform/gl/DxgiFormat.h"
#include "render/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace {

using RenderTest::calls;
using Strings = std::vector<std::string>;

class ObjectContextTest : public ::testing::Test, public RenderTest::SceneFixture {
protected:
    Render::ObjectContext contextFor(const Edit::ObjectPointer& object, int frame) {
        Render::ObjectContext context;
        context.scene = &scene;
        context.layer = object->layer;
        context.frame = frame;
        context.time = frame;
        context.setObject(object);
        return context;
    }
    // A picture without a texture: filters here only pass it on.
    static std::unique_ptr<Media::ResourceBuffer> picture() {
        return std::make_unique<Media::ResourceBuffer>(0u, 0u, DXGI_FORMAT_R16G16B16A16_FLOAT);
    }
    static std::vector<int> layersOf(const Render::ObjectContext& context) {
        std::vector<int> layers;
        for (const auto& object : *context.filterObjects) layers.push_back(object->layer);
        return layers;
    }
};

TEST_F(ObjectContextTest, SectionPositionOfTheCurrentObject) {
    Edit::ObjectPointer object = place(RenderTest::kImage, 0, 100, 140, "a");
    object->boundaries = {10, 25};
    Render::ObjectContext context = contextFor(object, 112);
    EXPECT_EQ(context.sectionPosition.index, 1);
    EXPECT_EQ(context.sectionPosition.count, 3);
    EXPECT_DOUBLE_EQ(context.sectionPosition.offset, 2.0);
    EXPECT_EQ(context.sectionPosition.length, 15);
    EXPECT_DOUBLE_EQ(context.sectionPosition.position, 0.3);

    // A boundary opens the next section; a time control's fraction counts.
    context.frame = 110;
    context.time = 110.5;
    context.updateSectionPosition();
    EXPECT_EQ(context.sectionPosition.index, 1);
    EXPECT_DOUBLE_EQ(context.sectionPosition.offset, 0.5);

    Edit::ObjectPointer single = place(RenderTest::kImage, 1, 50, 50, "b");
    context = contextFor(single, 50);
    EXPECT_EQ(context.sectionPosition.length, 1);
    EXPECT_DOUBLE_EQ(context.sectionPosition.position, 0.0);
}

TEST_F(ObjectContextTest, FilterObjectsFollowUntilAnObjectThatIsNoFilter) {
    Edit::ObjectPointer image = place(RenderTest::kImage, 3, 0, 10, "img");
    place(RenderTest::kBlur, 4, 0, 10, "f4");
    place(RenderTest::kBlur, 6, 0, 10, "f6");
    place(RenderTest::kBlur, 8, 0, 10, "f8");
    place(RenderTest::kText, 7, 0, 10, "text");
    Render::ObjectContext context = contextFor(image, 5);
    context.collectFilterObjects(Effect::MediaKind::Video);
    EXPECT_EQ(layersOf(context), (std::vector<int>{3, 4, 6}));

    // A hidden layer is passed over, and so is an object of another media.
    scene.getLayerObjectListGrow(4).layer->hide = true;
    place(RenderTest::kSound, 5, 0, 10, "snd");
    context.collectFilterObjects(Effect::MediaKind::Video);
    EXPECT_EQ(layersOf(context), (std::vector<int>{3, 6}));

    // Outside its frames a filter object is an empty layer.
    place(RenderTest::kText, 5, 20, 30, "late");
    context.collectFilterObjects(Effect::MediaKind::Video);
    EXPECT_EQ(layersOf(context), (std::vector<int>{3, 6}));
}

TEST_F(ObjectContextTest, GroupControlsWithFiltersJoinInnerFirst) {
    Edit::ObjectPointer outer = place(RenderTest::kGroup, 0, 0, 10, "outer");
    Edit::ObjectPointer middle = place(RenderTest::kGroup, 1, 0, 10, "middle");
    Edit::ObjectPointer inner = place(RenderTest::kGroup, 2, 0, 10, "inner");
    addFilter(*outer, RenderTest::kShade, "outerShade");
    addFilter(*inner, RenderTest::kShade, "innerShade");
    dynamic_cast<RenderTest::Group&>(*middle->effectList.front()).parentLayer = 0;
    dynamic_cast<RenderTest::Group&>(*inner->effectList.front()).parentLayer = 1;
    Edit::ObjectPointer image = place(RenderTest::kImage, 3, 0, 10, "img");

    Render::ObjectContext context = contextFor(image, 5);
    context.view.groupControl = inner;
    context.collectFilterObjects(Effect::MediaKind::Video);
    context.collectGroupControls();
    // The middle group has no filter and is passed; the chain goes on.
    EXPECT_EQ(layersOf(context), (std::vector<int>{3, 2, 0}));

    // A hidden layer ends the chain.
    scene.getLayerObjectListGrow(1).layer->hide = true;
    context.collectFilterObjects(Effect::MediaKind::Video);
    context.collectGroupControls();
    EXPECT_EQ(layersOf(context), (std::vector<int>{3, 2}));
}

TEST_F(ObjectContextTest, FiltersRunPerListedObjectWithItsOwnSectionPosition) {
    Edit::ObjectPointer image = place(RenderTest::kImage, 0, 0, 10, "img");
    addFilter(*image, RenderTest::kBlur, "imgBlur");
    Edit::ObjectPointer filter = place(RenderTest::kBlur, 1, 0, 20, "f1");
    filter->boundaries = {3};
    addFilter(*filter, RenderTest::kShade, "f1Shade");
    Render::ObjectContext context = contextFor(image, 5);
    context.collectFilterObjects(Effect::MediaKind::Video);

    calls().clear();
    context.filterVideo(picture());
    // The filter object is made current with its own section position; the
    // layer stays the context's.
    EXPECT_EQ(calls(), (Strings{"imgBlur.3:filter@0/s0", "f1.3:filter@0/s1", "f1Shade.3:filter@0/s1"}));
    EXPECT_EQ(context.object, image);
    EXPECT_EQ(context.sectionPosition.index, 0);

    // After a given effect only the later ones run.
    calls().clear();
    context.filterVideo(picture(), filter->effectList.front().get());
    EXPECT_EQ(calls(), (Strings{"f1Shade.3:filter@0/s1"}));

    // A disabled filter is skipped, and an empty picture ends the run.
    calls().clear();
    image->effectList[2]->disable = true;
    dynamic_cast<RenderTest::Blur&>(*filter->effectList.front()).dropPicture = true;
    context.filterVideo(picture());
    EXPECT_EQ(calls(), (Strings{"f1.3:filter@0/s1"}));
}

TEST_F(ObjectContextTest, OutputAndViewComeFromTheFirstListedObject) {
    Edit::ObjectPointer image = place(RenderTest::kImage, 0, 0, 10, "img");
    Render::ObjectContext context = contextFor(image, 5);
    // Without a list nothing is drawn.
    std::unique_ptr<Media::ResourceBuffer> none;
    context.outputVideo(none);
    EXPECT_TRUE(calls().empty());

    context.collectFilterObjects(Effect::MediaKind::Video);
    context.view.x = 7;
    EXPECT_EQ(context.getOutputView().x, 7);
    EXPECT_EQ(calls(), (Strings{"img.2:view@0/s0"}));

    Edit::ObjectPointer group = place(RenderTest::kGroup, 1, 0, 10, "grp");
    Render::ObjectContext control = contextFor(group, 5);
    control.getOutputView();
    EXPECT_EQ(calls().back(), "grp.4:view@1/s0");
}

}  // namespace
