// The anchor control's bookkeeping and its press, drag and release: the hit
// list, snap targets and hover across new lists, which events a press
// sends, the Shift axis lock, and one undo group per drag that also ends
// when an effect fails.
#include "panels/anchor/AnchorControl.h"

#include "core/base/Singleton.h"
#include "edit/model/Scene.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "platform/gtk/VirtualKeys.h"
#include "window/WindowControlOwner.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Anchor::AnchorEvent;
using Anchor::AnchorItem;

// Keeps every event it gets; answers double clicks as told; throws on
// drag steps when asked.
class Recorder : public Effect::EffectBase {
public:
    Recorder() : EffectBase(L"recorder", Effect::EffectKind::Filter, Effect::MediaKind::Video,
                            Effect::MediaKind::Video, L"") {}
    std::shared_ptr<EffectBase> create() const override { return std::make_shared<Recorder>(); }
    bool anchorEvent(AnchorEvent& event) override {
        events.push_back(event);
        if (failSteps && event.kind == AnchorEvent::Drag) throw std::runtime_error("step failed");
        return event.kind == AnchorEvent::DoubleClick && handlesDoubleClick;
    }

    std::vector<AnchorEvent> events;
    bool handlesDoubleClick = false;
    bool failSteps = false;
};

class AnchorControlTest : public ::testing::Test {
protected:
    AnchorControlTest() {
        owner.updateLayout();
        control.pictureRect = {0, 0, 200, 100};
        control.isKeyHeld = [this](int key) {
            return (key == Platform::VK::SHIFT && shift) || (key == Platform::VK::CONTROL && ctrl);
        };
        control.isDoubleClick = [this] { return doubleClick; };
        control.reportFailure = [this](const std::exception& e) { failures.push_back(e.what()); };
    }

    // An item of the recorder at normalised (x, y).
    AnchorItem item(std::int32_t type, float x, float y, int index = 100000000, std::uint32_t flags = 0x8000) {
        AnchorItem made(type, flags, object, recorder, index);
        made.points = {{x, y}};
        return made;
    }
    // The one item shown, pressed with the left button at its centre.
    void press(AnchorItem made) {
        std::vector<AnchorItem> list;
        list.push_back(std::move(made));
        control.setItems(std::move(list));
        control.beginAnchorDrag(100, 50, Anchor::AnchorControl::LeftButton, &control.items[0]);
    }
    std::vector<std::int32_t> kinds() const {
        std::vector<std::int32_t> result;
        for (const AnchorEvent& event : recorder->events) result.push_back(event.kind);
        return result;
    }

    System::Singleton<Undo::UndoService> undoHolder;
    System::Singleton<Edit::EditService> editHolder;
    Undo::UndoService& undo = *undoHolder.getInstance();
    Edit::EditService& edit = *editHolder.getInstance();
    Window::Rect clip{0, 0, 200, 100};
    Window::Rect source{0, 0, 200, 100};
    Window::WindowControlOwner owner{nullptr, nullptr, nullptr, 200, &clip, &source};
    Anchor::AnchorControl control{owner, 0, 0, 0, 0};
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
    Edit::ObjectPointer object = std::make_shared<Edit::Object>();
    bool shift = false;
    bool ctrl = false;
    bool doubleClick = false;
    std::vector<std::string> failures;
};

TEST_F(AnchorControlTest, LayoutListsHittableItemsAndSnapTargets) {
    std::vector<AnchorItem> list;
    AnchorItem outline(AnchorItem::Polygon, 0x4008000, object, recorder, 100000000);
    outline.points = {{-0.2f, 0.2f}, {-0.2f, -0.2f}, {0.2f, -0.2f}, {0.2f, 0.2f}};
    outline.snapPoints = outline.points;
    list.push_back(std::move(outline));
    AnchorItem path;
    path.type = AnchorItem::Line;
    path.points = {{0, 0}, {0.5f, 0.5f}};
    list.push_back(std::move(path));
    AnchorItem button(AnchorItem::Image, 0x68000, object, recorder, 200000000);
    button.points = {{0, 0}, {32, 32}};
    list.push_back(std::move(button));
    control.setItems(std::move(list));

    // The line has no effect: it is drawn, never pressed.
    ASSERT_EQ(control.hitList.size(), 2u);
    EXPECT_EQ(control.hitList[0], &control.items[0]);
    EXPECT_EQ(control.hitList[1], &control.items[2]);
    ASSERT_EQ(control.snapTargets.size(), 6u);
    EXPECT_EQ(control.snapTargets[0].object, object.get());
    EXPECT_FLOAT_EQ(control.snapTargets[0].x, -0.2f);
    EXPECT_FLOAT_EQ(control.snapTargets[4].x, 1.0f);
    EXPECT_EQ(control.snapTargets[5].object, nullptr);
    EXPECT_FLOAT_EQ(control.snapTargets[5].y, -1.0f);
    // The docked button sits at the picture's top right.
    EXPECT_EQ(control.items[2].screenPoints[0], (Anchor::Float2{168, 0}));
    EXPECT_EQ(control.hitTestAnchor(180, 10), &control.items[2]);
    EXPECT_EQ(control.hitTestAnchor(100, 50), &control.items[0]);
    EXPECT_EQ(control.hitTestAnchor(150, 90), nullptr);
}

