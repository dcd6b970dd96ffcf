// The tooltip and the export balloon as windows on the test's display: the
// text cut to its capacity, the right screen edge, and one balloon that the
// last export's completion times.
#include "core/CoreTestSupport.h"
#include "platform/gtk/Screen.h"
#include "platform/gtk/TipWindow.h"
#include "support/VirtualDisplay.h"
#include "window/OutputBalloon.h"
#include "window/Timer.h"
#include "window/ToolTips.h"
#include "window/WindowTestSupport.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Mapped popup windows other than the tooltip: balloons.
int shownBalloons() {
    int count = 0;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next) {
        GtkWidget* window = GTK_WIDGET(w->data);
        const bool tooltip = Window::ToolTips::window() && window == Window::ToolTips::window()->toolkitWindow();
        count += !tooltip && gtk_window_get_window_type(GTK_WINDOW(window)) == GTK_WINDOW_POPUP &&
                 gtk_widget_get_mapped(window);
    }
    g_list_free(windows);
    return count;
}

class ToolTipWindowTest : public WindowTest::WindowServiceTest {
protected:
    void TearDown() override {
        Window::ToolTips::hide();
        Window::removeOutputCompleteBalloon();
        WindowServiceTest::TearDown();
    }
};

TEST_F(ToolTipWindowTest, ALongTextShowsItsFirst1023Characters) {
    std::wstring text;
    for (int i = 0; i < 2000; ++i) text += static_cast<wchar_t>(L'a' + i % 26);
    Window::ToolTips::show({100, 100}, text, 0);
    ASSERT_TRUE(WindowTest::runUntil([] { return gtk_widget_get_mapped(Window::ToolTips::window()->toolkitWindow()); }));
    EXPECT_EQ(Window::ToolTips::text, text.substr(0, 1023));
    EXPECT_EQ(Window::ToolTips::window()->shownText(), std::string(text.begin(), text.begin() + 1023));
}

TEST_F(ToolTipWindowTest, ATooltipPastTheRightEdgeEndsAtTheEdge) {
    const int right = Platform::virtualScreenRect().right;
    Window::ToolTips::show({right - 20, 200}, L"右端に近いツールチップの説明文", 0);
    ASSERT_TRUE(WindowTest::runUntil([] { return gtk_widget_get_mapped(Window::ToolTips::window()->toolkitWindow()); }));
    WindowTest::settle();
    const Platform::RECT rect = Window::ToolTips::window()->screenRect();
    EXPECT_EQ(rect.right, right);
    EXPECT_GT(rect.right - rect.left, 20);
    EXPECT_EQ(rect.top, 200);
    // One far from the edge stays where it was asked to be.
    Window::ToolTips::show({300, 200}, L"右端に近いツールチップの説明文", 0);
    WindowTest::settle();
    EXPECT_EQ(Window::ToolTips::window()->screenRect().left, 300);
}

TEST_F(ToolTipWindowTest, TwoExportsEndingApartShowOneBalloonTimedFromTheSecond) {
    Window::showOutputCompleteBalloon();
    ASSERT_TRUE(WindowTest::runUntil([] { return shownBalloons() == 1; }));
    EXPECT_EQ(Window::outputCompleteBalloon()->shownTitle(), "Movane Quorin2");
    EXPECT_EQ(Window::outputCompleteBalloon()->shownText(), "ファイル出力が完了しました");
    System::Timer* timer = Window::outputCompleteBalloonTimer();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->period, 5000);
    const unsigned firstSet = timer->setCount;
    // Two seconds later (the timer has not fired) the second export ends:
    // the balloon is replaced and its 5 s start again.
    Window::showOutputCompleteBalloon();
    WindowTest::settle();
    EXPECT_EQ(shownBalloons(), 1);
    EXPECT_EQ(timer->setCount, firstSet + 1);
    EXPECT_EQ(timer->period, 5000);
    ASSERT_TRUE(timer->isSet());
    // Its tick, 5 s after the second: no balloon and no timer left.
    System::Timer::timerProc(timer->id);
    EXPECT_EQ(Window::outputCompleteBalloon(), nullptr);
    EXPECT_FALSE(timer->isSet());
    ASSERT_TRUE(WindowTest::runUntil([] { return shownBalloons() == 0; }));
}

}  // namespace
