// Two render-like readers walk the project under read scopes, back to back,
// while the user-interface thread runs a thousand edit scopes that pass the
// model through inconsistent states. The readers must never see one, and
// every edit must get its turn.
#include "edit/scope/EditReadScope.h"
#include "edit/scope/EditScope.h"
#include "edit/scope/ScopeTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using EditTest::kFigure;

constexpr int kLayers = 4;
constexpr int kObjectsPerLayer = 5;
constexpr int kEdits = 1000;

// What the readers check: on every layer the objects are sorted by start,
// each one spans ten frames, and the starts of the scene add up to the
// figure the scene was built with.
struct Walk {
    long long startSum = 0;
    std::string fault;
};

Walk walk(const Edit::Scene& scene) {
    Walk result;
    for (int k = 0; k < scene.getLayerCount(); ++k) {
        const auto& objects = scene.getLayerObjectList(k).objects;
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const Edit::Object& object = *objects[i];
            result.startSum += object.start;
            if (object.end - object.start != 9) result.fault = "torn object";
            if (object.layer != k) result.fault = "object on a wrong layer";
            if (i > 0 && objects[i - 1]->start > object.start) result.fault = "unsorted layer";
        }
    }
    return result;
}

class Stress : public ::testing::Test, public ScopeTest::Fixture {
protected:
    // Objects at 0, 100, 200 ... on every layer of scenes 0 and 1.
    long long build(int sceneId) {
        Edit::EditScope scope(edit);
        edit.setCurrentScene(sceneId);
        for (int k = 0; k < kLayers; ++k)
            for (int i = 0; i < kObjectsPerLayer; ++i) scene().createObject(kFigure, k, i * 100, i * 100 + 9);
        scope.resortLayers = true;
        long long sum = 0;
        for (int i = 0; i < kObjectsPerLayer; ++i) sum += kLayers * i * 100;
        return sum;
    }
};

TEST_F(Stress, ReadersNeverSeeAHalfDoneEditAndEditsAreNotStarved) {
    const long long expectedSum = build(1);
    ASSERT_EQ(build(0), expectedSum);

    std::atomic<bool> done{false};
    std::atomic<int> readersStarted{0};
    std::vector<std::string> faults(2);
    std::vector<long long> walks(2, 0);
    std::vector<std::thread> readers;
    for (int r = 0; r < 2; ++r) {
        readers.emplace_back([&, r] {
            bool counted = false;
            while (!done.load()) {
                Edit::EditReadScope read(edit);
                const Walk result = walk(*read.scene);
                if (!result.fault.empty() && faults[r].empty()) faults[r] = result.fault;
                if (result.startSum != expectedSum && faults[r].empty())
                    faults[r] = "start sum " + std::to_string(result.startSum);
                ++walks[r];
                if (!counted) {
                    counted = true;
                    ++readersStarted;
                }
            }
        });
    }
    while (readersStarted.load() < 2) std::this_thread::yield();

    // Each edit moves one object forward and another back by the same
    // amount, through states that break every invariant above, and now and
    // then switches the current scene.
    int completed = 0;
    for (int n = 0; n < kEdits; ++n) {
        Edit::EditScope scope(edit);
        Edit::Scene& s = *scope.scene;
        const int layerA = n % kLayers;
        const int layerB = (n + 1) % kLayers;
        const Edit::ObjectPointer a = s.getLayerObjectList(layerA).objects[n % kObjectsPerLayer];
        const Edit::ObjectPointer b = s.getLayerObjectList(layerB).objects[(n + 2) % kObjectsPerLayer];
        const int shift = 1000 + n;
        a->start += shift;
        std::this_thread::yield();
        b->start -= shift;
        a->end += shift;
        b->end -= shift;
        s.getLayerObjectListGrow(layerA).sortNeeded = true;
        s.getLayerObjectListGrow(layerB).sortNeeded = true;
        scope.resortLayers = true;
        if (n % 50 == 49) edit.setCurrentScene(edit.project.currentSceneId == 0 ? 1 : 0);
        ++completed;
    }
    done = true;
    for (std::thread& reader : readers) reader.join();

    EXPECT_EQ(completed, kEdits);
    EXPECT_EQ(faults[0], "");
    EXPECT_EQ(faults[1], "");
    EXPECT_GT(walks[0], 0);
    EXPECT_GT(walks[1], 0);
}

}  // namespace
