// The menu-definition dialog over definitions of the test's own: the
// context commands that reorder rows, the label editor with its choices,
// the check boxes, sorting by a title and what OK and cancel write back.
#include "dialogs/menudefine/MenuDefineDialog.h"

#include "dialogs/DialogDriver.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using DialogTest::DialogDriver;

class TestDefine final : public Menu::MenuDefineBase {
public:
    TestDefine(std::wstring name, int order, std::wstring label, bool visible = true)
        : MenuDefineBase("MenuDefineDialogTest", name, order, label, visible), name_(std::move(name)) {}
    const wchar_t* getName() const override { return name_.c_str(); }

private:
    std::wstring name_;
};

class TestDialog : public Dialog::MenuDefineDialog<TestDefine> {
public:
    explicit TestDialog(std::vector<TestDefine*> definitions)
        : MenuDefineDialog(L"メニューの設定"), definitions(std::move(definitions)) {}

protected:
    std::vector<TestDefine*> getDefinitionList() const override { return definitions; }

private:
    std::vector<TestDefine*> definitions;
};

// Five definitions n0 .. n4 with the labels, in that order.
std::vector<std::unique_ptr<TestDefine>> makeDefinitions(const std::vector<std::wstring>& labels) {
    std::vector<std::unique_ptr<TestDefine>> made;
    for (std::size_t i = 0; i < labels.size(); ++i)
        made.push_back(std::make_unique<TestDefine>(L"n" + std::to_wstring(i), static_cast<int>(i), labels[i]));
    return made;
}

std::vector<TestDefine*> pointers(const std::vector<std::unique_ptr<TestDefine>>& made) {
    std::vector<TestDefine*> list;
    for (const auto& d : made) list.push_back(d.get());
    return list;
}

// The definitions' names in the order OK gave them.
std::wstring namesByOrder(const std::vector<std::unique_ptr<TestDefine>>& made) {
    std::vector<std::wstring> names(made.size());
    for (const auto& d : made) {
        if (d->order < 0 || d->order >= static_cast<int>(made.size())) return L"bad order";
        names[static_cast<std::size_t>(d->order)] = d->getName();
    }
    std::wstring joined;
    for (const std::wstring& n : names) joined += (joined.empty() ? L"" : L",") + n;
    return joined;
}

// Runs the context command of the label with the row at line under the
// pointer (none for -1).
void runCommand(TestDialog& dialog, const std::wstring& label, int line) {
    dialog.list->contextItem = line >= 0 ? dialog.list->getItem(line) : nullptr;
    for (const auto& command : dialog.list->contextMenu)
        if (command.label == label) {
            command.action();
            return;
        }
    ADD_FAILURE() << "no command";
}

std::pair<int, int> cellPoint(GtkTreeView* tree, int line, int column) {
    GtkTreePath* path = gtk_tree_path_new_from_indices(line, -1);
    GdkRectangle area;
    gtk_tree_view_get_cell_area(tree, path, gtk_tree_view_get_column(tree, column), &area);
    gtk_tree_path_free(path);
    return {area.x + area.width - 4, area.y + area.height / 2};
}

TEST(MenuDefineDialog, ContextCommandsReorderTheRowsAndOkNumbersThemInDisplayOrder) {
    TestSupport::useTestDisplay();
    const std::vector<std::wstring> grouping{L"B", L"A", L"B", L"", L"A"};
    const std::vector<std::wstring> threeA{L"A", L"B", L"A", L"C", L"A"};
    const struct {
        const char* what;
        std::vector<std::wstring> labels;
        const wchar_t* command;
        int line;
        const wchar_t* order;
    } cases[] = {
        // B, A, B, empty, A -> B, B, A, A, empty.
        {"group", grouping, L"全ての項目をラベルのグループで纏める", -1, L"n0,n2,n1,n4,n3"},
        // A, B, A, C, A with any A -> B, C, A, A, A.
        {"same to end", threeA, L"同じラベルの項目を全て最後に移動", 2, L"n1,n3,n0,n2,n4"},
        {"same to end from the last", threeA, L"同じラベルの項目を全て最後に移動", 4, L"n1,n3,n0,n2,n4"},
        {"same to top", threeA, L"同じラベルの項目を全て先頭に移動", 4, L"n0,n2,n4,n1,n3"},
        {"same to top of C", threeA, L"同じラベルの項目を全て先頭に移動", 3, L"n3,n0,n1,n2,n4"},
        {"top", threeA, L"先頭に移動", 3, L"n3,n0,n1,n2,n4"},
        {"end", threeA, L"最後に移動", 1, L"n0,n2,n3,n4,n1"},
        {"first to top", threeA, L"先頭に移動", 0, L"n0,n1,n2,n3,n4"},
        {"last to end", threeA, L"最後に移動", 4, L"n0,n1,n2,n3,n4"},
        {"top over nothing", threeA, L"先頭に移動", -1, L"n0,n1,n2,n3,n4"},
        {"same over nothing", threeA, L"同じラベルの項目を全て最後に移動", -1, L"n0,n1,n2,n3,n4"},
    };
    for (const auto& c : cases) {
        auto made = makeDefinitions(c.labels);
        TestDialog dialog(pointers(made));
        DialogDriver driver([&](GtkWidget* window) {
            runCommand(dialog, c.command, c.line);
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
            return true;
        });
        EXPECT_TRUE(dialog.show()) << c.what;
        EXPECT_EQ(namesByOrder(made), c.order) << c.what;
        // The labels went along with their definitions.
        for (std::size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i]->label, c.labels[i]) << c.what;
    }
}

