#include "dialogs/menus/SettingMenu.h"

#include "dialogs/settings/BackupDialog.h"
#include "dialogs/settings/CacheSizeDialog.h"
#include "dialogs/settings/DislpaySettingDialog.h"
#include "dialogs/settings/GeneralSettingDialog.h"
#include "dialogs/settings/InputPluginDialog.h"
#include "dialogs/settings/LanguageDialog.h"
#include "dialogs/settings/LogSettingDialog.h"
#include "dialogs/settings/OutputFileSettingDialog.h"

namespace Menu {

namespace {

// An item whose dialog lives on the stack for the call only.
template <class Shown>
std::function<void()> showDialog(const wchar_t* title) {
    return [title] { Shown(title).show(); };
}

std::function<void()> keyDialog(std::function<void(const std::wstring&)> SettingMenu::KeyDialogs::*slot,
                                 const wchar_t* title) {
    return [slot, title] {
        if (const auto& open = SettingMenu::keyDialogs().*slot) open(title);
    };
}

}  // namespace

SettingMenu::KeyDialogs& SettingMenu::keyDialogs() {
    static KeyDialogs dialogs;
    return dialogs;
}

void SettingMenu::createMenu() {
    using Slots = KeyDialogs;
    const struct {
        const wchar_t* label;
        std::function<void()> action;
    } items[] = {
        {L"ショートカットキーの設定", keyDialog(&Slots::shortcutKey, L"ショートカットキーの設定")},
        {L"オブジェクト追加メニューの設定", keyDialog(&Slots::effectMenu, L"オブジェクト追加メニューの設定")},
        {L"トラックバー移動メニューの設定", keyDialog(&Slots::movementMenu, L"トラックバー移動メニューの設定")},
        {L"時間制御メニューの設定", keyDialog(&Slots::movementParamsMenu, L"時間制御メニューの設定")},
        {L"プリセット色メニューの設定", keyDialog(&Slots::presetColorMenu, L"プリセット色メニューの設定")},
        {L"フォントメニューの設定", keyDialog(&Slots::fontMenu, L"フォントメニューの設定")},
        {L"入力プラグインの設定", showDialog<Dialog::InputPluginDialog>(L"入力プラグインの設定")},
        {L"バックアップ履歴の設定", showDialog<Dialog::BackupDialog>(L"バックアップ履歴の設定")},
        {L"キャッシュサイズの設定", showDialog<Dialog::CacheSizeDialog>(L"キャッシュサイズの設定")},
        {L"ファイル出力の設定", showDialog<Dialog::OutputFileSettingDialog>(L"ファイル出力の設定")},
        {L"共通操作の設定", showDialog<Dialog::GeneralSettingDialog>(L"共通操作の設定")},
        {L"画面の設定", showDialog<Dialog::DislpaySettingDialog>(L"画面の設定")},
        {L"ログの設定", showDialog<Dialog::LogSettingDialog>(L"ログの設定")},
        {L"言語の設定", showDialog<Dialog::LanguageDialog>(L"言語の設定")},
    };
    for (const auto& item : items) insertCommand(*menu, item.label, 0, item.action);
}

}  // namespace Menu
