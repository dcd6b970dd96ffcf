// The その他 menu in the program's own start-up: its items and submenus,
// none a shortcut; the plugin list showing only modules with an
// information text, their kinds in the language's texts; the version box.
#include "dialogs/menus/OtherMenu.h"

#include "core/translate/TranslateService.h"
#include "dialogs/DialogDriver.h"
#include "dialogs/ProgramStartupTest.h"
#include "plugin/input/InputPlugin.h"
#include "plugin/input/InputService.h"
#include "plugin/output/OutputPlugin.h"
#include "plugin/output/OutputService.h"
#include "window/ShortcutService.h"

#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace {

using DialogTest::ProgramStartupTest;

using EtcMenuTest = ProgramStartupTest;

std::vector<std::wstring> texts(Platform::MenuHandle menu) {
    std::vector<std::wstring> found;
    for (int i = 0; i < Platform::getMenuItemCount(menu); ++i) {
        std::wstring text;
        Platform::getMenuString(menu, static_cast<UINT>(i), Platform::MF_BYPOSITION, text);
        found.push_back(text);
    }
    return found;
}

TEST_F(EtcMenuTest, ItsItemsAndSubmenusComeInOrderAndNoneIsAShortcut) {
    const Platform::MenuHandle etc = bar().windowMenu.etc.hmenu;
    EXPECT_EQ(texts(etc), (std::vector<std::wstring>{L"プラグイン情報", L"スクリプト情報", L"", L"アプリケーションデータ",
                                                     L"ウェブサイト", L"", L"バージョン情報"}));
    EXPECT_EQ(texts(Platform::getSubMenu(etc, 3)),
              (std::vector<std::wstring>{L"アプリケーションデータフォルダ", L"スクリプトフォルダ", L"プラグインフォルダ",
                                         L"図形ファイルフォルダ", L"遷移画像ファイルフォルダ", L"エイリアスファイルフォルダ",
                                         L"初期値・プリセットフォルダ", L"バックアップファイルフォルダ",
                                         L"ログファイルフォルダ", L"言語ファイルフォルダ"}));
    EXPECT_EQ(Platform::getMenuItemCount(Platform::getSubMenu(etc, 4)), 1);
    const auto& shortcuts = System::Singleton<Window::ShortcutService>::getInstance()->shortcuts;
    ASSERT_FALSE(shortcuts.empty());
    for (const Window::Shortcut& entry : shortcuts) EXPECT_NE(entry.name.rfind(L"その他:", 0), 0u);

    TestSupport::MessageBoxWatcher box;
    bar().executeCommand(findCommand(etc, L"バージョン情報"));
    ASSERT_EQ(box.boxes.size(), 1u);
    EXPECT_EQ(box.boxes[0].title, "Movane Quorin2");
    EXPECT_EQ(box.boxes[0].text, "Movane Quorin2  version " MOVANE2_VERSION "  By movane2 maintainers");
    EXPECT_TRUE(box.boxes[0].owned);
}

TEST_F(EtcMenuTest, ThePluginListShowsModulesWithAnInformationTextUnderTheirKind) {
    auto* input = System::Singleton<Plugin::InputService>::getInstance();
    auto* output = System::Singleton<Plugin::OutputService>::getInstance();
    ASSERT_GE(input->pluginList.size(), 2u);
    ASSERT_GE(output->plugins.size(), 2u);
    // The built-in modules carry no information text.
    EXPECT_TRUE(Menu::EtcMenu::pluginRows().empty());
    input->pluginList[1]->information = L"Test Reader 1.0";
    output->plugins[0]->information = L"Test Writer";
    using Rows = std::vector<std::vector<std::wstring>>;
    EXPECT_EQ(Menu::EtcMenu::pluginRows(),
              (Rows{{L"Test Reader 1.0", L"入力プラグイン"}, {L"Test Writer", L"出力プラグイン"}}));

    CoreTest::writeBytes((folder.data() / "Language" / "english.mvl2").string(),
                         "[Dialog]\n入力プラグイン=Input plugin\n出力プラグイン=Output plugin\nTest Writer=Translated\n");
    auto* translate = System::Singleton<Translate::TranslateService>::getInstance();
    translate->language = L"english";
    translate->reloadLanguage();
    const Rows translated = Menu::EtcMenu::pluginRows();
    std::string title;
    std::vector<std::string> headers;
    int lines = -1;
    int width = 0;
    DialogTest::DialogDriver driver([&](GtkWidget* window) {
        title = gtk_window_get_title(GTK_WINDOW(window));
        std::vector<GtkWidget*> trees;
        DialogTest::collect(gtk_dialog_get_content_area(GTK_DIALOG(window)), GTK_TYPE_TREE_VIEW, trees);
        GtkTreeView* tree = GTK_TREE_VIEW(trees.front());
        for (int c = 0; c < 2; ++c) headers.emplace_back(gtk_tree_view_column_get_title(gtk_tree_view_get_column(tree, c)));
        lines = gtk_tree_model_iter_n_children(gtk_tree_view_get_model(tree), nullptr);
        width = gtk_widget_get_allocated_width(window);
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_DELETE_EVENT);
        return true;
    });
    bar().executeCommand(findCommand(bar().windowMenu.etc.hmenu, L"プラグイン情報"));
    translate->language = L"";
    translate->reloadLanguage();
    EXPECT_EQ(translated, (Rows{{L"Test Reader 1.0", L"Input plugin"}, {L"Test Writer", L"Output plugin"}}));
    EXPECT_EQ(title, "プラグイン情報");
    EXPECT_EQ(headers, (std::vector<std::string>{"プラグイン", "種別"}));
    EXPECT_EQ(lines, 2);
    EXPECT_GE(width, 700);
}

}  // namespace
