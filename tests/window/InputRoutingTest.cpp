// Mouse, keyboard and IME input of a real program window on a display of
// the test's own, driven with xdotool: a main window holding two
// overlapping controls A (priority 201) and B (its child, 202).
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "platform/gtk/InputMessages.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "support/VirtualDisplay.h"
#include "window/WindowControl.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"

#include "window/XCursorProbe.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Window::WindowMouseService;

class Recorder : public Window::WindowControl {
public:
    Recorder(const char* name, Window::WindowControlOwner& owner, int l, int t, int r, int b)
        : WindowControl(owner, l, t, r, b), name(name) {}
    Recorder(const char* name, Window::WindowControl& parent, int l, int t, int r, int b)
        : WindowControl(parent, l, t, r, b), name(name) {}

    void procPaint() override {}
    void procMouseMove(int, int) override { service->currentCursor = cursor; }
    void procLButtonDown(int x, int y) override {
        ++downs;
        if (service->doubleClick) ++doubleClicks;
        if (takesFocus) service->takeFocus(this);
        service->startDrag(x, y, dragCursor ? dragCursor : cursor);
    }
    void procLButtonUp(int, int) override { ++ups; }
    void procMouseHover(Platform::WindowHandle, UINT, WPARAM) override { ++hovers; }
    void procPickColor(const Window::PickedColor* color) override {
        picks.push_back(color ? std::optional<Window::PickedColor>(*color) : std::nullopt);
    }
    void procMouseDrag(int x, int y) override { drags.push_back({x, y}); }
    void procMouseWheel(int, int, int delta) override { wheel.push_back(delta); }
    bool procKeyDown(int key) override {
        if (key == 'A') {
            ++keyDowns;
            // A slow handler: the held key's repeats pile up meanwhile.
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
        return true;
    }
    void procString(const std::wstring& text) override { strings.push_back(text); }
    bool procFocusIme(Window::ImeState&) override { return true; }

    const char* name;
    WindowMouseService::MouseCursor* cursor = WindowMouseService::cursor(WindowMouseService::CursorArrow);
    WindowMouseService::MouseCursor* dragCursor = nullptr;
    bool takesFocus = false;
    int downs = 0;
    int ups = 0;
    int doubleClicks = 0;
    int hovers = 0;
    int keyDowns = 0;
    std::vector<std::pair<int, int>> drags;
    std::vector<int> wheel;
    std::vector<std::wstring> strings;
    std::vector<std::optional<Window::PickedColor>> picks;
};

class InputRoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        settings = std::make_unique<System::Singleton<Setting::SettingService>>();
        mouse = std::make_unique<System::Singleton<WindowMouseService>>();
        holder = std::make_unique<System::Singleton<Window::WindowService>>();
        router().dragWidth = 4;
        router().dragHeight = 4;
        router().doubleClickTime = 500;
        // The router's clock stands still unless a test moves it.
        router().tickCount = [this] { return clock; };
        window = WindowTest::service().mainWindow;
        area = {0, 0, 600, 400};
        owner = std::make_unique<Window::WindowControlOwner>(nullptr, window, &WindowTest::service(),
                                                             200, &area, &area);
        // A: (100,100)-(300,300); B, its child: (200,200)-(300,300).
        a = std::make_unique<Recorder>("A", *owner, 100, 100, 200, 200);
        b = std::make_unique<Recorder>("B", *a, 100, 100, 0, 0);
        a->acceptsWheel = b->acceptsWheel = true;
        a->cursor = WindowMouseService::cursor(WindowMouseService::CursorIBeam);
        b->cursor = WindowMouseService::cursor(WindowMouseService::CursorSizeWE);
        xid = WindowTest::windowId(GTK_WIDGET(Platform::toolkitWindow(window)));
        ASSERT_TRUE(WindowTest::runUntil([this] { return Platform::isWindowActive(window); }, 5000) ||
                    activate());
    }
    void TearDown() override {
        b.reset();
        a.reset();
        owner.reset();
        holder.reset();
        mouse.reset();
        settings.reset();
    }

    WindowMouseService& router() { return *mouse->getInstance(); }

    bool activate() {
        Platform::setFocus(window);
        return WindowTest::runUntil([this] { return Platform::isWindowActive(window); }, 5000);
    }

    void xdo(std::vector<std::string> args) { WindowTest::xdotool(std::move(args), xid); }

    // Handles what the display queued: the server answers a round trip
    // only after the events before it were sent.
    void settle() { WindowTest::settle(); }

    bool at(int x, int y) { return router().lastMovePosition == Platform::MAKELPARAM(x, y); }

    CoreTest::ProgramFolder folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Window::WindowService>> holder;
    Platform::WindowHandle window = nullptr;
    unsigned long xid = 0;
    std::uint64_t clock = 1000000;
    Window::Rect area;
    std::unique_ptr<Window::WindowControlOwner> owner;
    std::unique_ptr<Recorder> a;
    std::unique_ptr<Recorder> b;
};

