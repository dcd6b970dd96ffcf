// The Settings menu of the program's own start-up (every service, the main
// window with its bar) on a display of the test's own: each dialog is
// opened through its menu item and answered from inside the test, and what
// OK stored is read from the services it changed.
#include "app/StartupTable.h"

#include "core/CoreTestSupport.h"
#include "core/base/Logger.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "dialogs/DialogDriver.h"
#include "dialogs/list/DialogItemListView.h"
#include "dialogs/settings/AviFileSaveDialog.h"
#include "dialogs/settings/GridDialog.h"
#include "dialogs/settings/InputPluginDialog.h"
#include "dialogs/template/DialogItemText.h"
#include "edit/service/EditService.h"
#include "media/gpu/Direct3DService.h"
#include "platform/gtk/Menu.h"
#include "platform/gtk/NativeWindow.h"
#include "plugin/input/InputPlugin.h"
#include "plugin/input/InputService.h"
#include "plugin/output/JpgFileSave.h"
#include "plugin/output/OutputService.h"
#include "plugin/output/SequentialFileSave.h"
#include "render/cache/CacheService.h"
#include "render/service/RenderService.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using WindowTest::runUntil;

std::wstring itemText(Platform::MenuHandle menu, int position) {
    std::wstring text;
    Platform::getMenuString(menu, static_cast<UINT>(position), Platform::MF_BYPOSITION, text);
    return text.substr(0, text.find(L'\t'));
}

std::string tooltipOf(GtkWidget* widget) {
    gchar* tip = gtk_widget_get_tooltip_text(widget);
    std::string text = tip ? tip : "";
    g_free(tip);
    return text;
}

std::vector<GtkWidget*> combos(GtkWidget* dialog) { return DialogTest::inReadingOrder(dialog, GTK_TYPE_COMBO_BOX); }

void press(GtkWidget* dialog, int response) { gtk_dialog_response(GTK_DIALOG(dialog), response); }

class SettingMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        setenv("GSETTINGS_BACKEND", "memory", 0);
        for (const App::StartupRow& row : App::startupTable()) holders.push_back(row.create());
    }
    void TearDown() override {
        while (!holders.empty()) holders.pop_back();
    }

    static Window::WindowService& bar() { return WindowTest::service(); }
    static Edit::EditService& edit() { return *System::Singleton<Edit::EditService>::getInstance(); }
    static Cache::CacheService& caches() { return *System::Singleton<Cache::CacheService>::getInstance(); }
    static Plugin::InputService& inputs() { return *System::Singleton<Plugin::InputService>::getInstance(); }
    static Setting::SettingService& settings() { return *System::Singleton<Setting::SettingService>::getInstance(); }
    static Media::Direct3DService& direct3d() { return *System::Singleton<Media::Direct3DService>::getInstance(); }
    static Translate::TranslateService& translate() {
        return *System::Singleton<Translate::TranslateService>::getInstance();
    }

    // Runs the Settings menu's item as its key would.
    static void run(const std::wstring& label) {
        const Platform::MenuHandle menu = bar().windowMenu.setting.hmenu;
        for (int i = 0; i < Platform::getMenuItemCount(menu); ++i)
            if (itemText(menu, i) == label) return bar().executeCommand(Platform::getMenuItemID(menu, i));
        ADD_FAILURE() << "no item";
    }

    CoreTest::ProgramFolder folder;
    std::vector<App::StartupHolder> holders;
};

TEST_F(SettingMenuTest, TheMenuListsItsFourteenItemsInOrder) {
    std::vector<std::wstring> labels;
    const Platform::MenuHandle menu = bar().windowMenu.setting.hmenu;
    for (int i = 0; i < Platform::getMenuItemCount(menu); ++i) labels.push_back(itemText(menu, i));
    EXPECT_EQ(labels, (std::vector<std::wstring>{
                          L"ショートカットキーの設定", L"オブジェクト追加メニューの設定", L"トラックバー移動メニューの設定",
                          L"時間制御メニューの設定", L"プリセット色メニューの設定", L"フォントメニューの設定",
                          L"入力プラグインの設定", L"バックアップ履歴の設定", L"キャッシュサイズの設定",
                          L"ファイル出力の設定", L"共通操作の設定", L"画面の設定", L"ログの設定", L"言語の設定"}));
}