TEST_F(AnchorControlTest, TheHoveredAnchorIsFoundAgainInANewList) {
    std::vector<AnchorItem> first;
    first.push_back(item(AnchorItem::Circle, 0, 0, 3, 0x88000));
    first.push_back(item(AnchorItem::Circle, 0.5f, 0, 4, 0x88000));
    control.setItems(std::move(first));
    EXPECT_TRUE(control.setHovered(&control.items[1]));
    EXPECT_FALSE(control.setHovered(&control.items[1]));

    // The next frame: the same anchor elsewhere, after another one.
    std::vector<AnchorItem> second;
    second.push_back(item(AnchorItem::Circle, -0.5f, 0, 2, 0x88000));
    second.push_back(item(AnchorItem::Circle, 0.6f, 0, 4, 0x88000));
    control.setItems(std::move(second));
    EXPECT_EQ(control.hovered, &control.items[1]);

    // Same index, other flags: another anchor.
    std::vector<AnchorItem> third;
    third.push_back(item(AnchorItem::Circle, 0.6f, 0, 4, 0x8000));
    control.setItems(std::move(third));
    EXPECT_EQ(control.hovered, nullptr);
    EXPECT_EQ(control.hoveredEffect, nullptr);
}

TEST_F(AnchorControlTest, ACircleWinsOverANearerLargeCircleAndNotHitItemsAreSkipped) {
    std::vector<AnchorItem> list;
    list.push_back(item(AnchorItem::LargeCircle, 0.12f, 0));
    list.push_back(item(AnchorItem::Circle, 0, 0));
    list.push_back(item(AnchorItem::SmallCircle, 0.1f, 0, 100000000, 0x10008000));
    control.setItems(std::move(list));
    EXPECT_EQ(control.hitTestAnchor(110, 50), &control.items[1]);
    // Past the circle's 20 pixels only the large one is left.
    EXPECT_EQ(control.hitTestAnchor(125, 50), &control.items[0]);
}

TEST_F(AnchorControlTest, ShiftLocksTheSmallerAxisExceptForRawDrags) {
    struct Case {
        const char* name;
        bool shift;
        std::uint32_t flags;
        int x, y;
        int expectedX, expectedY;
    };
    const Case cases[] = {
        {"shift, ordinary", true, 0x8000, 5, -12, 0, -12},
        {"shift, raw drag", true, 0x40008000, 5, -12, 5, -12},
        {"shift, wider than high", true, 0x8000, 12, 5, 12, 0},
        {"no shift", false, 0x8000, 5, -12, 5, -12},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        recorder->events.clear();
        shift = test.shift;
        press(item(AnchorItem::Circle, 0, 0, 100000000, test.flags));
        ASSERT_EQ(control.dragMode, 1);
        control.moveAnchorDrag(2, 1);
        control.moveAnchorDrag(test.x, test.y);
        control.endAnchorDrag();
        ASSERT_EQ(kinds(), (std::vector<std::int32_t>{AnchorEvent::Click, AnchorEvent::Drag, AnchorEvent::Drag}));
        const AnchorEvent& last = recorder->events.back();
        EXPECT_EQ(last.x, test.expectedX);
        EXPECT_EQ(last.y, test.expectedY);
        const AnchorEvent& first = recorder->events[1];
        EXPECT_EQ(last.dx, test.expectedX - first.x);
        EXPECT_EQ(last.dy, test.expectedY - first.y);
        // The unlocked offset is kept for the arrow keys.
        EXPECT_EQ(control.dragX, test.x);
        EXPECT_EQ(control.dragY, test.y);
    }
}

