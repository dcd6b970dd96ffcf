#include "plugin/output/OutputFile.h"

#include "plugin/output/OutputTestSupport.h"

#include <gtest/gtest.h>

namespace {

class PlainFile : public Plugin::OutputFile {
public:
    using OutputFile::OutputFile;
    bool save() override { return true; }
};

TEST(OutputRange, FromSceneAndSelection) {
    struct Case {
        int last, selStart, selEnd, rate, scale, audioRate;
        int start, count;
        std::int64_t startSample, sampleCount;
    };
    const Case cases[] = {
        {99, -1, -1, 30, 1, 48000, 0, 100, 0, 160000},
        {99, 30, 89, 30, 1, 48000, 30, 60, 48000, 96000},
        {99, 90, 500, 30, 1, 48000, 90, 10, 144000, 16000},   // end clamped to the last frame
        {99, 5, 3, 30, 1, 48000, 5, -1, 8000, -1600},         // end before start: nothing to write
        {99, -1, 20, 30, 1, 48000, 0, 100, 0, 160000},        // half a selection is none
        {9, 1, 2, 30000, 1001, 44100, 1, 2, 1471, 2943},      // 1471.47 and 2942.94 to the nearest
    };
    for (const Case& c : cases) {
        Plugin::OutputSceneInfo scene;
        scene.lastFrame = c.last;
        scene.selectionStart = c.selStart;
        scene.selectionEnd = c.selEnd;
        scene.rate = c.rate;
        scene.scale = c.scale;
        scene.audioRate = c.audioRate;
        const auto range = Plugin::OutputRange::fromScene(scene);
        SCOPED_TRACE(c.selStart);
        EXPECT_EQ(range.startFrame, c.start);
        EXPECT_EQ(range.frameCount, c.count);
        EXPECT_EQ(range.startSample, c.startSample);
        EXPECT_EQ(range.sampleCount, c.sampleCount);
    }
}

TEST(OutputFile, FetchesClampToTheScene) {
    auto source = std::make_shared<OutputTest::PatternSource>(2, 2, 10);
    Plugin::OutputSceneInfo scene;
    scene.lastFrame = 9;
    PlainFile file(L"x", false, scene, source);
    file.getVideoFrame(-5, 88, false);
    file.getVideoFrame(200, 88, false);
    file.getVideoFrame(4, 88, false);
    EXPECT_EQ(source->videoRequests, (std::vector<int>{0, 9, 4}));
}

TEST(OutputFile, ProgressDetail) {
    Plugin::OutputSceneInfo scene;
    PlainFile file(L"x", false, scene, nullptr);
    EXPECT_EQ(file.progressDetail(0), L"0.00% (0/0)");
    file.progressTotal = 12;
    file.progressCurrent = 3;
    EXPECT_EQ(file.progressDetail(1000), L"25.00% (3/12)");
    file.progressTotal = 90;
    file.progressCurrent = 30;
    EXPECT_EQ(file.progressDetail(14999), L"33.33% (30/90)");
    // 60 frames left at 1.5 frames a second: 40 s.
    EXPECT_EQ(file.progressDetail(20000), L"33.33% (30/90) | RemainingTime 00:00:40 (1.50fps)");
}

}  // namespace
