// The menu-definition dialogs over the program's own registries: the effect
// dialog lists every effect kind and alias in one list, and what it unticks
// or regroups is what the object popup then shows.
#include "dialogs/menudefine/MenuDefineDialogs.h"

#include "dialogs/DialogDriver.h"
#include "dialogs/ProgramStartupTest.h"
#include "effect/registry/EffectService.h"
#include "window/MenuDefinePopups.h"
#include "window/PopupMenu.h"

#include <gtk/gtk.h>

#include <set>
#include <string>

namespace {

using MenuDefineProgramTest = DialogTest::ProgramStartupTest;

// Every item text of the popup and its submenus, and the submenus' titles.
void collectTexts(Platform::MenuHandle menu, std::set<std::wstring>& texts) {
    for (int i = 0; i < Platform::getMenuItemCount(menu); ++i) {
        std::wstring text;
        Platform::getMenuString(menu, static_cast<UINT>(i), Platform::MF_BYPOSITION, text);
        texts.insert(text);
        if (Platform::MenuHandle sub = Platform::getSubMenu(menu, i)) collectTexts(sub, texts);
    }
}

std::set<std::wstring> objectPopup() {
    Window::PopupMenu popup;
    Menu::createObjectMenu(popup, 0, 0, 200);
    std::set<std::wstring> texts;
    collectTexts(popup.hmenu, texts);
    return texts;
}

TEST_F(MenuDefineProgramTest, TheEffectDialogHidesAndRegroupsTheObjectPopupsEntries) {
    auto* effects = System::Singleton<Effect::EffectService>::getInstance();
    const std::vector<Effect::EffectMenuDefine*> all = effects->getEffectMenuList(0, 0, 0);
    // The first and second entries of the object popup.
    std::vector<Effect::EffectMenuDefine*> objects = effects->getEffectMenuList(200, 0, 0);
    ASSERT_GE(objects.size(), 2u);
    const std::wstring hidden = objects[0]->getName();
    const std::wstring grouped = objects[1]->getName();
    ASSERT_EQ(objectPopup().count(hidden), 1u);

    Dialog::EffectMenuDialog dialog(L"オブジェクト追加メニューの設定");
    std::size_t rows = 0;
    DialogTest::DialogDriver driver([&](GtkWidget* window) {
        rows = dialog.list->items.size();
        for (auto* row : dialog.list->getItemList()) {
            if (row->name == hidden) row->setCheck(false);
            if (row->name == grouped) row->label = L"試験\\入れ子";
        }
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_OK);
        return true;
    });
    ASSERT_TRUE(dialog.show());
    EXPECT_EQ(rows, all.size());
    const std::set<std::wstring> after = objectPopup();
    EXPECT_EQ(after.count(hidden), 0u);
    EXPECT_EQ(after.count(L"試験"), 1u);
    EXPECT_EQ(after.count(L"入れ子"), 1u);
    EXPECT_EQ(after.count(grouped), 1u);
    // Orders are the dialog's lines, 0 up.
    std::set<int> orders;
    for (const auto* d : all) orders.insert(d->order);
    EXPECT_EQ(orders.size(), all.size());
    EXPECT_EQ(*orders.rbegin(), static_cast<int>(all.size()) - 1);
}

}  // namespace
