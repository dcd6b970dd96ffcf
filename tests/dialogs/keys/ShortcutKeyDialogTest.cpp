// The shortcut-key dialog over a shortcut service of the test's own: a key
// pressed in a row's key cell (real key presses through the X server),
// the reset commands, and what OK and cancel do to the entries, the menu
// item texts and keyboard.ini.
#include "dialogs/keys/ShortcutKeyDialog.h"

#include "core/CoreTestSupport.h"
#include "dialogs/DialogDriver.h"
#include "platform/gtk/Menu.h"
#include "support/VirtualDisplay.h"
#include "window/ShortcutService.h"
#include "window/WindowMenu.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace PanelTest {
unsigned long xidOf(GtkWidget* toplevel);
}  // namespace PanelTest

namespace {

using DialogTest::DialogDriver;

constexpr int kCtrlZ = 0x4000 | 'Z';
constexpr int kCtrlShiftZ = 0x6000 | 'Z';
constexpr int kCtrlY = 0x4000 | 'Y';
constexpr int kDelete = 46;
constexpr int kF2 = 0x71;

std::pair<int, int> cellPoint(GtkTreeView* tree, int line, int column) {
    GtkTreePath* path = gtk_tree_path_new_from_indices(line, -1);
    GdkRectangle area;
    gtk_tree_view_get_cell_area(tree, path, gtk_tree_view_get_column(tree, column), &area);
    gtk_tree_path_free(path);
    return {area.x + area.width / 2, area.y + area.height / 2};
}

// The texts of a column, top to bottom.
std::vector<std::wstring> columnTexts(Dialog::ShortcutKeyDialog& dialog, int column) {
    std::vector<std::wstring> texts;
    for (auto* row : dialog.list->getItemList()) texts.push_back(row->getText(column));
    return texts;
}

void runCommand(Dialog::ShortcutKeyDialog& dialog, const std::wstring& label, int line) {
    dialog.list->contextItem = line >= 0 ? dialog.list->getItem(line) : nullptr;
    for (const auto& command : dialog.list->contextMenu)
        if (command.label == label) return command.action();
    ADD_FAILURE() << "no command";
}

class ShortcutKeyDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        // Two items of an edit menu and a command without one.
        menu = Platform::createPopupMenu();
        Platform::appendMenu(menu, 0, 40001, L"元に戻す");
        Platform::appendMenu(menu, 0, 40002, L"やり直し");
        service.registerShortcut(L"編集:元に戻す", kCtrlZ, {}, menu, 40001);
        service.registerShortcut(L"編集:やり直し", kCtrlShiftZ, {}, menu, 40002);
        service.registerShortcut(L"削除", kDelete, [] {}, nullptr, 0);
    }
    void TearDown() override { Platform::destroyMenu(menu); }

    std::wstring itemText(int id) const {
        std::wstring text;
        Platform::getMenuString(menu, static_cast<UINT>(id), Platform::MF_BYCOMMAND, text);
        return text;
    }
    std::filesystem::path file() const { return folder.data() / "keyboard.ini"; }

    CoreTest::ProgramFolder folder;
    Window::ShortcutService service;
    Platform::MenuHandle menu = nullptr;
};

