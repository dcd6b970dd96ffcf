#include "window/ListBox.h"

#include "core/translate/TranslateService.h"
#include "platform/gtk/PopupList.h"
#include "platform/gtk/Screen.h"
#include "platform/gtk/NativeWindow.h"

#include <algorithm>

namespace Window {

bool ListBox::open = false;
const void* ListBox::owner = nullptr;
std::unordered_map<int, std::function<void()>> ListBox::commands;
int ListBox::currentIndex = -1;
std::unique_ptr<Platform::PopupList> ListBox::list;
ListBox::Hooks ListBox::hooks;

namespace {

using Platform::PopupList;

constexpr int kMinimumLimit = 256;

void runRow(int row) {
    const auto found = ListBox::commands.find(row);
    if (found == ListBox::commands.end() || !found->second) return;
    // A copy: the command may refill the list.
    const std::function<void()> command = found->second;
    command();
}

// Whether a client point of the list lies outside its window.
bool outside(LPARAM lParam) {
    const Platform::RECT rect = ListBox::list->screenRect();
    const int x = static_cast<short>(Platform::LOWORD(lParam)) + 1;
    const int y = static_cast<short>(Platform::HIWORD(lParam)) + 1;
    return x < 0 || y < 0 || x >= rect.right - rect.left || y >= rect.bottom - rect.top;
}

}  // namespace

void ListBox::initialize() {
    if (!list) {
        list = std::make_unique<PopupList>(nullptr);
        if (!hooks.font.empty()) list->setFont(hooks.font);
        // Open, so that the close below empties it.
        open = true;
        list->procedure = [](UINT message, WPARAM wParam, LPARAM lParam) { return wndProc(message, wParam, lParam); };
    }
    close();
    currentIndex = -1;
}

int ListBox::addRow(const std::wstring& text, std::function<void()> command, bool current) {
    if (!list) initialize();
    const int row = list->addString(Translate::TranslateService::translateMenu(text));
    commands[row] = std::move(command);
    if (current) currentIndex = row;
    return row;
}

void ListBox::show(Platform::WindowHandle parent, int x, int y, int width, int yOffset, const void* opener) {
    if (!list) initialize();
    if (open) return;
    open = true;
    owner = opener;
    Platform::POINT screen{x, y};
    if (hooks.clientToScreen) {
        screen = hooks.clientToScreen(parent, screen);
    } else {
        const Platform::POINT origin = Platform::clientOrigin(parent);
        screen = {x + origin.x, y + origin.y};
    }
    const int rows = list->getCount();
    const int rowHeight = list->getItemHeight();
    const int mainHeight = hooks.mainWindowHeight ? hooks.mainWindowHeight() : 0;
    const int limit = std::max(mainHeight / 4, kMinimumLimit);
    const int listHeight = std::min(limit, rows * rowHeight) + 4;
    const int bottom = hooks.screenBottom ? hooks.screenBottom() : Platform::virtualScreenRect().bottom;
    const int top = screen.y + listHeight + yOffset > bottom ? screen.y - listHeight : screen.y + yOffset;
    list->setWindowPos(screen.x, top, width, listHeight);
    list->setCurSel(currentIndex);
    list->setTopIndex(currentIndex);
    list->show();
    list->setFocus();
}

void ListBox::close() {
    if (!open) return;
    open = false;
    if (list) {
        list->hide();
        list->resetContent();
    }
    commands.clear();
    currentIndex = 0;
}

void ListBox::runSelected() {
    if (!open || !list) return;
    const int row = list->getCurSel();
    if (row >= 0) runRow(row);
}

void ListBox::moveSelection(int delta) {
    if (!list) return;
    const int row = list->getCurSel();
    const int rows = list->getCount();
    int next = row >= 0 ? row + delta : row;
    next = std::min(next, rows - 1);
    list->setCurSel(std::max(next, 0));
    runSelected();
}

LRESULT ListBox::wndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case PopupList::KeyDown:
        if (static_cast<int>(wParam) == PopupList::KeyEscape) {
            close();
            return 0;
        }
        return list->defaultProc(message, wParam, lParam);
    case PopupList::MouseMove: {
        const Platform::RECT rect = list->screenRect();
        const Platform::POINT screen{rect.left + 1 + static_cast<short>(Platform::LOWORD(lParam)),
                                     rect.top + 1 + static_cast<short>(Platform::HIWORD(lParam))};
        list->setCurSel(list->itemFromPoint(screen));
        return list->defaultProc(message, wParam, lParam);
    }
    case PopupList::LButtonDown:
        // A press outside the list (another window, another program) is a
        // lost focus.
        if (outside(lParam)) {
            close();
            return 0;
        }
        runSelected();
        if (wParam & PopupList::ControlHeld) return list->defaultProc(message, wParam, lParam);
        close();
        return 0;
    case PopupList::RButtonDown:
        if (outside(lParam)) close();
        return 0;
    case PopupList::KillFocus:
        close();
        return 0;
    case PopupList::MouseWheel: {
        const int delta = static_cast<short>(Platform::HIWORD(static_cast<LPARAM>(wParam)));
        list->setTopIndex(delta < 0 ? list->getTopIndex() + 2 : std::max(list->getTopIndex() - 2, 0));
        return 0;
    }
    default:
        return list->defaultProc(message, wParam, lParam);
    }
}

}  // namespace Window
