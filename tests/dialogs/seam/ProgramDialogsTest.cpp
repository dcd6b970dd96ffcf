#include "dialogs/seam/ProgramDialogs.h"

#include "dialogs/DialogDriver.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ProgramDialogs, ConfirmIsAWarningBoxTrueOnlyForOk) {
    TestSupport::useTestDisplay();
    Dialog::ProgramDialogs dialogs;
    for (const auto& [response, result] : {std::pair{GTK_RESPONSE_OK, true}, std::pair{GTK_RESPONSE_CANCEL, false}}) {
        TestSupport::MessageBoxWatcher boxes(response);
        EXPECT_EQ(dialogs.confirm(L"現在の編集データは破棄されますがよろしいですか？"), result);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].title, "Movane Quorin2");
        EXPECT_EQ(boxes.boxes[0].text, "現在の編集データは破棄されますがよろしいですか？");
    }
}

TEST(ProgramDialogs, InputStringAsksForOneRequiredText) {
    TestSupport::useTestDisplay();
    Dialog::ProgramDialogs dialogs;
    std::string title, label;
    std::string tip;
    int step = 0;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        GtkWidget* entry = DialogTest::entries(dialog).at(0);
        if (step++ == 0) {
            title = gtk_window_get_title(GTK_WINDOW(dialog));
            label = DialogTest::labels(dialog).at(0);
            gtk_entry_set_text(GTK_ENTRY(entry), "");
        } else {
            gchar* text = gtk_widget_get_tooltip_text(entry);
            tip = text ? text : "";
            g_free(text);
            gtk_entry_set_text(GTK_ENTRY(entry), "シーン2");
        }
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        return true;
    });
    std::wstring value = L"Scene1";
    ASSERT_TRUE(dialogs.inputString(L"シーン名の変更", L"名前", value));
    EXPECT_EQ(value, L"シーン2");
    EXPECT_EQ(title, "シーン名の変更");
    EXPECT_EQ(label, "名前");
    EXPECT_EQ(tip, "必須項目です");
}

}  // namespace
