#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "support/VirtualDisplay.h"
#include "window/PopupMenu.h"
#include "window/ShortcutService.h"
#include "window/WindowMenuManager.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <functional>

#include <string>
#include <vector>

namespace {

using namespace Window;
using Platform::MF_BYCOMMAND;
using Platform::MF_BYPOSITION;
using Platform::MF_CHECKED;
using Platform::MF_GRAYED;

std::wstring textOf(Platform::MenuHandle menu, UINT item, UINT flags = MF_BYCOMMAND) {
    std::wstring text;
    EXPECT_TRUE(Platform::getMenuString(menu, item, flags, text));
    return text;
}

std::vector<std::wstring> texts(Platform::MenuHandle menu) {
    std::vector<std::wstring> all;
    for (int i = 0; i < Platform::getMenuItemCount(menu); ++i) all.push_back(textOf(menu, static_cast<UINT>(i), MF_BYPOSITION));
    return all;
}

class MenuFrameworkTest : public ::testing::Test {
protected:
    // The toolkit opens before the menus are made.
    struct Display {
        Display() { TestSupport::useTestDisplay(); }
    } display;
    CoreTest::ProgramFolder folder;
    System::Singleton<ShortcutService> shortcuts;
    WindowMenuManager bar;
    ShortcutService& shortcutService() { return *System::Singleton<ShortcutService>::getInstance(); }
};

TEST_F(MenuFrameworkTest, TheBarHasItsFiveMenusInOrder) {
    EXPECT_EQ(texts(bar.hmenu), (std::vector<std::wstring>{L"ファイル", L"編集", L"表示", L"設定", L"その他"}));
    EXPECT_EQ(Platform::getSubMenu(bar.hmenu, 2), bar.windowMenu.display.hmenu);
    EXPECT_EQ(bar.findSubMenu(bar.windowMenu.setting), 3);
    EXPECT_EQ(WindowMenuManager::mainMenu(), &bar);
}

TEST_F(MenuFrameworkTest, EachRootNumbersItsCommandsFrom40000) {
    std::vector<int> ran;
    std::vector<int> ids;
    for (int i = 0; i < 10; ++i) ids.push_back(bar.windowMenu.file.insertItem(L"item", [&ran, i] { ran.push_back(i); }).commandId);
    EXPECT_EQ(ids.front(), 40000);
    EXPECT_EQ(ids.back(), 40009);
    for (int i = 0; i < 300; ++i) bar.windowMenu.edit.registerCommand([] {});
    PopupMenu popup;
    EXPECT_EQ(popup.insertItem(L"first", [] {}).commandId, 40000);
    EXPECT_EQ(popup.insertItem(L"second", [] {}).commandId, 40001);
    // Submenus share their root's table.
    BaseMenu sub(bar.windowMenu.edit, L"移動");
    EXPECT_EQ(sub.insertItem(L"next", [] {}).commandId, 40310);

    bar.executeCommand(40003);
    bar.executeCommand(39999);
    bar.executeCommand(40500);
    EXPECT_EQ(ran, std::vector<int>{3});
}

TEST_F(MenuFrameworkTest, CallbacksSetTheBarWhenAMenuOpens) {
    bool enabled = false;
    bool checked = true;
    std::wstring shown = L"元に戻す";
    BaseMenu sub(bar.windowMenu.edit, L"移動");
    const MenuItem a = sub.insertItem(L"A", [] {}).setEnable([&] { return enabled; });
    const MenuItem b = bar.windowMenu.display.insertItem(L"B", [] {}).setCheck([&] { return checked; });
    MenuItem c = bar.windowMenu.edit.insertItem(L"C", [] {});
    c.menuTitle = L"編集";
    c.setShortcut(0x405A);
    bar.textCallbacks[c.commandId] = [&] { return shown; };
    // The first predicate of an id stays.
    MenuItem(a).setEnable([] { return true; });

    bar.updateMenuState();
    EXPECT_EQ(Platform::getMenuState(bar.hmenu, static_cast<UINT>(a.commandId), MF_BYCOMMAND), static_cast<int>(MF_GRAYED));
    EXPECT_EQ(Platform::getMenuState(bar.hmenu, static_cast<UINT>(b.commandId), MF_BYCOMMAND), static_cast<int>(MF_CHECKED));
    EXPECT_EQ(textOf(bar.hmenu, static_cast<UINT>(c.commandId)), L"元に戻す\tCtrl+Z");

    enabled = true;
    checked = false;
    shown = L"元に戻す (移動)";
    bar.updateMenuState();
    EXPECT_EQ(Platform::getMenuState(bar.hmenu, static_cast<UINT>(a.commandId), MF_BYCOMMAND), 0);
    EXPECT_EQ(Platform::getMenuState(bar.hmenu, static_cast<UINT>(b.commandId), MF_BYCOMMAND), 0);
    EXPECT_EQ(textOf(bar.hmenu, static_cast<UINT>(c.commandId)), L"元に戻す (移動)\tCtrl+Z");
}

TEST_F(MenuFrameworkTest, AShortcutIsNamedAfterItsMenuAndShownAfterATab) {
    BaseMenu move(bar.windowMenu.edit, L"移動");
    MenuItem next = move.insertItem(L"次のフレームに移動", [] {});
    next.menuTitle = L"編集";
    next.setShortcut(39);
    EXPECT_EQ(next.getShortcutName(), L"編集:次のフレームに移動\t\u2192");
    ASSERT_EQ(shortcutService().shortcuts.size(), 1u);
    EXPECT_EQ(shortcutService().shortcuts[0].name, L"編集:次のフレームに移動");
    EXPECT_EQ(shortcutService().shortcuts[0].commandId, next.commandId);
    EXPECT_EQ(textOf(move.hmenu, static_cast<UINT>(next.commandId)), L"次のフレームに移動\t\u2192");

    setMenuItemShortcutText(move.hmenu, next.commandId, L"");
    EXPECT_EQ(textOf(move.hmenu, static_cast<UINT>(next.commandId)), L"次のフレームに移動");
    setMenuItemShortcutText(move.hmenu, next.commandId, L"Ctrl+Shift+S");
    setMenuItemText(move.hmenu, next.commandId, L"次へ");
    EXPECT_EQ(textOf(move.hmenu, static_cast<UINT>(next.commandId)), L"次へ\tCtrl+Shift+S");
}

TEST_F(MenuFrameworkTest, NumberedListsFollowTheirProvider) {
    std::vector<std::wstring> recent = {L"A", L"B"};
    std::vector<int> chosen;
    BaseMenu history(bar.windowMenu.file, L"最近使ったファイル");
    WindowMenu::ItemList& list = history.insertItemList(
        4, [&] { return recent; }, [&](int i) { chosen.push_back(i); });
    EXPECT_EQ(Platform::getMenuItemCount(history.hmenu), 0);
    bar.updateMenuState();
    EXPECT_EQ(texts(history.hmenu), (std::vector<std::wstring>{L"&1 A", L"&2 B"}));
    EXPECT_EQ(Platform::getMenuItemID(history.hmenu, 0), list.firstCommandId);
    EXPECT_EQ(Platform::getMenuItemID(history.hmenu, 1), list.firstCommandId + 1);
    bar.executeCommand(list.firstCommandId + 1);
    bar.executeCommand(list.firstCommandId + 3);
    EXPECT_EQ(chosen, (std::vector<int>{1, 3}));
    // The next command comes after the reserved ids.
    EXPECT_EQ(bar.windowMenu.file.registerCommand([] {}), list.firstCommandId + 4);

    recent.clear();
    bar.updateMenuState();
    EXPECT_EQ(Platform::getMenuItemCount(history.hmenu), 0);

    // A list of 0 still reserves one id.
    BaseMenu empty(bar.windowMenu.file, L"空");
    const int before = bar.windowMenu.file.registerCommand([] {});
    EXPECT_EQ(empty.insertItemList(0, [] { return std::vector<std::wstring>{}; }, [](int) {}).firstCommandId, before + 1);
    EXPECT_EQ(bar.windowMenu.file.registerCommand([] {}), before + 2);
}

TEST_F(MenuFrameworkTest, AListFixedByItsShortcutsKeepsItsItems) {
    std::vector<std::wstring> scripts = {L"左右反転", L"上下反転"};
    BaseMenu sub(bar.windowMenu.etc, L"スクリプト");
    WindowMenu::ItemList& list = sub.insertItemList(2, [&] { return scripts; }, [](int) {});
    list.registerShortcuts(bar.windowMenu.etc);
    EXPECT_TRUE(list.fixed);
    scripts = {L"other"};
    bar.updateMenuState();
    EXPECT_EQ(texts(sub.hmenu), (std::vector<std::wstring>{L"左右反転", L"上下反転"}));
    ASSERT_EQ(shortcutService().shortcuts.size(), 2u);
    EXPECT_EQ(shortcutService().shortcuts[1].name, L"その他:上下反転");
    EXPECT_EQ(shortcutService().shortcuts[1].commandId, list.firstCommandId + 1);
    EXPECT_EQ(shortcutService().shortcuts[1].code, 0);
}

TEST_F(MenuFrameworkTest, ASubmenuOfAnotherMenuIsNotFound) {
    BaseMenu move(bar.windowMenu.edit, L"移動");
    EXPECT_EQ(bar.windowMenu.edit.findSubMenu(move), 0);
    EXPECT_EQ(bar.windowMenu.file.findSubMenu(move), -1);
}

TEST_F(MenuFrameworkTest, MnemonicsAndTabsAreShownByTheToolkit) {
    const MenuItem item = bar.windowMenu.file.insertItem(L"開く(&O)", [] {});
    setMenuItemShortcutText(item.menu, item.commandId, L"Ctrl+O");
    GtkWidget* widget = Platform::toolkitMenuItem(item.menu, 0);
    ASSERT_NE(widget, nullptr);
    std::vector<std::string> labels;
    std::function<void(GtkWidget*)> walk = [&](GtkWidget* w) {
        if (GTK_IS_LABEL(w)) labels.emplace_back(gtk_label_get_label(GTK_LABEL(w)));
        if (GTK_IS_CONTAINER(w)) {
            GList* children = gtk_container_get_children(GTK_CONTAINER(w));
            for (GList* c = children; c; c = c->next) walk(GTK_WIDGET(c->data));
            g_list_free(children);
        }
    };
    walk(widget);
    EXPECT_EQ(labels, (std::vector<std::string>{"", "開く(_O)", "Ctrl+O"}));
}

TEST_F(MenuFrameworkTest, ALanguageSwitchRebuildsTheBarInPlace) {
    int builds = 0;
    std::vector<int> firstIds;
    bar.buildMenus = [&](WindowMenuManager& manager) {
        ++builds;
        BaseMenu move(manager.windowMenu.edit, L"移動");
        MenuItem next = move.insertItem(L"次のフレームに移動", [] {});
        next.menuTitle = manager.windowMenu.edit.title;
        next.setShortcut(39).setEnable([] { return false; });
        firstIds.push_back(next.commandId);
        manager.windowMenu.file.insertItemList(3, [] { return std::vector<std::wstring>{L"x"}; }, [](int) {});
    };
    shortcutService().registerShortcut(L"action", 0x41, [] {}, nullptr, 0);
    bar.buildMenus(bar);
    ASSERT_EQ(shortcutService().shortcuts.size(), 2u);

    bar.rebuildMenus();
    EXPECT_EQ(builds, 2);
    EXPECT_EQ(firstIds, (std::vector<int>{40000, 40004}));
    EXPECT_EQ(Platform::getMenuItemCount(bar.windowMenu.edit.hmenu), 1);
    EXPECT_EQ(Platform::getMenuItemCount(bar.windowMenu.file.hmenu), 0);
    EXPECT_EQ(bar.enableCallbacks.size(), 1u);
    EXPECT_EQ(bar.itemLists.size(), 1u);
    // The action stays; the menu entry was registered again.
    ASSERT_EQ(shortcutService().shortcuts.size(), 2u);
    EXPECT_EQ(shortcutService().shortcuts[0].name, L"action");
    EXPECT_EQ(shortcutService().shortcuts[1].commandId, 40004);
    EXPECT_EQ(texts(bar.hmenu), (std::vector<std::wstring>{L"ファイル", L"編集", L"表示", L"設定", L"その他"}));
}

}  // namespace