TEST_F(ShortcutKeyDialogTest, AKeyPressedInTheKeyCellBecomesTheEntrysKeyAtOk) {
    Dialog::ShortcutKeyDialog dialog(L"ショートカットキーの設定", &service);
    int step = 0;
    std::vector<std::wstring> names, keys;
    std::string shown;
    bool stillOpen = false;
    DialogDriver driver([&](GtkWidget* window) {
        std::vector<GtkWidget*> entries = DialogTest::entries(window);
        GtkWidget* editor = entries.empty() ? nullptr : entries.front();
        const std::string xid = std::to_string(PanelTest::xidOf(window));
        if (step == 0) {
            names = columnTexts(dialog, 0);
            keys = columnTexts(dialog, 1);
            const std::string focus = "xdotool windowfocus --sync " + xid;
            EXPECT_TRUE(g_spawn_command_line_sync(focus.c_str(), nullptr, nullptr, nullptr, nullptr));
            ++step;
            return false;
        }
        if (step == 1) {
            auto [x, y] = cellPoint(DialogTest::treeOf(window), 0, 1);
            dialog.list->leftButtonDown(x, y);
            // Escape and Enter are keys like any other: the dialog stays.
            const std::string press = "xdotool key --delay 30 Escape Return ctrl+y";
            EXPECT_TRUE(g_spawn_command_line_sync(press.c_str(), nullptr, nullptr, nullptr, nullptr));
            ++step;
            return false;
        }
        shown = gtk_entry_get_text(GTK_ENTRY(editor));
        if (shown != "Ctrl+Y" && step++ < 100) return false;
        stillOpen = gtk_widget_get_visible(window);
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        return true;
    });
    ASSERT_TRUE(dialog.show());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(shown, "Ctrl+Y");
    EXPECT_EQ(names, (std::vector<std::wstring>{L"編集:元に戻す", L"編集:やり直し", L"削除"}));
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"Ctrl+Z", L"Ctrl+Shift+Z", L"Delete"}));
    EXPECT_EQ(service.shortcuts[0].code, kCtrlY);
    EXPECT_EQ(service.shortcuts[1].code, kCtrlShiftZ);
    EXPECT_EQ(itemText(40001), L"元に戻す\tCtrl+Y");
    EXPECT_EQ(itemText(40002), L"やり直し\tCtrl+Shift+Z");
    EXPECT_EQ(CoreTest::readBytes(file().string()), "[shortcut.0]\r\nname=編集:元に戻す\r\ncode=16473\r\n");
    EXPECT_EQ(service.findEntry(kCtrlY), &service.shortcuts[0]);
}

TEST_F(ShortcutKeyDialogTest, ResettingChangesOnlyTheRowsUntilOkWhichThenWritesNoEntry) {
    // The user's keys: F2 for undo, none for the command.
    service.shortcuts[0].code = kF2;
    service.shortcuts[2].code = 0;
    Window::setMenuItemShortcutText(menu, 40001, L"F2");
    CoreTest::writeBytes(file().string(), "[shortcut.0]\r\nname=編集:元に戻す\r\ncode=113\r\n");
    std::vector<std::wstring> afterOne, afterAll;
    {
        Dialog::ShortcutKeyDialog dialog(L"ショートカットキーの設定", &service);
        DialogDriver driver([&](GtkWidget* window) {
            runCommand(dialog, L"ショートカットキーを標準に戻す", 2);
            runCommand(dialog, L"ショートカットキーを標準に戻す", -1);
            afterOne = columnTexts(dialog, 1);
            runCommand(dialog, L"全てのショートカットキーを標準に戻す", -1);
            afterAll = columnTexts(dialog, 1);
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
            return true;
        });
        EXPECT_FALSE(dialog.show());
    }
    EXPECT_EQ(afterOne, (std::vector<std::wstring>{L"F2", L"Ctrl+Shift+Z", L"Delete"}));
    EXPECT_EQ(afterAll, (std::vector<std::wstring>{L"Ctrl+Z", L"Ctrl+Shift+Z", L"Delete"}));
    // Cancel: nothing changed.
    EXPECT_EQ(service.shortcuts[0].code, kF2);
    EXPECT_EQ(service.shortcuts[2].code, 0);
    EXPECT_EQ(itemText(40001), L"元に戻す\tF2");
    EXPECT_EQ(CoreTest::readBytes(file().string()), "[shortcut.0]\r\nname=編集:元に戻す\r\ncode=113\r\n");

    Dialog::ShortcutKeyDialog dialog(L"ショートカットキーの設定", &service);
    DialogDriver driver([&](GtkWidget* window) {
        runCommand(dialog, L"全てのショートカットキーを標準に戻す", -1);
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        return true;
    });
    EXPECT_TRUE(dialog.show());
    EXPECT_EQ(service.shortcuts[0].code, kCtrlZ);
    EXPECT_EQ(service.shortcuts[2].code, kDelete);
    EXPECT_EQ(itemText(40001), L"元に戻す\tCtrl+Z");
    EXPECT_EQ(CoreTest::readBytes(file().string()), "");
}

}  // namespace
