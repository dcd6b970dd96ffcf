#include "edit/model/LayerObjectManager.h"

#include "edit/EditTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace EditTest;
using Edit::ObjectPointer;

class Layers : public ::testing::Test {
protected:
    Registry registry;
    Edit::LayerObjectManager table{&registry.service};

    ObjectPointer place(int layer, int start, int end, std::vector<int> boundaries = {}) {
        ObjectPointer& object = table.createEmptyObject(layer, start, end);
        object->boundaries = std::move(boundaries);
        return object;
    }
    // start-end of every object of a layer, in list order.
    std::vector<std::pair<int, int>> ranges(int layer) const {
        std::vector<std::pair<int, int>> list;
        for (const ObjectPointer& object : table.getLayerObjectList(layer).objects) {
            EXPECT_EQ(object->layer, layer);
            list.emplace_back(object->start, object->end);
        }
        return list;
    }
};

TEST_F(Layers, NearestObjectAndObjectAtFrame) {
    place(0, 19, 25);
    place(0, 5, 12);
    place(1, 5, 12);
    place(1, 18, 25);
    table.updateLayerObject();
    const Edit::LayerObjectList& layer = table.getLayerObjectList(0);
    const Edit::LayerObjectList& tie = table.getLayerObjectList(1);
    struct Case {
        const Edit::LayerObjectList* list;
        int a, b, start;  // start of the object found, -1 for none
    };
    const Case cases[] = {
        {&layer, 10, 20, 5},   // middle 15: end 12 is 3 away, start 19 is 4
        {&tie, 10, 20, 5},     // 3 and 3: the earlier wins
        {&layer, 16, 30, 19},  // only the second overlaps
        {&layer, 13, 18, -1},  // the gap
        {&layer, 26, 40, -1},
        {&layer, -10, 4, -1},
        {&layer, 0, 100, 19},  // middle 50: 25 is nearer than 12
    };
    for (const Case& c : cases) {
        const ObjectPointer& found = c.list->findNearestObject(c.a, c.b);
        EXPECT_EQ(found ? found->start : -1, c.start) << c.a << ".." << c.b;
    }
    EXPECT_EQ(layer.getObjectAtFrame(12)->start, 5);
    EXPECT_EQ(layer.getObjectAtFrame(19)->start, 19);
    EXPECT_EQ(&layer.getObjectAtFrame(15), &Edit::LayerObjectList::emptyObject());
    EXPECT_EQ(&table.getLayerObjectList(7).getObjectAtFrame(0), &Edit::LayerObjectList::emptyObject());
    EXPECT_EQ(table.getLayerObjectList(-1).getIndex(), -1);
    EXPECT_EQ(table.getLayerObjectList(99).getIndex(), -1);
}

TEST_F(Layers, UpdatingSortsReindexesAndMeasures) {
    place(2, 50, 60);
    const ObjectPointer moved = place(2, 10, 20);
    place(0, 0, 5);
    table.updateLayerObject();
    EXPECT_EQ(ranges(2), (std::vector<std::pair<int, int>>{{10, 20}, {50, 60}}));
    EXPECT_EQ(std::tie(table.lastLayer, table.totalLength), std::tuple(2, 60));

    table.moveObjectLayer(moved, 4);
    table.updateLayerObject();
    EXPECT_EQ(ranges(2), (std::vector<std::pair<int, int>>{{50, 60}}));
    EXPECT_EQ(ranges(4), (std::vector<std::pair<int, int>>{{10, 20}}));
    EXPECT_EQ(table.lastLayer, 4);

    table.clearLayer();
    EXPECT_EQ(moved->layer, -1);
    EXPECT_EQ(table.getLayerCount(), 1);
    EXPECT_EQ(std::tie(table.lastLayer, table.totalLength), std::tuple(0, 0));
}

