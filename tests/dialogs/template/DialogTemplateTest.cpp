#include "dialogs/template/DialogItemKeyCode.h"
#include "dialogs/template/DialogItemStatic.h"
#include "dialogs/template/DialogItemText.h"
#include "dialogs/template/DialogItemValue.h"
#include "dialogs/template/DialogTemplate.h"

#include "dialogs/DialogDriver.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using DialogTest::DialogDriver;

std::vector<GtkWidget*> buttons(GtkWidget* dialog) { return DialogTest::inReadingOrder(dialog, GTK_TYPE_BUTTON); }

GtkWidget* button(GtkWidget* dialog, const std::string& label) {
    for (GtkWidget* b : buttons(dialog)) {
        const gchar* text = gtk_button_get_label(GTK_BUTTON(b));
        if (text && label == text) return b;
    }
    return nullptr;
}

std::string tooltip(GtkWidget* widget) {
    gchar* tip = gtk_widget_get_tooltip_text(widget);
    std::string text = tip ? tip : "";
    g_free(tip);
    return text;
}

void warpPointer(int x, int y) {
    GdkDisplay* display = gdk_display_get_default();
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
    gdk_device_warp(pointer, gdk_display_get_default_screen(display), x, y);
    gdk_display_sync(display);
}

// Runs the steps, one per tick of the open dialog, in order; a dialog
// still open after the last step is closed.
bool runSteps(Dialog::DialogTemplate& dialog, std::vector<std::function<void(GtkWidget*)>> steps, int& done) {
    done = 0;
    DialogDriver driver([&](GtkWidget* window) {
        if (done >= static_cast<int>(steps.size())) {
            ADD_FAILURE() << "the dialog stayed open after the last step";
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_DELETE_EVENT);
            return true;
        }
        steps[static_cast<std::size_t>(done++)](window);
        return true;
    });
    return dialog.create();
}

TEST(DialogTemplate, OneRowOpensAtThePointerWithoutOkAndEnterSubmits) {
    TestSupport::useTestDisplay();
    warpPointer(200, 150);
    Dialog::DialogTemplate dialog(L"名前の変更");
    auto& row = dialog.addItem<Dialog::DialogItemText>(L"名前", L"Scene1", true);
    int x = -1, y = -1, done = 0;
    bool hasButtons = true;
    const bool ok = runSteps(dialog,
                             {[&](GtkWidget* window) {
                                 gdk_window_get_origin(gtk_widget_get_window(window), &x, &y);
                                 hasButtons = !buttons(window).empty();
                                 GtkWidget* entry = DialogTest::entries(window).at(0);
                                 gtk_entry_set_text(GTK_ENTRY(entry), "Scene2");
                                 g_signal_emit_by_name(entry, "activate");
                             }},
                             done);
    EXPECT_TRUE(ok);
    EXPECT_EQ(row.text, L"Scene2");
    EXPECT_FALSE(hasButtons);
    EXPECT_FALSE(dialog.showOk);
    EXPECT_FALSE(dialog.noEnterSubmit);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 150);
    // The narrowest row column and the label column beside it.
    EXPECT_GE(dialog.width, 324);
}

TEST(DialogTemplate, TwoRowsAreCentredEnterIsIgnoredAndRefusalsKeepTheDialogOpen) {
    TestSupport::useTestDisplay();
    Dialog::DialogTemplate dialog(L"設定");
    // A range with negative numbers: the box takes any character.
    auto& number = dialog.addItem<Dialog::DialogItemInteger>(L"数", 50, -100, 100);
    auto& text = dialog.addItem<Dialog::DialogItemText>(L"文字", L"", false);
    int x = -1, y = -1, w = 0, h = 0, done = 0;
    std::string tip;
    const bool ok = runSteps(
        dialog,
        {[&](GtkWidget* window) {
             gdk_window_get_origin(gtk_widget_get_window(window), &x, &y);
             w = gtk_widget_get_allocated_width(window);
             h = gtk_widget_get_allocated_height(window);
             GtkWidget* entry = DialogTest::entries(window).at(0);
             gtk_entry_set_text(GTK_ENTRY(entry), "abc");
             g_signal_emit_by_name(entry, "activate");  // Enter: ignored
         },
         [&](GtkWidget* window) { gtk_button_clicked(GTK_BUTTON(button(window, "OK"))); },
         [&](GtkWidget* window) {
             GtkWidget* entry = DialogTest::entries(window).at(0);
             tip = tooltip(entry);
             gtk_entry_set_text(GTK_ENTRY(entry), "12abc");
             gtk_entry_set_text(GTK_ENTRY(DialogTest::entries(window).at(1)), "x");
             gtk_button_clicked(GTK_BUTTON(button(window, "OK")));
         }},
        done);
    EXPECT_TRUE(ok);
    EXPECT_EQ(done, 3);
    EXPECT_EQ(tip, "値が不正です\n(-100 - 100)");
    EXPECT_EQ(number.value, 12);
    EXPECT_EQ(text.text, L"x");
    EXPECT_TRUE(dialog.showOk);
    EXPECT_TRUE(dialog.centred);
    EXPECT_TRUE(dialog.noEnterSubmit);
    // Centred on the 1280x800 screen (no owner window in this test).
    EXPECT_EQ(w, dialog.width);
    EXPECT_EQ(h, dialog.height);
    EXPECT_EQ(x, (1280 - dialog.width) / 2);
    EXPECT_EQ(y, (800 - dialog.height) / 2);
}

