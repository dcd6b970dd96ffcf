// Panels in a real main window (1280 x 720 client: a docking area of
// 1283 x 701 with the separator 5 and the footer 24), driven with xdotool:
// the default placements on screen, a splitter drag stored in the settings
// file, floating and docking back, a tab group's strip, and the modal scope
// keeping clicks from every program window.
#include "window/PanelTestSupport.h"

#include "core/file/IniFile.h"
#include "window/ModalScope.h"
#include "window/WindowFloating.h"
#include "window/WindowGroupTab.h"
#include "window/WindowMenuEntry.h"

#include <cstdio>
#include <stdexcept>

using namespace PanelTest;
using Window::Placements::explorerSection;
namespace Placements = Window::Placements;

namespace {

// The twelve panels of the program at their default placements, each in a
// colour of its own.
struct DefaultPanel {
    const wchar_t* title;
    std::string section;
    const Window::WindowClientLayout* layout;
    int kind;
    std::uint32_t rgb;
    // A point inside the panel, worked out from the table by hand; none for
    // the hidden ones.
    int x;
    int y;
};

std::vector<DefaultPanel> defaultPanels() {
    return {
        {L"エクスプローラ1", explorerSection(1), &Placements::firstExplorer, 0, 0xFF0000, 120, 240},
        {L"エクスプローラ2", explorerSection(2), &Placements::furtherExplorer, 0, 0x800000, -1, -1},
        {L"シーン一覧", "Window.scene.list", &Placements::sceneList, 1, 0x00FF00, 120, 600},
        {L"オブジェクト一覧", "Window.object.list", &Placements::objectList, 1, 0x0000FF, 1150, 150},
        {L"設定", "Window.setting", &Placements::setting, 1, 0xFFFF00, 1150, 500},
        {L"色", "Window.setting.color", &Placements::settingColor, 2, 0x008000, -1, -1},
        {L"プレビュー", "Window.preview", &Placements::preview, 1, 0xFF00FF, 640, 240},
        {L"タイムライン", "Window.edit", &Placements::edit, 1, 0x00FFFF, 640, 600},
        {L"時間", "Window.setting.time", &Placements::settingTime, 2, 0x000080, -1, -1},
        {L"テキスト", "Window.setting.text", &Placements::settingText, 2, 0x808000, -1, -1},
        {L"ログ", "Window.log", &Placements::log, 1, 0x800080, -1, -1},
        {L"プラグイン", "Window.plugin", &Placements::plugin, 0, 0x008080, -1, -1},
    };
}

class DefaultPanelsTest : public PanelFixture {
protected:
    void SetUp() override {
        PanelFixture::SetUp();
        for (const DefaultPanel& p : defaultPanels())
            slots.push_back(&add({p.title, p.section, p.layout, p.kind, p.rgb}));
        service().updateLayout();
    }
    ColourPanel& panel(size_t index) { return **slots[index]; }

    std::vector<std::unique_ptr<ColourPanel>*> slots;
};

// The first entry of the menu with the text runs.
void chooseFromMenus(const std::wstring& text) {
    Window::popupMenuCall() = [text](Platform::WindowHandle, const Window::MenuEntries& menu) {
        const Window::MenuEntry* entry = Window::findMenuEntry(menu, text);
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->enabled);
        entry->command();
    };
}

unsigned long transientFor(unsigned long window) {
    const std::string out = runWhileLooping("xprop -id " + std::to_string(window) + " WM_TRANSIENT_FOR");
    const auto hash = out.find("# ");
    return hash == std::string::npos ? 0 : std::stoul(out.substr(hash + 2), nullptr, 16);
}

}  // namespace

