// The shortcut-key dialog in the program's own start-up (every service, the
// main window with its bar) on a display of the test's own: a real click on
// the key cell of 編集:元に戻す and a real Ctrl+Y, then the key in
// keyboard.ini, in the Edit menu's text and undoing when pressed.
#include "dialogs/keys/ShortcutKeyDialog.h"

#include "dialogs/DialogDriver.h"
#include "dialogs/ProgramStartupTest.h"
#include "edit/scope/EditScope.h"
#include "effects/media/FigureLoad.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace PanelTest {
unsigned long xidOf(GtkWidget* toplevel);
}  // namespace PanelTest

namespace {

using WindowTest::runUntil;

void xdotool(const std::string& arguments) {
    EXPECT_TRUE(g_spawn_command_line_sync(("xdotool " + arguments).c_str(), nullptr, nullptr, nullptr, nullptr));
}

// The line showing the entry name, -1 when none.
int lineOf(GtkTreeView* tree, const std::wstring& name) {
    GtkTreeModel* model = gtk_tree_view_get_model(tree);
    GtkTreeIter iter;
    int line = 0;
    for (bool more = gtk_tree_model_get_iter_first(model, &iter); more;
         more = gtk_tree_model_iter_next(model, &iter), ++line) {
        gpointer item = nullptr;
        gtk_tree_model_get(model, &iter, 0, &item, -1);
        if (static_cast<Dialog::DialogItemListViewBase::Item*>(item)->getText(0) == name) return line;
    }
    return -1;
}

class ShortcutKeyProgramTest : public DialogTest::ProgramStartupTest {
protected:
    static Edit::EditService& edit() { return *System::Singleton<Edit::EditService>::getInstance(); }
    static Edit::Scene& scene() { return *edit().getCurrentScene(); }
    static std::size_t objectsOn(int layer) { return scene().getLayerObjectList(layer).objects.size(); }
    static void keys(const std::string& names) {
        xdotool("windowfocus --sync " + std::to_string(PanelTest::xid(main())));
        xdotool("key --delay 20 " + names);
    }
};

TEST_F(ShortcutKeyProgramTest, CtrlYGivenToUndoIsSavedShownInTheMenuAndUndoes) {
    {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        scene().createObject(Effect::FigureLoad::Name, 0, 0, 99);
    }
    scene().cursorFrame = 50;
    scene().setFocusObject(scene().getLayerObjectList(0).getObjectAtFrame(50));
    bar().executeCommand(findCommand(bar().hmenu, L"オブジェクトを分割"));
    ASSERT_EQ(objectsOn(0), 2u);

    int step = 0;
    std::string shown;
    DialogTest::DialogDriver driver([&](GtkWidget* window) {
        GtkTreeView* tree = DialogTest::treeOf(window);
        const int line = lineOf(tree, L"編集:元に戻す");
        EXPECT_GE(line, 0);
        if (line < 0) {
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
            return true;
        }
        GtkTreePath* path = gtk_tree_path_new_from_indices(line, -1);
        if (step == 0) {
            // The row near the top of the list.
            GdkRectangle area;
            gtk_tree_view_get_cell_area(tree, path, gtk_tree_view_get_column(tree, 1), &area);
            GtkAdjustment* scroll = gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(tree));
            gtk_adjustment_set_value(scroll, gtk_adjustment_get_value(scroll) + area.y - 100);
            xdotool("windowfocus --sync " + std::to_string(PanelTest::xidOf(window)));
        } else if (step == 1) {
            // The key cell on the screen.
            GdkRectangle area;
            gtk_tree_view_get_cell_area(tree, path, gtk_tree_view_get_column(tree, 1), &area);
            int x = 0, y = 0;
            gdk_window_get_origin(gtk_tree_view_get_bin_window(tree), &x, &y);
            xdotool("mousemove " + std::to_string(x + area.x + area.width / 2) + " " +
                    std::to_string(y + area.y + area.height / 2) + " click 1");
            xdotool("key ctrl+y");
        } else {
            std::vector<GtkWidget*> entries = DialogTest::entries(window);
            shown = entries.empty() ? "" : gtk_entry_get_text(GTK_ENTRY(entries.front()));
            if (shown != "Ctrl+Y" && step < 100) {
                ++step;
                gtk_tree_path_free(path);
                return false;
            }
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        }
        gtk_tree_path_free(path);
        return step++ >= 2;
    });
    bool accepted = false;
    g_idle_add(
        [](gpointer done) -> gboolean {
            *static_cast<bool*>(done) = Dialog::openShortcutKeyDialog(L"ショートカットキーの設定");
            return G_SOURCE_REMOVE;
        },
        &accepted);
    ASSERT_TRUE(runUntil([&] { return driver.answered > 0; }, 10000)) << step;
    WindowTest::settle();
    EXPECT_TRUE(accepted);
    EXPECT_EQ(shown, "Ctrl+Y");

    EXPECT_EQ(CoreTest::readBytes((folder.data() / "keyboard.ini").string()),
              "[shortcut.0]\r\nname=編集:元に戻す\r\ncode=16473\r\n");
    std::wstring text;
    Platform::getMenuString(bar().hmenu, static_cast<UINT>(findCommand(bar().hmenu, L"元に戻す")),
                            Platform::MF_BYCOMMAND, text);
    EXPECT_EQ(text, L"元に戻す\tCtrl+Y");
    // Ctrl+Z no longer undoes; Ctrl+Y does.
    keys("ctrl+z");
    WindowTest::runFor(200);
    EXPECT_EQ(objectsOn(0), 2u);
    keys("ctrl+y");
    EXPECT_TRUE(runUntil([] { return objectsOn(0) == 1; }, 3000));
}

}  // namespace
