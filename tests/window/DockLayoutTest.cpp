#include "window/DockLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace Window;

namespace {

ClientPlacement placed(const WindowClientLayout& layout) {
    ClientPlacement p;
    p.left = layout.left;
    p.top = layout.top;
    p.right = layout.right;
    p.bottom = layout.bottom;
    p.area = layout.area;
    p.hide = layout.shown ? 0 : 1;
    return p;
}

ClientPlacement placed(float left, float top, float right, float bottom, int area, bool shown = true) {
    return placed(WindowClientLayout{left, top, right, bottom, area, shown});
}

// The twelve default placements in the order the program builds its panels.
struct DefaultPanels {
    ClientPlacement explorer = placed(Placements::firstExplorer);
    ClientPlacement explorer2 = placed(Placements::furtherExplorer);
    ClientPlacement sceneList = placed(Placements::sceneList);
    ClientPlacement objectList = placed(Placements::objectList);
    ClientPlacement setting = placed(Placements::setting);
    ClientPlacement color = placed(Placements::settingColor);
    ClientPlacement preview = placed(Placements::preview);
    ClientPlacement edit = placed(Placements::edit);
    ClientPlacement time = placed(Placements::settingTime);
    ClientPlacement text = placed(Placements::settingText);
    ClientPlacement log = placed(Placements::log);
    ClientPlacement plugin = placed(Placements::plugin);

    DockList list() {
        return {&explorer, &explorer2, &sceneList, &objectList, &setting, &color,
                &preview,  &edit,      &time,      &text,       &log,     &plugin};
    }
};

// A 1282 x 744 client with the default separator (5) and footer (24).
constexpr DockMetrics kMetrics{5 + 1282 - 2, 5 + 744 - 24, 5};

void expectFractions(const ClientPlacement& p, float left, float top, float right, float bottom) {
    EXPECT_NEAR(p.left, left, 1e-6);
    EXPECT_NEAR(p.top, top, 1e-6);
    EXPECT_NEAR(p.right, right, 1e-6);
    EXPECT_NEAR(p.bottom, bottom, 1e-6);
}

void expectPixels(const ClientPlacement& p, int x0, int y0, int x1, int y1) {
    const PixelRect r = DockLayout::pixelRect(p, kMetrics);
    EXPECT_EQ(r.x0, x0);
    EXPECT_EQ(r.y0, y0);
    EXPECT_EQ(r.x1, x1);
    EXPECT_EQ(r.y1, y1);
}

}  // namespace

TEST(DockLayout, DefaultPanelsFillTheDockingAreaOfA1282By744Client) {
    DefaultPanels d;
    DockLayout::normalizeLayout(d.list());
    // Left strip 0-0.2 with the explorer above the scene list; the right
    // strip 0.8-1 holds the object list and the settings window, stretched
    // over the room the hidden colour window leaves; the preview takes the
    // top 0.7 between the strips and the timeline the rest.
    expectFractions(d.explorer, 0, 0, 0.2f, 0.7f);
    expectFractions(d.sceneList, 0, 0.7f, 0.2f, 1);
    expectFractions(d.objectList, 0.8f, 0, 1, 0.3f / 0.7f);
    expectFractions(d.setting, 0.8f, 0.3f / 0.7f, 1, 1);
    expectFractions(d.preview, 0.2f, 0, 0.8f, 0.7f);
    expectFractions(d.edit, 0.2f, 0.7f, 0.8f, 1);
    // Hidden panels keep their placement.
    expectFractions(d.color, 0.8f, 0.7f, 1, 1);
    expectFractions(d.log, 0, 0.7f, 1, 1);

    // Layout area 1285 x 725: 1285 x 0.2 = 257, 725 x 0.7 = 507.5,
    // 725 x 3/7 = 310.7, 1285 x 0.8 = 1028.
    expectPixels(d.explorer, 1, 0, 253, 502);
    expectPixels(d.sceneList, 1, 507, 253, 720);
    expectPixels(d.objectList, 1029, 0, 1281, 305);
    expectPixels(d.setting, 1029, 310, 1281, 720);
    expectPixels(d.preview, 258, 0, 1024, 502);
    expectPixels(d.edit, 258, 507, 1024, 720);
}