TEST_F(AnchorControlTest, WhatAPressSends) {
    struct Case {
        const char* name;
        std::uint32_t flags;
        bool doubleClick;
        bool handled;
        std::vector<std::int32_t> events;
        int dragMode;
    };
    const Case cases[] = {
        {"single click: click, then a drag", 0x8000, false, false, {AnchorEvent::Click}, 1},
        {"double click the effect handles: no click, no drag", 0x8000, true, true, {AnchorEvent::DoubleClick}, 0},
        {"double click the effect ignores: click and drag", 0x8000, true, false,
         {AnchorEvent::DoubleClick, AnchorEvent::Click}, 1},
        {"button: click only", 0x68000, false, false, {AnchorEvent::Click}, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        recorder->events.clear();
        recorder->handlesDoubleClick = test.handled;
        doubleClick = test.doubleClick;
        press(item(AnchorItem::Circle, 0, 0, 100000000, test.flags));
        EXPECT_EQ(kinds(), test.events);
        EXPECT_EQ(control.dragMode, test.dragMode);
        EXPECT_EQ(undo.recording, test.dragMode != 0);
        // Clicks carry no drag data.
        EXPECT_EQ(recorder->events[0].control, &control);
        EXPECT_EQ(recorder->events[0].object, object);
        control.endAnchorDrag();
    }
}

TEST_F(AnchorControlTest, AClickFocusesTheObjectAsTheOptionSays) {
    struct Case {
        int singleClickFocus;
        bool doubleClick;
        bool ctrl;
        bool focused;
    };
    const Case cases[] = {
        {0, false, false, false}, {0, true, false, true}, {1, false, false, true},
        {1, true, false, false},  {1, false, true, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.singleClickFocus * 100 + test.doubleClick * 10 + test.ctrl);
        edit.getCurrentScene()->focusObject.reset();
        edit.singleClickFocusAnchorObject = test.singleClickFocus;
        doubleClick = test.doubleClick;
        ctrl = test.ctrl;
        press(item(AnchorItem::Circle, 0, 0));
        EXPECT_EQ(edit.getCurrentScene()->focusObject == object, test.focused);
        control.endAnchorDrag();
    }
}

TEST_F(AnchorControlTest, RightPressesDragOnlyAnAnchor) {
    control.beginAnchorDrag(10, 10, Anchor::AnchorControl::RightButton, nullptr);
    EXPECT_EQ(control.dragMode, 0);
    control.moveAnchorDrag(5, 5);
    EXPECT_TRUE(recorder->events.empty());

    std::vector<AnchorItem> list;
    list.push_back(item(AnchorItem::CameraView, 0, 0));
    control.setItems(std::move(list));
    ASSERT_EQ(control.findCameraView(), &control.items[0]);
    control.beginAnchorDrag(10, 10, Anchor::AnchorControl::RightButton, control.findCameraView());
    EXPECT_EQ(control.dragMode, 2);
    control.moveAnchorDrag(-4, 3);
    control.endAnchorDrag();
    ASSERT_EQ(kinds(), (std::vector<std::int32_t>{AnchorEvent::RightDrag}));
    EXPECT_EQ(recorder->events[0].dx, -4);
    EXPECT_EQ(recorder->events[0].dy, 3);
}

TEST_F(AnchorControlTest, ASelectedObjectsAnchorDragsEverySelectedObject) {
    const auto other = std::make_shared<Edit::Object>();
    const auto unselected = std::make_shared<Edit::Object>();
    const auto otherEffect = std::make_shared<Recorder>();
    edit.getCurrentScene()->selectObject(other);
    std::vector<AnchorItem> list;
    list.push_back(item(AnchorItem::Polygon, 0, 0, 100000000, 0x18000));
    list.back().points = {{-0.2f, 0.2f}, {-0.2f, -0.2f}, {0.2f, -0.2f}, {0.2f, 0.2f}};
    list.emplace_back(AnchorItem::Polygon, 0x18000, other, otherEffect, 100000000);
    list.back().points = {{0.5f, 0.5f}, {0.5f, 0.4f}, {0.6f, 0.4f}, {0.6f, 0.5f}};
    list.emplace_back(AnchorItem::Polygon, 0x18000, unselected, otherEffect, 100000000);
    list.back().points = {{-0.5f, 0.5f}, {-0.5f, 0.4f}, {-0.6f, 0.4f}, {-0.6f, 0.5f}};
    // A section handle of a selected object does not move with the others.
    list.emplace_back(AnchorItem::Circle, 0x18000, other, otherEffect, 1);
    list.back().points = {{0.5f, 0.5f}};
    control.setItems(std::move(list));
    control.beginAnchorDrag(100, 50, Anchor::AnchorControl::LeftButton, &control.items[0]);
    // The press selected the pressed object; both selected objects move.
    EXPECT_TRUE(object->selected);
    ASSERT_EQ(control.dragRecords.size(), 2u);
    EXPECT_EQ(control.dragRecords[0].object, object);
    EXPECT_EQ(control.dragRecords[1].object, other);
    control.moveAnchorDrag(3, 4);
    ASSERT_EQ(otherEffect->events.size(), 1u);
    EXPECT_EQ(otherEffect->events[0].x, 3);
    control.endAnchorDrag();
}

TEST_F(AnchorControlTest, AFailingStepEndsTheDragAndClosesItsUndoGroup) {
    recorder->failSteps = true;
    press(item(AnchorItem::Circle, 0, 0));
    ASSERT_TRUE(undo.recording);
    control.moveAnchorDrag(4, 0);
    EXPECT_EQ(failures, (std::vector<std::string>{"step failed"}));
    EXPECT_EQ(control.dragMode, 0);
    EXPECT_TRUE(control.dragRecords.empty());
    EXPECT_FALSE(undo.recording);
    // The moves that follow until the button comes up do nothing.
    control.moveAnchorDrag(8, 0);
    EXPECT_EQ(failures.size(), 1u);
}

}  // namespace
