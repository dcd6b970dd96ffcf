// The button family: clicks on the press, state faces, text placement,
// icon colours, check toggling, repetition on a clock of the test's own,
// the wheel, the clear square and the value drag.
#include "window/controls/DrawnControlFixture.h"

#include "window/controls/BitmapButtonControl.h"
#include "window/controls/CheckButtonControl.h"
#include "window/controls/IconButtonControl.h"
#include "window/controls/RepeatClickButtonControl.h"
#include "window/controls/SliderButtonControl.h"
#include "window/controls/TextButtonControl.h"
#include "window/controls/TextClearButtonControl.h"
#include "window/controls/TextIconButtonControl.h"
#include "window/controls/ControlTooltip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using namespace DrawnControlTest;
using Control::ButtonControl;

class ButtonTest : public DrawnControlFixture {};

TEST_F(ButtonTest, APressClicksAtOnceAndTakesTheMouseWithoutADrag) {
    Control::TextButtonControl button(owner, 10, 10, 80, 24);
    int clicks = 0;
    button.onClick = [&](ButtonControl& b) {
        EXPECT_EQ(&b, &button);
        EXPECT_TRUE(b.captured);  // the press face is already drawn
        ++clicks;
    };
    press(button, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button.captured);
    EXPECT_TRUE(mouse().dragMoved);
    EXPECT_FALSE(mouse().dragging);
    // Releasing (anywhere) changes nothing more.
    button.procLButtonUp(500, 500);
    release(button);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, FacesFollowDisabledPressedHoveredIdle) {
    Control::TextButtonControl button(owner, 0, 0, 60, 20);
    struct Case {
        bool enabled, captured, hover;
        std::uint32_t face;
    };
    const Case cases[] = {
        {true, false, false, kBody},
        {true, false, true, kHover},
        {true, true, true, kPress},
        {false, true, true, kDisable},
    };
    for (const Case& c : cases) {
        button.enabled = c.enabled;
        button.captured = c.captured;
        button.hover = c.hover;
        button.procPaint();
        EXPECT_EQ(at(30, 10), c.face) << c.enabled << c.captured << c.hover;
        // The 2 px outline inside the edges.
        EXPECT_EQ(at(0, 10), kBorder);
        EXPECT_EQ(at(1, 10), kBorder);
        EXPECT_EQ(at(2, 10), c.face);
        EXPECT_EQ(at(59, 19), kBorder);
        EXPECT_EQ(at(60, 10), kBlack);  // nothing beyond the button
    }
}

TEST_F(ButtonTest, EnteringAndLeavingRepaintTheHoverFace) {
    Control::TextButtonControl button(owner, 0, 0, 60, 20);
    enter(button);
    EXPECT_EQ(at(30, 3), kHover);
    leave(button);
    EXPECT_EQ(at(30, 3), kBody);
    press(button, 1, 1);
    EXPECT_EQ(at(30, 3), kPress);
    release(button);
    EXPECT_EQ(at(30, 3), kBody);
}

// Columns with a pixel of the colour, and the rows of each.
struct Ink {
    int left = 1 << 30;
    int right = -1;
    std::vector<std::pair<int, int>> rows;  // per column: first, last row lit
};

Ink inkOf(std::function<std::uint32_t(int, int)> at, int x0, int y0, int x1, int y1, std::uint32_t body) {
    Ink ink;
    ink.rows.assign(x1, {1 << 30, -1});
    for (int x = x0; x < x1; ++x) {
        for (int y = y0; y < y1; ++y) {
            const std::uint32_t p = at(x, y);
            // Text is green over the body: a pixel with more green than the body.
            if (((p >> 8) & 0xFF) <= ((body >> 8) & 0xFF) + 0x30) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.rows[x].first = std::min(ink.rows[x].first, y);
            ink.rows[x].second = std::max(ink.rows[x].second, y);
        }
    }
    return ink;
}