TEST(MenuDefineDialog, OkWritesOrderLabelAndVisibilityAndCancelWritesNothing) {
    TestSupport::useTestDisplay();
    // Shared and scattered orders, one hidden definition.
    TestDefine a(L"a", 7, L"X"), b(L"b", 7, L""), c(L"c", 9, L"Y", false);
    {
        TestDialog dialog({&a, &b, &c});
        std::vector<bool> checks;
        DialogDriver driver([&](GtkWidget* window) {
            for (auto* row : dialog.list->getItemList()) checks.push_back(row->getCheck());
            runCommand(dialog, L"全ての項目の表示を無効にする", -1);
            runCommand(dialog, L"全ての項目の表示を有効にする", 1);
            dialog.list->getItemList()[0]->setCheck(false);
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
            return true;
        });
        EXPECT_FALSE(dialog.show());
        EXPECT_EQ(checks, (std::vector<bool>{true, true, false}));
    }
    EXPECT_EQ(std::vector<int>({a.order, b.order, c.order, a.hide, b.hide, c.hide}),
              (std::vector<int>{7, 7, 9, 0, 0, 1}));
    {
        TestDialog dialog({&a, &b, &c});
        DialogDriver driver([&](GtkWidget* window) {
            runCommand(dialog, L"全ての項目の表示を有効にする", -1);
            dialog.list->getItemList()[0]->setCheck(false);
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
            return true;
        });
        EXPECT_TRUE(dialog.show());
    }
    EXPECT_EQ(std::vector<int>({a.order, b.order, c.order, a.hide, b.hide, c.hide}),
              (std::vector<int>{0, 1, 2, 1, 0, 0}));
    EXPECT_EQ(a.label, L"X");
    EXPECT_EQ(c.label, L"Y");
}

GtkWidget* labelEditor(GtkWidget* dialog) {
    std::vector<GtkWidget*> found;
    DialogTest::collect(gtk_dialog_get_content_area(GTK_DIALOG(dialog)), GTK_TYPE_COMBO_BOX, found);
    return found.empty() ? nullptr : found.front();
}

TEST(MenuDefineDialog, TheLabelEditorOffersEveryLabelAndRefusesABadGroupPath) {
    TestSupport::useTestDisplay();
    auto made = makeDefinitions({L"描画", L"", L"描画\\線", L"変形"});
    TestDialog dialog(pointers(made));
    std::vector<std::string> firstChoices, laterChoices;
    bool refusedStaysOpen = false;
    int step = 0;
    DialogDriver driver([&](GtkWidget* window) {
        GtkTreeView* tree = DialogTest::treeOf(window);
        GtkWidget* combo = labelEditor(window);
        GtkEntry* entry = GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo)));
        if (step++ == 0) {
            // Row 1's label: the choices of the other rows, then a new one.
            auto [x, y] = cellPoint(tree, 1, 1);
            dialog.list->leftButtonDown(x, y);
            firstChoices = DialogTest::comboChoices(combo);
            gtk_entry_set_text(entry, "効果");
            EXPECT_TRUE(dialog.list->endEdit());
            // Row 3's label offers the label typed into row 1.
            auto [x3, y3] = cellPoint(tree, 3, 1);
            dialog.list->leftButtonDown(x3, y3);
            EXPECT_EQ(std::string(gtk_entry_get_text(entry)), "変形");
            laterChoices = DialogTest::comboChoices(combo);
            gtk_entry_set_text(entry, "\\先頭");
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
            return true;
        }
        refusedStaysOpen = gtk_widget_get_visible(combo);
        gtk_entry_set_text(entry, "");
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        return true;
    });
    EXPECT_TRUE(dialog.show());
    EXPECT_EQ(step, 2);
    EXPECT_TRUE(refusedStaysOpen);
    EXPECT_EQ(firstChoices, (std::vector<std::string>{"描画", "描画\\線", "変形"}));
    EXPECT_EQ(laterChoices, (std::vector<std::string>{"描画", "描画\\線", "変形", "効果"}));
    EXPECT_EQ(made[1]->label, L"効果");
    // An empty label is no group.
    EXPECT_EQ(made[3]->label, L"");
}

TEST(MenuDefineDialog, SortingByTheLabelTitleGivesTheOrderOfTheSort) {
    TestSupport::useTestDisplay();
    for (const int clicks : {1, 2}) {
        auto made = makeDefinitions({L"b", L"c", L"a"});
        TestDialog dialog(pointers(made));
        DialogDriver driver([&](GtkWidget* window) {
            GtkTreeView* tree = DialogTest::treeOf(window);
            for (int i = 0; i < clicks; ++i) gtk_tree_view_column_clicked(gtk_tree_view_get_column(tree, 1));
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
            return true;
        });
        EXPECT_TRUE(dialog.show());
        EXPECT_EQ(namesByOrder(made), clicks == 1 ? L"n2,n0,n1" : L"n1,n0,n2");
    }
}

}  // namespace