TEST_F(InputRoutingTest, ADragStartsOnlyPastTheDragRectangle) {
    xdo({"mousemove", "--window", "%w", "150", "150", "mousedown", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->downs == 1; }, 5000));
    EXPECT_TRUE(a->captured);
    xdo({"mousemove", "--window", "%w", "152", "151"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return at(152, 151); }, 5000));
    EXPECT_TRUE(a->drags.empty()) << "2 px is inside the 4 px drag rectangle";
    xdo({"mousemove", "--window", "%w", "156", "150"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return !a->drags.empty(); }, 5000));
    // Grabbed at the press point: the drag reports the displacement.
    EXPECT_EQ(a->drags.back(), (std::pair<int, int>{6, 0}));
    xdo({"mouseup", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->ups == 1; }, 5000));
    EXPECT_FALSE(a->captured);
    EXPECT_EQ(router().pressed, nullptr) << "the capture change ends the press";
    EXPECT_EQ(b->downs, 0);
}

TEST_F(InputRoutingTest, ADragWithTheHiddenCursorPinsThePointerAndCountsOnlyHorizontalMotion) {
    a->dragCursor = WindowMouseService::cursor(WindowMouseService::CursorHidden);
    xdo({"mousemove", "--window", "%w", "150", "150", "mousedown", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->downs == 1; }, 5000));
    const Platform::POINT start = Platform::getCursorPos();
    xdo({"mousemove_relative", "--", "50", "0"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return !a->drags.empty(); }, 5000));
    EXPECT_EQ(a->drags.back(), (std::pair<int, int>{50, 0}));
    xdo({"mousemove_relative", "--", "30", "7"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->drags.back().first == 80; }, 5000))
        << a->drags.back().first;
    // The pointer went back to where the drag began; y stays where it began.
    EXPECT_EQ(a->drags.back().second, 0);
    const Platform::POINT now = Platform::getCursorPos();
    EXPECT_EQ(now.x, start.x);
    EXPECT_EQ(now.y, start.y);
    xdo({"mousemove_relative", "--", "-100", "0"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->drags.back().first == -20; }, 5000))
        << a->drags.back().first;
    EXPECT_EQ(WindowTest::shownCursorName(), "") << "the pointer is hidden during the drag";
    xdo({"mouseup", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->ups == 1; }, 5000));
}

TEST_F(InputRoutingTest, TwoClicksWithinTheDoubleClickTimeGiveOneDoubleClick) {
    xdo({"mousemove", "--window", "%w", "250", "250", "click", "--repeat", "2", "--delay", "30", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return b->ups == 2; }, 5000));
    EXPECT_EQ(b->downs, 2);
    EXPECT_EQ(b->doubleClicks, 1);
    EXPECT_EQ(a->downs, 0) << "the child beats its parent";
    // Past the double-click time the next click is a single one again.
    clock += 600;
    xdo({"click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return b->ups == 3; }, 5000));
    EXPECT_EQ(b->doubleClicks, 1);
}

TEST_F(InputRoutingTest, TheWheelStaysWithItsTargetForTheDoubleClickTime) {
    xdo({"mousemove", "--window", "%w", "150", "150", "click", "4"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->wheel.size() == 1; }, 5000));
    EXPECT_EQ(a->wheel[0], 120);
    clock += 200;
    // Over B now, which would win the point, within the time: still A.
    xdo({"mousemove", "--window", "%w", "250", "250", "click", "5"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->wheel.size() == 2; }, 5000));
    EXPECT_EQ(a->wheel[1], -120);
    EXPECT_TRUE(b->wheel.empty());
    clock += 501;
    xdo({"click", "5"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return b->wheel.size() == 1; }, 5000));
    EXPECT_EQ(a->wheel.size(), 2u);
}

