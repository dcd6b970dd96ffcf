#include "effect/movement/SectionPosition.h"

#include <gtest/gtest.h>

namespace {

using Effect::ObjectFrames;
using Effect::SectionPosition;

TEST(SectionPosition, PlacesAFrameAmongTheSections) {
    struct Case {
        ObjectFrames object;
        int frame;
        double time;
        int index, count;
        double offset;
        int length;
        double position;
    };
    const Case cases[] = {
        {{100, 140, {10, 25}}, 112, 112, 1, 3, 2, 15, 0.3},
        // A boundary opens the next section.
        {{100, 140, {10, 25}}, 110, 110, 1, 3, 0, 15, 0.25},
        {{100, 140, {10, 25}}, 109, 109.5, 0, 3, 9.5, 10, 0.2375},
        {{100, 140, {10, 25}}, 140, 140, 2, 3, 15, 15, 1},
        {{100, 140, {}}, 120, 120, 0, 1, 20, 40, 0.5},
        // Start equals end: length 1, position = time - start.
        {{50, 50, {}}, 50, 50.25, 0, 1, 0.25, 1, 0.25},
        // A one-frame last section.
        {{0, 10, {9}}, 10, 10, 1, 2, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "frame " << c.frame);
        const SectionPosition p(c.object, c.frame, c.time);
        EXPECT_EQ(p.index, c.index);
        EXPECT_EQ(p.count, c.count);
        EXPECT_DOUBLE_EQ(p.offset, c.offset);
        EXPECT_EQ(p.length, c.length);
        EXPECT_DOUBLE_EQ(p.position, c.position);
    }
}

TEST(SectionPosition, WholeObjectAndSectionLengths) {
    const ObjectFrames object{100, 140, {10, 25}};
    const SectionPosition whole = SectionPosition::wholeObject(object, 130);
    EXPECT_EQ(whole.index, 0);
    EXPECT_EQ(whole.count, 1);
    EXPECT_DOUBLE_EQ(whole.offset, 30);
    EXPECT_EQ(whole.length, 40);
    EXPECT_DOUBLE_EQ(whole.position, 0.75);

    EXPECT_EQ(object.getSectionLength(0), 10);
    EXPECT_EQ(object.getSectionLength(1), 15);
    EXPECT_EQ(object.getSectionLength(2), 15);
    EXPECT_EQ((ObjectFrames{7, 7, {}}).getSectionLength(0), 0);  // no minimum here
    EXPECT_EQ(object.getSectionIndex(99), 0);
    EXPECT_EQ(object.getSectionIndex(125), 2);
}

}  // namespace