TEST_F(DefaultPanelsTest, TheTwelvePlacementsOnScreen) {
    const std::vector<DefaultPanel> table = defaultPanels();
    const bool shown = waitForScreen([&](const TestSupport::Screenshot& shot) {
        for (const DefaultPanel& p : table)
            if (p.x >= 0 && shot.pixel(p.x, p.y) != p.rgb) return false;
        return true;
    });
    EXPECT_TRUE(shown);
    TestSupport::Screenshot shot(display());
    for (const DefaultPanel& p : table) {
        SCOPED_TRACE(p.section);
        if (p.x >= 0) {
            EXPECT_EQ(shot.pixel(p.x, p.y), p.rgb);
        } else {
            EXPECT_EQ(shot.count(0, 0, 1280, 720, p.rgb), 0);
            EXPECT_EQ(panel(&p - table.data()).clientRect.width, 0);
        }
    }
    // Hand-worked edges: the explorer ends before x 252 (its border), the
    // preview starts at 257; the separator between them and the one below
    // the preview are no panel's.
    EXPECT_EQ(shot.pixel(251, 240), 0xFF0000u);
    EXPECT_EQ(shot.pixel(257, 240), 0xFF00FFu);
    // The client area is 692 pixels high below the 28-pixel menu bar; the
    // separator under the preview lies at client y 466-470 (screen 494-498).
    ASSERT_EQ(WindowTest::menuBarHeight(), 28);
    for (const DefaultPanel& p : table) {
        EXPECT_NE(shot.pixel(254, 240), p.rgb);
        EXPECT_NE(shot.pixel(640, 496), p.rgb);
    }
    EXPECT_EQ(panel(3).clientRect, (Window::Rect{1027, 0, 252, 283}));
    EXPECT_EQ(panel(4).clientRect, (Window::Rect{1027, 288, 252, 380}));
}

TEST_F(DefaultPanelsTest, ASeparatorDraggedBy50PixelsMovesTheFractionsByItsShareOfTheWidth) {
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) { return shot.pixel(120, 240) == 0xFF0000; }));
    runWhileLooping("xdotool mousemove 254 240 mousedown 1 mousemove 270 240 mousemove 290 240 "
                    "mousemove 304 240 mouseup 1");
    ASSERT_TRUE(runUntil([&] { return !service().splitter.active(); }));
    const float moved = 0.2f + 50.0f / 1283;
    EXPECT_NEAR(panel(0).placement.right, moved, 1e-6);   // explorer
    EXPECT_NEAR(panel(2).placement.right, moved, 1e-6);   // scene list below it
    EXPECT_NEAR(panel(6).placement.left, moved, 1e-6);    // preview
    EXPECT_NEAR(panel(7).placement.left, moved, 1e-6);    // timeline below it
    EXPECT_EQ(panel(6).clientRect.x, 307);

    shutDown();
    // 0.2 + 50 / 1283 = 0.238971.
    const std::vector<std::string> explorer = savedSection("Window.explorer:1");
    ASSERT_GE(explorer.size(), 4u);
    EXPECT_EQ(explorer[0], "left=0.000000");
    EXPECT_EQ(explorer[2], "right=0.238971");
    const std::vector<std::string> preview = savedSection("Window.preview");
    ASSERT_GE(preview.size(), 4u);
    EXPECT_EQ(preview[0], "left=0.238971");
    EXPECT_EQ(preview[2], "right=0.800000");
}

TEST_F(DefaultPanelsTest, SplitterDragsStopAt24PixelsAndSwapTwoPanelsOfAnArea) {
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) { return shot.pixel(120, 240) == 0xFF0000; }));
    // The line of four panels dragged to the window's left edge: the left
    // strip keeps 24 of 1283 pixels.
    runWhileLooping("xdotool mousemove 254 240 mousedown 1 mousemove 200 240 mousemove 100 240 "
                    "mousemove 0 240 mouseup 1");
    ASSERT_TRUE(runUntil([&] { return !service().splitter.active(); }));
    EXPECT_NEAR(panel(0).placement.right, 24.0f / 1283, 1e-6);
    EXPECT_NEAR(panel(7).placement.left, 24.0f / 1283, 1e-6);

    // With the colour window shown the right strip holds the object list
    // (0-0.3), the settings (0.3-0.7) and the colour window (0.7-1). The
    // line below the object list (client y 196-200, screen 224-228 under
    // the menu bar) dragged down past the settings window's bottom moves
    // the settings window one place down.
    service().showWindowClient(panel(5));
    EXPECT_EQ(panel(4).clientRect.y, 201);
    runWhileLooping("xdotool mousemove 1150 226 mousedown 1 mousemove 1150 300 mousemove 1150 400 "
                    "mousemove 1150 526 mouseup 1");
    ASSERT_TRUE(runUntil([&] { return !service().splitter.active(); }));
    EXPECT_NEAR(panel(3).placement.bottom, 0.3f, 1e-6);
    EXPECT_NEAR(panel(5).placement.top, 0.3f, 1e-6);
    EXPECT_NEAR(panel(5).placement.bottom, 0.7f, 1e-6);
    EXPECT_NEAR(panel(4).placement.top, 0.7f, 1e-6);
    EXPECT_NEAR(panel(4).placement.bottom, 1, 1e-6);
    EXPECT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) {
        return shot.pixel(1150, 300) == 0x008000 && shot.pixel(1150, 600) == 0xFFFF00;
    }));
}

