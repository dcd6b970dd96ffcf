#include "dialogs/file/FileDialog.h"

#include "core/CoreTestSupport.h"
#include "dialogs/DialogDriver.h"
#include "platform/gtk/SettingStrip.h"
#include "support/VirtualDisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using DialogTest::DialogDriver;

const std::wstring kThree(L"Text (*.txt)\0*.txt\0Pictures (*.png;*.jpg)\0*.png;*.jpg\0WavFile (*.wav)\0*.wav\0\0", 80);

std::string text(gchar* owned) {
    std::string copy = owned ? owned : "";
    g_free(owned);
    return copy;
}

struct Shown {
    std::string filter, name, title;
    bool save = false;
};

// What the chooser showed, then the answer: a name to accept, or cancel.
bool runChooser(bool save, std::wstring& path, const std::wstring& filter, const char* accept, Shown& shown,
                const wchar_t* title = nullptr, bool defaultExtension = true) {
    bool typed = false;
    DialogDriver driver([&](GtkWidget* dialog) {
        if (!GTK_IS_FILE_CHOOSER(dialog)) return false;
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
        // OK is pressed until the chooser, which checks a save target on
        // its own first, has closed.
        if (typed) {
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
            return true;
        }
        GtkFileFilter* current = gtk_file_chooser_get_filter(chooser);
        shown.filter = current ? gtk_file_filter_get_name(current) : "";
        shown.save = gtk_file_chooser_get_action(chooser) == GTK_FILE_CHOOSER_ACTION_SAVE;
        if (shown.save) shown.name = text(gtk_file_chooser_get_current_name(chooser));
        const char* t = gtk_window_get_title(GTK_WINDOW(dialog));
        shown.title = t ? t : "";
        if (!accept) {
            gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
            return true;
        }
        if (shown.save) {
            typed = true;
            gtk_file_chooser_set_current_name(chooser, accept);
        } else if (text(gtk_file_chooser_get_filename(chooser)) != accept) {
            gtk_file_chooser_select_filename(chooser, accept);
            return false;  // selected once the folder has loaded
        }
        typed = true;
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
        return true;
    });
    return save ? Dialog::FileDialog::selectSaveFile(path, filter, title, nullptr, defaultExtension,
                                                     Dialog::OFN_OVERWRITEPROMPT)
                : Dialog::FileDialog::selectOpenFile(path, filter);
}

class FileDialog : public ::testing::Test {
protected:
    void SetUp() override {
        // The chooser keeps its own preferences; none reach the desktop's.
        setenv("GSETTINGS_BACKEND", "memory", 0);
        TestSupport::useTestDisplay();
    }
    std::string folderName() const { return folder.path().string(); }
    std::wstring wide(const std::string& name) const { return (folder.path() / name).wstring(); }
    CoreTest::TempFolder folder;
};

TEST_F(FileDialog, FiltersComeFromTheDoubleNullText) {
    const auto entries = Dialog::FileDialog::parseFilter(kThree);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].name, "Pictures (*.png;*.jpg)");
    EXPECT_EQ(entries[1].patterns, (std::vector<std::string>{"*.png", "*.jpg"}));
    EXPECT_EQ(entries[2].patterns, std::vector<std::string>{"*.wav"});
    EXPECT_TRUE(Dialog::FileDialog::parseFilter(std::wstring(L"\0", 1)).empty());
    // A text without its closing nulls keeps the whole entries only.
    EXPECT_EQ(Dialog::FileDialog::parseFilter(std::wstring(L"A\0*.a\0B", 8)).size(), 1u);
}

TEST_F(FileDialog, TheSaveChooserPreselectsTheMatchingFilterAndAddsItsExtension) {
    std::wstring path = wide("clip.wav");
    Shown shown;
    ASSERT_TRUE(runChooser(true, path, kThree, "take", shown, L"名前を付けて保存"));
    EXPECT_EQ(shown.filter, "WavFile (*.wav)");
    EXPECT_EQ(shown.name, "clip.wav");
    EXPECT_EQ(shown.title, "名前を付けて保存");
    EXPECT_EQ(path, wide("take.wav"));

    // An unknown extension shows the first entry; a typed extension stays.
    path = wide("clip.xyz");
    ASSERT_TRUE(runChooser(true, path, kThree, "take.TXT", shown));
    EXPECT_EQ(shown.filter, "Text (*.txt)");
    EXPECT_EQ(path, wide("take.TXT"));

    // Without the default extension the name is taken as typed.
    ASSERT_TRUE(runChooser(true, path, kThree, "bare", shown, nullptr, false));
    EXPECT_EQ(path, wide("bare"));
}

