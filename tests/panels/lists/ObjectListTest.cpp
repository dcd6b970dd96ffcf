// Which objects the object list shows at the cursor frame, and the icon
// each row draws.
// The test kinds name Effect::EffectKind::Control unqualified: before the
// Control namespace of the rows.
#include "edit/command/CommandTestSupport.h"

#include "panels/lists/ObjectButtonControl.h"
#include "panels/lists/ObjectListComponent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Component::ObjectListComponent;
using Options = ObjectListComponent::DisplayOptions;
using Resource::BitmapList;

class ObjectListTest : public ::testing::Test, public CommandTest::Fixture {
protected:
    // An object whose chain begins with the effect, whatever its kind (the
    // edit commands make no chain that starts with an output).
    Edit::ObjectPointer placeBare(int layer, const wchar_t* effect) {
        Edit::EditScope scope(edit);
        scope.resortLayers = true;
        Edit::ObjectPointer object = scene().createEmptyObject(layer, 0, 9);
        object->effectList.push_back(registry.define(effect).prototype->create());
        return object;
    }

    // The layers of the listed objects, top first.
    std::vector<int> listed(const Options& options) {
        std::vector<int> layers;
        for (const Edit::ObjectPointer& object : ObjectListComponent::collectObjects(scene(), options))
            layers.push_back(object->layer);
        return layers;
    }
};

TEST_F(ObjectListTest, OneObjectPerLayerAtTheCursorTopLayerFirst) {
    EXPECT_TRUE(listed({}).empty());
    place(2, 0, 9);
    place(0, 5, 20);
    // Two objects on one layer: only the one covering the cursor.
    place(4, 0, 4);
    place(4, 5, 30);
    place(6, 11, 30);
    scene().cursorFrame = 5;
    EXPECT_EQ(listed({}), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(ObjectListComponent::collectObjects(scene(), {})[2]->start, 5);
    // Both ends of an object count; one frame after the end does not.
    scene().cursorFrame = 9;
    EXPECT_EQ(listed({}), (std::vector<int>{0, 2, 4}));
    scene().cursorFrame = 10;
    EXPECT_EQ(listed({}), (std::vector<int>{0, 4}));
}

TEST_F(ObjectListTest, TheFiltersGoByKindAndMedia) {
    place(0, 0, 9, EditTest::kFigure);       // input, video
    place(1, 0, 9, EditTest::kSound);        // input, audio
    place(2, 0, 9, EditTest::kMovie);        // input, video and audio
    place(3, 0, 9, EditTest::kBlur);         // filter, video
    place(4, 0, 9, EditTest::kVolume);       // filter, audio
    place(5, 0, 9, EditTest::kGroup);        // control, video
    place(6, 0, 9, EditTest::kCamera);       // control, camera
    placeBare(7, EditTest::kDraw);           // output: never listed
    placeBare(8, EditTest::kStrange);        // unknown kind: never listed
    const struct {
        Options options;
        std::vector<int> layers;
    } cases[] = {
        {{1, 1, 1, 1, 1}, {0, 1, 2, 3, 4, 5, 6}},
        {{1, 1, 1, 1, 0}, {3, 4, 5, 6}},
        {{1, 1, 1, 0, 1}, {0, 1, 2, 5, 6}},
        {{1, 1, 0, 1, 1}, {0, 1, 2, 3, 4}},
        // The camera control is an "audio" one: both its options needed.
        {{1, 0, 1, 1, 1}, {0, 2, 3, 5}},
        {{0, 1, 1, 1, 1}, {1, 4, 6}},
        {{0, 0, 1, 1, 1}, {}},
    };
    for (const auto& c : cases) {
        const Options& o = c.options;
        EXPECT_EQ(listed(o), c.layers) << o.video << o.audio << o.control << o.filter << o.media;
    }
}

TEST_F(ObjectListTest, RowIconsFollowTheFirstEffect) {
    const struct {
        const wchar_t* effect;
        bool clipping;
        BitmapList::Id icon;
    } cases[] = {
        {EditTest::kFigure, false, BitmapList::Picture},
        {EditTest::kFigure, true, BitmapList::ClipOn},
        {EditTest::kMovie, false, BitmapList::Film},
        {EditTest::kSound, false, BitmapList::Speaker},
        {EditTest::kCamera, false, BitmapList::CameraWhite},
        {EditTest::kGroup, false, BitmapList::LinkOn},
        {EditTest::kSceneChange, false, BitmapList::Gear},
        {EditTest::kBlur, false, BitmapList::Sparkle},
        {EditTest::kVolume, false, BitmapList::Gear},
        {EditTest::kDraw, false, BitmapList::Gear},
    };
    int layer = 0;
    for (const auto& c : cases) {
        Edit::ObjectPointer object = placeBare(layer++, c.effect);
        object->clipping = c.clipping;
        EXPECT_EQ(Component::ObjectButtonControl::iconOf(*object), c.icon) << c.effect << c.clipping;
    }
}

}  // namespace