TEST(DialogTemplate, CancelAfterAFailedOkKeepsTheFirstRowsReadBackValues) {
    TestSupport::useTestDisplay();
    Dialog::DialogTemplate dialog(L"設定");
    auto& first = dialog.addItem<Dialog::DialogItemInteger>(L"幅", 10, 0, 100);
    auto& second = dialog.addItem<Dialog::DialogItemNumber>(L"倍率", 1.0, 0.0, 2.0);
    int done = 0;
    std::string tip;
    const bool ok = runSteps(dialog,
                             {[&](GtkWidget* window) {
                                  gtk_entry_set_text(GTK_ENTRY(DialogTest::entries(window).at(0)), "20");
                                  gtk_entry_set_text(GTK_ENTRY(DialogTest::entries(window).at(1)), "3");
                                  gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
                              },
                              [&](GtkWidget* window) {
                                  tip = tooltip(DialogTest::entries(window).at(1));
                                  gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_DELETE_EVENT);
                              }},
                             done);
    EXPECT_FALSE(ok);
    EXPECT_EQ(tip, "値が不正です\n(0 - 2)");
    EXPECT_EQ(first.value, 20);
    EXPECT_EQ(second.value, 3.0);
}

TEST(DialogTemplate, ExtraButtonsNoteAndButtonModes) {
    TestSupport::useTestDisplay();
    {
        // Always: one row with OK; an extra button runs its action and keeps
        // the dialog open; the note sits on the button row.
        Dialog::DialogTemplate dialog(L"ボタン");
        dialog.buttonMode = Dialog::ButtonMode::Always;
        dialog.note = L"メモ";
        auto& row = dialog.addItem<Dialog::DialogItemText>(L"名前", L"a", false);
        int pressed = 0;
        const int id = dialog.addButton(L"追加", [&] {
            ++pressed;
            row.text = L"from button";
            row.update();
        });
        EXPECT_EQ(id, 10000);
        EXPECT_EQ(dialog.addButton(nullptr, nullptr), 10001);
        int done = 0;
        std::vector<std::string> labels;
        const bool ok = runSteps(dialog,
                                 {[&](GtkWidget* window) {
                                      labels = DialogTest::labels(window);
                                      gtk_button_clicked(GTK_BUTTON(button(window, "追加")));
                                  },
                                  [&](GtkWidget* window) { gtk_button_clicked(GTK_BUTTON(button(window, "OK"))); }},
                                 done);
        EXPECT_TRUE(ok);
        EXPECT_EQ(pressed, 1);
        EXPECT_EQ(row.text, L"from button");
        EXPECT_EQ(labels, (std::vector<std::string>{"名前", "メモ"}));
    }
    {
        // Never: several rows, no OK, Enter submits.
        Dialog::DialogTemplate dialog(L"なし");
        dialog.buttonMode = Dialog::ButtonMode::Never;
        dialog.addItem<Dialog::DialogItemText>(L"一", L"a", false);
        dialog.addItem<Dialog::DialogItemText>(L"二", L"b", false);
        int done = 0;
        bool hasOk = true;
        EXPECT_TRUE(runSteps(dialog,
                             {[&](GtkWidget* window) {
                                 hasOk = button(window, "OK") != nullptr;
                                 g_signal_emit_by_name(DialogTest::entries(window).at(1), "activate");
                             }},
                             done));
        EXPECT_FALSE(hasOk);
    }
    {
        // Confirm: no OK, Enter never submits; only the accept button does.
        Dialog::DialogTemplate dialog(L"確認");
        dialog.buttonMode = Dialog::ButtonMode::Confirm;
        dialog.addItem<Dialog::DialogItemStatic>(L"インストールします");
        dialog.addItem<Dialog::DialogItemText>(L"名前", L"a", false);
        dialog.addItem<Dialog::DialogItemConfirmButton>(L"使用しない");
        int done = 0;
        const bool ok = runSteps(dialog,
                                 {[&](GtkWidget* window) {
                                      g_signal_emit_by_name(DialogTest::entries(window).at(0), "activate");
                                  },
                                  [&](GtkWidget* window) {
                                      EXPECT_EQ(button(window, "OK"), nullptr);
                                      gtk_button_clicked(GTK_BUTTON(button(window, "使用しない")));
                                  }},
                                 done);
        EXPECT_FALSE(ok);
        EXPECT_EQ(done, 2);
        EXPECT_TRUE(dialog.centred);
        EXPECT_TRUE(dialog.noEnterSubmit);
    }
}

