#include "dialogs/form/SliderSettingDialog.h"

#include "dialogs/DialogDriver.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

namespace {

// The slider movement basis and sensitivity: shown as stored, a ratio out
// of 1 .. 1000 refused, both taken on OK and neither on Cancel.
TEST(SliderSettingDialog, ShowsTheValuesRefusesARatioOutOfRangeAndStoresOnOk) {
    TestSupport::useTestDisplay();
    int mode = 1;
    int ratio = 100;
    std::vector<std::string> shown;
    int shownMode = -1;
    int presses = 0;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        const std::vector<GtkWidget*> boxes = DialogTest::entries(dialog);
        const std::vector<GtkWidget*> lists = DialogTest::inReadingOrder(dialog, GTK_TYPE_COMBO_BOX);
        if (presses == 0) {
            shown.emplace_back(gtk_entry_get_text(GTK_ENTRY(boxes.at(0))));
            shownMode = gtk_combo_box_get_active(GTK_COMBO_BOX(lists.at(0)));
            gtk_combo_box_set_active(GTK_COMBO_BOX(lists.at(0)), 2);
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "1001");
        } else {
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "250");
        }
        ++presses;
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        return true;
    });
    EXPECT_TRUE(Dialog::SliderSettingDialog().show(mode, ratio));
    EXPECT_EQ(shown, (std::vector<std::string>{"100"}));
    EXPECT_EQ(shownMode, 1);
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(ratio, 250);
}

TEST(SliderSettingDialog, CancelKeepsBothValues) {
    TestSupport::useTestDisplay();
    int mode = 0;
    int ratio = 7;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        gtk_entry_set_text(GTK_ENTRY(DialogTest::entries(dialog).at(0)), "50");
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        return true;
    });
    EXPECT_FALSE(Dialog::SliderSettingDialog().show(mode, ratio));
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(ratio, 7);
}

}  // namespace