TEST_F(ButtonTest, TrimmedStyleCutsAWideTextWithAnEllipsisThreePixelsIn) {
    Control::TextButtonControl button(owner, 0, 0, 80, 24, 2);
    button.text = L"WWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    button.procPaint();
    const Ink ink = inkOf([&](int x, int y) { return at(x, y); }, 2, 2, 78, 22, kBody);
    // The text starts 3 px from the left (antialiasing may reach one
    // pixel further) and ends before the right outline.
    EXPECT_GE(ink.left, 2);
    EXPECT_LE(ink.left, 4);
    EXPECT_LE(ink.right, 77);
    EXPECT_GE(ink.right, 60);
    // It ends in dots on the baseline, not in the full height of a W.
    int wTop = 1 << 30;
    int wBottom = -1;
    for (int x = ink.left; x < ink.left + 10; ++x) {
        wTop = std::min(wTop, ink.rows[x].first);
        wBottom = std::max(wBottom, ink.rows[x].second);
    }
    int dotTop = 1 << 30;
    int dotBottom = -1;
    for (int x = ink.right - 3; x <= ink.right; ++x) {
        dotTop = std::min(dotTop, ink.rows[x].first);
        dotBottom = std::max(dotBottom, ink.rows[x].second);
    }
    EXPECT_GT(wBottom - wTop, 6);
    EXPECT_LE(dotBottom - dotTop, 3);
    EXPECT_GE(dotTop, wTop + 4);
}

TEST_F(ButtonTest, CentredTextStaysCentredAndDisabledTextDims) {
    Control::TextButtonControl button(owner, 0, 0, 100, 30);
    button.text = L"OK";
    button.procPaint();
    const Ink ink = inkOf([&](int x, int y) { return at(x, y); }, 2, 2, 98, 28, kBody);
    ASSERT_GE(ink.right, 0);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 50, 2.0);
    button.enabled = false;
    button.procPaint();
    bool dimmed = false;
    for (int x = ink.left; x <= ink.right; ++x)
        for (int y = 2; y < 28; ++y) dimmed |= (at(x, y) & 0xFF) > 0x80;  // blue TextDisable
    EXPECT_TRUE(dimmed);
}

TEST_F(ButtonTest, DropDownStyleDrawsItsTriangleAtTheRight) {
    Control::TextButtonControl button(owner, 0, 0, 120, 30, 1);
    button.text = L"Menu";
    button.procPaint();
    // The triangle hangs around the middle, a quarter of the text height
    // from the right edge: text-coloured pixels right of the text.
    int right = 0;
    for (int x = 90; x < 118; ++x)
        for (int y = 10; y < 20; ++y)
            if (at(x, y) == kText) right = std::max(right, x);
    EXPECT_GT(right, 100);
    EXPECT_LT(right, 118);
}

TEST_F(ButtonTest, PlainIconButtonsDrawOnlyTheIconInTheFaceColour) {
    clear();
    Control::IconButtonControl button(owner, 0, 0, 20, 10);
    button.icon = &Control::IconPlay;  // triangle (6, 2), (6, 8), (15, 5)
    enter(button);
    EXPECT_EQ(at(10, 5), kHover);
    EXPECT_EQ(at(4, 5), kBlack);  // no face: what was there stays
    EXPECT_EQ(at(18, 1), kBlack);
    leave(button);
    EXPECT_EQ(at(10, 5), kBody);
}

TEST_F(ButtonTest, SelectedAndBrushedIconButtonsFillTheirFace) {
    clear();
    Control::IconButtonControl button(owner, 0, 0, 20, 20);
    button.icon = &Control::IconStop;  // (5, 5)-(15, 15)
    const Platform::Cairo::SolidColorBrush face({0, 0, 1, 1});
    const Platform::Cairo::SolidColorBrush icon({1, 1, 0, 1});
    button.faceBrush = &face;
    button.iconBrush = &icon;
    button.procPaint();
    EXPECT_EQ(at(2, 10), 0xFF0000FFu);   // idle: the face brush
    EXPECT_EQ(at(10, 10), 0xFFFFFF00u);  // the icon brush
    enter(button);
    EXPECT_EQ(at(2, 10), kHover);        // hovered: the state face
    leave(button);
    button.iconBrush = nullptr;
    button.selected = true;
    button.procPaint();
    EXPECT_EQ(at(3, 10), kBody);        // selected: the state face
    EXPECT_EQ(at(10, 10), kText);       // and the icon in Text
    EXPECT_EQ(at(0, 10), kBorder);      // with the outline
}

