// The dialogs used as a person uses them, over the program's main window on
// a display of the test's own: keys typed and buttons pressed with xdotool
// from a helper thread while the dialog's modal loop runs; what the dialog
// shows is watched from inside that loop.
#include "dialogs/list/DialogItemListView.h"
#include "dialogs/seam/ProgramDialogs.h"
#include "dialogs/template/DialogItemKeyCode.h"
#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogItemValue.h"
#include "dialogs/template/DialogTemplate.h"

#include "core/CoreTestSupport.h"
#include "dialogs/DialogDriver.h"
#include "platform/gtk/NativeWindow.h"
#include "support/Screenshot.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// Runs an xdotool command line on the test display; its output.
std::string xdo(const std::string& arguments) {
    std::string out;
    FILE* pipe = popen(("xdotool " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe) return out;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

// The dialog's X window once it is mapped, focused; "" when none came.
std::string focusDialog(const std::string& title) {
    const std::string id = xdo("search --sync --onlyvisible --name '^" + title + "$'");
    if (!id.empty()) xdo("windowfocus --sync " + id);
    return id;
}

std::string tooltipOf(GtkWidget* widget) {
    gchar* tip = gtk_widget_get_tooltip_text(widget);
    std::string text = tip ? tip : "";
    g_free(tip);
    return text;
}

class DialogUseTest : public WindowTest::WindowServiceTest {
protected:
    void SetUp() override {
        WindowServiceTest::SetUp();
        main = WindowTest::service().mainWindow;
        Platform::showWindow(main, Platform::SW_SHOW);
        WindowTest::runFor(200);
        Dialog::DialogSeam::install(&dialogs);
        hook = g_signal_add_emission_hook(g_signal_lookup("button-press-event", GTK_TYPE_WIDGET), 0,
                                          &DialogUseTest::countPress, this, nullptr);
    }
    void TearDown() override {
        g_signal_remove_emission_hook(g_signal_lookup("button-press-event", GTK_TYPE_WIDGET), hook);
        Dialog::DialogSeam::install(nullptr);
        WindowServiceTest::TearDown();
    }

    static gboolean countPress(GSignalInvocationHint*, guint, const GValue* values, gpointer data) {
        auto* self = static_cast<DialogUseTest*>(data);
        GtkWidget* widget = GTK_WIDGET(g_value_get_object(values));
        if (gtk_widget_get_toplevel(widget) == GTK_WIDGET(Platform::toolkitWindow(self->main))) ++self->mainPresses;
        return TRUE;
    }

    CoreTest::ProgramFolder folder;
    Dialog::ProgramDialogs dialogs;
    Platform::WindowHandle main = nullptr;
    std::atomic<int> mainPresses{0};
    gulong hook = 0;
};

TEST_F(DialogUseTest, ARefusedValueKeepsTheDialogOpenWithItsTipAndTheMainWindowTakesNoClick) {
    Dialog::DialogTemplate dialog(L"数値の入力");
    auto& number = dialog.addItem<Dialog::DialogItemInteger>(L"数", 50, 1, 100);
    auto& text = dialog.addItem<Dialog::DialogItemText>(L"名前", L"", false);
    std::string tip;
    bool mainEnabled = true;
    int pressesWhileOpen = -1;
    std::atomic<bool> refusedSeen{false};
    // The first box on the screen: left, bottom, width.
    std::atomic<int> boxLeft{-1}, boxBottom{-1}, boxWidth{0};
    DialogTest::DialogDriver watch([&](GtkWidget* window) {
        GtkWidget* box = DialogTest::entries(window).at(0);
        int ox = 0, oy = 0, bx = 0, by = 0;
        gdk_window_get_origin(gtk_widget_get_window(window), &ox, &oy);
        gtk_widget_translate_coordinates(box, window, 0, 0, &bx, &by);
        boxWidth = gtk_widget_get_allocated_width(box);
        boxBottom = oy + by + gtk_widget_get_allocated_height(box);
        boxLeft = ox + bx;
        const std::string shown = tooltipOf(box);
        if (!shown.empty()) {
            tip = shown;
            refusedSeen = true;
        }
        mainEnabled = Platform::isWindowEnabled(main);
        return false;
    });
    int changedPixels = 0, regionPixels = 0;
    std::thread person([&] {
        if (focusDialog("数値の入力").empty()) return;
        while (boxLeft < 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // Letters never reach a box of positive numbers; 500 is out of range.
        xdo("key ctrl+a");
        xdo("type --delay 20 'x500'");
        xdo("key Tab");
        xdo("type --delay 20 'abc'");
        // What was typed is drawn before the first picture.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const TestSupport::Screenshot before(std::getenv("DISPLAY"));
        xdo("key Tab space");
        for (int i = 0; i < 200 && !refusedSeen; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        // The reason shows in a popover below the box, over the second row.
        const TestSupport::Screenshot after(std::getenv("DISPLAY"));
        for (int y = boxBottom; y < boxBottom + 50; ++y)
            for (int x = boxLeft; x < boxLeft + boxWidth; ++x, ++regionPixels)
                if (before.pixel(x, y) != after.pixel(x, y)) ++changedPixels;
        // A click on the main window, far from the dialog, reaches nothing.
        xdo("mousemove 20 20 click 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        pressesWhileOpen = mainPresses;
        focusDialog("数値の入力");
        xdo("key shift+Tab shift+Tab ctrl+a");
        xdo("type --delay 20 '42'");
        xdo("key Tab Tab space");
    });
    const bool ok = dialog.create();
    person.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(tip, "値が不正です\n(1 - 100)");
    // The popover covers a good part of the region below the box (its text,
    // frame and shadow differ from the row it covers: about a quarter).
    EXPECT_GT(changedPixels, regionPixels / 8) << changedPixels << " of " << regionPixels;
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(pressesWhileOpen, 0);
    EXPECT_EQ(number.value, 42);
    EXPECT_EQ(text.text, L"abc");
    EXPECT_TRUE(Platform::isWindowEnabled(main));
    // Once the dialog is gone the same click reaches the main window.
    std::thread after([] { xdo("mousemove 20 20 click 1"); });
    EXPECT_TRUE(WindowTest::runUntil([&] { return mainPresses > 0; }, 3000));
    after.join();
}

TEST_F(DialogUseTest, TheFrameLengthQuestionTakesSecondsAndEnterAndEscapeCancels) {
    std::thread person([&] {
        if (focusDialog("空のフレームを挿入").empty()) return;
        xdo("key ctrl+a");
        xdo("type --delay 20 '2.5'");
        xdo("key Return");
    });
    int frames = 0;
    EXPECT_TRUE(Dialog::showFrameLengthDialog(L"空のフレームを挿入", 30, 1, frames));
    person.join();
    EXPECT_EQ(frames, 75);

    std::thread cancel([&] {
        if (focusDialog("空のフレームを挿入").empty()) return;
        xdo("type --delay 20 '9'");
        xdo("key Escape");
    });
    frames = 10;
    EXPECT_FALSE(Dialog::showFrameLengthDialog(L"空のフレームを挿入", 30, 1, frames));
    cancel.join();
    EXPECT_EQ(frames, 10);
}

TEST_F(DialogUseTest, TheNumberAndAliasQuestionsTypeAndSubmit) {
    std::thread person([&] {
        if (focusDialog("直線移動").empty()) return;
        xdo("key ctrl+a");
        xdo("type --delay 20 -- '-12.6'");
        xdo("key Return");
    });
    int value = 3;
    EXPECT_TRUE(Dialog::inputNumber(L"直線移動", L"設定値", value, INT_MIN, INT_MAX));
    person.join();
    EXPECT_EQ(value, -13);

    std::atomic<bool> typed{false};
    DialogTest::DialogDriver pressOk([&](GtkWidget* window) {
        if (!typed) return false;
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        return true;
    });
    std::thread alias([&] {
        if (focusDialog("エイリアスを作成 - オブジェクト").empty()) return;
        xdo("type --delay 20 'glow'");
        xdo("key Tab ctrl+a");
        xdo("type --delay 20 'fx'");
        typed = true;
    });
    Dialog::AliasDialogValues values{L"", L"", {L"fx", L"basic"}};
    EXPECT_TRUE(Dialog::showAliasDialog(L"エイリアスを作成 - オブジェクト", values));
    alias.join();
    EXPECT_EQ(values.name, L"glow");
    EXPECT_EQ(values.label, L"fx");
}

TEST_F(DialogUseTest, TheKeyBoxKeepsEscapeAndAChecksFlipsByClickNotBySpace) {
    class Line : public Dialog::DialogItemListViewBase::Item {
    public:
        std::wstring getText(int) override { return L"line"; }
        void beginEdit(int, Dialog::DialogItem&) override {}
        void endEdit(int, Dialog::DialogItem&) override {}
        void setCheck(bool value) override { checked = value; }
        bool getCheck() override { return checked; }
        bool checked = false;
    };
    Dialog::DialogTemplate dialog(L"キーと一覧");
    auto& key = dialog.addItem<Dialog::DialogItemKeyCode>(L"キー", 0);
    auto& list = dialog.addItem<Dialog::DialogItemListView<Line>>(120, false);
    list.checkBoxes = true;
    list.addColumn(L"名前", 200);
    list.addItem(std::make_unique<Line>());
    std::atomic<int> checkX{-1}, checkY{-1};
    std::atomic<bool> close{false};
    DialogTest::DialogDriver watch([&](GtkWidget* window) {
        if (checkX < 0) {
            std::vector<GtkWidget*> trees;
            DialogTest::collect(window, GTK_TYPE_TREE_VIEW, trees);
            GtkTreeView* tree = GTK_TREE_VIEW(trees.at(0));
            GtkTreeViewColumn* column = gtk_tree_view_get_column(tree, 0);
            GtkTreePath* path = gtk_tree_path_new_from_indices(0, -1);
            GdkRectangle area;
            gtk_tree_view_get_cell_area(tree, path, column, &area);
            gtk_tree_path_free(path);
            GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(column));
            int start = 0, width = 0;
            gtk_tree_view_column_cell_get_position(column, GTK_CELL_RENDERER(cells->data), &start, &width);
            g_list_free(cells);
            int ox = 0, oy = 0;
            gdk_window_get_origin(gtk_tree_view_get_bin_window(tree), &ox, &oy);
            checkY = oy + area.y + area.height / 2;
            checkX = ox + area.x + start + width / 2;
        }
        if (!close) return false;
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        return true;
    });
    std::thread person([&] {
        if (focusDialog("キーと一覧").empty()) return;
        // The key box has the focus: Escape and Ctrl+Shift+A are its keys.
        xdo("key Escape");
        for (int i = 0; i < 200 && checkX < 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        xdo("mousemove " + std::to_string(checkX) + " " + std::to_string(checkY) + " click 1");
        // The list never keeps the focus: Space cannot flip the check back.
        xdo("key space");
        xdo("key ctrl+shift+a");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        close = true;
    });
    const bool ok = dialog.create();
    person.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(key.code, 0x6041);
    EXPECT_TRUE(list.getItemList().at(0)->checked);
}

}  // namespace
