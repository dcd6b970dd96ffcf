// Where the preview picture lies for a zoom, how the zoom moves, which zoom
// choices the list gives, how the picture is filtered, the scroll bars of
// an overflowing picture, and the grid guides handed over with a frame.
#include "panels/preview/PreviewControl.h"
#include "panels/preview/PreviewGridGuides.h"
#include "panels/preview/PreviewImageGeometry.h"
#include "panels/preview/PreviewZoomMenu.h"

#include "core/base/Exception.h"
#include "core/file/SettingService.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace Component;

TEST(PreviewImageGeometry, FitSplitsTheSpareRoomEvenly) {
    struct Case {
        std::uint32_t w, h;
        int W, H;
        ImageRect expected;
    };
    const Case cases[] = {
        {1920, 1080, 1000, 1000, {0, 218.75f, 1000, 781.25f}},
        {1080, 1920, 1000, 1000, {218.75f, 0, 781.25f, 1000}},
        {640, 360, 1280, 720, {0, 0, 1280, 720}},  // exactly the area's shape
        {100, 100, 300, 200, {50, 0, 250, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_EQ(fitImageRect(c.w, c.h, c.W, c.H), c.expected);
    }
}

TEST(PreviewImageGeometry, ZoomCentresThePictureAndReportsOverflow) {
    // 200 × 100 at 100 % in 1000 × 1000: centred, no scrolling.
    ZoomedImage small = zoomedImageRect(200, 100, 100, 1000, 1000);
    EXPECT_EQ(small.rect, (ImageRect{400, 450, 600, 550}));
    EXPECT_FALSE(small.overflowX || small.overflowY);
    // 400 %: 800 × 400 still fits; 600 %: 1200 × 600 overflows sideways only.
    EXPECT_FALSE(zoomedImageRect(200, 100, 400, 1000, 1000).overflowX);
    ZoomedImage wide = zoomedImageRect(200, 100, 600, 1000, 1000);
    EXPECT_TRUE(wide.overflowX);
    EXPECT_FALSE(wide.overflowY);
    EXPECT_EQ(wide.contentWidth, 1200);
    EXPECT_EQ(wide.rect.top, 200);  // the axis that fits stays centred
}

TEST(PreviewImageGeometry, FitZoomIsTheLargerPercentageThatFits) {
    EXPECT_EQ(fitZoomOf(1920, 1080, 1000, 1000), 52);  // 1000 × 100 / 1920, truncated
    EXPECT_EQ(fitZoomOf(200, 100, 1000, 1000), 500);
    EXPECT_EQ(fitZoomOf(0, 0, 1000, 1000), 100);  // no picture yet
}

TEST(PreviewImageGeometry, ZoomDragsMoveAtLeastOnePercentAStepWithinTheLimits) {
    struct Case {
        int start, steps, expected;
    };
    const Case cases[] = {
        {100, 1, 101},      // 1.01 × 100
        {100, -1, 99},      // 0.99 × 100
        {50, 1, 51},        // 50.5 rounds half away from zero
        {20, 1, 21},        // 20.2 rounds back to 20: one percent anyway
        {20, -1, 19},
        {10, -10, 10},      // the lower limit holds
        {3000, 50, 4000},   // 100 px up: 1.01^50 × 3000, at most 4000
        {1000, 100, 2705},  // 1.01^100 × 1000
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " by " + std::to_string(c.steps));
        EXPECT_EQ(dragZoom(c.start, c.steps), c.expected);
    }
}

TEST(PreviewPicture, SmoothedBelowOneHundredPercentSharpFromIt) {
    using Platform::Cairo::Interpolation;
    EXPECT_EQ(previewInterpolation(0), Interpolation::MultiSampleLinear);
    EXPECT_EQ(previewInterpolation(99), Interpolation::MultiSampleLinear);
    EXPECT_EQ(previewInterpolation(100), Interpolation::NearestNeighbor);
    EXPECT_EQ(previewInterpolation(400), Interpolation::NearestNeighbor);
}

System::IniFile::VALUE value(const char* text) { return System::IniFile::VALUE{text, nullptr, nullptr, 0}; }

TEST(PreviewZoomMenu, TheListGivesOneRadioItemPerValueCheckingTheCurrentZoom) {
    const std::vector<int> list = parseZoomList(value("0,25,50,100,200"));
    ASSERT_EQ(list, (std::vector<int>{0, 25, 50, 100, 200}));
    Window::MenuEntries menu;
    int chosen = -1;
    appendZoomItems(menu, list, 50, [&](int zoom) { chosen = zoom; });
    ASSERT_EQ(menu.size(), 5u);
    const wchar_t* labels[] = {L"WindowSize", L"25%", L"50%", L"100%", L"200%"};
    for (std::size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(menu[i].text, labels[i]);
        EXPECT_EQ(menu[i].kind, Window::MenuEntry::Kind::Radio);
        EXPECT_EQ(menu[i].checked, i == 2);
    }
    menu[4].command();
    EXPECT_EQ(chosen, 200);
}

TEST(PreviewZoomMenu, NegativeAndEmptyPiecesAreSkippedAndOtherTextIsAnError) {
    EXPECT_EQ(parseZoomList(value("-5,,150")), (std::vector<int>{150}));
    EXPECT_THROW(parseZoomList(value("100,big")), System::Exception);
}

// The area without a window, a picture of its own size in it.
class PreviewAreaTest : public ::testing::Test {
protected:
    PreviewAreaTest() {
        Setting::ScrollBarSize = 20;
        owner.updateLayout();
    }
    ~PreviewAreaTest() override { Setting::ScrollBarSize = savedBar; }
    void picture(int w, int h) {
        area.setBitmap(BitmapPointer(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)));
    }

    int savedBar = Setting::ScrollBarSize;
    int zoom = 100;
    Window::Rect rect{0, 0, 400, 300};
    Window::WindowControlOwner owner{nullptr, nullptr, nullptr, 200, &rect, &rect};
    PreviewControl area{owner, 0, 0, 0, 0, &zoom};
};

