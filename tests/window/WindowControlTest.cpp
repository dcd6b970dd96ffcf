// The control base's layout rule and clipping, the owner's list, and the
// routing service's hit-test rule, from hand-worked tables.
#include "core/base/Singleton.h"
#include "window/DeferredDelete.h"
#include "window/WindowControl.h"
#include "window/WindowMouseService.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Window::Rect;
using Window::WindowControl;
using Window::WindowControlOwner;
using Window::WindowMouse;
using Window::WindowMouseService;

struct LayoutCase {
    const char* what;
    Rect source;
    int left, top, right, bottom;
    Rect expected;
};

TEST(WindowControlLayout, FourNumbersPlaceTheRectangleRelativeToTheSource) {
    const Rect s{100, 50, 400, 300};  // right edge 500, bottom edge 350
    const LayoutCase cases[] = {
        {"strip of 40 x 20 at the right edge", s, -40, 0, 0, 20, {460, 50, 40, 20}},
        {"inset of 10 on every side", s, 10, 10, -10, -10, {110, 60, 380, 280}},
        {"positive right is a width", s, 10, 0, 5, 0, {110, 50, 5, 300}},
        {"zeros fill the source", s, 0, 0, 0, 0, {100, 50, 400, 300}},
        {"negative top counts from the bottom", s, 0, -30, 0, 0, {100, 320, 400, 30}},
        {"right -50 past left collapses to width 0", s, 380, 0, -50, 0, {480, 50, 0, 300}},
        {"bottom edge before top collapses to height 0", s, 0, 290, 0, -20, {100, 340, 400, 0}},
        {"positive bottom is a height from a negative top", s, 0, -100, 0, 40, {100, 250, 400, 40}},
    };
    for (const LayoutCase& c : cases)
        EXPECT_EQ(WindowControl::layoutRect(c.source, c.left, c.top, c.right, c.bottom), c.expected)
            << c.what;
}

