#include "panels/preview/PreviewEditComponent.h"

#include "core/translate/TranslateService.h"
#include "render/service/RenderService.h"

namespace Component {

void PreviewEditComponent::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    using Kind = Window::MenuEntry::Kind;
    Window::MenuEntries menu;
    const bool meter = renderService && renderService->player.visibleLevelMeter;
    menu.push_back({Kind::Check, Translate::TranslateService::translateMenu(L"音量レベルメーターの表示"), true, meter,
                    [this, meter] { setVisibleLevelMeter(!meter); }, {}});
    menu.push_back(Window::MenuEntry::separator());
    Window::MenuEntry zoom{Kind::Submenu, Translate::TranslateService::translateMenu(L"拡大表示"), true, false, {}, {}};
    picture.appendZoomMenu(zoom.children);
    menu.push_back(std::move(zoom));
    menu.push_back(Window::MenuEntry::separator());
    createWindowMenu(menu);
    show(window, menu);
}

}  // namespace Component