TEST(DialogTemplate, TheFileRowsButtonRunsItsUnlabelledButtonsAction) {
    TestSupport::useTestDisplay();
    Dialog::DialogTemplate dialog(L"ファイル");
    Dialog::DialogItemFile* file = nullptr;
    const int id = dialog.addButton(nullptr, [&] {
        file->text = L"/tmp/chosen.wav";
        file->update();
    });
    file = &dialog.addItem<Dialog::DialogItemFile>(L"音声", L"/tmp/old.wav", L"参照", id);
    int done = 0;
    std::string shown;
    const bool ok = runSteps(dialog,
                             {[&](GtkWidget* window) { gtk_button_clicked(GTK_BUTTON(button(window, "参照"))); },
                              [&](GtkWidget* window) {
                                  GtkWidget* box = DialogTest::entries(window).at(0);
                                  shown = gtk_entry_get_text(GTK_ENTRY(box));
                                  gtk_entry_set_text(GTK_ENTRY(box), "/tmp/typed.wav");
                                  g_signal_emit_by_name(box, "activate");
                              }},
                             done);
    EXPECT_TRUE(ok);
    EXPECT_EQ(shown, "/tmp/chosen.wav");
    EXPECT_EQ(file->text, L"/tmp/typed.wav");
}

TEST(DialogTemplate, AButtonWithoutAnActionIsAProgrammingError) {
    TestSupport::useTestDisplay();
    Dialog::DialogTemplate dialog(L"エラー");
    dialog.addItem<Dialog::DialogItemText>(L"名前", L"a", false);
    dialog.addButton(L"押す", nullptr);
    int done = 0;
    EXPECT_THROW(runSteps(dialog, {[&](GtkWidget* window) { gtk_button_clicked(GTK_BUTTON(button(window, "押す"))); }},
                          done),
                 std::bad_function_call);
}

TEST(DialogTemplate, ListBoxPicksByIndexAndAnEmptyListKeepsItsIndex) {
    TestSupport::useTestDisplay();
    Dialog::DialogTemplate dialog(L"選択");
    auto& list = dialog.addItem<Dialog::DialogItemListBox>(L"形式", 0);
    list.addItem(L"RGB24bit");
    list.addItem(L"RGBA32bit");
    list.addItem(L"YUY2");
    list.select(L"YUY2");
    list.select(L"none");
    EXPECT_EQ(list.selected, 2);
    auto& empty = dialog.addItem<Dialog::DialogItemListBox>(L"空", 3);
    int done = 0;
    int shown = -1;
    const bool ok = runSteps(dialog,
                             {[&](GtkWidget* window) {
                                 std::vector<GtkWidget*> combos = DialogTest::inReadingOrder(window, GTK_TYPE_COMBO_BOX);
                                 shown = gtk_combo_box_get_active(GTK_COMBO_BOX(combos.at(0)));
                                 gtk_combo_box_set_active(GTK_COMBO_BOX(combos.at(0)), 1);
                                 gtk_button_clicked(GTK_BUTTON(button(window, "OK")));
                             }},
                             done);
    EXPECT_TRUE(ok);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(empty.selected, 3);
}

TEST(DialogItemKeyCode, KeysWithModifiersBecomeCodesAndModifiersAloneChangeNothing) {
    Dialog::DialogItemKeyCode row(L"キー", 0x405A);
    const LPARAM ctrlShift = Platform::KEY_CONTROL | Platform::KEY_SHIFT;
    EXPECT_TRUE(row.capture(Platform::WM_KEYDOWN, 'A', ctrlShift));
    EXPECT_EQ(row.code, 0x6041);
    EXPECT_EQ(Dialog::DialogItemKeyCode::codeName(row.code), L"Ctrl+Shift+A");
    EXPECT_TRUE(row.capture(Platform::WM_KEYDOWN, 0x10, Platform::KEY_SHIFT));
    EXPECT_EQ(row.code, 0x6041);
    EXPECT_TRUE(row.capture(Platform::WM_SYSKEYDOWN, 0x73, Platform::KEY_ALT));
    EXPECT_EQ(row.code, 0x1073);
    // A key without a name: no shortcut.
    EXPECT_TRUE(row.capture(Platform::WM_KEYDOWN, 0xFF, 0));
    EXPECT_EQ(row.code, 0);
    EXPECT_TRUE(row.capture(Platform::WM_KEYUP, 'B', 0));
    EXPECT_EQ(row.code, 0);
    EXPECT_FALSE(row.capture(Platform::WM_KILLFOCUS, 0, 0));
}

}  // namespace
