// The window's "オプション" menu: section display, the slider settings and
// the display switches of the rows. Each choice rebuilds the blocks so rows
// built afterwards use it.
#include "core/translate/TranslateService.h"
#include "settings/SettingComponent.h"

namespace Component {

namespace {

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

}  // namespace

void SettingComponent::createWindowMenu(Window::MenuEntries& menu) {
    using Kind = Window::MenuEntry::Kind;
    Window::MenuEntry options{Kind::Submenu, menuText(L"オプション"), true, false, {}, {}};

    Window::MenuEntry sections{Kind::Submenu, menuText(L"区間表示"), true, false, {}, {}};
    const std::pair<const wchar_t*, int> modes[] = {
        {L"区間表示しない", SectionViewNone}, {L"区間表示する", SectionViewSections}, {L"2点間のみ表示", SectionViewTwoPoints}};
    for (const auto& [text, mode] : modes) {
        sections.children.push_back({Kind::Radio, menuText(text), true, sectionViewMode == mode, [this, mode = mode] {
                                         sectionViewMode = mode;
                                         refreshAfterOptionChange(true);
                                     }, {}});
    }
    options.children.push_back(std::move(sections));
    options.children.push_back(Window::MenuEntry::separator());

    const bool dialog = static_cast<bool>(SettingMenuCalls::installed().sliderSettingDialog);
    options.children.push_back({Kind::Command, menuText(L"スライダーの移動量の設定"), dialog, false, [this] {
                                    const auto& open = SettingMenuCalls::installed().sliderSettingDialog;
                                    int mode = sliderMoveMode;
                                    int ratio = sliderMoveRatio;
                                    if (!open || !open(mode, ratio)) return;
                                    sliderMoveMode = mode;
                                    sliderMoveRatio = ratio;
                                    refreshAfterOptionChange(false);
                                }, {}});
    options.children.push_back(Window::MenuEntry::separator());

    // Checked when the value is `checkedWhen`; a choice flips it.
    auto toggle = [&](const wchar_t* text, int& value, int checkedWhen) {
        options.children.push_back({Kind::Check, menuText(text), true, value == checkedWhen, [this, &value] {
                                        value = value ? 0 : 1;
                                        refreshAfterOptionChange(false);
                                    }, {}});
    };
    toggle(L"スライダーをクリックした位置に移動", sliderDirectMove, 1);
    toggle(L"スライダーの増減ボタンを表示", sliderButtonHidden, 0);
    toggle(L"スライダーの値の位置を表示", sliderCursorHidden, 0);
    toggle(L"スライド時にマウスを移動しない", slideMouseHidden, 1);
    toggle(L"再生位置をフレーム番号で表示", displayPositionByFrame, 1);

    menu.push_back(std::move(options));
    WindowClientRenderTarget::createWindowMenu(menu);
}

}  // namespace Component
