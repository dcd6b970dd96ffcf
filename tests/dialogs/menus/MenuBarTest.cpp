// The menu bar of the program's own start-up (every service, the main
// window with its bar) on a display of the test's own, driven by keys and
// clicks through xdotool: the five titles, the default keys, greying of
// undo and redo, the save dialog and the recent list, the discard question
// on quitting, and the rebuild after a language switch.
#include "app/StartupTable.h"

#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/translate/TranslateService.h"
#include "dialogs/DialogDriver.h"
#include "edit/scope/EditScope.h"
#include "edit/service/EditService.h"
#include "edit/undo/UndoService.h"
#include "effects/media/FigureLoad.h"
#include "platform/gtk/Menu.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowInput.h"
#include "support/VirtualDisplay.h"
#include "window/ShortcutService.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using WindowTest::runUntil;

// The text of an item without the key name after its TAB.
std::wstring itemText(Platform::MenuHandle menu, int position) {
    std::wstring text;
    Platform::getMenuString(menu, static_cast<UINT>(position), Platform::MF_BYPOSITION, text);
    return text.substr(0, text.find(L'\t'));
}

// The command ids of every item with the label, submenus searched.
void findCommands(Platform::MenuHandle menu, const std::wstring& label, std::vector<int>& ids) {
    for (int i = 0; i < Platform::getMenuItemCount(menu); ++i) {
        if (Platform::MenuHandle sub = Platform::getSubMenu(menu, i))
            findCommands(sub, label, ids);
        else if (itemText(menu, i) == label)
            ids.push_back(Platform::getMenuItemID(menu, i));
    }
}

// Items of the menu and all its submenus.
int countItems(Platform::MenuHandle menu) {
    int count = 0;
    for (int i = 0; i < Platform::getMenuItemCount(menu); ++i) {
        ++count;
        if (Platform::MenuHandle sub = Platform::getSubMenu(menu, i)) count += countItems(sub);
    }
    return count;
}

// The centre of a widget on the screen.
std::pair<int, int> centre(GtkWidget* widget) {
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gtk_widget_get_window(widget), &x, &y);
    GtkAllocation a;
    gtk_widget_get_allocation(widget, &a);
    if (!gtk_widget_get_has_window(widget)) {
        x += a.x;
        y += a.y;
    }
    return {x + a.width / 2, y + a.height / 2};
}

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("GSETTINGS_BACKEND", "memory", 0);
        for (const App::StartupRow& row : App::startupTable()) holders.push_back(row.create());
        Platform::setFocus(main());
        runUntil([this] { return Platform::isWindowActive(main()); }, 3000);
    }
    void TearDown() override {
        undo().modified = false;
        edit().markModified();
        undo().modified = false;
        while (!holders.empty()) holders.pop_back();
    }

    static Edit::EditService& edit() { return *System::Singleton<Edit::EditService>::getInstance(); }
    static Undo::UndoService& undo() { return *System::Singleton<Undo::UndoService>::getInstance(); }
    static Window::WindowService& bar() { return WindowTest::service(); }
    static Platform::WindowHandle main() { return bar().mainWindow; }
    static Edit::Scene& scene() { return *edit().getCurrentScene(); }
    static std::size_t objectsOn(int layer) { return scene().getLayerObjectList(layer).objects.size(); }

    static int command(const std::wstring& label) {
        std::vector<int> ids;
        findCommands(bar().hmenu, label, ids);
        EXPECT_EQ(ids.size(), 1u) << std::string(label.begin(), label.end());
        return ids.empty() ? 0 : ids.front();
    }
    static bool greyed(const std::wstring& label) {
        bar().updateMenuState();
        return (Platform::getMenuState(bar().hmenu, static_cast<UINT>(command(label)), Platform::MF_BYCOMMAND) &
                Platform::MF_GRAYED) != 0;
    }
    static void run(const std::wstring& label) { bar().executeCommand(command(label)); }
    static void keys(const std::string& names) {
        std::vector<std::string> args = {"xdotool", "key", "--delay", "20"};
        for (std::size_t at = 0; at < names.size();) {
            const std::size_t space = names.find(' ', at);
            args.push_back(names.substr(at, space - at));
            at = space == std::string::npos ? names.size() : space + 1;
        }
        WindowTest::runProgram(args, 0);
    }
    static void click(GtkWidget* widget) {
        const auto [x, y] = centre(widget);
        WindowTest::runProgram({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"}, 0);
    }
    // The title of the bar's menu at the position.
    static GtkWidget* title(int position) { return Platform::toolkitMenuItem(bar().hmenu, position); }
    static GtkWidget* fileItem(const std::wstring& label) {
        const Platform::MenuHandle file = bar().windowMenu.file.hmenu;
        for (int i = 0; i < Platform::getMenuItemCount(file); ++i)
            if (itemText(file, i) == label) return Platform::toolkitMenuItem(file, i);
        return nullptr;
    }

    CoreTest::ProgramFolder folder;
    std::vector<App::StartupHolder> holders;
};

TEST_F(MenuBarTest, TheBarShowsItsFiveMenusAndKeysRunTheEditCommands) {
    std::vector<std::wstring> titles;
    for (int i = 0; i < 5; ++i) titles.push_back(itemText(bar().hmenu, i));
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"ファイル", L"編集", L"表示", L"設定", L"その他"}));
    ASSERT_TRUE(runUntil([] { return gtk_widget_get_mapped(title(0)); }, 3000));
    EXPECT_GT(WindowTest::menuBarHeight(), 10);

    {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        scene().createObject(Effect::FigureLoad::Name, 0, 0, 29);
    }
    ASSERT_EQ(scene().totalLength, 29);
    keys("Right Right Right Right Right");
    ASSERT_TRUE(runUntil([] { return scene().cursorFrame == 5; }, 3000)) << scene().cursorFrame;
    // The split needs a target: the object under the cursor gets the focus.
    keys("Tab s");
    ASSERT_TRUE(runUntil([] { return objectsOn(0) == 2; }, 3000));
    EXPECT_EQ(scene().getLayerObjectList(0).objects[1]->start, 5);
    keys("ctrl+z");
    ASSERT_TRUE(runUntil([] { return objectsOn(0) == 1; }, 3000));
    keys("ctrl+shift+z");
    ASSERT_TRUE(runUntil([] { return objectsOn(0) == 2; }, 3000));

    // "[" at 5 and "]" at 8: the range {5, 8}.
    keys("bracketleft Right Right Right bracketright");
    ASSERT_TRUE(runUntil([] { return scene().selectEndFrame == 8; }, 3000));
    EXPECT_EQ(scene().selectStartFrame, 5);

    keys("space");
    ASSERT_TRUE(runUntil([] { return scene().playing; }, 3000));
    keys("space");
    ASSERT_TRUE(runUntil([] { return !scene().playing; }, 3000));
}