TEST_F(PreviewAreaTest, WithoutAPictureThereAreNoBarsAndTheFitZoomIs100) {
    EXPECT_EQ(area.getImageRect(), ImageRect{});
    EXPECT_FALSE(area.scrollMode);
    EXPECT_EQ(area.video.fullRect().width, 400);
    EXPECT_EQ(area.horizontalBar.fullRect().width, 0);
    EXPECT_EQ(area.getFitZoom(), 100);
}

TEST_F(PreviewAreaTest, AnOverflowingZoomShowsBothBarsCentredAndScrollingStopsAtTheEnd) {
    picture(100, 60);
    EXPECT_EQ(area.getImageRect(), (ImageRect{150, 120, 250, 180}));
    EXPECT_FALSE(area.scrollMode);

    zoom = 800;  // 800 × 480 in 400 × 300
    const ImageRect r = area.getImageRect();
    ASSERT_TRUE(area.scrollMode);
    EXPECT_EQ(area.video.fullRect().width, 380);
    EXPECT_EQ(area.video.fullRect().height, 280);
    EXPECT_EQ(area.horizontalBar.fullRect().height, 20);
    EXPECT_EQ(area.verticalBar.fullRect().width, 20);
    EXPECT_EQ(area.horizontalBar.maximum, 800);
    EXPECT_EQ(area.verticalBar.maximum, 480);
    // The view's middle is the picture's middle.
    EXPECT_NEAR((area.horizontalBar.viewStart + area.horizontalBar.viewEnd) / 2.0, 400, 1);
    EXPECT_NEAR((area.verticalBar.viewStart + area.verticalBar.viewEnd) / 2.0, 240, 1);
    EXPECT_EQ(r.left, -area.horizontalBar.viewStart);
    EXPECT_EQ(r.right - r.left, 800);

    area.scrollTo(100000, -50);
    EXPECT_EQ(area.horizontalBar.viewEnd, 800);
    EXPECT_EQ(area.verticalBar.viewStart, 0);
    EXPECT_EQ(area.getImageRect().left, -area.horizontalBar.viewStart);

    // Back to fitting: the bars go and the picture takes the whole area.
    zoom = 0;
    area.getImageRect();
    EXPECT_FALSE(area.scrollMode);
    EXPECT_EQ(area.video.fullRect().width, 400);
    EXPECT_EQ(area.horizontalBar.fullRect().width, 0);
}