// Counts the key presses the display sends before the toolkit sees them.
int rawPresses = 0;
void countPresses(GdkEvent* event, gpointer) {
    if (event->type == GDK_KEY_PRESS) ++rawPresses;
    gtk_main_do_event(event);
}

TEST_F(InputRoutingTest, HeldKeyRepeatsThatPileUpAreDropped) {
    a->takesFocus = true;
    xdo({"mousemove", "--window", "%w", "150", "150", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return router().focus == a.get(); }, 5000));
    // The server repeats the held key every 5 ms, far faster than the
    // 40 ms handler.
    ASSERT_TRUE(WindowTest::setKeyRepeat(50, 5));
    gdk_event_handler_set(countPresses, nullptr, nullptr);
    rawPresses = 0;
    xdo({"keydown", "a", "sleep", "0.5", "keyup", "a"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return Platform::getKeyState('A') >= 0; }, 5000));
    settle();
    gdk_event_handler_set([](GdkEvent* event, gpointer) { gtk_main_do_event(event); }, nullptr, nullptr);
    ASSERT_GE(rawPresses, 20) << "the server did not repeat the key";
    EXPECT_GE(a->keyDowns, 2);
    // Handled one by one, 40 ms each, they would take about rawPresses x 40 ms;
    // what piled up behind a slow one was dropped.
    EXPECT_LT(a->keyDowns, rawPresses / 2) << a->keyDowns << " of " << rawPresses;
}

TEST_F(InputRoutingTest, ThePointerShowsTheCursorOfTheObjectUnderIt) {
    struct Case {
        int x, y;
        const char* cursor;
    } cases[] = {
        {150, 150, "text"},       // A: the I-beam record
        {250, 250, "ew-resize"},  // B: the west-east record
        {50, 50, "default"},      // the main window: the arrow
    };
    for (const Case& c : cases) {
        xdo({"mousemove", "--window", "%w", std::to_string(c.x), std::to_string(c.y)});
        ASSERT_TRUE(WindowTest::runUntil([&] { return WindowTest::shownCursorName() == c.cursor; }, 5000))
            << c.x << "," << c.y << ": " << WindowTest::shownCursorName();
    }
    // The program's own cursors: the up-down triangles and the pipette.
    a->cursor = WindowMouseService::cursor(WindowMouseService::CursorUpDown);
    xdo({"mousemove", "--window", "%w", "120", "120"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return WindowTest::shownCursorName() == "movane2-143"; }, 5000))
        << WindowTest::shownCursorName();
    router().startColorPick(b.get());
    ASSERT_TRUE(WindowTest::runUntil([&] { return WindowTest::shownCursorName() == "movane2-130"; }, 5000))
        << WindowTest::shownCursorName();
    router().cancelColorPick();
}