TEST_F(DefaultPanelsTest, FloatingFromTheWindowMenuAndDockingBackFromTheSystemMenu) {
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) { return shot.pixel(1150, 150) == 0x0000FF; }));
    std::unique_ptr<ColourPanel>& objectList = *slots[3];
    const Window::ClientPlacement before = objectList->placement;

    chooseFromMenus(L"ウィンドウを分離");
    runWhileLooping("xdotool mousemove 1150 150 click 3");
    ASSERT_TRUE(runUntil([&] {
        return objectList->floatingWindow && Platform::isWindowVisible(objectList->floatingWindow->windowHandle);
    }));
    const unsigned long floating = xid(objectList->floatingWindow->windowHandle);
    EXPECT_EQ(transientFor(floating), xid(service().mainWindow));
    EXPECT_EQ(objectList->placement.floating, 1);
    // Its block was handed over with floating=1 and the window at the
    // panel's old place.
    const System::IniFile& ini = *System::Config::mainSettingsFile();
    EXPECT_EQ(ini.getSection("Window.object.list").findValue("floating").text, "1");
    EXPECT_EQ(ini.getSection("Window.object.list").findValue("x").text, "1027");
    // The settings window took the whole right strip.
    EXPECT_FLOAT_EQ(panel(4).placement.top, 0);
    EXPECT_EQ(std::find(service().dockedClients.begin(), service().dockedClients.end(), objectList.get()),
              service().dockedClients.end());

    // Closing the window hides the panel with it; showing the panel again
    // brings back the same window at the same place.
    const Platform::WindowHandle window = objectList->floatingWindow->windowHandle;
    Platform::sendMessage(window, Platform::WM_CLOSE, 0, 0);
    EXPECT_TRUE(objectList->isHidden());
    EXPECT_FALSE(Platform::isWindowVisible(window));
    service().showWindowClient(*objectList);
    EXPECT_TRUE(Platform::isWindowVisible(window));
    EXPECT_EQ(objectList->floatingWindow->windowHandle, window);
    EXPECT_EQ(objectList->placement.x, 1027);

    // Alt+Space opens the floating window's system menu; its first item
    // docks the panel back.
    runWhileLooping("xdotool windowfocus --sync " + std::to_string(floating) + " key alt+space");
    runWhileLooping("xdotool key Down Return");
    ASSERT_TRUE(runUntil([&] { return !objectList->floatingWindow && !objectList->isHidden(); }));
    EXPECT_EQ(objectList->placement.floating, 0);
    runUntil([&] { return objectList->clientRect.y == 0 && objectList->clientRect.height > 0; }, 2000);
    EXPECT_NEAR(objectList->placement.top, before.top, 1e-6);
    EXPECT_NEAR(objectList->placement.bottom, before.bottom, 1e-6);
    EXPECT_NEAR(panel(4).placement.top, before.bottom, 1e-6);
    EXPECT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) {
        return shot.pixel(1150, 150) == 0x0000FF && shot.pixel(1150, 500) == 0xFFFF00;
    }));
    shutDown();
    const std::vector<std::string> saved = savedSection("Window.object.list");
    ASSERT_GE(saved.size(), 8u);
    EXPECT_EQ(saved[7], "floating=0");
}

namespace {

const Window::MenuEntry& item(const Window::MenuEntries& menu, const wchar_t* text) {
    const Window::MenuEntry* found = Window::findMenuEntry(menu, text);
    if (!found) throw std::runtime_error("no menu item");
    return *found;
}

Window::MenuEntries windowMenu(Window::WindowClient& panel) {
    Window::MenuEntries menu;
    panel.createWindowMenu(menu);
    return menu;
}

}  // namespace

