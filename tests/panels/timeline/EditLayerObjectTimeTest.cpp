#include "panels/timeline/EditLayerObjectControl.h"

#include <gtest/gtest.h>

namespace {

using Component::EditLayerObjectControl;

TEST(MoveTime, PointTimeAndItsDistanceFromTheStart) {
    struct Case {
        int frame, start, rate, scale;
        const wchar_t* text;
    };
    const Case cases[] = {
        // An end edge: the time after the last frame, and the length.
        {30, 0, 30, 1, L"00:00:01.00 ( 00:01.00 )"},
        // A start edge is always zero from the start.
        {95, 95, 30, 1, L"00:00:03.16 ( 00:00.00 )"},
        // Minutes are not wrapped at an hour; hundredths are truncated.
        {(3600 + 61) * 30 + 10, 0, 30, 1, L"01:01:01.33 ( 61:01.33 )"},
        // A boundary before the start (a negative offset) and a rate scale.
        {10, 40, 30000, 1001, L"00:00:00.33 ( -00:01.00 )"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EditLayerObjectControl::formatMoveTime(c.frame, c.start, c.rate, c.scale), c.text) << c.frame;
}

}  // namespace