TEST_F(InputRoutingTest, AColourPickTakesTheColourUnderAClickAnywhereOnTheScreen) {
    // Another program's window, pure red, over part of ours.
    GtkWidget* other = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_move(GTK_WINDOW(other), 900, 300);
    gtk_window_set_default_size(GTK_WINDOW(other), 200, 200);
    g_signal_connect(other, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer) -> gboolean {
                         cairo_set_source_rgb(cr, 1, 0, 0);
                         cairo_paint(cr);
                         return TRUE;
                     }),
                     nullptr);
    gtk_widget_show_all(other);
    std::uint8_t rgb[3] = {};
    ASSERT_TRUE(WindowTest::runUntil(
        [&] { return Platform::getScreenPixel(1000, 400, rgb) && rgb[0] == 255 && rgb[1] == 0; }, 5000));
    router().startColorPick(b.get());
    xdo({"mousemove", "1000", "400", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return !b->picks.empty(); }, 5000));
    ASSERT_TRUE(b->picks[0].has_value());
    EXPECT_EQ(b->picks[0]->red, 255);
    EXPECT_EQ(b->picks[0]->green, 0);
    EXPECT_EQ(b->picks[0]->blue, 0);
    EXPECT_EQ(router().colorPicker, nullptr);
    // A click on the picker itself cancels.
    router().startColorPick(b.get());
    xdo({"mousemove", "--window", "%w", "250", "250", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return b->picks.size() == 2; }, 5000));
    EXPECT_FALSE(b->picks[1].has_value());
    EXPECT_EQ(b->downs, 0) << "the click that ends a pick presses nothing";
    gtk_widget_destroy(other);
}

TEST_F(InputRoutingTest, APointerRestingOnAnObjectAsksItForItsTooltipOnce) {
    xdo({"mousemove", "--window", "%w", "250", "250"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return b->hovers == 1; }, 5000));
    WindowTest::runFor(600);
    EXPECT_EQ(b->hovers, 1);
    EXPECT_EQ(a->hovers, 0);
    // Entering another object tracks anew.
    xdo({"mousemove", "--window", "%w", "150", "150"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->hovers == 1; }, 5000));
}

TEST_F(InputRoutingTest, AClickThatActivatesTheWindowIsEatenOnTheLastPressedObject) {
    xdo({"mousemove", "--window", "%w", "150", "150", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return a->ups == 1; }, 5000));
    GtkWidget* other = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_move(GTK_WINDOW(other), 700, 500);
    gtk_window_set_default_size(GTK_WINDOW(other), 200, 200);
    gtk_widget_show_all(other);
    const auto deactivate = [&] {
        WindowTest::runUntil([&] { return gtk_widget_get_mapped(other); }, 5000);
        gdk_window_focus(gtk_widget_get_window(other), GDK_CURRENT_TIME);
        return WindowTest::runUntil([&] { return !Platform::isWindowActive(window); }, 5000);
    };
    ASSERT_TRUE(deactivate());
    clock += 1000;
    // The same object again: the activating click is eaten.
    xdo({"click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return Platform::isWindowActive(window); }, 5000));
    settle();
    EXPECT_EQ(a->downs, 1);
    // Another object: the activating click goes through.
    ASSERT_TRUE(deactivate());
    clock += 1000;
    xdo({"mousemove", "--window", "%w", "250", "250", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return b->downs == 1; }, 5000));
    EXPECT_TRUE(Platform::isWindowActive(window));
    gtk_widget_destroy(other);
}

TEST_F(InputRoutingTest, ACommittedCompositionReachesTheFocusedObjectAsOneString) {
    a->takesFocus = true;
    xdo({"mousemove", "--window", "%w", "150", "150", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return router().focus == a.get(); }, 5000));
    // What an input method does for a composition: preedit, then commit.
    GtkIMContext* im = Platform::imeContext(window);
    ASSERT_NE(im, nullptr);
    g_signal_emit_by_name(im, "preedit-start");
    g_signal_emit_by_name(im, "preedit-changed");
    g_signal_emit_by_name(im, "commit", "日本語");
    g_signal_emit_by_name(im, "preedit-end");
    ASSERT_EQ(a->strings.size(), 1u);
    EXPECT_EQ(a->strings[0], L"日本語");
    EXPECT_TRUE(router().ime.associated) << "A asked to keep the input method on";
    // Without the focus the composition is switched off and reaches nobody.
    xdo({"mousemove", "--window", "%w", "50", "50", "click", "1"});
    ASSERT_TRUE(WindowTest::runUntil([&] { return router().focus == nullptr; }, 5000));
    g_signal_emit_by_name(im, "preedit-start");
    g_signal_emit_by_name(im, "commit", "語");
    g_signal_emit_by_name(im, "preedit-end");
    EXPECT_EQ(a->strings.size(), 1u);
    EXPECT_FALSE(router().ime.associated);
}

}  // namespace
