#include "dialogs/prompt/FrameLengthDialog.h"
#include "dialogs/prompt/InputNameLabelDialog.h"

#include "dialogs/DialogDriver.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using DialogTest::DialogDriver;

std::string text(GtkWidget* entry) { return gtk_entry_get_text(GTK_ENTRY(entry)); }

std::string tooltip(GtkWidget* widget) {
    gchar* tip = gtk_widget_get_tooltip_text(widget);
    std::string out = tip ? tip : "";
    g_free(tip);
    return out;
}

// The seconds box first, the frames box second.
struct Typing {
    int box;
    const char* typed;
    std::string seconds, frames;  // both boxes afterwards
};

void runLength(int rate, int scale, int initial, const std::vector<Typing>& typing, std::string& opened,
               int& frames, bool& ok) {
    std::size_t next = 0;
    DialogDriver driver([&](GtkWidget* dialog) {
        const auto boxes = DialogTest::entries(dialog);
        if (next == 0) opened = text(boxes.at(0));
        for (; next < typing.size(); ++next) {
            const Typing& t = typing[next];
            gtk_entry_set_text(GTK_ENTRY(boxes.at(t.box)), t.typed);
            EXPECT_EQ(text(boxes.at(0)), t.seconds) << t.typed;
            EXPECT_EQ(text(boxes.at(1)), t.frames) << t.typed;
        }
        g_signal_emit_by_name(boxes.at(1), "activate");
        return true;
    });
    frames = initial;
    ok = Dialog::FrameLengthDialog::show(L"オブジェクトの長さを変更", rate, scale, frames);
}

TEST(FrameLengthDialog, EachBoxFollowsTheOtherAndEnterSubmitsTheFrames) {
    TestSupport::useTestDisplay();
    std::string opened;
    int frames = 0;
    bool ok = false;
    runLength(30, 1, 90,
              {{0, "2.5", "2.5", "75"}, {1, "45", "1.5", "45"}, {0, "a", "a", ""}, {0, "", "", ""},
               {1, "31", "1.033333", "31"}},
              opened, frames, ok);
    EXPECT_EQ(opened, "3");
    EXPECT_TRUE(ok);
    EXPECT_EQ(frames, 31);

    runLength(30000, 1001, 0, {{0, "1", "1", "30"}, {0, "0.05", "0.05", "1"}}, opened, frames, ok);
    EXPECT_EQ(opened, "0");
    EXPECT_TRUE(ok);
    EXPECT_EQ(frames, 1);
}

TEST(FrameLengthDialog, UnconvertibleSecondsAreRefusedAtEnterAndEmptyTheFrames) {
    TestSupport::useTestDisplay();
    int step = 0;
    std::string tip;
    DialogDriver driver([&](GtkWidget* dialog) {
        const auto boxes = DialogTest::entries(dialog);
        if (step++ == 0) {
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "x");
            g_signal_emit_by_name(boxes.at(0), "activate");
        } else {
            tip = tooltip(boxes.at(0));
            EXPECT_EQ(text(boxes.at(1)), "");
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_DELETE_EVENT);
        }
        return true;
    });
    int frames = 10;
    EXPECT_FALSE(Dialog::FrameLengthDialog::show(L"空のフレームを挿入", 30, 1, frames));
    EXPECT_EQ(frames, 10);
    EXPECT_EQ(step, 2);
    // 2,000,000,000 frames at 30 per second.
    EXPECT_EQ(tip, "値が不正です\n(0 - 66666666.66666666)");
}

TEST(InputNameLabelDialog, NamesAndLabelsWithForbiddenCharactersAreRefused) {
    TestSupport::useTestDisplay();
    const std::string list = "使用できない文字が含まれています\n  \\ / :*? \"'<>|%=,.";
    struct Press {
        const char* name;
        const char* label;
        int refusedBox;  // -1: accepted
    };
    const Press presses[] = {{"my.preset", "", 0}, {"mypreset", "a.b", 1}, {"mypreset", "", -1}};
    std::size_t next = 0;
    std::vector<std::string> tips;
    std::vector<std::string> shownLabels;
    DialogDriver driver([&](GtkWidget* dialog) {
        const auto boxes = DialogTest::entries(dialog);
        if (next == 0) shownLabels = DialogTest::labels(dialog);
        if (next > 0) tips.push_back(tooltip(boxes.at(static_cast<std::size_t>(presses[next - 1].refusedBox))));
        gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), presses[next].name);
        gtk_entry_set_text(GTK_ENTRY(boxes.at(1)), presses[next].label);
        ++next;
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        return true;
    });
    Dialog::AliasDialogValues values{L"old", L"Group", {L"Group", L"Other"}};
    ASSERT_TRUE(Dialog::AliasDialog(L"エイリアスを作成 - オブジェクト").show(values));
    EXPECT_EQ(next, 3u);
    EXPECT_EQ(tips, (std::vector<std::string>{list, list}));
    EXPECT_EQ(shownLabels, (std::vector<std::string>{"エイリアス名", "ラベル"}));
    EXPECT_EQ(values.name, L"mypreset");
    EXPECT_EQ(values.label, L"");
}

}  // namespace