TEST_F(DefaultPanelsTest, TheWindowMenuOffersWhatThePanelsPlaceAllows) {
    const wchar_t* const moves[] = {L"先頭に移動", L"上に移動", L"下に移動", L"最後に移動"};
    // The preview is alone in the top area: no move is possible.
    const Window::MenuEntries preview = windowMenu(panel(6));
    ASSERT_EQ(preview.size(), 1u);
    EXPECT_EQ(preview[0].text, L"ウィンドウ配置");
    for (const wchar_t* text : moves) EXPECT_FALSE(item(preview, text).enabled) << text;
    EXPECT_TRUE(item(preview, L"上側エリア").checked);
    EXPECT_FALSE(item(preview, L"左側エリア").checked);
    EXPECT_FALSE(item(preview, L"ウィンドウのグループ化").checked);
    EXPECT_TRUE(item(preview, L"ウィンドウを分離").enabled);
    EXPECT_TRUE(item(preview, L"ウィンドウを閉じる").enabled);
    // The explorer heads the left area above the scene list; it cannot float.
    const Window::MenuEntries explorer = windowMenu(panel(0));
    EXPECT_FALSE(item(explorer, L"先頭に移動").enabled);
    EXPECT_FALSE(item(explorer, L"上に移動").enabled);
    EXPECT_TRUE(item(explorer, L"下に移動").enabled);
    EXPECT_TRUE(item(explorer, L"最後に移動").enabled);
    EXPECT_EQ(Window::findMenuEntry(explorer, L"ウィンドウを分離"), nullptr);
    // A hidden panel gets an empty move submenu.
    EXPECT_TRUE(item(windowMenu(panel(1)), L"ウィンドウの移動").children.empty());

    // 下に移動 puts the explorer below the scene list.
    item(explorer, L"下に移動").command();
    EXPECT_NEAR(panel(2).placement.top, 0, 1e-6);
    EXPECT_NEAR(panel(0).placement.bottom, 1, 1e-6);
    EXPECT_GT(panel(0).clientRect.y, panel(2).clientRect.y);
    // 中央エリア moves the scene list out of the left strip: the explorer
    // takes all of it.
    item(windowMenu(panel(2)), L"中央エリア").command();
    EXPECT_EQ(panel(2).placement.area, Window::AreaCenter);
    EXPECT_NEAR(panel(0).placement.top, 0, 1e-6);
    EXPECT_NEAR(panel(0).placement.bottom, 1, 1e-6);
}

TEST_F(DefaultPanelsTest, HidingMovesAPanelOffWithoutPaintingIt) {
    ColourPanel& preview = panel(6);
    const int paints = preview.paints;
    const int moves = preview.moves;
    item(windowMenu(preview), L"ウィンドウを閉じる").command();
    EXPECT_TRUE(preview.isHidden());
    EXPECT_EQ(preview.clientRect, Window::WindowClient::hiddenRect);
    EXPECT_EQ(preview.moves, moves + 1);
    EXPECT_EQ(preview.paints, paints);
    // The timeline takes the room between the strips.
    EXPECT_NEAR(panel(7).placement.top, 0, 1e-6);

    service().showWindowClient(preview);
    EXPECT_FALSE(preview.isHidden());
    EXPECT_EQ(preview.clientRect.y, 0);
    EXPECT_GT(preview.paints, paints);
    EXPECT_GT(panel(7).placement.top, 0.5f);
}

TEST_F(DefaultPanelsTest, GroupingAndUngroupingKeepOneMemberShown) {
    ColourPanel& edit = panel(7);
    ColourPanel& time = panel(8);
    item(windowMenu(edit), L"ウィンドウのグループ化").command();
    EXPECT_TRUE(edit.isGrouped());
    ASSERT_TRUE(edit.groupTab);
    EXPECT_EQ(edit.groupTabHeight(), 20);
    // A second panel joining the group shows and hides the other member.
    service().setGrouped(time, true);
    EXPECT_FALSE(time.isHidden());
    EXPECT_TRUE(edit.isHidden());
    EXPECT_FALSE(edit.groupTab);
    ASSERT_TRUE(time.groupTab);
    time.groupTab->paint();
    EXPECT_EQ(edit.placement.group, 1);
    EXPECT_EQ(time.placement.group, 2);
    // Ungrouping the shown member shows the first remaining one.
    item(windowMenu(time), L"ウィンドウのグループ化").command();
    EXPECT_FALSE(time.isGrouped());
    EXPECT_FALSE(edit.isHidden());
    EXPECT_FALSE(time.isHidden());
}