TEST_F(PreviewAreaTest, ChangingTheZoomWhileScrolledKeepsTheRelativeCentre) {
    picture(100, 100);
    zoom = 1000;  // 1000 × 1000
    area.getImageRect();
    area.scrollTo(100, 600);  // view centre at about (290, 740) of 1000
    const double fx = (area.horizontalBar.viewStart + area.horizontalBar.viewEnd + 1) * 0.5 / 1001;
    const double fy = (area.verticalBar.viewStart + area.verticalBar.viewEnd + 1) * 0.5 / 1001;
    zoom = 2000;
    area.getImageRect();
    EXPECT_NEAR((area.horizontalBar.viewStart + area.horizontalBar.viewEnd + 1) * 0.5 / 2001, fx, 0.01);
    EXPECT_NEAR((area.verticalBar.viewStart + area.verticalBar.viewEnd + 1) * 0.5 / 2001, fy, 0.01);
}

std::vector<std::pair<Anchor::Float2, Anchor::Float2>> guides(const GridGuides& grid, int w, int h) {
    Anchor::AnchorList list;
    addGridGuides(grid, w, h, list);
    std::vector<std::pair<Anchor::Float2, Anchor::Float2>> lines;
    for (const Anchor::AnchorItem& item : list.items) {
        EXPECT_EQ(item.type, Anchor::AnchorItem::GuideLine);
        EXPECT_EQ(item.flags, 0x4000000u);
        EXPECT_EQ(item.points, item.snapPoints);
        lines.push_back({item.points.at(0), item.points.at(1)});
    }
    return lines;
}

TEST(PreviewGridGuides, RegularLinesFromTheCentreAndFreeLinesFromTheEdges) {
    // Columns every 480 px of 1920 (half width 960): 0, ±0.5, ±1.
    auto lines = guides({480, 7, {}, {}}, 1920, 1080);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].first, (Anchor::Float2{0, -1}));
    EXPECT_EQ(lines[1].first, (Anchor::Float2{0.5f, -1}));
    EXPECT_EQ(lines[2].first, (Anchor::Float2{-0.5f, -1}));
    EXPECT_EQ(lines[4].second, (Anchor::Float2{-1, 1}));
    // Wider than half the frame: the centre line only; 7 or less: none.
    EXPECT_EQ(guides({1000, 0, {}, {}}, 1920, 1080).size(), 1u);
    EXPECT_TRUE(guides({7, 7, {}, {}}, 1920, 1080).empty());

    // "16,-16": 16 px from the left and the right edge; 2000 is outside.
    lines = guides({0, 0, {16, -16, 2000}, {}}, 1920, 1080);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FLOAT_EQ(lines[0].first.x, 16.0f / 960 - 1);
    EXPECT_FLOAT_EQ(lines[1].first.x, 1 - 16.0f / 960);
    EXPECT_EQ(lines[0].first.y, 1);
    // Rows: 54 px down from the top is y = 0.9.
    lines = guides({0, 0, {}, {54}}, 1920, 1080);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FLOAT_EQ(lines[0].first.y, 0.9f);
    EXPECT_EQ(lines[0].first.x, 1);
    EXPECT_EQ(lines[0].second.x, -1);
}

}  // namespace
