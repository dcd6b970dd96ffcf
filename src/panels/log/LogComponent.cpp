#include "panels/log/LogComponent.h"

#include "core/base/Logger.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "core/translate/TranslateService.h"
#include "window/Clipboard.h"
#include "window/ClientPlacement.h"
#include "window/WindowMenuEntry.h"
#include "window/WindowMouseService.h"

#include <algorithm>
#include <mutex>

namespace Component {

namespace {

constexpr int kWheelStep = 3;

int headerHeight(const Control::TitleHeaderControl& header) {
    return header.floating ? 0 : Setting::TitleHeaderHeight + 2;
}

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

}  // namespace

LogComponent::LogComponent(System::Logger* logger)
    : WindowClientRenderTarget(L"ログ表示", "Window.log", &Window::Placements::log, FloatsWithCaption),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      header(owner, L"ログ"),
      scrollBar(owner, -Setting::ScrollBarSize, headerHeight(header), Setting::ScrollBarSize),
      view(owner, logger, 0, headerHeight(header), -Setting::ScrollBarSize, 0) {
    acceptsContextMenu = true;
    acceptsRightButton = true;
    acceptsWheel = true;
    scrollBar.step = kWheelStep;
    scrollBar.onScroll = [this](Control::ScrollBarControl&, int position) {
        view.scrollOffset = position;
        updateScrollRange();
        procPaint();
    };
    view.onRingChanged = [this] {
        updateScrollRange();
        procPaint();
    };
    procMove();
}

LogComponent::LogComponent() : LogComponent(System::Singleton<System::Logger>::getInstance()) {}

LogComponent::~LogComponent() = default;

std::unique_ptr<LogComponent>& LogComponent::instance() {
    static std::unique_ptr<LogComponent> slot;
    return slot;
}

std::function<void()>& LogComponent::logSettingDialog() {
    static std::function<void()> open;
    return open;
}

void LogComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    header.procPaint();
    scrollBar.procPaint();
    view.procPaint();
}

void LogComponent::procMove() {
    owner.updateLayout();
    updateScrollRange();
}

void LogComponent::recreateClient() {
    std::unique_ptr<LogComponent>& slot = instance();
    if (slot.get() != this) return;
    recreateIn(slot, [] { return std::make_unique<LogComponent>(); });
}

void LogComponent::procRButtonDown(int, int) {
    if (service) service->startDrag(0, 0, Window::WindowMouseService::cursor(Window::WindowMouseService::CursorSizeAll));
    dragStartOffset = scrollBar.viewStart;
}

void LogComponent::procMouseDrag(int, int y) {
    view.scrollOffset = dragStartOffset - y / view.lineHeight;
    updateScrollRange();
    procPaint();
}

void LogComponent::procMouseWheel(int x, int y, int delta) {
    const Window::Rect& bar = scrollBar.fullRect();
    scrollBar.procMouseWheel(x + clientRect.x - bar.x, y + clientRect.y - bar.y, delta);
}

void LogComponent::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    Window::MenuEntries menu;
    menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"ログをコピー"), true, false, [this] { copyLog(); }, {}});
    menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"ログをクリア"), true, false, [this] { clearLog(); }, {}});
    menu.push_back(Window::MenuEntry::separator());
    Window::MenuEntry options{Window::MenuEntry::Kind::Submenu, menuText(L"オプション"), true, false, {}, {}};
    const std::function<void()>& dialog = logSettingDialog();
    options.children.push_back(
        {Window::MenuEntry::Kind::Command, menuText(L"ログの設定"), static_cast<bool>(dialog), false, [] {
             if (const std::function<void()>& open = logSettingDialog()) open();
         }, {}});
    menu.push_back(std::move(options));
    createWindowMenu(menu);
    show(window, menu);
}

void LogComponent::updateScrollRange() {
    const int size = view.ringSize;
    const int visible = view.visibleLineCount;
    view.scrollOffset = std::min(view.scrollOffset, size - visible);
    scrollBar.minimum = std::min(0, size - 1);
    scrollBar.maximum = std::max(0, size - 1);
    scrollBar.setViewRange(view.scrollOffset, view.scrollOffset + visible - 1);
}

void LogComponent::copyLog() {
    System::Logger* logger = view.logger;
    if (!logger) return;
    std::wstring text;
    {
        std::lock_guard lock(logger->mutex);
        for (const System::Logger::ViewLine& line : logger->viewLines) {
            text += LogViewControl::makeDisplayText(line.text);
            text += L"\r\n";
        }
    }
    System::Clipboard::setText(text.c_str());
}

void LogComponent::clearLog() {
    if (System::Logger* logger = view.logger) {
        std::lock_guard lock(logger->mutex);
        logger->viewLines.clear();
    }
    procPaint();
}

}  // namespace Component