// Each row refused below (or above) its range with its range shown; a
// Cancel after the refusal stores nothing.
TEST_F(SettingMenuTest, ACacheSizeOutsideItsRangeIsRefusedWithTheRangeAndCancelKeepsEverything) {
    settings().physicalMemorySize = 16384;
    const struct {
        int row;
        const char* typed;
        const char* tip;
    } cases[] = {
        {0, "99", "値が不正です\n(100 - 16384)"},  {1, "9", "値が不正です\n(10 - 16384)"},
        {2, "16385", "値が不正です\n(10 - 16384)"}, {3, "0", "値が不正です\n(10 - 16384)"},
        {4, "65537", "値が不正です\n(0 - 65536)"},  {5, "4", "値が不正です\n(5 - 200)"},
        {6, "30001", "値が不正です\n(100 - 30000)"},
    };
    for (const auto& c : cases) {
        std::string tip;
        int step = 0;
        DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
            const std::vector<GtkWidget*> boxes = DialogTest::entries(dialog);
            if (step++ == 0) {
                gtk_entry_set_text(GTK_ENTRY(boxes.at(static_cast<std::size_t>(c.row))), c.typed);
                press(dialog, GTK_RESPONSE_OK);
            } else {
                tip = tooltipOf(boxes.at(static_cast<std::size_t>(c.row)));
                press(dialog, GTK_RESPONSE_CANCEL);
            }
            return true;
        });
        run(L"キャッシュサイズの設定");
        EXPECT_EQ(step, 2) << c.row;
        EXPECT_EQ(tip, c.tip) << c.row;
    }
    EXPECT_EQ(caches().imageCache.getCacheSize(), 768);
    EXPECT_EQ(caches().vramCache.getCacheSize(), 384);
    EXPECT_EQ(inputs().fileHandleMax, 20);
}

TEST_F(SettingMenuTest, OkStoresTheSevenValuesAndResizesTheCachesAtOnce) {
    std::vector<std::string> shown;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        const std::vector<GtkWidget*> boxes = DialogTest::entries(dialog);
        for (GtkWidget* box : boxes) shown.emplace_back(gtk_entry_get_text(GTK_ENTRY(box)));
        const char* typed[] = {"200", "20", "30", "40", "0", "6", "1000"};
        for (std::size_t i = 0; i < boxes.size() && i < 7; ++i) gtk_entry_set_text(GTK_ENTRY(boxes[i]), typed[i]);
        press(dialog, GTK_RESPONSE_OK);
        return true;
    });
    run(L"キャッシュサイズの設定");
    EXPECT_EQ(shown, (std::vector<std::string>{"768", "64", "64", "64", "384", "20", "500"}));
    EXPECT_EQ(caches().imageCache.cache.getLimit(), 200ull << 20);
    EXPECT_EQ(caches().audioCache.cache.getLimit(), 20ull << 20);
    EXPECT_EQ(caches().waveformCache.getCacheSize(), 30);
    EXPECT_EQ(caches().modelCache.getCacheSize(), 40);
    EXPECT_EQ(caches().vramCache.getCacheSize(), 0);
    EXPECT_EQ(inputs().fileHandleMax, 6);
    EXPECT_EQ(System::Singleton<Render::RenderService>::getInstance()->player.bufferTime, 1000);
}

