// The settings window's arithmetic worked out by hand: the section and
// boundary the cursor stands at, the scroll room, and the gauge's mapping
// between pixels and frames.
#include "settings/SettingGeometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Component;

// Frames 100 .. 199 with boundaries at offsets 20 and 60: sections of 20,
// 40 and 39 frames.
Effect::ObjectFrames object() {
    Effect::ObjectFrames frames;
    frames.start = 100;
    frames.end = 199;
    frames.boundaries = {20, 60};
    return frames;
}

TEST(SettingGeometry, TheCursorTakesTheNearestBoundaryOnlyPastHalfASection) {
    struct Case {
        int frame;
        int mode;
        int section;
        int point;
    };
    // Section 1 runs 120 .. 159 (length 40): half-way is 140.
    const std::vector<Case> cases = {
        {140, SectionViewSections, 1, 1}, {141, SectionViewSections, 1, 2},
        {140, SectionViewTwoPoints, 1, 1}, {141, SectionViewTwoPoints, 2, 2},
        {140, SectionViewNone, 1, 1},      {141, SectionViewNone, 2, 2},
        // The first section (length 20) and the last (199 - 100 - 60 = 39).
        {110, SectionViewSections, 0, 0}, {111, SectionViewSections, 0, 1},
        {179, SectionViewSections, 2, 2}, {180, SectionViewSections, 2, 3},
        {180, SectionViewNone, 3, 3},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.frame) + " mode " + std::to_string(k.mode));
        const SectionIndices at = sectionIndicesAt(object(), k.frame, k.mode);
        EXPECT_EQ(at.sectionCount, 3);
        EXPECT_EQ(at.sectionIndex, k.section);
        EXPECT_EQ(at.pointIndex, k.point);
    }
    // Without mid-points the whole object is one section.
    Effect::ObjectFrames whole{0, 9, {}};
    EXPECT_EQ(sectionIndicesAt(whole, 4, SectionViewNone).pointIndex, 0);
    EXPECT_EQ(sectionIndicesAt(whole, 5, SectionViewNone).pointIndex, 1);
    EXPECT_EQ(sectionIndicesAt(whole, 5, SectionViewSections).sectionIndex, 0);
    EXPECT_EQ(sectionIndicesAt(whole, 5, SectionViewSections).sectionCount, 1);
}

TEST(SettingGeometry, TheSlackStaysBetweenOneAndFourRows) {
    EXPECT_EQ(scrollSlack(80, 20), 20);
    EXPECT_EQ(scrollSlack(1000, 20), 80);
    EXPECT_EQ(scrollSlack(400, 20), 50);
    // Content shorter than the view does not scroll at all.
    EXPECT_EQ(scrollMaximum(100, 24, 50, 400), 0);
    EXPECT_EQ(scrollMaximum(1000, 24, 50, 400), 674);
}

TEST(SettingGeometry, TheTrackMapsPixelsToTheNearestFrame) {
    // Ten frames from 100 on a track 901 pixels wide after a 12 pixel margin.
    const GaugeTrack track{100, 10, 901, 12};
    EXPECT_EQ(track.offsetAt(12 + 450), 5);
    EXPECT_EQ(track.offsetAt(12), 0);
    EXPECT_EQ(track.offsetAt(12 + 900), 9);
    EXPECT_EQ(track.xOf(105), 500);
    EXPECT_EQ(track.xOf(109), 900);
    EXPECT_EQ(track.xOf(110), -1);
    EXPECT_EQ(track.xOf(99), -1);
    // Too short a track or object: everything maps to 0.
    EXPECT_EQ((GaugeTrack{100, 10, 1, 12}.offsetAt(300)), 0);
    EXPECT_EQ((GaugeTrack{100, 1, 900, 12}.xOf(100)), 0);
}

TEST(SettingGeometry, ABoundaryIsHitWithinEightPixels) {
    // 1000 frames on 101 pixels: about ten frames a pixel; a boundary at
    // offset 500 lies at pixel 50 of the track.
    Effect::ObjectFrames frames{0, 999, {500}};
    const GaugeTrack track{0, 1000, 101, 0};
    EXPECT_EQ(hitTestBoundary(frames, track, 50), 1);
    EXPECT_EQ(hitTestBoundary(frames, track, 58), 1);
    EXPECT_EQ(hitTestBoundary(frames, track, 42), 1);
    EXPECT_EQ(hitTestBoundary(frames, track, 60), -1);
    EXPECT_EQ(hitTestBoundary(frames, track, 40), -1);
    // The start and the end count as boundaries; the end is one past the
    // last frame.
    EXPECT_EQ(hitTestBoundary(frames, track, 3), 0);
    EXPECT_EQ(hitTestBoundary(frames, track, 100), 2);
    EXPECT_EQ(boundaryFrame(frames, 2), 1000);
}

TEST(SettingGeometry, ShortTimesCountMinutesPastAnHour) {
    EXPECT_EQ(formatShortTime(0.0), L"00:00.00");
    EXPECT_EQ(formatShortTime(45.0 / 30), L"00:01.50");
    EXPECT_EQ(formatShortTime(3725.25), L"62:05.25");
    EXPECT_EQ(formatShortTime(-1.5), L"-00:01.50");
}

}  // namespace
