#include "window/WindowClient.h"

#include "core/base/Singleton.h"
#include "core/event/EventCommand.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "platform/gtk/NativeWindow.h"
#include "platform/gtk/WindowFrame.h"
#include "window/DeferredDelete.h"
#include "window/DockLayout.h"
#include "window/WindowFloating.h"
#include "window/WindowGroupTab.h"
#include "window/WindowService.h"

#include <algorithm>

namespace Window {

int GroupTabHeight = 0;

namespace {

const bool groupTabHeightBound = [] {
    Setting::bindSetting(GroupTabHeight, [](Setting::SettingService& s) {
        return s.layout.getValue("GroupTabHeight").toInt(20);
    });
    return true;
}();

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

int truncated(int size, float fraction) {
    return static_cast<int>(static_cast<double>(size) * static_cast<double>(fraction));
}

}  // namespace

WindowClient::WindowClient(const wchar_t* title, std::string section, const WindowClientLayout* layout, int kind)
    : WindowMouse(nullptr, &clientRect, 100),
      windowService(System::Singleton<WindowService>::getInstance()),
      title(title),
      kind(kind) {
    static constexpr WindowClientLayout fallback{0, 0, 1, 1, AreaCenter, false};
    settings_ = std::make_unique<WindowClientSettings>(std::move(section), placement, layout ? *layout : fallback);
    // Only 1 floats, and only a panel that can.
    placement.floating = placement.floating == 1 && kind != CannotFloat ? 1 : 0;
    if (placement.floating) floatingWindow = std::make_unique<WindowFloating>(*this);
    window = hostWindow();
    if (windowService) {
        windowService->registerClient(this, title);
        registered_ = true;
        if (!placement.floating) windowService->dockedClients.push_back(this);
    }
}

WindowClient::~WindowClient() {
    detach();
    groupTab.reset();
    floatingWindow.reset();
}

void WindowClient::detach() {
    if (registered_) {
        registered_ = false;
        windowService->unregisterClient(this);
    }
    if (settings_) settings_->writeNow();
    WindowMouse::detach();
    if (groupTab) groupTab->detach();
    if (floatingWindow) floatingWindow->detach();
}

void WindowClient::procMove() {}

const wchar_t* WindowClient::getTitle() {
    shownTitle_ = menuText(title);
    return shownTitle_.c_str();
}

Platform::WindowHandle WindowClient::hostWindow() const {
    if (floatingWindow) return floatingWindow->windowHandle;
    return windowService ? windowService->mainWindow : nullptr;
}

Media::RenderTargetWindow* WindowClient::hostTarget() const {
    if (floatingWindow) return floatingWindow.get();
    return windowService;
}

int WindowClient::groupTabHeight() const { return groupTab ? groupTab->tabHeight() : 0; }

void WindowClient::setVisible(bool visible) {
    placement.hide = visible ? 0 : 1;
    updateWindowRect(false);
}

void WindowClient::updateWindowRect(bool force) {
    if (isHidden()) {
        // The strip may be handling the click that hid its head.
        if (groupTab) deleteLater(std::move(groupTab));
        if (clientRect != hiddenRect) {
            clientRect = hiddenRect;
            procMove();
        } else if (force) {
            procMove();
        }
        return;
    }
    int x0, y0, x1, y1;
    if (floatingWindow) {
        x0 = 0;
        y0 = 0;
        x1 = floatingWindow->clientWidth;
        y1 = floatingWindow->clientHeight;
    } else {
        if (!windowService) return;
        const int w = windowService->layoutWidth;
        const int h = windowService->layoutHeight;
        const int s = Setting::WindowSeparatorSize;
        x0 = truncated(w, placement.left) + 1;
        y0 = truncated(h, placement.top);
        x1 = std::max(x0, truncated(w, placement.right) - s + 1);
        y1 = std::max(y0, truncated(h, placement.bottom) - s);
    }
    if (isGrouped() && !floatingWindow) {
        if (!groupTab) groupTab = std::make_unique<WindowGroupTab>(*this);
        const int height = std::min((y1 - y0) / 2, GroupTabHeight);
        groupTab->setTabHeight(height);
        y0 += height;
    } else if (groupTab) {
        deleteLater(std::move(groupTab));
    }
    const Rect candidate{x0, y0, x1 - x0, y1 - y0};
    if (candidate != clientRect) {
        clientRect = candidate;
    } else if (!force) {
        return;
    }
    if (groupTab) groupTab->updateLayout();
    procMove();
    procPaint();
}

const std::string& WindowClient::settingsSection() const {
    static const std::string none;
    return settings_ ? settings_->section : none;
}

void WindowClient::toggleVisible() {
    if (!windowService) return;
    if (isHidden() && !placement.floating) {
        if (isGrouped())
            windowService->joinGroup(*this);
        else
            windowService->insertClient(*this);
    }
    setVisible(isHidden());
    windowService->updateLayout();
}

void WindowClient::setArea(int area) {
    if (!windowService || area < AreaLeft || area > AreaCenter) return;
    if (!isGrouped() || placement.floating) {
        placement.area = area;
        if (placement.floating) return;
    } else {
        const int oldArea = placement.area;
        const auto groupedDocked = [](const WindowClient* c, int a) {
            return c->placement.area == a && c->isGrouped() && !c->placement.floating;
        };
        if (!isHidden()) {
            WindowClient* successor = nullptr;
            for (WindowClient* c : windowService->dockedClients)
                if (c != this && groupedDocked(c, oldArea)) {
                    successor = c;
                    break;
                }
            if (successor) {
                for (WindowClient* c : std::vector<WindowClient*>(windowService->dockedClients)) {
                    if (!groupedDocked(c, oldArea) || c->isHidden()) continue;
                    successor->placement.copyFractions(c->placement);
                    c->setVisible(false);
                }
                successor->setVisible(true);
            }
        }
        placement.area = area;
        placement.group = 10000;
        for (WindowClient* c : std::vector<WindowClient*>(windowService->dockedClients)) {
            if (c == this || !groupedDocked(c, area) || c->isHidden()) continue;
            placement.copyFractions(c->placement);
            c->setVisible(false);
        }
        setVisible(true);
    }
    windowService->updateLayout();
}

void WindowClient::setFloating(bool floating) {
    if (!windowService || (placement.floating != 0) == floating) return;
    if (floating && kind == CannotFloat) return;
    if (isGrouped()) {
        placement.group = 0;
        if (isHidden()) setVisible(true);
        WindowClient* first = nullptr;
        bool anyShown = false;
        for (WindowClient* c : windowService->dockedClients) {
            if (c == this || c->placement.area != placement.area || !c->isGrouped() || c->placement.floating)
                continue;
            if (!first) first = c;
            anyShown = anyShown || !c->isHidden();
        }
        if (first && !anyShown) first->setVisible(true);
        windowService->updateLayout();
    }
    placement.floating = floating ? 1 : 0;
    if (floating) {
        const Platform::POINT origin = Platform::clientToScreen(windowService->mainWindow, {clientRect.x, clientRect.y});
        placement.x = origin.x;
        placement.y = origin.y;
        placement.w = clientRect.width;
        placement.h = clientRect.height;
    } else {
        windowService->insertClient(*this);
    }
    Event::postEventCommand(Event::EventCommandType::WindowLayout, 0);
    recreateClient();
}

void WindowClient::setGrouped(bool grouped) {
    if (windowService) windowService->setGrouped(*this, grouped);
}

void WindowClient::procContextMenu(int, int) {
    const PopupMenuCall& show = popupMenuCall();
    if (!show) return;
    MenuEntries menu;
    createWindowMenu(menu);
    show(window, menu);
}

void WindowClient::appendAreaItems(MenuEntries& menu) {
    static const wchar_t* const names[] = {L"左側エリア", L"右側エリア", L"上側エリア", L"下側エリア", L"中央エリア"};
    for (int area = AreaLeft; area <= AreaCenter; ++area) {
        MenuEntry item{MenuEntry::Kind::Radio, menuText(names[area]), true, placement.area == area, {}, {}};
        item.command = [this, area] { setArea(area); };
        menu.push_back(std::move(item));
    }
}

void WindowClient::appendMoveSubmenu(MenuEntries& menu) {
    MenuEntry sub{MenuEntry::Kind::Submenu, menuText(L"ウィンドウの移動"), true, false, {}, {}};
    if (windowService) {
        std::vector<WindowClient*> shown;
        for (WindowClient* c : windowService->dockedClients)
            if (!c->isHidden() && !c->placement.floating && c->placement.area == placement.area) shown.push_back(c);
        const auto found = std::find(shown.begin(), shown.end(), this);
        if (found != shown.end()) {
            const long n = static_cast<long>(shown.size());
            const long i = found - shown.begin();
            const bool towardsStart = n > 1 && i != 0;
            const bool towardsEnd = n > 1 && i != n - 1;
            WindowService* service = windowService;
            const auto add = [&](const wchar_t* text, bool enabled, void (WindowService::*move)(WindowClient&)) {
                MenuEntry item{MenuEntry::Kind::Command, menuText(text), enabled, false, {}, {}};
                item.command = [service, this, move] { (service->*move)(*this); };
                sub.children.push_back(std::move(item));
            };
            add(L"先頭に移動", towardsStart, &WindowService::moveToFirst);
            add(L"上に移動", towardsStart, &WindowService::moveUp);
            add(L"下に移動", towardsEnd, &WindowService::moveDown);
            add(L"最後に移動", towardsEnd, &WindowService::moveToLast);
        }
    }
    menu.push_back(std::move(sub));
}

void WindowClient::appendFloatItem(MenuEntries& menu) {
    if (kind == CannotFloat) return;
    MenuEntry item{MenuEntry::Kind::Command, menuText(L"ウィンドウを分離"), true, false, {}, {}};
    item.command = [this] { setFloating(true); };
    menu.push_back(std::move(item));
}

void WindowClient::appendGroupItem(MenuEntries& menu) {
    MenuEntry item{MenuEntry::Kind::Check, menuText(L"ウィンドウのグループ化"), true, isGrouped(), {}, {}};
    const bool grouped = isGrouped();
    item.command = [this, grouped] { setGrouped(!grouped); };
    menu.push_back(std::move(item));
}

void WindowClient::createWindowMenu(MenuEntries& menu) {
    MenuEntry sub{MenuEntry::Kind::Submenu, menuText(L"ウィンドウ配置"), true, false, {}, {}};
    MenuEntries& items = sub.children;
    if (placement.floating) {
        MenuEntry item{MenuEntry::Kind::Command, menuText(L"ウィンドウを統合"), true, false, {}, {}};
        item.command = [this] { setFloating(false); };
        items.push_back(std::move(item));
    } else {
        appendAreaItems(items);
        items.push_back(MenuEntry::separator());
        appendMoveSubmenu(items);
        appendFloatItem(items);
        appendGroupItem(items);
    }
    items.push_back(MenuEntry::separator());
    MenuEntry close{MenuEntry::Kind::Command, menuText(L"ウィンドウを閉じる"), true, false, {}, {}};
    close.command = [this] { toggleVisible(); };
    items.push_back(std::move(close));
    menu.push_back(std::move(sub));
}

}  // namespace Window