// "自動" is the empty name; a named space is stored by its name and shown
// again when the dialog reopens.
TEST_F(SettingMenuTest, TheColourSpaceIsStoredByNameAndAutomaticAsTheEmptyName) {
    std::vector<std::vector<std::string>> choices;
    std::vector<int> shownSpace;
    int pick = 2;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        const std::vector<GtkWidget*> lists = combos(dialog);
        choices.push_back(DialogTest::comboChoices(lists.at(0)));
        shownSpace.push_back(gtk_combo_box_get_active(GTK_COMBO_BOX(lists.at(0))));
        gtk_combo_box_set_active(GTK_COMBO_BOX(lists.at(0)), pick);
        gtk_combo_box_set_active(GTK_COMBO_BOX(lists.at(1)), 1);
        press(dialog, GTK_RESPONSE_OK);
        return true;
    });
    run(L"ファイル出力の設定");
    // The names of the RGB2YUV section of system.conf, in key order.
    EXPECT_EQ(choices.at(0), (std::vector<std::string>{"自動", "BT.601", "BT.709", "BT.2020"}));
    EXPECT_EQ(direct3d().settings.outputYUVColorSpace, L"BT.709");
    EXPECT_EQ(direct3d().settings.outputYUVColorRange, 1);
    pick = 0;
    run(L"ファイル出力の設定");
    EXPECT_EQ(direct3d().settings.outputYUVColorSpace, L"");
    run(L"ファイル出力の設定");
    EXPECT_EQ(shownSpace, (std::vector<int>{0, 2, 0}));
}

// The backup dialog: the interval out of range is refused, and lowering the
// history count to 3 keeps the three newest projects.
TEST_F(SettingMenuTest, LoweringTheHistoryCountKeepsTheNewestProjects) {
    for (const wchar_t* name : {L"/p/a.mvp2", L"/p/b.mvp2", L"/p/c.mvp2", L"/p/d.mvp2", L"/p/e.mvp2"})
        edit().projectHistory.addFile(name);
    std::vector<std::string> tips;
    int step = 0;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        const std::vector<GtkWidget*> boxes = DialogTest::entries(dialog);
        if (step == 0 || step == 1) {
            if (step == 1) tips.push_back(tooltipOf(boxes.at(0)));
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), step == 0 ? "0" : "1001");
        } else {
            tips.push_back(tooltipOf(boxes.at(0)));
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "7");
            gtk_entry_set_text(GTK_ENTRY(boxes.at(2)), "3");
            gtk_combo_box_set_active(GTK_COMBO_BOX(combos(dialog).at(1)), 0);
        }
        ++step;
        press(dialog, GTK_RESPONSE_OK);
        return true;
    });
    run(L"バックアップ履歴の設定");
    EXPECT_EQ(step, 3);
    EXPECT_EQ(tips, (std::vector<std::string>{"値が不正です\n(1 - 1000)", "値が不正です\n(1 - 1000)"}));
    EXPECT_EQ(edit().historyFileMax, 3);
    EXPECT_EQ(edit().autoBackupInterval, 7);
    EXPECT_EQ(edit().autoBackup, 0);
    EXPECT_FALSE(edit().backupHistory.isTimerSet());
    std::vector<std::wstring> kept;
    for (const std::wstring* entry : edit().projectHistory.getFileList()) kept.push_back(*entry);
    EXPECT_EQ(kept, (std::vector<std::wstring>{L"/p/e.mvp2", L"/p/d.mvp2", L"/p/c.mvp2"}));
}

// A point in the middle of a cell of the dialog's list.
std::pair<int, int> cellPoint(GtkWidget* dialog, int line, int column) {
    std::vector<GtkWidget*> trees;
    DialogTest::collect(gtk_dialog_get_content_area(GTK_DIALOG(dialog)), GTK_TYPE_TREE_VIEW, trees);
    GtkTreeView* tree = GTK_TREE_VIEW(trees.at(0));
    GtkTreePath* path = gtk_tree_path_new_from_indices(line, -1);
    GdkRectangle area;
    gtk_tree_view_get_cell_area(tree, path, gtk_tree_view_get_column(tree, column), &area);
    gtk_tree_path_free(path);
    return {area.x + area.width / 2, area.y + area.height / 2};
}

