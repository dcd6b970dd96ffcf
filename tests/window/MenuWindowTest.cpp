// The menu bar, a popup menu and the popup list box on a window of the test
// process, driven with xdotool on the test's own X server.
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/PopupList.h"
#include "support/VirtualDisplay.h"
#include "window/DesktopSteps.h"
#include "window/ListBox.h"
#include "window/PopupMenu.h"
#include "window/ShortcutService.h"
#include "window/WindowMenuManager.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace Window;
using WindowTest::DesktopSteps;

WindowMenuManager* testBar = nullptr;
int menuOpenings = 0;

LRESULT testProc(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == Platform::WM_COMMAND && lParam == 0 && testBar) {
        testBar->executeCommand(Platform::LOWORD(static_cast<LPARAM>(wParam)));
        return 0;
    }
    if (message == Platform::WM_INITMENUPOPUP && testBar) {
        ++menuOpenings;
        testBar->updateMenuState();
        return 0;
    }
    return Platform::defWindowProc(window, message, wParam, lParam);
}

// The centre of a widget on the screen.
Platform::POINT centre(GtkWidget* widget) {
    GdkWindow* window = gtk_widget_get_window(widget);
    int x = 0;
    int y = 0;
    gdk_window_get_origin(window, &x, &y);
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    if (!gtk_widget_get_has_window(widget)) {
        x += a.x;
        y += a.y;
    }
    return {x + a.width / 2, y + a.height / 2};
}

void clickAt(Platform::POINT p, const std::string& before = "", const std::string& after = "") {
    DesktopSteps::spawn("xdotool " + before + " mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) +
                        " click 1 " + after);
}

bool mapped(GtkWidget* widget) { return widget && gtk_widget_get_mapped(widget); }

std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

class MenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform::registerClass("movane2MenuTest", testProc);
        window = Platform::createWindow("movane2MenuTest", "menus", 0, 0, 400, 300, nullptr);
        ASSERT_NE(window, nullptr);
        testBar = &bar;
        menuOpenings = 0;
    }
    void TearDown() override {
        testBar = nullptr;
        Platform::destroyWindow(window);
        Platform::unregisterClass("movane2MenuTest");
    }

    // The toolkit opens before the menus are made.
    struct Display {
        Display() { TestSupport::useTestDisplay(); }
    } display;
    CoreTest::ProgramFolder folder;
    System::Singleton<ShortcutService> shortcuts;
    WindowMenuManager bar;
    Platform::WindowHandle window = nullptr;
};

TEST_F(MenuWindowTest, TheBarOpensOnAClickGreysByItsPredicateAndRunsTheChoice) {
    bool enabled = false;
    int opened = 0;
    int greyedRan = 0;
    MenuItem open = bar.windowMenu.file.insertItem(L"開く(&O)", [&] { ++opened; });
    open.menuTitle = L"ファイル";
    open.setShortcut(0x4F | 0x4000);
    bar.windowMenu.file.insertSeparator();
    const MenuItem greyed = bar.windowMenu.file.insertItem(L"保存", [&] { ++greyedRan; }).setEnable([&] { return enabled; });
    bar.setWindowMenu(window);
    Platform::showWindow(window, Platform::SW_SHOW);

    GtkWidget* fileTitle = Platform::toolkitMenuItem(bar.hmenu, 0);
    GtkWidget* fileMenu = Platform::toolkitMenu(bar.windowMenu.file.hmenu);
    GtkWidget* openItem = Platform::toolkitMenuItem(bar.windowMenu.file.hmenu, 0);
    GtkWidget* greyedItem = Platform::toolkitMenuItem(bar.windowMenu.file.hmenu, 2);
    bool greyedAtFirst = false;
    bool enabledLater = false;
    DesktopSteps steps;
    steps.waitFor([&] { return mapped(fileTitle); })
        .then([&] { clickAt(centre(fileTitle)); })
        .waitFor([&] { return mapped(fileMenu) && mapped(greyedItem); })
        .then([&] { greyedAtFirst = !gtk_widget_get_sensitive(greyedItem); })
        // A click on the greyed item does nothing and leaves the menu open.
        .then([&] { clickAt(centre(greyedItem)); })
        .settle(10)
        .xdotool("key Escape")
        .waitFor([&] { return !mapped(fileMenu); })
        .then([&] { enabled = true; })
        .then([&] { clickAt(centre(fileTitle)); })
        .waitFor([&] { return mapped(fileMenu) && mapped(openItem); })
        .then([&] { enabledLater = gtk_widget_get_sensitive(greyedItem); })
        .then([&] { clickAt(centre(openItem)); })
        .waitFor([&] { return opened == 1; });
    ASSERT_TRUE(steps.run()) << "stopped at step " << steps.reached();
    EXPECT_TRUE(greyedAtFirst);
    EXPECT_TRUE(enabledLater);
    EXPECT_EQ(greyedRan, 0);
    EXPECT_GE(menuOpenings, 2);
    std::wstring text;
    Platform::getMenuString(bar.hmenu, static_cast<UINT>(open.commandId), Platform::MF_BYCOMMAND, text);
    EXPECT_EQ(text, L"開く(&O)\tCtrl+O");
    (void)greyed;
}