TEST_F(FileDialog, LongAndInvalidNamesAreOfferedCutOrEmptyAndCancelKeepsThePath) {
    const std::string base = folderName() + "/";
    const std::string longPath = base + std::string(300 - base.size(), 'a');
    std::wstring path(longPath.begin(), longPath.end());
    const std::wstring before = path;
    Shown shown;
    EXPECT_FALSE(runChooser(true, path, kThree, nullptr, shown));
    EXPECT_EQ(shown.name, std::string(259 - base.size(), 'a'));
    EXPECT_EQ(path, before);

    path = wide("bad\x01name.txt");
    EXPECT_FALSE(runChooser(true, path, kThree, nullptr, shown));
    // Offered empty (the chooser may complete it from the folder it shows).
    EXPECT_EQ(shown.name.find("bad"), std::string::npos);
    EXPECT_EQ(path, wide("bad\x01name.txt"));
}

TEST_F(FileDialog, TheOpenChooserReturnsTheChosenFile) {
    CoreTest::writeBytes((folder.path() / "a.txt").string(), "x");
    CoreTest::writeBytes((folder.path() / "b.txt").string(), "y");
    std::wstring path = wide("a.txt");
    Shown shown;
    const std::string chosen = (folder.path() / "b.txt").string();
    ASSERT_TRUE(runChooser(false, path, kThree, chosen.c_str(), shown));
    EXPECT_FALSE(shown.save);
    EXPECT_EQ(shown.filter, "Text (*.txt)");
    EXPECT_EQ(path, wide("b.txt"));
}

TEST_F(FileDialog, ANameThatGetsTheExtensionOfAnExistingFileIsAskedAbout) {
    CoreTest::writeBytes((folder.path() / "take.wav").string(), "old");
    // A second name beginning with "take" keeps the chooser's inline
    // completion from turning the typed name into the existing one.
    CoreTest::writeBytes((folder.path() / "take_other.wav").string(), "");
    for (const int answer : {GTK_RESPONSE_NO, GTK_RESPONSE_YES}) {
        SCOPED_TRACE(answer);
        TestSupport::MessageBoxWatcher boxes(answer);
        std::wstring path = wide("clip.wav");
        Shown shown;
        int shows = 0;
        DialogDriver driver([&](GtkWidget* dialog) {
            if (shows++ == 0) gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(dialog), "take");
            // After a "no" the chooser stays open: cancel it then.
            gtk_dialog_response(GTK_DIALOG(dialog), boxes.boxes.empty() ? GTK_RESPONSE_ACCEPT : GTK_RESPONSE_CANCEL);
            return true;
        });
        const bool chosen = Dialog::FileDialog::selectSaveFile(path, kThree, nullptr, nullptr, true,
                                                               Dialog::OFN_OVERWRITEPROMPT);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "take.wav は既に存在します。\n上書きしますか？");
        EXPECT_EQ(chosen, answer == GTK_RESPONSE_YES);
        EXPECT_EQ(path, wide(chosen ? "take.wav" : "clip.wav"));
    }
    EXPECT_EQ(CoreTest::readBytes((folder.path() / "take.wav").string()), "old");
}

// A writer's extra area: a strip with a settings button.
class StripTemplate : public Dialog::FileDialogTemplate {
public:
    void procInit() override {
        calls.push_back("init");
        strip = std::make_unique<Platform::SettingStrip>(childWindow, L"summary", L"設定",
                                                         [this] { procCommand(1002); });
    }
    void procSize() override {
        if (calls.back() != "size") calls.push_back("size");
    }
    void procDestroy() override {
        calls.push_back("destroy");
        strip.reset();
    }
    void procCommand(int id) override { calls.push_back("command " + std::to_string(id)); }

    std::vector<std::string> calls;
    std::unique_ptr<Platform::SettingStrip> strip;
};

TEST_F(FileDialog, TheChildTemplateLivesInTheChoosersExtraArea) {
    StripTemplate writer;
    std::wstring path = wide("out.wav");
    int step = 0;
    DialogDriver driver([&](GtkWidget* dialog) {
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
        if (step == 0) {
            EXPECT_EQ(writer.childWindow, gtk_file_chooser_get_extra_widget(chooser));
            EXPECT_EQ(writer.fileDialogWindow, dialog);
            EXPECT_TRUE(writer.okButton && GTK_IS_BUTTON(writer.okButton));
            EXPECT_NE(writer.okButtonFont, nullptr);
            std::vector<GtkWidget*> buttons;
            DialogTest::collect(GTK_WIDGET(writer.childWindow), GTK_TYPE_BUTTON, buttons);
            EXPECT_EQ(buttons.size(), 1u);
            if (!buttons.empty()) gtk_button_clicked(GTK_BUTTON(buttons[0]));
            gtk_window_resize(GTK_WINDOW(dialog), 1000, 700);
            ++step;
            return false;
        }
        if (writer.calls.back() != "size" && step++ < 100) return false;  // the resize arrives later
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
        return true;
    });
    EXPECT_FALSE(Dialog::FileDialog::selectSaveFile(path, kThree, nullptr, &writer, true, Dialog::OFN_OVERWRITEPROMPT));
    EXPECT_EQ(writer.calls, (std::vector<std::string>{"init", "command 1002", "size", "destroy"}));
    EXPECT_EQ(writer.childWindow, nullptr);
    EXPECT_EQ(writer.fileDialogWindow, nullptr);
}

}  // namespace
