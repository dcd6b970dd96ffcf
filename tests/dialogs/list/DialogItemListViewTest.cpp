#include "dialogs/list/DialogItemListView.h"
#include "dialogs/list/ListViewDialog.h"
#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogTemplate.h"

#include "dialogs/DialogDriver.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using DialogTest::DialogDriver;

// The first column's texts of a table dialog's lines, in display order.
std::vector<std::wstring> shownOrder(GtkTreeView* tree) {
    std::vector<std::wstring> texts;
    GtkTreeModel* model = gtk_tree_view_get_model(tree);
    GtkTreeIter iter;
    for (bool more = gtk_tree_model_get_iter_first(model, &iter); more; more = gtk_tree_model_iter_next(model, &iter)) {
        gpointer item = nullptr;
        gtk_tree_model_get(model, &iter, 0, &item, -1);
        texts.push_back(static_cast<Dialog::DialogItemListViewBase::Item*>(item)->getText(0));
    }
    return texts;
}

TEST(ListViewDialog, HeaderClicksSortAscendingThenDescendingWithNumbersAsNumbers) {
    TestSupport::useTestDisplay();
    Dialog::ListViewDialog dialog(L"情報");
    dialog.columns = {{L"名前", 120}, {L"値", 80}};
    dialog.rows = {{L"item10", L"a"}, {L"item2", L"b"}, {L"Item1", L"c"}};
    std::vector<std::vector<std::wstring>> orders;
    std::vector<std::string> headers;
    DialogDriver driver([&](GtkWidget* window) {
        GtkTreeView* tree = DialogTest::treeOf(window);
        for (int c = 0; c < 2; ++c) headers.emplace_back(gtk_tree_view_column_get_title(gtk_tree_view_get_column(tree, c)));
        orders.push_back(shownOrder(tree));
        for (int click = 0; click < 2; ++click) {
            gtk_tree_view_column_clicked(gtk_tree_view_get_column(tree, 0));
            orders.push_back(shownOrder(tree));
        }
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_DELETE_EVENT);
        return true;
    });
    EXPECT_FALSE(dialog.show());
    EXPECT_TRUE(dialog.rows.empty());
    EXPECT_EQ(headers, (std::vector<std::string>{"名前", "値"}));
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(orders[0], (std::vector<std::wstring>{L"item10", L"item2", L"Item1"}));
    EXPECT_EQ(orders[1], (std::vector<std::wstring>{L"Item1", L"item2", L"item10"}));
    EXPECT_EQ(orders[2], (std::vector<std::wstring>{L"item10", L"item2", L"Item1"}));
    EXPECT_GE(dialog.width, 400);
}

// A line of the edited list: a checked flag and a name.
class Line : public Dialog::DialogItemListViewBase::Item {
public:
    Line(std::wstring id, std::wstring name) : id(std::move(id)), name(std::move(name)) {}
    std::wstring getText(int column) override { return column == 0 ? id : name; }
    void beginEdit(int, Dialog::DialogItem& editor) override { static_cast<Dialog::DialogItemText&>(editor).text = name; }
    void endEdit(int, Dialog::DialogItem& editor) override { name = static_cast<Dialog::DialogItemText&>(editor).text; }
    void setCheck(bool value) override { checked = value; }
    bool getCheck() override { return checked; }
    std::wstring id, name;
    bool checked = false;
};

// A point in the list body on the cell (on its check box when asked).
std::pair<int, int> cellPoint(GtkTreeView* tree, int line, int column, bool onCheck) {
    GtkTreePath* path = gtk_tree_path_new_from_indices(line, -1);
    GtkTreeViewColumn* col = gtk_tree_view_get_column(tree, column);
    GdkRectangle area;
    gtk_tree_view_get_cell_area(tree, path, col, &area);
    gtk_tree_path_free(path);
    int x = area.x + area.width - 4;
    if (onCheck) {
        GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(col));
        int start = 0, width = 0;
        gtk_tree_view_column_cell_get_position(col, GTK_CELL_RENDERER(cells->data), &start, &width);
        g_list_free(cells);
        x = area.x + start + width / 2;
    }
    return {x, area.y + area.height / 2};
}