class TabGroupTest : public PanelFixture {};

TEST_F(TabGroupTest, AClickAt150OnAThreeTabStripOf300PixelsShowsTheSecondMember) {
    // The left area leaves the bottom area 300 pixels: 1283 x 978.5 / 1283
    // ends the left panel at 978, the group runs from 979 to 1279.
    System::Config::mainSettingsFile()->loadMemory(
        "[Test.tab1]\ngroup=1\nhide=0\n[Test.tab2]\ngroup=2\nhide=1\n[Test.tab3]\ngroup=3\nhide=1\n");
    const float split = 978.5f / 1283;
    const Window::WindowClientLayout left{0, 0, split, 1, Window::AreaLeft, true};
    const Window::WindowClientLayout bottom{split, 0, 1, 1, Window::AreaBottom, true};
    add({L"左", "Test.left", &left, 1, 0x808080});
    std::unique_ptr<ColourPanel>& tab1 = add({L"一", "Test.tab1", &bottom, 1, 0xFF0000});
    std::unique_ptr<ColourPanel>& tab2 = add({L"二", "Test.tab2", &bottom, 1, 0x00FF00});
    std::unique_ptr<ColourPanel>& tab3 = add({L"三", "Test.tab3", &bottom, 1, 0x0000FF});
    service().updateLayout();
    ASSERT_TRUE(tab1->groupTab);
    Window::WindowGroupTab::Control& strip = *tab1->groupTab->control();
    EXPECT_EQ(*strip.rect, (Window::Rect{979, 0, 300, 20}));
    // 676 pixels below the strip, less the 28 of the menu bar above the
    // client area; the strip lies at screen y 28 to 47.
    EXPECT_EQ(tab1->clientRect, (Window::Rect{979, 20, 300, 648}));
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) { return shot.pixel(1129, 300) == 0xFF0000; }));

    runWhileLooping("xdotool mousemove 1129 38 click 1");
    ASSERT_TRUE(runUntil([&] { return !tab2->isHidden(); }));
    EXPECT_TRUE(tab1->isHidden());
    EXPECT_TRUE(tab3->isHidden());
    EXPECT_FALSE(tab1->groupTab);
    ASSERT_TRUE(tab2->groupTab);
    EXPECT_EQ(tab2->clientRect, (Window::Rect{979, 20, 300, 648}));
    EXPECT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) { return shot.pixel(1129, 300) == 0x00FF00; }));
    // The tabs keep their order, renumbered from 1.
    EXPECT_EQ(tab1->placement.group, 1);
    EXPECT_EQ(tab2->placement.group, 2);
    EXPECT_EQ(tab3->placement.group, 3);
}