TEST_F(MenuWindowTest, APopupRunsItsAfterCallableAndTheChosenCommand) {
    Platform::showWindow(window, Platform::SW_SHOW);
    std::vector<std::string> events;
    bool trackingInCommand = false;
    bool separatorShown = false;
    GtkWidget* separator = nullptr;
    GtkWidget* secondItem = nullptr;
    auto openPopup = [&] {
        g_idle_add(
            [](gpointer data) -> gboolean {
                (*static_cast<std::function<void()>*>(data))();
                return G_SOURCE_REMOVE;
            },
            new std::function<void()>([&] {
                PopupMenu popup;
                popup.insertItem(L"一つ目", [&] { events.push_back("first"); });
                popup.insertSeparator();
                popup.insertItem(L"二つ目", [&] {
                    trackingInCommand = PopupMenu::tracking;
                    events.push_back("second");
                });
                separator = Platform::toolkitMenuItem(popup.hmenu, 1);
                secondItem = Platform::toolkitMenuItem(popup.hmenu, 2);
                popup.show([&] { events.push_back("after"); });
                separator = secondItem = nullptr;
            }));
    };
    DesktopSteps steps;
    steps.xdotool("mousemove 100 100")
        .waitFor([] {
            int x = 0, y = 0;
            gdk_device_get_position(gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default())), nullptr, &x, &y);
            return x == 100 && y == 100;
        })
        .then(openPopup)
        .waitFor([&] { return mapped(secondItem); })
        .then([&] {
            EXPECT_TRUE(PopupMenu::tracking);
            separatorShown = mapped(separator);
        })
        .xdotool("key Escape")
        .waitFor([&] { return events.size() == 1; })
        .then(openPopup)
        .waitFor([&] { return mapped(secondItem); })
        .then([&] { clickAt(centre(secondItem)); })
        .waitFor([&] { return events.size() == 3; });
    ASSERT_TRUE(steps.run()) << "stopped at step " << steps.reached();
    EXPECT_EQ(events, (std::vector<std::string>{"after", "after", "second"}));
    EXPECT_TRUE(trackingInCommand);
    EXPECT_TRUE(separatorShown);
    EXPECT_FALSE(PopupMenu::tracking);
    EXPECT_EQ(PopupMenu::trackPoint.x, 100);
    EXPECT_EQ(PopupMenu::trackPoint.y, 100);
}

class ListBoxTest : public MenuWindowTest {
protected:
    void fill(int rows, std::vector<int>& ran, int current = -1) {
        ListBox::initialize();
        ListBox::list->setItemHeight(16);
        for (int i = 0; i < rows; ++i)
            ListBox::addRow(L"行 " + std::to_wstring(i), [&ran, i] { ran.push_back(i); }, i == current);
    }
    // The centre of row i on the screen.
    static Platform::POINT row(int i) {
        const Platform::RECT r = ListBox::list->screenRect();
        return {(r.left + r.right) / 2, r.top + 1 + 16 * i + 8};
    }
    void TearDown() override {
        ListBox::close();
        ListBox::hooks = {};
        MenuWindowTest::TearDown();
    }
};