// The user's keyboard.ini binds F2 to the next frame before start-up.
class BoundKeyTest : public MenuBarTest {
protected:
    BoundKeyTest() {
        CoreTest::writeBytes((folder.data() / "keyboard.ini").string(),
                             "[shortcut.0]\r\nname=編集:次のフレームに移動\r\ncode=113\r\n");
    }
};

TEST_F(BoundKeyTest, AKeyBoundInTheShortcutFileRunsItsCommand) {
    {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        scene().createObject(Effect::FigureLoad::Name, 0, 0, 29);
    }
    std::wstring text;
    Platform::getMenuString(bar().hmenu, static_cast<UINT>(command(L"次のフレームに移動")), Platform::MF_BYCOMMAND, text);
    EXPECT_EQ(text, L"次のフレームに移動\tF2");
    keys("F2 F2");
    ASSERT_TRUE(runUntil([] { return scene().cursorFrame == 2; }, 3000)) << scene().cursorFrame;
    // The default key gave way to the saved one.
    keys("Right");
    WindowTest::runFor(200);
    EXPECT_EQ(scene().cursorFrame, 2);
}

TEST_F(MenuBarTest, UndoAndRedoGreyAsTheGroupsRunOut) {
    {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        scene().createObject(Effect::FigureLoad::Name, 0, 0, 99);
    }
    EXPECT_TRUE(greyed(L"元に戻す"));
    EXPECT_TRUE(greyed(L"やり直し"));
    // Three splits, three undo groups.
    for (const int frame : {20, 40, 60}) {
        scene().cursorFrame = frame;
        scene().setFocusObject(scene().getLayerObjectList(0).getObjectAtFrame(frame));
        run(L"オブジェクトを分割");
    }
    ASSERT_EQ(objectsOn(0), 4u);
    EXPECT_FALSE(greyed(L"元に戻す"));
    EXPECT_TRUE(greyed(L"やり直し"));
    std::vector<std::size_t> counts;
    for (int i = 0; i < 3; ++i) {
        run(L"元に戻す");
        counts.push_back(objectsOn(0));
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{3, 2, 1}));
    EXPECT_TRUE(greyed(L"元に戻す"));
    EXPECT_FALSE(greyed(L"やり直し"));
    // Greyed, the command still runs (as a key would) and does nothing.
    run(L"元に戻す");
    EXPECT_EQ(objectsOn(0), 1u);
    run(L"やり直し");
    EXPECT_EQ(objectsOn(0), 2u);
    EXPECT_EQ(scene().getLayerObjectList(0).objects[1]->start, 20);
    EXPECT_FALSE(greyed(L"元に戻す"));
    EXPECT_FALSE(greyed(L"やり直し"));
    // A new edit drops the redo side.
    scene().cursorFrame = 80;
    scene().setFocusObject(scene().getLayerObjectList(0).getObjectAtFrame(80));
    run(L"オブジェクトを分割");
    EXPECT_TRUE(greyed(L"やり直し"));
}

