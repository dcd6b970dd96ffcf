#pragma once
// A scene of empty objects placed straight on its layer table, for the
// object area's geometry, snapping and fitting.
#include "edit/EditTestSupport.h"

#include <vector>

namespace TimelineTest {

class SceneFixture {
public:
    Edit::ObjectPointer place(int layer, int start, int end, std::vector<int> boundaries = {},
                              bool selected = false) {
        Edit::ObjectPointer object = scene.createEmptyObject(layer, start, end);
        object->boundaries = std::move(boundaries);
        object->selected = selected;
        scene.updateLayerObject();
        return object;
    }

    EditTest::Registry registry;
    Edit::Scene scene{0, 0, &registry.service};
};

}  // namespace TimelineTest