TEST(WindowControlLayout, VisibleRectangleIsClampedIntoTheClip) {
    const Rect clip{0, 0, 200, 100};
    struct Case {
        const char* what;
        int x0, y0, x1, y1;
        Rect expected;
    } cases[] = {
        {"inside", 10, 10, 50, 40, {10, 10, 40, 30}},
        {"over the right and bottom edges", 150, 80, 250, 120, {150, 80, 50, 20}},
        {"over the left and top edges", -20, -5, 30, 10, {0, 0, 30, 10}},
        {"wholly to the right: width 0", 300, 10, 350, 40, {200, 10, 0, 30}},
        {"wholly below: height 0", 10, 150, 50, 170, {10, 100, 40, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowControl::clipRect(clip, c.x0, c.y0, c.x1, c.y1), c.expected) << c.what;
}

class Probe : public WindowControl {
public:
    using WindowControl::WindowControl;
    void procPaint() override {}
    void procMove() override { ++moves; }
    int moves = 0;
};

class ControlFixture : public ::testing::Test {
protected:
    System::Singleton<WindowMouseService> service;
    Rect clip{0, 0, 300, 200};
    Rect source{0, 0, 300, 200};
    WindowControlOwner owner{nullptr, reinterpret_cast<Platform::WindowHandle>(0x10), nullptr, 200,
                             &clip, &source};
};

TEST_F(ControlFixture, ControlsTakeThePriorityClipAndSourceOfWhereTheyArePlaced) {
    Probe parent(owner, 250, 20, 100, 50);  // reaches 50 px past the clip
    Probe child(parent, -30, 0, 0, 0);      // the parent's last 30 px
    EXPECT_EQ(parent.priority, 201);
    EXPECT_EQ(child.priority, 202);
    EXPECT_EQ(parent.fullRect(), (Rect{250, 20, 100, 50}));
    EXPECT_EQ(parent.visibleRect(), (Rect{250, 20, 50, 50}));
    // The child follows the parent's full rectangle and is clipped to its
    // visible one: it lies wholly outside.
    EXPECT_EQ(child.fullRect(), (Rect{320, 20, 30, 50}));
    EXPECT_EQ(child.visibleRect().width, 0);
    EXPECT_EQ(child.rect, &child.visibleRect());
    EXPECT_EQ(child.window, owner.hostWindow);
    ASSERT_EQ(owner.controls.size(), 2u);
    EXPECT_EQ(owner.controls[0], &parent);
    EXPECT_EQ(owner.controls[1], &child);
    // Never hit: its visible rectangle is empty.
    EXPECT_EQ(service.getInstance()->findObject(owner.hostWindow, 320, 30), nullptr);
}

TEST_F(ControlFixture, OwnerLayoutFollowsTheScrolledSourceAndMovesEveryControl) {
    Probe a(owner, 10, 10, 50, 20);
    Probe b(a, 5, 5, -5, -5);
    owner.scrollY = 30;
    source.width = 400;
    owner.updateLayout();
    EXPECT_EQ(owner.rect, (Rect{0, -30, 400, 200}));
    EXPECT_EQ(a.fullRect(), (Rect{10, -20, 50, 20}));
    EXPECT_EQ(a.visibleRect(), (Rect{10, 0, 50, 0}));
    EXPECT_EQ(b.fullRect(), (Rect{15, -15, 40, 10}));
    EXPECT_EQ(a.moves, 1);
    EXPECT_EQ(b.moves, 1);
}

TEST_F(ControlFixture, DestroyedControlsLeaveTheOwnerAndTheService) {
    auto a = std::make_unique<Probe>(owner, 0, 0, 10, 10);
    Probe b(owner, 0, 0, 10, 10);
    a.reset();
    ASSERT_EQ(owner.controls.size(), 1u);
    EXPECT_EQ(owner.controls[0], &b);
    EXPECT_EQ(service.getInstance()->objects.size(), 1u);
}

// ---- hit test

// The rectangle is built before the object registers.
struct Box {
    Rect box;
};

class Target : private Box, public WindowMouse {
public:
    Target(Platform::WindowHandle window, Rect r, int priority)
        : Box{r}, WindowMouse(window, &box, priority) {}
};

class HitTest : public ::testing::Test {
protected:
    System::Singleton<WindowMouseService> holder;
    WindowMouseService& service = *holder.getInstance();
    Platform::WindowHandle window = reinterpret_cast<Platform::WindowHandle>(0x20);
    Platform::WindowHandle other = reinterpret_cast<Platform::WindowHandle>(0x30);
};

TEST_F(HitTest, HigherPriorityWinsThenTheNearestCentre) {
    Target panel(window, {0, 0, 300, 200}, 100);
    Target a(window, {0, 0, 100, 100}, 201);    // centre (50, 50)
    Target b(window, {40, 0, 100, 100}, 201);   // centre (90, 50)
    Target top(window, {200, 100, 50, 50}, 202);
    Target elsewhere(other, {0, 0, 300, 200}, 500);
    struct Case {
        int x, y;
        const WindowMouse* expected;
    } cases[] = {
        {60, 50, &a},        // |dx| 10 against 30
        {80, 50, &b},        // 30 against 10
        {20, 90, &a},        // only a
        {139, 99, &b},       // last pixel of b
        {140, 50, &panel},   // right edge of b is outside
        {210, 110, &top},    // a child beats its panel
        {299, 199, &panel},
        {300, 200, nullptr}, // outside everything
    };
    for (const Case& c : cases)
        EXPECT_EQ(service.findObject(window, c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(HitTest, CentresUseIntegerHalvesAndATieGoesToTheEarlierObject) {
    Target odd(window, {0, 0, 5, 5}, 201);        // centre (2, 2)
    Target shifted(window, {1, 0, 5, 5}, 201);    // centre (3, 2)
    EXPECT_EQ(service.findObject(window, 2, 2), &odd);
    EXPECT_EQ(service.findObject(window, 3, 2), &shifted);
    Target twin(window, {0, 0, 5, 5}, 201);
    EXPECT_EQ(service.findObject(window, 2, 2), &odd);
}

TEST_F(HitTest, DisabledWinnerBlocksInvisibleObjectsAndFiltersStepAside) {
    Target under(window, {0, 0, 100, 100}, 201);
    Target over(window, {50, 50, 100, 100}, 202);
    over.enabled = false;
    EXPECT_EQ(service.findObject(window, 60, 60), nullptr);  // nobody gets it
    EXPECT_EQ(service.findObject(window, 10, 10), &under);
    over.enabled = true;
    over.visible = false;
    EXPECT_EQ(service.findObject(window, 60, 60), &under);
    over.visible = true;
    under.acceptsWheel = true;
    const auto wheel = [](WindowMouse& o) { return o.acceptsWheel; };
    EXPECT_EQ(service.findObject(window, 60, 60, wheel), &under);
}

TEST_F(HitTest, PressedObjectOwnsTheMouseAndTheGuardBlocksReentry) {
    Target a(window, {0, 0, 100, 100}, 201);
    Target b(window, {200, 0, 100, 100}, 201);
    EXPECT_EQ(service.hitTest(window, 10, 10), &a);
    // Until the message that found it is handled, nobody else is found.
    EXPECT_EQ(service.hitTest(window, 210, 10), nullptr);
    service.releaseGuard();
    service.pressed = &a;
    EXPECT_EQ(service.hitTestIf(window, 210, 10, [](WindowMouse&) { return false; }), &a);
    service.releaseGuard();
    service.pressed = nullptr;
    EXPECT_EQ(service.hitTest(window, 500, 500), nullptr);
    EXPECT_FALSE(service.guardSet());  // nothing found: the guard stays clear
}

TEST_F(HitTest, DestroyedObjectsLoseEveryRole) {
    auto a = std::make_unique<Target>(window, Rect{0, 0, 10, 10}, 201);
    service.focus = service.pressed = service.hover = service.dropTarget = a.get();
    service.colorPicker = a.get();
    service.setKeyReleaseWait(a.get(), 17);
    a.reset();
    EXPECT_EQ(service.focus, nullptr);
    EXPECT_EQ(service.pressed, nullptr);
    EXPECT_EQ(service.hover, nullptr);
    EXPECT_EQ(service.dropTarget, nullptr);
    EXPECT_EQ(service.colorPicker, nullptr);
    EXPECT_EQ(service.keyReleaseWaiter, nullptr);
    EXPECT_TRUE(service.objects.empty());
}

// ---- deferred deletion

class Tracked : public Probe {
public:
    Tracked(WindowControlOwner& owner, bool* freed) : Probe(owner, 0, 0, 10, 10), freed(freed) {}
    ~Tracked() override { *freed = true; }
    bool* freed;
};

TEST_F(ControlFixture, ControlsHandedOverDuringDispatchAreDetachedAndFreedAfterIt) {
    bool parentFreed = false;
    auto parent = std::make_unique<Tracked>(owner, &parentFreed);
    Probe child(*parent, 0, 0, 0, 0);
    Probe sibling(owner, 20, 0, 10, 10);
    {
        Window::DispatchScope outer;
        {
            Window::DispatchScope nested;  // a nested loop inside the handler
            Window::deleteLater(std::move(parent));
        }
        EXPECT_FALSE(parentFreed);
        // Detached with its child: not drawn, hit-tested or notified.
        ASSERT_EQ(owner.controls.size(), 1u);
        EXPECT_EQ(owner.controls[0], &sibling);
        EXPECT_EQ(service.getInstance()->findObject(owner.hostWindow, 5, 5), nullptr);
        EXPECT_FALSE(child.attached());
    }
    EXPECT_TRUE(parentFreed);
    bool freedNow = false;
    Window::deleteLater(std::make_unique<Tracked>(owner, &freedNow));
    EXPECT_TRUE(freedNow);  // outside any dispatch
}

}  // namespace