TEST_F(Layers, DeletingInsertingAndMovingLayersRenumbersObjects) {
    std::vector<ObjectPointer> objects;
    for (int k = 0; k < 5; ++k) objects.push_back(place(k, k * 10, k * 10 + 5));
    for (int k = 0; k < 5; ++k) table.getLayerObjectListGrow(k).layer->name = L"L" + std::to_wstring(k);
    table.updateLayerObject();
    const std::shared_ptr<Edit::Layer> deletedSettings = table.getLayerObjectList(2).layer;

    const std::shared_ptr<Edit::Layer> fresh = table.deleteLayer(2);
    EXPECT_EQ(objects[2]->layer, -1);
    EXPECT_EQ(deletedSettings->index, -1);
    EXPECT_EQ(std::tie(objects[3]->layer, objects[4]->layer), std::tuple(2, 3));
    EXPECT_EQ(table.getLayerObjectList(2).layer->name, L"L3");
    EXPECT_EQ(table.getLayerObjectList(3).layer->name, L"L4");
    EXPECT_EQ(table.getLayerObjectList(4).layer, fresh);
    EXPECT_EQ(std::tie(fresh->index, fresh->name), std::tuple(4, std::wstring()));
    EXPECT_TRUE(table.getLayerObjectList(4).objects.empty());
    EXPECT_EQ(ranges(3), (std::vector<std::pair<int, int>>{{40, 45}}));  // content kept
    table.updateLayerObject();
    EXPECT_EQ(table.lastLayer, 3);

    // Undo of the delete: the old settings come back at 2, the rest moves down.
    table.insertLayer(2, deletedSettings);
    EXPECT_EQ(table.getLayerObjectList(2).layer, deletedSettings);
    EXPECT_EQ(deletedSettings->index, 2);
    EXPECT_EQ(std::tie(objects[3]->layer, objects[4]->layer), std::tuple(3, 4));
    EXPECT_EQ(table.getLayerObjectList(3).layer->name, L"L3");
    EXPECT_EQ(table.getLayerObjectList(3).layer->index, 3);

    // Moves step by step; impossible moves change nothing.
    EXPECT_FALSE(table.moveLayer(3, 3));
    EXPECT_FALSE(table.moveLayer(-1, 2));
    EXPECT_FALSE(table.moveLayer(1, 9));
    EXPECT_FALSE(table.moveLayer(9, 1));
    EXPECT_TRUE(table.moveLayer(4, 0));
    EXPECT_EQ(objects[4]->layer, 0);
    EXPECT_EQ(objects[0]->layer, 1);
    EXPECT_EQ(objects[3]->layer, 4);
    for (int k = 0; k < table.getLayerCount(); ++k) EXPECT_EQ(table.getLayerObjectList(k).getIndex(), k);

    // Deleting past the used layers leaves the others in place.
    table.updateLayerObject();
    table.deleteLayer(7);
    EXPECT_EQ(objects[3]->layer, 4);
}

TEST_F(Layers, FittingStopsAtTheNeighbours) {
    place(0, 0, 5);
    place(0, 30, 40);
    const ObjectPointer object = place(0, 10, 20);
    table.updateLayerObject();
    struct Case {
        int length;
        bool fromEnd;
        int start, end;
    };
    // Each case starts from 10..20.
    for (const Case& c : {Case{30, false, 10, 29}, Case{5, false, 10, 14}, Case{1, false, 10, 10}}) {
        object->start = 10, object->end = 20;
        table.fitObjectLength(*object, c.length, c.fromEnd);
        EXPECT_EQ(std::tie(object->start, object->end), std::tie(c.start, c.end)) << c.length;
    }
    object->start = 10, object->end = 20;
    table.fitObjectLength(*object, 30, true);  // grows to the previous object's end + 1
    EXPECT_EQ(std::tie(object->start, object->end), std::tuple(6, 20));
    table.fitObjectLength(*object, 5, true);
    EXPECT_EQ(std::tie(object->start, object->end), std::tuple(16, 20));
    object->boundaries = {2};
    table.fitObjectLength(*object, 30, false);
    EXPECT_EQ(std::tie(object->start, object->end), std::tuple(16, 20));
}