TEST_F(ButtonTest, BitmapButtonsShowTheirPictureAndFaceWhenBrushed) {
    clear();
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
    cairo_t* cr = cairo_create(picture);
    cairo_set_source_rgba(cr, 0, 0, 0, 0);  // transparent: the face shows
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    Control::BitmapButtonControl button(owner, 0, 0, 20, 20);
    button.bitmap = picture;
    button.procPaint();
    EXPECT_EQ(at(10, 10), kBlack);  // no face brush: nothing filled
    const Platform::Cairo::SolidColorBrush face({0, 0, 1, 1});
    button.faceBrush = &face;
    button.procPaint();
    EXPECT_EQ(at(10, 10), 0xFF0000FFu);
    enter(button);
    EXPECT_EQ(at(10, 10), kHover);
    button.selected = true;
    leave(button);
    EXPECT_EQ(at(10, 10), kBody);
    EXPECT_EQ(at(1, 10), kBorder);
    cairo_surface_destroy(picture);
}

TEST_F(ButtonTest, CheckButtonsToggleBeforeTheirCallback) {
    Control::CheckButtonControl check(owner, 0, 0, 20, 20);
    std::vector<bool> seen;
    check.setCheckCallback([&](Control::CheckButtonControl& c) { seen.push_back(c.checked); });
    press(check, 1, 1);
    release(check);
    press(check, 1, 1);
    release(check);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(ButtonTest, CheckFacesAndTheCheckMark) {
    Control::CheckButtonControl check(owner, 0, 0, 40, 20);
    check.toggleStyle = false;
    check.procPaint();
    EXPECT_EQ(at(30, 10), kGrouping);  // idle: Grouping
    EXPECT_EQ(at(0, 10), kGrouping);   // no outline without the toggle style
    check.checked = true;
    check.procPaint();
    // The mark in the top-left 20 px square: from (4, 10) down to (8, 15)
    // and up to (16, 5).
    auto isText = [](std::uint32_t p) { return ((p >> 8) & 0xFF) > 0xC0 && (p & 0xFF) < 0x40; };
    EXPECT_TRUE(isText(at(8, 14)));
    EXPECT_TRUE(isText(at(12, 10)));
    EXPECT_FALSE(isText(at(4, 14)));
    EXPECT_EQ(at(30, 10), kGrouping);
    check.toggleStyle = true;
    check.procPaint();
    EXPECT_EQ(at(30, 10), kBody);      // a checked toggle shows the state face
    EXPECT_EQ(at(0, 10), kBorder);
    const Platform::Cairo::SolidColorBrush provided({0, 0, 1, 1});
    check.checked = false;
    check.faceBrushProvider = [&] { return &provided; };
    check.procPaint();
    EXPECT_EQ(at(30, 10), 0xFF0000FFu);
}

TEST_F(ButtonTest, CheckTextShowsItsTextBrightOnlyWhenChecked) {
    Control::CheckTextButtonControl check(owner, 0, 0, 60, 24);
    check.text = L"ON";
    check.toggleStyle = false;
    auto countText = [&](std::uint32_t colour) {
        int n = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 60; ++x) n += at(x, y) == colour;
        return n;
    };
    check.procPaint();
    EXPECT_EQ(countText(kText), 0);
    EXPECT_GT(countText(kTextDisable), 5);
    check.checked = true;
    check.procPaint();
    EXPECT_GT(countText(kText), 5);
}

// A clock of the test's own, periodic like the window timer it stands
// in for: a set timer ticks every period until it is set again or cleared.
struct TestClock {
    int now = 0;
    int due = -1;
    int period = 0;
    std::function<void()> tick;