TEST(DockLayout, PixelRectangleLeavesTheSeparatorAndOnePixelAtTheWindowEdges) {
    // Client width 1000: layout width 1003.
    const DockMetrics metrics{1003, 500, 5};
    const PixelRect r = DockLayout::pixelRect(placed(0, 0, 1, 1, AreaCenter), metrics);
    EXPECT_EQ(r.x0, 1);
    EXPECT_EQ(r.x1, 999);
    EXPECT_EQ(r.y0, 0);
    EXPECT_EQ(r.y1, 495);
    // A panel of no extent never gets a negative size.
    const PixelRect empty = DockLayout::pixelRect(placed(0.5f, 0.5f, 0.5f, 0.5f, AreaCenter), metrics);
    EXPECT_EQ(empty.x1, empty.x0);
    EXPECT_EQ(empty.y1, empty.y0);
}

TEST(DockLayout, NormalizeClampsFractions) {
    struct Case {
        std::array<float, 4> in;
        std::array<float, 4> out;
    };
    const Case cases[] = {
        {{-0.5f, -1, 0.5f, 0.5f}, {0, 0, 0.5f, 0.5f}},
        {{1.5f, 2, 3, 4}, {0.999f, 0.999f, 1, 1}},
        {{0.6f, 0.7f, 0.2f, 0.3f}, {0.6f, 0.7f, 0.6f, 0.7f}},
    };
    for (const Case& c : cases) {
        // Hidden, so fitting the areas leaves it alone.
        ClientPlacement p = placed(c.in[0], c.in[1], c.in[2], c.in[3], AreaCenter, false);
        DockLayout::normalizeLayout({&p});
        expectFractions(p, c.out[0], c.out[1], c.out[2], c.out[3]);
    }
}

TEST(DockLayout, AreasTakeTheirShareOfWhatRemains) {
    // Only the centre: it fills the docking area.
    {
        ClientPlacement centre = placed(0.3f, 0.2f, 0.6f, 0.5f, AreaCenter);
        DockLayout::normalizeLayout({&centre});
        expectFractions(centre, 0, 0, 1, 1);
    }
    // A left area of no width gets a nominal 0.001 against the centre's 0.7.
    {
        ClientPlacement left = placed(0.3f, 0, 0.3f, 1, AreaLeft);
        ClientPlacement centre = placed(0.3f, 0, 1, 1, AreaCenter);
        DockLayout::normalizeLayout({&left, &centre});
        const float share = static_cast<float>(0.001 / (0.7 + 0.001));
        expectFractions(left, 0, 0, share, 1);
        expectFractions(centre, share, 0, 1, 1);
    }
    // An area without a shown panel takes nothing; with nothing after it the
    // bottom area takes all that remains below the top area.
    {
        ClientPlacement top = placed(0, 0, 1, 0.25f, AreaTop);
        ClientPlacement hiddenRight = placed(0.8f, 0, 1, 1, AreaRight, false);
        ClientPlacement bottom = placed(0, 0.5f, 1, 0.75f, AreaBottom);
        DockLayout::normalizeLayout({&top, &hiddenRight, &bottom});
        // Top 0.25 against the bottom area's 0.25.
        expectFractions(top, 0, 0, 1, 0.5f);
        expectFractions(bottom, 0, 0.5f, 1, 1);
        expectFractions(hiddenRight, 0.8f, 0, 1, 1);
    }
    // Right area 0.1 wide against 0.3 of the rest: a quarter of the width.
    {
        ClientPlacement right = placed(0.9f, 0, 1, 1, AreaRight);
        ClientPlacement centre = placed(0.5f, 0, 0.8f, 1, AreaCenter);
        DockLayout::normalizeLayout({&right, &centre});
        expectFractions(right, 0.75f, 0, 1, 1);
        expectFractions(centre, 0, 0, 0.75f, 1);
    }
}

TEST(DockLayout, DistributeSpreadsPanelsInProportionByTheirCentres) {
    ClientPlacement a = placed(0.6f, 0, 0.9f, 1, AreaBottom);   // 0.3 wide, last
    ClientPlacement b = placed(0.1f, 0, 0.2f, 1, AreaBottom);   // 0.1 wide, first
    ClientPlacement c = placed(0.3f, 0, 0.5f, 1, AreaBottom);   // 0.2 wide, second
    ClientPlacement d = placed(0.55f, 0, 0.55f, 1, AreaBottom); // no width: 0.001
    DockLayout::distributeArea({&a, &b, &c, &d}, AreaBottom, {0, 0.5f, 0.9f, 1});
    const double sum = 0.601;
    expectFractions(b, 0, 0.5f, static_cast<float>(0.9 * 0.1 / sum), 1);
    expectFractions(c, static_cast<float>(0.9 * 0.1 / sum), 0.5f, static_cast<float>(0.9 * 0.3 / sum), 1);
    expectFractions(d, static_cast<float>(0.9 * 0.3 / sum), 0.5f, static_cast<float>(0.9 * 0.301 / sum), 1);
    expectFractions(a, static_cast<float>(0.9 * 0.301 / sum), 0.5f, 0.9f, 1);
}