TEST(DialogItemListView, ChecksFlipOnClickEditorsCommitOrStayOpenAndLinesMove) {
    TestSupport::useTestDisplay();
    Dialog::DialogTemplate dialog(L"一覧");
    auto& list = dialog.addItem<Dialog::DialogItemListView<Line>>(200, true);
    list.checkBoxes = true;
    list.addColumn(L"ID", 80);
    list.addColumn(L"名前", 160, std::make_unique<Dialog::DialogItemNameText>(L"", L""));
    list.addItem(std::make_unique<Line>(L"a", L"first"));
    list.addItem(std::make_unique<Line>(L"b", L"second"));
    list.addItem(std::make_unique<Line>(L"c", L"third"));
    auto& other = dialog.addItem<Dialog::DialogItemText>(L"他", L"", false);
    (void)other;
    int step = 0;
    std::string tip;
    bool editorShown = false, editorStillShown = false;
    DialogDriver driver([&](GtkWidget* window) {
        GtkTreeView* tree = DialogTest::treeOf(window);
        GtkWidget* editor = DialogTest::entries(window).front();
        if (step == 0) {
            // Line 1's check box, then line 0's name cell.
            auto [cx, cy] = cellPoint(tree, 1, 0, true);
            list.leftButtonDown(cx, cy);
            auto [ex, ey] = cellPoint(tree, 0, 1, false);
            list.leftButtonDown(ex, ey);
            editorShown = gtk_widget_get_visible(editor);
            EXPECT_EQ(std::string(gtk_entry_get_text(GTK_ENTRY(editor))), "first");
            gtk_entry_set_text(GTK_ENTRY(editor), "bad.name");
            // Another cell: the refused editor stays open.
            auto [ox, oy] = cellPoint(tree, 2, 1, false);
            list.leftButtonDown(ox, oy);
            editorStillShown = gtk_widget_get_visible(editor);
            tip = [&] {
                gchar* t = gtk_widget_get_tooltip_text(editor);
                std::string s = t ? t : "";
                g_free(t);
                return s;
            }();
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);  // refused too
        } else if (step == 1) {
            gtk_entry_set_text(GTK_ENTRY(editor), "renamed");
            EXPECT_TRUE(list.endEdit());
            EXPECT_FALSE(gtk_widget_get_visible(editor));
            list.moveItem(0, 99);
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        } else {
            ADD_FAILURE() << "the dialog stayed open";
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_DELETE_EVENT);
        }
        ++step;
        return true;
    });
    ASSERT_TRUE(dialog.create());
    EXPECT_EQ(step, 2);
    EXPECT_TRUE(editorShown);
    EXPECT_TRUE(editorStillShown);
    EXPECT_EQ(tip.substr(0, tip.find('\n')), "使用できない文字が含まれています");
    const std::vector<Line*> loaded = list.getItemList();
    EXPECT_FALSE(loaded[0]->checked);
    EXPECT_TRUE(loaded[1]->checked);
    EXPECT_EQ(loaded[0]->name, L"renamed");
    std::vector<std::wstring> order;
    for (Line* line : list.getItemViewList()) order.push_back(line->id);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"b", L"c", L"a"}));
}

}  // namespace

namespace {

TEST(DialogItemListView, ADraggedLineMovesUnderThePointerAndAboveTheTopToTheFirstLine) {
    TestSupport::useTestDisplay();
    Dialog::DialogTemplate dialog(L"並べ替え");
    auto& list = dialog.addItem<Dialog::DialogItemListView<Line>>(60, true);
    list.addColumn(L"ID", 80);
    list.addColumn(L"名前", 120);
    for (const wchar_t* id : {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h"})
        list.addItem(std::make_unique<Line>(id, L""));
    std::vector<std::wstring> afterFirstMove;
    std::wstring dragged;
    DialogDriver driver([&](GtkWidget* window) {
        GtkTreeView* tree = DialogTest::treeOf(window);
        auto [x2, y2] = cellPoint(tree, 2, 0, false);
        list.leftButtonDown(x2, y2);
        EXPECT_TRUE(list.dragging);
        auto [x0, y0] = cellPoint(tree, 0, 1, false);
        list.mouseMove(x0, y0);
        afterFirstMove = shownOrder(tree);
        list.captureLost();
        // Scrolled down, a line dragged from the bottom of the view above the
        // top edge: the list scrolls up and the line becomes the first.
        gtk_adjustment_set_value(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(tree)), 60);
        while (gtk_events_pending()) gtk_main_iteration();
        const int bottom = list.listView()->bodyHeight() - 2;
        const auto hit = list.listView()->hitTest(x0, bottom);
        EXPECT_GT(hit.line, 2);
        if (hit.line >= 0) dragged = list.getItem(hit.line)->getText(0);
        list.leftButtonDown(x0, bottom);
        list.mouseMove(x0, -200);
        list.captureLost();
        EXPECT_FALSE(list.dragging);
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        return true;
    });
    ASSERT_TRUE(dialog.create());
    EXPECT_EQ(afterFirstMove, (std::vector<std::wstring>{L"c", L"a", L"b", L"d", L"e", L"f", L"g", L"h"}));
    std::vector<std::wstring> order;
    for (Line* line : list.getItemViewList()) order.push_back(line->id);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), dragged);
    EXPECT_EQ(order.size(), 8u);
}

}  // namespace