    void attach(Control::RepeatClickButtonControl& button) {
        button.setTimer = [this](int elapse, std::function<void()> callback) {
            period = elapse;
            due = now + elapse;
            tick = std::move(callback);
        };
        button.clearTimer = [this] {
            due = -1;
            tick = nullptr;
        };
    }
    void advance(int until) {
        while (due >= 0 && due <= until) {
            now = due;
            due += period;
            tick();
        }
        now = until;
    }
};

TEST_F(ButtonTest, HeldRepeatButtonsClickAtTheKeyboardDelayThenAtTheRepeatRate) {
    // Delay setting 1 ((1 + 1) x 250 = 500 ms), speed 31 (1000 / 33 = 30 ms).
    settings().keyRepeatDelay = 500;
    settings().keyRepeatInterval = 30;
    Control::RepeatClickButtonControl button(owner, 0, 0, 20, 20, Control::IconTriangleUp);
    TestClock clock;
    clock.attach(button);
    std::vector<int> clicks;
    std::vector<std::string> calls;
    button.onPress = [&](Control::RepeatClickButtonControl&) { calls.push_back("press"); };
    button.onRelease = [&](Control::RepeatClickButtonControl&) { calls.push_back("release"); };
    button.onClick = [&](ButtonControl&) {
        clicks.push_back(clock.now);
        calls.push_back("click");
    };
    press(button, 2, 2);
    clock.advance(620);
    release(button);
    clock.advance(2000);
    EXPECT_EQ(clicks, (std::vector<int>{0, 500, 530, 560, 590, 620}));
    EXPECT_EQ(calls.front(), "press");
    EXPECT_EQ(calls.back(), "release");
    EXPECT_EQ(clock.due, -1);
}

TEST_F(ButtonTest, WheelButtonsTakeTheWheelOnlyWhileHovered) {
    Control::TextButtonWheelControl button(owner, 0, 0, 60, 20);
    std::vector<int> deltas;
    enter(button);
    EXPECT_FALSE(button.acceptsWheel);  // nobody listens yet
    EXPECT_FALSE(button.canMouseWheel());
    leave(button);
    button.onWheel = [&](Control::TextButtonWheelControl&, int delta) { deltas.push_back(delta); };
    enter(button);
    EXPECT_TRUE(button.acceptsWheel);
    EXPECT_TRUE(button.canMouseWheel());
    button.procMouseWheel(3, 3, -120);
    bool allowed = false;
    button.canWheel = [&](Control::TextButtonWheelControl&) { return allowed; };
    EXPECT_FALSE(button.canMouseWheel());
    allowed = true;
    EXPECT_TRUE(button.canMouseWheel());
    leave(button);
    EXPECT_FALSE(button.acceptsWheel);
    EXPECT_FALSE(button.canMouseWheel());
    EXPECT_EQ(deltas, (std::vector<int>{-120}));
}

TEST_F(ButtonTest, TheClearSquareShowsLightsAndClears) {
    Control::TextClearButtonControl field(owner, 0, 0, 100, 20);
    field.text = L"abc";
    const Platform::Cairo::SolidColorBrush face({0, 0, 1, 1});
    field.faceBrushProvider = [&] { return &face; };
    int cleared = 0;
    field.onClear = [&] { ++cleared; };
    enter(field);
    EXPECT_TRUE(field.clearHover);
    // The square from (84, 2) to (100, 18), outlined 1 px.
    EXPECT_EQ(at(84, 10), kBorder);
    EXPECT_EQ(at(86, 4), kBody);
    EXPECT_EQ(at(92, 10), kText);  // the close icon's crossing
    field.procMouseMove(50, 10);
    EXPECT_FALSE(field.overClear);
    field.procLButtonDown(50, 10);
    EXPECT_EQ(cleared, 0);  // no click outside the square
    field.procMouseMove(82, 10);  // x >= w - h + 2
    EXPECT_TRUE(field.overClear);
    EXPECT_EQ(at(86, 4), kHover);
    field.procLButtonDown(82, 10);
    EXPECT_EQ(cleared, 1);
    EXPECT_FALSE(field.clearHover);
    EXPECT_EQ(at(86, 4), 0xFF0000FFu);  // the square is gone
}