TEST(DockLayout, ShowingAPanelMakesRoomAtItsStoredPlace) {
    DefaultPanels d;
    DockLayout::normalizeLayout(d.list());
    // The colour window (0.7-1) joins the right area (0-3/7, 3/7-1): both
    // shrink by 0.7 towards the top, its place stays free.
    DockLayout::insertClient(d.list(), d.color);
    d.color.hide = 0;
    expectFractions(d.objectList, 0.8f, 0, 1, 0.3f);
    expectFractions(d.setting, 0.8f, 0.3f, 1, 0.7f);
    expectFractions(d.color, 0.8f, 0.7f, 1, 1);

    // A panel whose place lies above another's centre pushes it down.
    ClientPlacement top = placed(0, 0, 1, 0.5f, AreaTop);
    ClientPlacement newcomer = placed(0, 0, 0.25f, 0.3f, AreaTop, false);
    DockLayout::insertClient({&top, &newcomer}, newcomer);
    // Cross edges from the area; the other shrinks by 0.75 towards x = 1.
    expectFractions(newcomer, 0, 0, 0.25f, 0.5f);
    expectFractions(top, 0.25f, 0, 1, 0.5f);
}

TEST(DockLayout, ShowingTheFirstPanelOfAnAreaCompressesTheOthersAway) {
    struct Case {
        int area;
        // The other shown panel afterwards.
        std::array<float, 4> centre;
    };
    const Case cases[] = {
        {AreaLeft, {0.2f + 0.8f * 0.2f, 0.2f, 0.2f + 0.8f * 0.8f, 0.8f}},
        {AreaRight, {0.8f * 0.2f, 0.2f, 0.8f * 0.8f, 0.8f}},
        {AreaTop, {0.2f, 0.2f + 0.8f * 0.2f, 0.8f, 0.2f + 0.8f * 0.8f}},
        {AreaBottom, {0.2f, 0.8f * 0.2f, 0.8f, 0.8f * 0.8f}},
        {AreaCenter, {0.2f, 0.2f, 0.8f, 0.8f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.area);
        // In another area than the newcomer's.
        ClientPlacement centre = placed(0.2f, 0.2f, 0.8f, 0.8f, c.area == AreaCenter ? AreaTop : AreaCenter);
        // 0.2 wide and high.
        ClientPlacement newcomer = placed(0.1f, 0.1f, 0.3f, 0.3f, c.area, false);
        DockLayout::insertClient({&centre, &newcomer}, newcomer);
        expectFractions(centre, c.centre[0], c.centre[1], c.centre[2], c.centre[3]);
        expectFractions(newcomer, 0.1f, 0.1f, 0.3f, 0.3f);
    }
}

namespace {

// The explorer on the left and three panels side by side in the bottom area.
struct BottomRow {
    ClientPlacement explorer = placed(0, 0, 0.2f, 1, AreaLeft);
    ClientPlacement a = placed(0.2f, 0, 0.4f, 1, AreaBottom);
    ClientPlacement b = placed(0.4f, 0, 0.7f, 1, AreaBottom);
    ClientPlacement c = placed(0.7f, 0, 1, 1, AreaBottom);
    DockList list() { return {&explorer, &a, &b, &c}; }
};

}  // namespace

TEST(DockLayout, WindowMenuMovesWithinTheArea) {
    {
        BottomRow r;
        DockLayout::moveToFirst(r.list(), r.c);
        expectFractions(r.c, 0.2f, 0, 0.5f, 1);
        expectFractions(r.a, 0.5f, 0, 0.7f, 1);
        expectFractions(r.b, 0.7f, 0, 1, 1);
    }
    {
        BottomRow r;
        DockLayout::moveToLast(r.list(), r.a);
        expectFractions(r.b, 0.2f, 0, 0.5f, 1);
        expectFractions(r.c, 0.5f, 0, 0.8f, 1);
        expectFractions(r.a, 0.8f, 0, 1, 1);
    }
    {
        // Moving up exchanges all four fractions with the panel before.
        BottomRow r;
        DockLayout::moveUp(r.list(), r.b);
        expectFractions(r.b, 0.2f, 0, 0.4f, 1);
        expectFractions(r.a, 0.4f, 0, 0.7f, 1);
    }
    {
        // The last panel moved down, the first up: only laid out again.
        BottomRow r;
        DockLayout::moveDown(r.list(), r.c);
        DockLayout::moveUp(r.list(), r.a);
        expectFractions(r.a, 0.2f, 0, 0.4f, 1);
        expectFractions(r.b, 0.4f, 0, 0.7f, 1);
        expectFractions(r.c, 0.7f, 0, 1, 1);
    }
}

TEST(DockSplitter, FindsTheSeparatorBetweenTheTwoNearestPanels) {
    DefaultPanels d;
    DockLayout::normalizeLayout(d.list());
    DockSplitter s;
    // Between the explorer (x1 253) and the preview (x0 258).
    ASSERT_TRUE(s.find(d.list(), kMetrics, 255, 200));
    EXPECT_FALSE(s.horizontal);
    EXPECT_FLOAT_EQ(s.position, 0.2f);
    EXPECT_EQ(s.clients, (DockList{&d.explorer, &d.preview}));
    // Between the explorer (y1 502) and the scene list (y0 507).
    ASSERT_TRUE(s.find(d.list(), kMetrics, 100, 504));
    EXPECT_TRUE(s.horizontal);
    EXPECT_FLOAT_EQ(s.position, 0.7f);
    EXPECT_EQ(s.clients, (DockList{&d.explorer, &d.sceneList}));
    // Inside a panel: the second nearest is too far.
    EXPECT_FALSE(s.find(d.list(), kMetrics, 100, 100));
    EXPECT_TRUE(s.clients.empty());
    // The last pixel column of the window edge is no separator.
    EXPECT_FALSE(s.find(d.list(), kMetrics, 1281, 100));
}

TEST(DockSplitter, VerticalLineRunsThroughBothRowsAndMovesByItsPixels) {
    DefaultPanels d;
    DockLayout::normalizeLayout(d.list());
    DockSplitter s;
    ASSERT_TRUE(s.find(d.list(), kMetrics, 255, 200));
    ASSERT_TRUE(s.collect(d.list()));
    // The line goes on below between the scene list and the timeline.
    EXPECT_EQ(s.clients, (DockList{&d.explorer, &d.preview, &d.sceneList, &d.edit}));

    EXPECT_EQ(s.drag(d.list(), kMetrics, 50, 7), DockSplitter::Drag::Moved);
    const float moved = 0.2f + 50.0f / 1285;
    EXPECT_NEAR(d.explorer.right, moved, 1e-6);
    EXPECT_NEAR(d.sceneList.right, moved, 1e-6);
    EXPECT_NEAR(d.preview.left, moved, 1e-6);
    EXPECT_NEAR(d.edit.left, moved, 1e-6);
    DockLayout::normalizeLayout(d.list());
    EXPECT_NEAR(d.explorer.right, moved, 1e-6);
    EXPECT_NEAR(d.preview.left, moved, 1e-6);

    // Every step counts from the press: back at the press point, back at 0.2.
    EXPECT_EQ(s.drag(d.list(), kMetrics, 0, 0), DockSplitter::Drag::Moved);
    EXPECT_FLOAT_EQ(d.explorer.right, 0.2f);
    EXPECT_FLOAT_EQ(d.edit.left, 0.2f);

    // Far to the left: the explorer and scene list stop at 24 pixels.
    EXPECT_EQ(s.drag(d.list(), kMetrics, -400, 0), DockSplitter::Drag::Moved);
    EXPECT_NEAR(d.explorer.right, 24.0f / 1285, 1e-6);
    EXPECT_NEAR(d.sceneList.right, 24.0f / 1285, 1e-6);
    // Far to the right: the preview and timeline keep 24 pixels before 0.8.
    EXPECT_EQ(s.drag(d.list(), kMetrics, 1000, 0), DockSplitter::Drag::Moved);
    EXPECT_NEAR(d.preview.left, 0.8f - 24.0f / 1285, 1e-6);
}

TEST(DockSplitter, TwoPanelsOfOneAreaSwapPastTheFarEdge) {
    DefaultPanels d;
    d.color.hide = 0;
    DockLayout::normalizeLayout(d.list());
    // Object list 0-0.3, settings 0.3-0.7, colour 0.7-1 (y 212 | 217).
    DockSplitter s;
    ASSERT_TRUE(s.find(d.list(), kMetrics, 1100, 214));
    ASSERT_TRUE(s.collect(d.list()));
    ASSERT_EQ(s.clients, (DockList{&d.objectList, &d.setting}));

    // Within 24 px of the settings window's bottom: swap cursor, no move.
    EXPECT_EQ(s.drag(d.list(), kMetrics, 0, 280), DockSplitter::Drag::SwapCursor);
    EXPECT_FLOAT_EQ(d.setting.top, 0.3f);
    // Past its bottom (0.7): the settings window moves one place down, the
    // drag goes on along the line between colour and settings.
    EXPECT_EQ(s.drag(d.list(), kMetrics, 0, 300), DockSplitter::Drag::Swapped);
    expectFractions(d.color, 0.8f, 0.3f, 1, 0.7f);
    expectFractions(d.setting, 0.8f, 0.7f, 1, 1);
    expectFractions(d.objectList, 0.8f, 0, 1, 0.3f);
    EXPECT_EQ(s.clients, (DockList{&d.color, &d.setting}));
    EXPECT_FLOAT_EQ(s.position, 0.7f);
    EXPECT_EQ(s.pressX, (1029 + 1281) / 2);
    EXPECT_EQ(s.pressY, 502);
    // It is the last panel now: dragging further down does nothing.
    EXPECT_EQ(s.drag(d.list(), kMetrics, 0, 300), DockSplitter::Drag::SwapCursor);
    expectFractions(d.setting, 0.8f, 0.7f, 1, 1);

    // Upwards past the colour window's top: the settings window goes back
    // one place; the new line at its top edge is shared with the object list.
    EXPECT_EQ(s.drag(d.list(), kMetrics, 0, -300), DockSplitter::Drag::Swapped);
    expectFractions(d.setting, 0.8f, 0.3f, 1, 0.7f);
    expectFractions(d.color, 0.8f, 0.7f, 1, 1);
    EXPECT_EQ(s.clients, (DockList{&d.objectList, &d.setting}));
    EXPECT_FLOAT_EQ(s.position, 0.3f);
}

TEST(DockSplitter, SwappingTheFirstPanelOfAnAreaUpwardsEndsTheDrag) {
    DefaultPanels d;
    DockLayout::normalizeLayout(d.list());
    DockSplitter s;
    ASSERT_TRUE(s.find(d.list(), kMetrics, 100, 504));
    ASSERT_TRUE(s.collect(d.list()));
    ASSERT_EQ(s.clients, (DockList{&d.explorer, &d.sceneList}));
    EXPECT_EQ(s.drag(d.list(), kMetrics, 0, -600), DockSplitter::Drag::Ended);
    // The scene list now heads the left area; no splitter above it.
    expectFractions(d.sceneList, 0, 0, 0.2f, 0.7f);
    expectFractions(d.explorer, 0, 0.7f, 0.2f, 1);
    EXPECT_TRUE(s.clients.empty());
}

TEST(DockSplitter, ALineRunningIntoACrossingPanelCannotMove) {
    // Two top panels side by side; below the left one a panel reaching past
    // their line.
    ClientPlacement t1 = placed(0, 0, 0.5f, 0.5f, AreaCenter);
    ClientPlacement t2 = placed(0.5f, 0, 1, 1, AreaCenter);
    ClientPlacement crossing = placed(0, 0.5f, 0.7f, 1, AreaCenter);
    const DockList list{&t1, &t2, &crossing};
    const DockMetrics metrics{1000, 1000, 5};
    DockSplitter s;
    ASSERT_TRUE(s.find(list, metrics, 498, 200));
    EXPECT_FALSE(s.collect(list));

    // The same with the lower panel ending at the line: it joins the line.
    crossing.right = 0.5f;
    ASSERT_TRUE(s.find(list, metrics, 498, 200));
    ASSERT_TRUE(s.collect(list));
    EXPECT_EQ(s.clients, (DockList{&t1, &t2, &crossing}));
    EXPECT_EQ(crossing.movingEdge, EdgeRight);
    EXPECT_EQ(crossing.limitEdge, EdgeLeft);
}
