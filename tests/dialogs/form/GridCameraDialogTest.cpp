#include "dialogs/form/GridCameraDialog.h"

#include "core/base/Singleton.h"
#include "dialogs/DialogDriver.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

namespace {

// The camera grid's step and range: shown from the scene, refused out of
// range, stored in the scene on OK without an undo record.
TEST(GridCameraDialog, RefusesAStepBelowOneAndStoresTheValuesOnOk) {
    TestSupport::useTestDisplay();
    System::Singleton<Undo::UndoService> undo;
    System::Singleton<Edit::EditService> editHolder;
    Edit::EditService& edit = *editHolder.getInstance();
    edit.getCurrentScene()->gridStep = 200;
    edit.getCurrentScene()->gridRange = 10000;

    std::vector<std::string> shown, labels, tips;
    int presses = 0;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        const std::vector<GtkWidget*> boxes = DialogTest::entries(dialog);
        if (presses == 0) {
            labels = DialogTest::labels(dialog);
            for (GtkWidget* box : boxes) shown.emplace_back(gtk_entry_get_text(GTK_ENTRY(box)));
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "0.5");
            gtk_entry_set_text(GTK_ENTRY(boxes.at(1)), "2000");
        } else {
            gchar* tip = gtk_widget_get_tooltip_text(boxes.at(0));
            tips.emplace_back(tip ? tip : "");
            g_free(tip);
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "50");
        }
        ++presses;
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
        return true;
    });
    EXPECT_TRUE(Dialog::GridCameraDialog().show(edit));
    EXPECT_EQ(labels, (std::vector<std::string>{"表示間隔", "表示範囲"}));
    EXPECT_EQ(shown, (std::vector<std::string>{"200", "10000"}));
    EXPECT_EQ(presses, 2);
    EXPECT_EQ(tips, (std::vector<std::string>{"値が不正です\n(1 - 10000)"}));
    EXPECT_FLOAT_EQ(edit.getCurrentScene()->gridStep, 50.0f);
    EXPECT_FLOAT_EQ(edit.getCurrentScene()->gridRange, 2000.0f);
    EXPECT_FALSE(undo.getInstance()->canUndo());
}

}  // namespace