// The reader dialog: an edited extension list keeps letters, digits,
// commas, '_' and '-' in lower case; a dragged line's place becomes its
// priority; the extension tables follow at once.
TEST_F(SettingMenuTest, TheReaderDialogStoresFilteredExtensionsAndTheDraggedOrder) {
    std::vector<Plugin::InputPlugin*> before;
    for (const auto& reader : inputs().pluginList) before.push_back(reader.get());
    ASSERT_GE(before.size(), 3u);
    Dialog::InputPluginDialog dialog(L"入力プラグインの設定");
    std::vector<std::wstring> shownExtensions;
    DialogTest::DialogDriver driver([&](GtkWidget* window) {
        Dialog::DialogItemListViewBase& list = *dialog.list;
        for (int line = 0; line < static_cast<int>(before.size()); ++line)
            shownExtensions.push_back(list.getItem(line)->getText(1));
        // The third line dragged onto the first.
        const auto [x2, y2] = cellPoint(window, 2, 0);
        list.leftButtonDown(x2, y2);
        const auto [x0, y0] = cellPoint(window, 0, 0);
        list.mouseMove(x0, y0);
        list.captureLost();
        // Line 1 (the first reader now) gets its extensions typed.
        const auto [ex, ey] = cellPoint(window, 1, 1);
        list.leftButtonDown(ex, ey);
        GtkWidget* editor = DialogTest::entries(window).at(0);
        gtk_entry_set_text(GTK_ENTRY(editor), ". MP4, Mov");
        // OK commits the open editor first.
        press(window, GTK_RESPONSE_OK);
        return true;
    });
    ASSERT_TRUE(dialog.show());
    EXPECT_EQ(shownExtensions.at(0), L"bmp,tga");
    EXPECT_EQ(before[2]->priority, 0);
    EXPECT_EQ(before[0]->priority, 1);
    EXPECT_EQ(before[1]->priority, 2);
    EXPECT_EQ(before[0]->extList, L"mp4,mov");
    EXPECT_EQ(inputs().pluginList.front().get(), before[2]);
    const auto tables = inputs().getTables();
    ASSERT_TRUE(tables->imageExtTypeList.count(L"mov"));
    EXPECT_EQ(tables->imageExtTypeList.at(L"mov").front().get(), before[0]);
    EXPECT_FALSE(tables->imageExtTypeList.count(L"MP4"));
}

// A reader of the test's own with a filter of two extensions.
class FilterReader : public Plugin::InputPlugin {
public:
    FilterReader() : InputPlugin(L"Test Reader", std::wstring(L"Movie (*.avi)\0*.avi\0Clip (*.MKV)\0*.MKV\0\0", 40), 1) {}
    std::shared_ptr<Plugin::InputFile> open(const wchar_t*, int) override { return {}; }
};

TEST(InputPluginItem, ExtensionsKeepOnlyTheirCharactersAndAnEmptyListRestoresTheReadersOwn) {
    FilterReader reader;
    Dialog::InputPluginDialog::InputPluginItem item(reader);
    Dialog::DialogItemText editor(L"", L"", false);
    const struct {
        const wchar_t* typed;
        const wchar_t* stored;
    } cases[] = {
        {L". MP4, Mov", L"mp4,mov"},
        {L"a_b-c,D9", L"a_b-c,d9"},
        {L"*.avi;*.Avi", L"aviavi"},
        {L"日本,mkv", L",mkv"},
        // Nothing left: the reader's own list.
        {L" . ", L"avi,mkv"},
        {L"", L"avi,mkv"},
    };
    for (const auto& c : cases) {
        editor.text = c.typed;
        item.endEdit(1, editor);
        EXPECT_EQ(item.extensions, c.stored) << c.stored;
    }
}