TEST(WindowGroupTab, TabUnderAPoint) {
    using Control = Window::WindowGroupTab::Control;
    struct Case {
        int n;
        int x;
        int width;
        int tab;
    };
    const Case cases[] = {
        {3, 0, 300, 0},   {3, 99, 300, 0},  {3, 100, 300, 1}, {3, 199, 300, 1}, {3, 200, 300, 2},
        {3, 299, 300, 2}, {3, -40, 300, 0}, {3, 900, 300, 2}, {0, 10, 300, -1}, {1, 150, 300, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Control::tabIndex(c.n, c.x, c.width), c.tab) << c.n << " " << c.x;
}

class FloatingWindowTest : public PanelFixture {};

TEST_F(FloatingWindowTest, APanelWithoutCaptionFloatsInAFrameWithoutTitleAskingForTheDarkVariant) {
    System::Config::mainSettingsFile()->loadMemory("[Test.color]\nfloating=1\nx=200\ny=100\nw=300\nh=280\n");
    const Window::WindowClientLayout layout = Placements::settingColor;
    std::unique_ptr<ColourPanel>& color = add({L"色", "Test.color", &layout, 2, 0x008000});
    // Shown by the placement, not by the default's hide.
    color->setVisible(true);
    service().updateLayout();
    ASSERT_TRUE(color->floatingWindow);
    const Platform::WindowHandle window = color->floatingWindow->windowHandle;
    ASSERT_TRUE(Platform::isWindowVisible(window));
    EXPECT_EQ(color->clientRect, (Window::Rect{0, 0, 300, 280}));
    const std::string id = std::to_string(xid(window));
    const std::string variant = runWhileLooping("xprop -id " + id + " _GTK_THEME_VARIANT");
    EXPECT_NE(variant.find("\"dark\""), std::string::npos) << variant;
    // Motif hints: decorations (flag 2) border and resize handles only
    // (2 | 4), no title.
    EXPECT_NE(runWhileLooping("xprop -id " + id + " _MOTIF_WM_HINTS").find("0x2, 0x0, 0x6"), std::string::npos);
    EXPECT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) { return shot.pixel(350, 240) == 0x008000; }));
}

class ModalScopeTest : public PanelFixture {};

TEST_F(ModalScopeTest, NoClickReachesTheMainOrAFloatingWindowWhileAModalWindowIsOpen) {
    System::Config::mainSettingsFile()->loadMemory("[Test.floating]\nfloating=1\nx=300\ny=300\nw=300\nh=200\n");
    const Window::WindowClientLayout whole{0, 0, 1, 1, Window::AreaCenter, true};
    std::unique_ptr<ColourPanel>& docked = add({L"主", "Test.docked", &whole, 1, 0xFF0000});
    std::unique_ptr<ColourPanel>& floating = add({L"浮", "Test.floating", &whole, 1, 0x0000FF});
    service().updateLayout();
    ASSERT_TRUE(floating->floatingWindow);
    ASSERT_TRUE(waitForScreen([](const TestSupport::Screenshot& shot) {
        return shot.pixel(100, 100) == 0xFF0000 && shot.pixel(400, 400) == 0x0000FF;
    }));

    // A window of the test's own, clicked last: once its click has arrived,
    // the clicks before it have been handled.
    GtkWidget* sentinel = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_move(GTK_WINDOW(sentinel), 1000, 600);
    gtk_window_set_default_size(GTK_WINDOW(sentinel), 100, 50);
    gtk_widget_add_events(sentinel, GDK_BUTTON_PRESS_MASK);
    int sentinelClicks = 0;
    g_signal_connect(sentinel, "button-press-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer count) {
                         ++*static_cast<int*>(count);
                         return FALSE;
                     }),
                     &sentinelClicks);
    gtk_widget_show_all(sentinel);
    ASSERT_TRUE(runUntil([&] {
        GdkWindow* gdk = gtk_widget_get_window(sentinel);
        return gdk && gdk_window_is_viewable(gdk);
    }));

    {
        Window::ModalScope scope;
        EXPECT_FALSE(Platform::isWindowEnabled(service().mainWindow));
        EXPECT_FALSE(Platform::isWindowEnabled(floating->floatingWindow->windowHandle));
        runWhileLooping("xdotool mousemove 100 100 click 1 mousemove 400 400 click 1 mousemove 1050 625 click 1");
        ASSERT_TRUE(runUntil([&] { return sentinelClicks > 0; }));
        EXPECT_EQ(docked->presses, 0);
        EXPECT_EQ(floating->presses, 0);
    }
    EXPECT_TRUE(Platform::isWindowEnabled(service().mainWindow));
    EXPECT_TRUE(Platform::isWindowEnabled(floating->floatingWindow->windowHandle));
    // Bringing the main window to the front raised it over the floating
    // window; a window manager keeps an owned window above its owner, here
    // the test raises it.
    runWhileLooping("xdotool mousemove 100 100 click 1 windowraise " +
                    std::to_string(xid(floating->floatingWindow->windowHandle)) + " mousemove 400 400 click 1");
    EXPECT_TRUE(runUntil([&] { return docked->presses == 1 && floating->presses == 1; }))
        << docked->presses << " " << floating->presses;
    gtk_widget_destroy(sentinel);
}