TEST_F(MenuBarTest, SavingANewProjectAsksForTheFileAndListsItAsTheFirstRecentProject) {
    const std::filesystem::path path = folder.data() / "saved.mvp2";
    // The folder first; the name and OK once the chooser shows it.
    int ticks = 0;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        if (!GTK_IS_FILE_CHOOSER(dialog)) return false;
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
        if (ticks++ == 0) {
            gtk_file_chooser_set_current_folder(chooser, folder.data().c_str());
            return false;
        }
        gchar* current = gtk_file_chooser_get_current_folder(chooser);
        const bool there = current && folder.data() == current;
        g_free(current);
        if (!there) return false;
        gtk_file_chooser_set_current_name(chooser, "saved.mvp2");
        gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
        return true;
    });
    // The item of Ctrl+S, from the loop as a key runs it.
    g_idle_add(
        [](gpointer) -> gboolean {
            run(L"プロジェクトを保存");
            return G_SOURCE_REMOVE;
        },
        nullptr);
    ASSERT_TRUE(runUntil([&] { return std::filesystem::exists(path); }, 8000))
        << ticks << " " << std::string(edit().project.path.begin(), edit().project.path.end());
    EXPECT_EQ(edit().project.path, path.wstring());

    // The recent list fills when a menu of the bar opens.
    click(title(0));
    GtkWidget* recent = fileItem(L"最近使ったプロジェクト");
    ASSERT_NE(recent, nullptr);
    ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(recent); }, 3000));
    const Platform::MenuHandle list = Platform::getSubMenu(bar().windowMenu.file.hmenu, 3);
    ASSERT_EQ(Platform::getMenuItemCount(list), 1);
    EXPECT_EQ(itemText(list, 0), L"&1 " + path.wstring());
    // The 1 is underlined: the label's mnemonic.
    std::vector<GtkWidget*> labels;
    DialogTest::collect(Platform::toolkitMenuItem(list, 0), GTK_TYPE_LABEL, labels);
    const bool underlinedOne = std::any_of(labels.begin(), labels.end(), [](GtkWidget* label) {
        return gtk_label_get_use_underline(GTK_LABEL(label)) &&
               gtk_label_get_mnemonic_keyval(GTK_LABEL(label)) == static_cast<guint>(GDK_KEY_1);
    });
    EXPECT_TRUE(underlinedOne);
    keys("Escape");
}

TEST_F(MenuBarTest, QuittingAChangedProjectAsksTheDiscardQuestion) {
    {
        Edit::EditScope scope(edit());
        scope.resortLayers = true;
        scene().createObject(Effect::FigureLoad::Name, 0, 0, 99);
    }
    scene().cursorFrame = 50;
    scene().setFocusObject(scene().getLayerObjectList(0).getObjectAtFrame(50));
    run(L"オブジェクトを分割");
    ASSERT_TRUE(undo().modified);
    TestSupport::MessageBoxWatcher cancel(GTK_RESPONSE_CANCEL);
    click(title(0));
    GtkWidget* quit = fileItem(L"終了");
    ASSERT_NE(quit, nullptr);
    ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(quit); }, 3000));
    click(quit);
    ASSERT_TRUE(runUntil([&] { return !cancel.boxes.empty(); }, 5000));
    EXPECT_EQ(cancel.boxes[0].text, "現在の編集データは破棄されますがよろしいですか？");
    EXPECT_TRUE(Platform::isWindowVisible(main()));
    EXPECT_EQ(objectsOn(0), 2u);
}

TEST_F(MenuBarTest, ALanguageSwitchRebuildsEveryMenuOnceInTheNewTexts) {
    int before[5];
    for (int i = 0; i < 5; ++i) before[i] = countItems(bar().windowMenu.entry(i).hmenu);
    EXPECT_GT(before[1], 40);
    CoreTest::writeBytes((folder.data() / "Language" / "english.mvl2").string(),
                         "[Menu]\nファイル=File\n編集=Edit\n元に戻す=Undo\n");
    auto* translate = System::Singleton<Translate::TranslateService>::getInstance();
    translate->language = L"english";
    translate->reloadLanguage();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(countItems(bar().windowMenu.entry(i).hmenu), before[i]) << i;
    EXPECT_EQ(itemText(bar().hmenu, 0), L"File");
    std::vector<int> ids;
    findCommands(bar().hmenu, L"Undo", ids);
    EXPECT_EQ(ids.size(), 1u);
    // The shortcut follows the new name and keeps its default key.
    auto* shortcuts = System::Singleton<Window::ShortcutService>::getInstance();
    const Window::Shortcut* entry = shortcuts->findEntry(0x405A);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->name, L"Edit:Undo");
    translate->language = L"";
    translate->reloadLanguage();
}

}  // namespace
