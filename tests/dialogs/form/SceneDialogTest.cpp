#include "dialogs/form/SceneDialog.h"

#include "dialogs/DialogDriver.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using DialogTest::DialogDriver;

// One press of OK after typing into the boxes; refused names the box whose
// tooltip must then hold the reason (-1: the dialog must close).
struct Press {
    std::vector<std::pair<int, std::string>> typed;
    int refused = -1;
    std::string reason;
};

struct Seen {
    std::string title;
    std::vector<std::string> labels;
    std::vector<std::string> texts;
};

// Runs the dialog, pressing OK per press (Cancel after the last refused
// one); returns what the dialog showed first.
Seen runScene(Dialog::SceneDialogValues& values, const std::wstring& title, const std::vector<Press>& presses,
              bool& result) {
    Seen seen;
    std::size_t next = 0;
    GtkWidget* refusedBox = nullptr;
    DialogDriver driver([&](GtkWidget* dialog) {
        const std::vector<GtkWidget*> boxes = DialogTest::entries(dialog);
        if (next == 0 && seen.labels.empty()) {
            seen.title = gtk_window_get_title(GTK_WINDOW(dialog));
            seen.labels = DialogTest::labels(dialog);
            for (GtkWidget* box : boxes) seen.texts.emplace_back(gtk_entry_get_text(GTK_ENTRY(box)));
        }
        if (next > 0) {
            const Press& last = presses[next - 1];
            EXPECT_NE(last.refused, -1) << "the dialog stayed open after press " << next;
            if (last.refused >= 0) {
                refusedBox = boxes.at(last.refused);
                gchar* tip = gtk_widget_get_tooltip_text(refusedBox);
                EXPECT_EQ(tip ? std::string(tip) : std::string(), last.reason) << "press " << next;
                g_free(tip);
            }
        }
        if (next == presses.size()) {
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
            return true;
        }
        for (const auto& [box, text] : presses[next].typed) gtk_entry_set_text(GTK_ENTRY(boxes.at(box)), text.c_str());
        ++next;
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        return true;
    });
    result = Dialog::SceneDialog(title).show(values);
    return seen;
}

Dialog::SceneDialogValues projectValues() {
    Dialog::SceneDialogValues values;
    values.width = 640;
    values.height = 480;
    values.rate = 30000;
    values.scale = 1001;
    values.audioRate = 44100;
    return values;
}

TEST(SceneDialog, ShowsRowsOnlyForGivenValuesRefusesBadTextsAndWritesBack) {
    TestSupport::useTestDisplay();
    Dialog::SceneDialogValues values = projectValues();
    bool result = false;
    const Seen seen = runScene(values, L"プロジェクトを新規作成",
                               {
                                   {{{0, "31"}}, 0, "値が不正です\n(32 - 16384)"},
                                   {{{0, "32"}, {1, "16385"}}, 1, "値が不正です\n(32 - 16384)"},
                                   {{{1, "16384"}, {2, "0"}}, 2, "値が不正です\n(0.001 - 1000)"},
                                   {{{2, "29.97"}, {3, "3072001"}}, 3, "値が不正です\n(1 - 3072000)"},
                                   {{{3, "48000"}}, -1, ""},
                               },
                               result);
    EXPECT_TRUE(result);
    EXPECT_EQ(seen.title, "プロジェクトを新規作成");
    // No name row for a new project; the plain quotient without presets.
    EXPECT_EQ(seen.labels, (std::vector<std::string>{"解像度", "フレームレート", "サンプリングレート"}));
    EXPECT_EQ(seen.texts, (std::vector<std::string>{"640", "480", "29.97003", "44100"}));
    EXPECT_FALSE(values.name.has_value());
    EXPECT_EQ(*values.width, 32);
    EXPECT_EQ(*values.height, 16384);
    EXPECT_EQ(*values.rate, 2997);  // factors of ten only
    EXPECT_EQ(*values.scale, 100);
    EXPECT_EQ(*values.audioRate, 48000);
}

TEST(SceneDialog, FrameRatesAreStoredAsPairsReducedByTens) {
    TestSupport::useTestDisplay();
    const std::pair<const char*, std::pair<int, int>> cases[] = {
        {"24", {24, 1}}, {"0.5", {5, 10}}, {"1000", {1000, 1}}, {"0.001", {1, 1000}}};
    for (const auto& [typed, pair] : cases) {
        SCOPED_TRACE(typed);
        Dialog::SceneDialogValues values;
        values.rate = 30;
        values.scale = 1;
        bool result = false;
        const Seen seen = runScene(values, L"シーンの設定", {{{{0, typed}}, -1, ""}}, result);
        EXPECT_TRUE(result);
        EXPECT_EQ(seen.labels, std::vector<std::string>{"フレームレート"});
        EXPECT_EQ(*values.rate, pair.first);
        EXPECT_EQ(*values.scale, pair.second);
    }
}

TEST(SceneDialog, AnEmptyNameIsRefusedAndCancelWritesNothing) {
    TestSupport::useTestDisplay();
    Dialog::SceneDialogValues values = projectValues();
    values.name = L"Root";
    bool result = true;
    const Seen seen = runScene(values, L"シーンの設定", {{{{0, ""}, {1, "800"}}, 0, "必須項目です"}}, result);
    EXPECT_FALSE(result);
    EXPECT_EQ(seen.labels.front(), "名前");
    EXPECT_EQ(seen.texts.front(), "Root");
    EXPECT_EQ(*values.name, L"Root");
    EXPECT_EQ(*values.width, 640);
}

}  // namespace