TEST_F(ButtonTest, AFieldThatCannotBeClearedNeverShowsTheSquare) {
    clear();
    Control::TextClearButtonControl field(owner, 0, 0, 100, 20);
    field.onClear = [] {};
    field.canClear = [] { return false; };
    enter(field);
    EXPECT_FALSE(field.clearHover);
    field.procMouseMove(95, 10);
    EXPECT_FALSE(field.overClear);
    EXPECT_EQ(at(84, 10), kBlack);
    EXPECT_EQ(at(92, 10), kBlack);
}

TEST_F(ButtonTest, TextIconButtonsPlaceTheirSquareAndClickIt) {
    Control::TextIconButtonControl button(owner, 10, 0, 100, 20);
    int clicks = 0;
    int iconClicks = 0;
    button.onClick = [&](ButtonControl&) { ++clicks; };
    button.onIconClick = [&](Control::TextIconButtonControl&) { ++iconClicks; };
    EXPECT_FALSE(button.iconControl.visible);  // no picture yet
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    button.iconBitmap = picture;
    button.procMove();
    EXPECT_TRUE(button.iconControl.visible);
    EXPECT_EQ(button.iconControl.area, (Window::Rect{90, 0, 20, 20}));
    EXPECT_GT(button.iconControl.priority, button.priority);
    EXPECT_EQ(mouse().findObject(nullptr, 95, 10), &button.iconControl);
    EXPECT_EQ(mouse().findObject(nullptr, 50, 10), &button);
    press(button.iconControl, 3, 3);
    EXPECT_EQ(iconClicks, 1);
    EXPECT_EQ(clicks, 0);
    release(button.iconControl);
    enter(button.iconControl);
    EXPECT_EQ(at(92, 4), kHover);  // the square's face while hovered
    cairo_surface_destroy(picture);
}

class ProbeSlider : public Component::SliderButtonControl {
public:
    using SliderButtonControl::SliderButtonControl;
    int getValue() override { return value; }
    std::wstring getValueText() override { return std::to_wstring(value) + L"%"; }
    void changeValue(int start, int delta) override { value = std::clamp(start + delta, 0, 100); }
    int value = 80;
};

TEST_F(ButtonTest, ValueButtonsDragTwoPixelsAStepUpwards) {
    ProbeSlider slider(owner, 0, 0, 20, 20);
    std::vector<std::wstring> tips;
    Control::showTooltipCall = [&](Platform::POINT, const std::wstring& text, int duration) {
        tips.push_back(text);
        EXPECT_LT(duration, 0);
    };
    press(slider, 5, 5);
    EXPECT_TRUE(slider.captured);
    EXPECT_TRUE(mouse().dragging);
    EXPECT_FALSE(mouse().dragMoved);  // the drag threshold is still ahead
    EXPECT_EQ(mouse().currentCursor, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorUpDown));
    EXPECT_EQ(mouse().dragOriginY, 5);
    slider.procMouseDrag(0, -9);  // 9 px up: 4 steps
    EXPECT_EQ(slider.value, 84);
    slider.procMouseDrag(0, 7);   // back below the press: -3
    EXPECT_EQ(slider.value, 77);
    slider.procMouseDrag(0, -100);
    EXPECT_EQ(slider.value, 100);
    EXPECT_EQ(tips, (std::vector<std::wstring>{L"80%", L"84%", L"77%", L"100%"}));
    Control::showTooltipCall = nullptr;
}

TEST_F(ButtonTest, TooltipsShowBelowThePointerOnlyWithText) {
    Control::TextButtonControl button(owner, 0, 0, 60, 20);
    int shown = 0;
    Control::showTooltipCall = [&](Platform::POINT, const std::wstring& text, int duration) {
        EXPECT_EQ(text, L"ヒント");
        EXPECT_EQ(duration, -1);
        ++shown;
    };
    button.procMouseHover(nullptr, 0, 0);
    EXPECT_EQ(shown, 0);
    button.tooltip = L"ヒント";
    button.procMouseHover(nullptr, 0, 0);
    EXPECT_EQ(shown, 1);
    Control::showTooltipCall = nullptr;
}

}  // namespace