TEST_F(ListBoxTest, ThreeRowsOpen52PixelsHighAndHighlightAndRunRows) {
    Platform::showWindow(window, Platform::SW_SHOW);
    std::vector<int> ran;
    const int owner = 0;
    std::string info;
    int hovered = -2;
    DesktopSteps steps;
    steps.waitFor([&] { return mapped(GTK_WIDGET(Platform::toolkitWindow(window))); })
        .then([&] {
            fill(3, ran, 0);
            ListBox::show(window, 20, 30, 150, 0, &owner);
        })
        .waitFor([] { return mapped(ListBox::list->toolkitWindow()); })
        .then([&] { info = commandOutput("xwininfo -id $(xdotool search --onlyvisible --class movane2ListBox | head -1)"); })
        .then([&] {
            const Platform::POINT p = row(1);
            DesktopSteps::spawn("xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y));
        })
        .waitFor([] { return ListBox::list->getCurSel() == 1; })
        .then([&] { hovered = ListBox::list->getCurSel(); })
        .then([&] { clickAt(row(1), "keydown ctrl", "keyup ctrl"); })
        .waitFor([&] { return ran.size() == 1; })
        .settle(5)
        .then([&] { EXPECT_TRUE(ListBox::open); })
        .then([&] { clickAt(row(2)); })
        .waitFor([&] { return ran.size() == 2; })
        .waitFor([] { return !mapped(ListBox::list->toolkitWindow()); });
    ASSERT_TRUE(steps.run()) << "stopped at step " << steps.reached();
    EXPECT_NE(info.find("Height: 52"), std::string::npos) << info;
    EXPECT_NE(info.find("Width: 150"), std::string::npos) << info;
    EXPECT_EQ(hovered, 1);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_FALSE(ListBox::open);
    EXPECT_EQ(ListBox::list->getCount(), 0);
}

TEST_F(ListBoxTest, EscapeClosesWithoutACommand) {
    Platform::showWindow(window, Platform::SW_SHOW);
    std::vector<int> ran;
    const int owner = 0;
    DesktopSteps steps;
    steps.then([&] {
             fill(3, ran, 2);
             ListBox::show(window, 20, 30, 150, 0, &owner);
         })
        .waitFor([] { return mapped(ListBox::list->toolkitWindow()); })
        .then([] { EXPECT_EQ(ListBox::list->getCurSel(), 2); })
        .xdotool("key Escape")
        .waitFor([] { return !ListBox::open; });
    ASSERT_TRUE(steps.run()) << "stopped at step " << steps.reached();
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(ListBox::owner, &owner);
}

TEST_F(ListBoxTest, PlacementFollowsTheScreenAndTheMainWindow) {
    std::vector<int> ran;
    const int owner = 0;
    ListBox::hooks.clientToScreen = [](Platform::WindowHandle, Platform::POINT p) { return Platform::POINT{p.x + 100, p.y + 50}; };
    ListBox::hooks.mainWindowHeight = [] { return 800; };
    ListBox::hooks.screenBottom = [] { return 800; };

    fill(100, ran);
    ListBox::show(window, 10, 20, 200, 18, &owner);
    Platform::RECT r = ListBox::list->screenRect();
    EXPECT_EQ(r.bottom - r.top, 260);  // limit 256 + 4
    EXPECT_EQ(r.left, 110);
    EXPECT_EQ(r.top, 50 + 20 + 18);
    // Already open: nothing changes.
    ListBox::show(window, 300, 300, 50, 0, &owner);
    EXPECT_EQ(ListBox::list->screenRect().left, 110);

    fill(3, ran);
    ListBox::show(window, 10, 700, 200, 18, &owner);
    r = ListBox::list->screenRect();
    EXPECT_EQ(r.top, 750 - 52);  // above the point, without the offset

    // The wheel keeps the list open and changes the value.
    ListBox::moveSelection(+1);
    ListBox::moveSelection(+1);
    ListBox::moveSelection(+1);
    ListBox::moveSelection(+1);
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 2}));
    ListBox::moveSelection(-5);
    EXPECT_EQ(ran.back(), 0);
}

}  // namespace