// A language file switches the menu titles; one that cannot be read when
// OK is pressed leaves the texts in force and says so; "Default" brings the
// built-in texts back.
TEST_F(SettingMenuTest, TheLanguageSwitchesAtOnceAndAFailingFileKeepsTheTextsInForce) {
    const std::filesystem::path languages = folder.data() / "Language";
    std::filesystem::create_directories(languages);
    CoreTest::writeBytes((languages / "english.mvl2").string(), "[Menu]\n設定=Settings\nファイル=File\n");
    CoreTest::writeBytes((languages / "gone.mvl2").string(), "[Menu]\n設定=Gone\n");
    std::string pick = "english";
    std::vector<std::vector<std::string>> choices;
    std::vector<std::string> preselected;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        GtkWidget* list = combos(dialog).at(0);
        const std::vector<std::string> shown = DialogTest::comboChoices(list);
        choices.push_back(shown);
        const int active = gtk_combo_box_get_active(GTK_COMBO_BOX(list));
        preselected.push_back(active >= 0 ? shown.at(static_cast<std::size_t>(active)) : "");
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (shown[i] == pick) gtk_combo_box_set_active(GTK_COMBO_BOX(list), static_cast<int>(i));
        // Gone before OK: the file was listed and cannot be read now.
        if (pick == "gone") std::filesystem::remove(languages / "gone.mvl2");
        press(dialog, GTK_RESPONSE_OK);
        return true;
    });
    run(L"言語の設定");
    EXPECT_EQ(choices.at(0), (std::vector<std::string>{"Default", "english", "gone"}));
    EXPECT_EQ(translate().language, L"english");
    EXPECT_EQ(itemText(bar().hmenu, 3), L"Settings");
    EXPECT_EQ(itemText(bar().hmenu, 0), L"File");

    TestSupport::MessageBoxWatcher boxes;
    pick = "gone";
    run(L"言語の設定");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find("language file load failed."), std::string::npos) << boxes.boxes[0].text;
    EXPECT_EQ(translate().language, L"english");
    EXPECT_EQ(itemText(bar().hmenu, 3), L"Settings");

    pick = "Default";
    run(L"言語の設定");
    EXPECT_EQ(translate().language, L"");
    EXPECT_EQ(itemText(bar().hmenu, 3), L"設定");
    EXPECT_EQ(itemText(bar().hmenu, 0), L"ファイル");
    EXPECT_EQ(preselected, (std::vector<std::string>{"Default", "english", "english"}));
}

// The XY grid keeps the numbers before the first piece that is none, for
// the scene and as the defaults of new scenes.
TEST_F(SettingMenuTest, TheGridKeepsTheNumbersBeforeTheFirstPieceThatIsNone) {
    std::vector<std::string> shown;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        const std::vector<GtkWidget*> boxes = DialogTest::entries(dialog);
        for (GtkWidget* box : boxes) shown.emplace_back(gtk_entry_get_text(GTK_ENTRY(box)));
        gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "64");
        gtk_entry_set_text(GTK_ENTRY(boxes.at(2)), "1,2,a,4");
        gtk_entry_set_text(GTK_ENTRY(boxes.at(3)), "");
        press(dialog, GTK_RESPONSE_OK);
        return true;
    });
    Dialog::GridDialog(L"グリッド(XY軸)の設定").show(edit());
    EXPECT_EQ(shown, (std::vector<std::string>{"200", "200", "16,-16", "16,-16"}));
    EXPECT_EQ(edit().getCurrentScene()->gridWidth, 64);
    EXPECT_EQ(edit().getCurrentScene()->gridX, (std::vector<int>{1, 2}));
    EXPECT_TRUE(edit().getCurrentScene()->gridY.empty());
    EXPECT_EQ(settings().GridX, L"1,2");
    EXPECT_EQ(settings().GridWidth, 64);
}