TEST_F(Layers, LengthsScaleBoundariesAndStopBeforeTheNextObject) {
    const ObjectPointer object = place(0, 0, 99, {25, 50});
    place(0, 200, 210);
    table.updateLayerObject();
    table.setObjectLength(*object, 51);  // x = 50 / 99
    EXPECT_EQ(object->boundaries, (std::vector<int>{12, 25}));
    EXPECT_EQ(object->end, 50);
    table.setObjectLength(*object, 1000);  // up to frame 199
    EXPECT_EQ(object->end, 199);
    EXPECT_EQ(object->boundaries, (std::vector<int>{47, 99}));  // x = 199 / 50 = 3.98
    table.setObjectLength(*object, 2);  // boundaries keep one frame each
    EXPECT_EQ(object->boundaries, (std::vector<int>{1, 2}));
    EXPECT_EQ(object->end, 3);

    const ObjectPointer plain = place(1, 10, 20);
    table.setObjectLength(*plain, 1);
    EXPECT_EQ(plain->end, 11);  // never shorter than two frames
}

TEST_F(Layers, SectionLengthsMoveTheLaterKeyFrames) {
    const ObjectPointer object = place(0, 0, 99, {25, 50});
    place(0, 120, 130);
    table.updateLayerObject();
    table.setSectionLength(*object, 1, 10);
    EXPECT_EQ(object->boundaries, (std::vector<int>{25, 35}));
    EXPECT_EQ(object->end, 84);
    table.setSectionLength(*object, 2, 49);  // the last section's own length
    EXPECT_EQ(object->end, 84);
    table.setSectionLength(*object, 2, 50);
    EXPECT_EQ(object->end, 85);
    table.setSectionLength(*object, 0, 100);  // stops before frame 120
    EXPECT_EQ(object->boundaries, (std::vector<int>{59, 69}));
    EXPECT_EQ(object->end, 119);
    table.setSectionLength(*object, 1, 0);  // a section keeps one frame
    EXPECT_EQ(object->boundaries, (std::vector<int>{59, 60}));
}

TEST_F(Layers, CreatingObjectsFromEffects) {
    const ObjectPointer object = table.createObject(kSound, 2, 0, 9);
    EXPECT_EQ(chainNames(*object), (std::vector<std::wstring>{kSound, kPlay}));
    EXPECT_EQ(object->layer, 2);
    EXPECT_EQ(EffectTest::errorOf([&] { table.createObject(L"無い効果", 2, 20, 29); }),
              "not found effect.\n\n[Note]\n無い効果\n\n[Place]\nEffect::EffectService::findEffect()");
    EXPECT_EQ(EffectTest::errorOf([&] { table.createObject(kCameraInput, 2, 20, 29); }),
              EffectTest::programError("invalid input effect type.", "Effect::EffectService::getOutputEffect"));
    EXPECT_EQ(table.getLayerObjectList(2).objects.size(), 1u);
}

TEST_F(Layers, ControlObjectsGovernTheFollowingLayers) {
    const ObjectPointer group = table.createObject(kGroup, 1, 10, 20);
    static_cast<GroupControl&>(*group->effectList[0]).layerRange = 2;
    const ObjectPointer camera = table.createObject(kCamera, 0, 30, 40);  // all following layers
    table.createObject(kSceneChange, 0, 50, 60);  // governs no range
    table.updateLayerObject();
    ASSERT_TRUE(camera->layerRangeControl);
    const auto governed = [&](int layer, int from, int to) {
        std::vector<std::tuple<int, int, bool>> list;
        table.enumControlObject(layer, from, to, [&](int s, int e, bool last) { list.emplace_back(s, e, last); });
        return list;
    };
    using List = std::vector<std::tuple<int, int, bool>>;
    EXPECT_EQ(governed(2, 0, 100), (List{{30, 40, false}, {10, 20, false}}));
    EXPECT_EQ(governed(3, 0, 100), (List{{30, 40, false}, {10, 20, true}}));
    EXPECT_EQ(governed(4, 0, 100), (List{{30, 40, false}}));
    EXPECT_EQ(governed(3, 21, 29), List{});
    EXPECT_EQ(governed(3, 20, 20), (List{{10, 20, true}}));
    EXPECT_EQ(governed(1, 0, 100), (List{{30, 40, false}}));
    EXPECT_EQ(governed(0, 0, 100), List{});
}

}  // namespace