// The AVI writer's format dialog: a stored name the list does not offer
// opens with the first choice; OK stores the chosen names.
TEST_F(SettingMenuTest, TheAviFormatDialogStartsAtTheFirstChoiceForAnUnknownName) {
    std::vector<int> shown;
    std::vector<std::string> labels;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        labels = DialogTest::labels(dialog);
        const std::vector<GtkWidget*> lists = combos(dialog);
        for (GtkWidget* list : lists) shown.push_back(gtk_combo_box_get_active(GTK_COMBO_BOX(list)));
        gtk_combo_box_set_active(GTK_COMBO_BOX(lists.at(0)), 2);
        press(dialog, GTK_RESPONSE_OK);
        return true;
    });
    std::wstring video = L"RGBA64bit(PA64)", audio = L"PCM(float)32bit";
    ASSERT_TRUE(Dialog::AviFileSaveDialog(L"AVIファイル出力").show(nullptr, video, audio));
    EXPECT_EQ(labels, (std::vector<std::string>{"Video", "Audio"}));
    EXPECT_EQ(shown, (std::vector<int>{0, 1}));
    EXPECT_EQ(video, L"YUY2");
    EXPECT_EQ(audio, L"PCM(float)32bit");
}

TEST_F(SettingMenuTest, TheLogDialogStoresTheLevelsAsTheirListPlaces) {
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        const std::vector<GtkWidget*> lists = combos(dialog);
        EXPECT_EQ(DialogTest::comboChoices(lists.at(0)), (std::vector<std::string>{"NONE", "VERBOSE", "INFO", "WARN", "ERROR"}));
        gtk_combo_box_set_active(GTK_COMBO_BOX(lists.at(0)), 3);
        gtk_combo_box_set_active(GTK_COMBO_BOX(lists.at(1)), 0);
        gtk_entry_set_text(GTK_ENTRY(DialogTest::entries(dialog).at(0)), "50");
        press(dialog, GTK_RESPONSE_OK);
        return true;
    });
    run(L"ログの設定");
    auto* logger = System::Singleton<System::Logger>::getInstance();
    EXPECT_EQ(logger->ViewLogLevel, 3);
    EXPECT_EQ(logger->FileLogLevel, 0);
    EXPECT_EQ(logger->MaxViewLine, 50);
}

// The writer of the class, from the program's output service.
template <class Writer>
Writer& writer() {
    for (const auto& plugin : System::Singleton<Plugin::OutputService>::getInstance()->plugins)
        if (auto* found = dynamic_cast<Writer*>(plugin.get())) return *found;
    throw std::runtime_error("no such writer");
}

// The JPEG and sequence writers' own settings: the quality box and the
// sequence writer's two rows.
TEST_F(SettingMenuTest, TheImageWritersSettingsStoreWhatTheirDialogsChose) {
    std::vector<std::vector<std::string>> labels;
    int step = 0;
    DialogTest::DialogDriver driver([&](GtkWidget* dialog) {
        labels.push_back(DialogTest::labels(dialog));
        const std::vector<GtkWidget*> boxes = DialogTest::entries(dialog);
        if (step == 0) {
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "55");
        } else {
            gtk_combo_box_set_active(GTK_COMBO_BOX(combos(dialog).at(0)), 0);
            gtk_entry_set_text(GTK_ENTRY(boxes.at(0)), "70");
        }
        ++step;
        press(dialog, GTK_RESPONSE_OK);
        return true;
    });
    Plugin::JpgFileSave& jpeg = writer<Plugin::JpgFileSave>();
    jpeg.showSetting();
    EXPECT_EQ(*jpeg.quality, 55);
    EXPECT_EQ(jpeg.getSettingText(), L"JPEG品質:55");
    Plugin::SequentialFileSave& sequence = writer<Plugin::SequentialFileSave>();
    sequence.showSetting();
    EXPECT_EQ(*sequence.transparent, 0);
    EXPECT_EQ(*sequence.quality, 70);
    EXPECT_EQ(sequence.getSettingText(), L"PNG透明色なし / JPEG品質:70");
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[1], (std::vector<std::string>{"PNG透明色", "JPEG品質"}));

}

}  // namespace
