#include "panels/explorer/ExplorerComponent.h"

#include "core/base/Exception.h"
#include "core/event/DialogSeam.h"
#include "core/event/EventService.h"
#include "core/event/MessageBox.h"
#include "core/file/PathString.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "panels/explorer/ExplorerBookmarks.h"
#include "window/ClientPlacement.h"
#include "window/ListBox.h"
#include "window/ToolTips.h"
#include "window/WindowMenuEntry.h"
#include "platform/gtk/VirtualKeys.h"

#include <filesystem>
#include <map>
#include <system_error>

namespace Component {

namespace {

constexpr int kBookmarkTipDuration = 3000;

// Titles and sections outlive their panels: the window service keeps the
// title pointer.
const wchar_t* titleOf(int number) {
    static std::map<int, std::wstring> titles;
    std::wstring& title = titles[number];
    if (title.empty()) title = L"メディアエクスプローラー:" + std::to_wstring(number + 1);
    return title.c_str();
}

int headerSizeSetting() { return Setting::ExplorerHeaderHeight > 0 ? Setting::ExplorerHeaderHeight : 24; }

std::wstring menuText(const wchar_t* text) { return Translate::TranslateService::translateMenu(text); }

struct DataFolder {
    const wchar_t* title;
    const wchar_t* variable;
};

const DataFolder kDataFolders[] = {
    {L"アプリケーションデータフォルダ", L"%AppData%"}, {L"スクリプトフォルダ", L"%Script%"},
    {L"プラグインフォルダ", L"%Plugin%"},             {L"図形ファイルフォルダ", L"%Figure%"},
    {L"遷移画像ファイルフォルダ", L"%Transition%"},   {L"エイリアスファイルフォルダ", L"%Alias%"},
    {L"初期値・プリセットフォルダ", L"%Default%"},     {L"バックアップファイルフォルダ", L"%Backup%"},
    {L"ログファイルフォルダ", L"%Log%"},               {L"言語ファイルフォルダ", L"%Language%"},
};

void setIcon(Control::IconButtonControl& button, const Control::IconShape& icon, const wchar_t* tip) {
    button.icon = &icon;
    button.tooltip = menuText(tip);
}

}  // namespace

ExplorerComponent::ExplorerComponent(int n)
    : WindowClientRenderTarget(titleOf(n), Window::Placements::explorerSection(n + 1),
                               n == 0 ? &Window::Placements::firstExplorer : &Window::Placements::furtherExplorer,
                               CannotFloat),
      number(n),
      headerSize(headerSizeSetting()),
      owner(this, hostWindow(), hostTarget(), 200, &clientRect, &clientRect),
      pathOwner(this, hostWindow(), hostTarget(), 210, &pathRect, &pathRect),
      backButton(owner, 0, 0, headerSize, headerSize),
      forwardButton(owner, headerSize, 0, headerSize, headerSize),
      parentButton(owner, 2 * headerSize, 0, headerSize, headerSize),
      bookmarkButton(owner, -headerSize, 0, headerSize, headerSize),
      pathBox(pathOwner),
      folderView(owner, Window::Placements::explorerSection(n + 1), 0, headerSize, 0, 0) {
    setIcon(backButton, Control::IconArrowLeft, L"前に戻る");
    setIcon(forwardButton, Control::IconArrowRight, L"次に移動");
    setIcon(parentButton, Control::IconArrowUp, L"親のフォルダに移動");
    setIcon(bookmarkButton, Control::IconFolder, L"ブックマークを表示");
    backButton.onClick = [this](Control::ButtonControl&) { folderView.back(); };
    forwardButton.onClick = [this](Control::ButtonControl&) { folderView.forward(); };
    parentButton.onClick = [this](Control::ButtonControl&) { folderView.parentFolder(); };
    bookmarkButton.onClick = [this](Control::ButtonControl&) { showBookmarkList(); };
    pathBox.inputFilter = L"[^\\x00-\\x1f]";
    pathBox.onKeyDown = [this](int key) {
        if (key != Platform::VK::RETURN) return false;
        browseToPathBox();
        return true;
    };
    folderView.onNavigated = [this](Control::ExplorerControl&) {
        updatePathBox();
        if (windowService) procPaint();
    };
    acceptsContextMenu = true;
    folderView.onContextMenu = [this] { procContextMenu(0, 0); };
    if (eventService) eventService->bookmarkChange.add(eventKey(), [this] { updatePathBox(); });
    if (number == 0) ExplorerBookmarks::load(ExplorerBookmarks::list(), ExplorerBookmarks::filePath());
    procMove();
}

ExplorerComponent::~ExplorerComponent() {
    if (number == 0) ExplorerBookmarks::save(ExplorerBookmarks::list(), ExplorerBookmarks::filePath());
}

std::vector<std::unique_ptr<ExplorerComponent>>& ExplorerComponent::instances() {
    static std::vector<std::unique_ptr<ExplorerComponent>> explorers;
    return explorers;
}

void ExplorerComponent::createAll(int count) {
    std::vector<std::unique_ptr<ExplorerComponent>>& explorers = instances();
    for (int n = static_cast<int>(explorers.size()); n < std::max(1, count); ++n)
        explorers.push_back(std::make_unique<ExplorerComponent>(n));
}

void ExplorerComponent::procPaint() {
    if (isHidden()) return;
    const Window::Rect& r = clientRect;
    DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
    backButton.procPaint();
    forwardButton.procPaint();
    parentButton.procPaint();
    bookmarkButton.procPaint();
    pathBox.procPaint();
    folderView.procPaint();
}

void ExplorerComponent::procMove() {
    pathRect = {clientRect.x + 3 * headerSize, clientRect.y, std::max(0, clientRect.width - 4 * headerSize),
                headerSize};
    if (isHidden()) pathRect = hiddenRect;
    owner.updateLayout();
    pathOwner.updateLayout();
}

const wchar_t* ExplorerComponent::getTitle() {
    const std::wstring name = displayName();
    if (name.empty()) return WindowClient::getTitle();
    shownTitle_ = name;
    return shownTitle_.c_str();
}

void ExplorerComponent::recreateClient() {
    throw System::makeException("Component::ExplorerComponent::recreateClient", "not support floating window");
}

std::wstring ExplorerComponent::displayName() const {
    const std::wstring& path = folderView.currentPath();
    if (const Bookmark* bookmark = ExplorerBookmarks::findPath(ExplorerBookmarks::list(), path))
        return bookmark->name;
    return path;
}

void ExplorerComponent::updatePathBox() {
    pathBox.text = System::String::toUtf16(displayName());
    pathBox.clearSelection();
    pathBox.length = static_cast<std::int32_t>(pathBox.text.size());
    pathBox.caret = pathBox.anchor = pathBox.length;
    pathBox.updateTextLayout();
    pathBox.updateScroll();
    pathBox.procPaint();
}

void ExplorerComponent::browseToPathBox() {
    folderView.browseFolder(pathBox.wideText());
}

void ExplorerComponent::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    const bool bookmarked = ExplorerBookmarks::findPath(ExplorerBookmarks::list(), folderView.currentPath());
    Window::MenuEntries menu;
    menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"ブックマークに追加"), !bookmarked, false,
                    [this] { addBookmark(); }, {}});
    menu.push_back({Window::MenuEntry::Kind::Command, menuText(L"ブックマークから削除"), bookmarked, false,
                    [this] { removeBookmark(); }, {}});
    menu.push_back(Window::MenuEntry::separator());
    Window::MenuEntry folders{Window::MenuEntry::Kind::Submenu, menuText(L"アプリケーションデータ"), true, false, {}, {}};
    for (const DataFolder& folder : kDataFolders)
        folders.children.push_back({Window::MenuEntry::Kind::Command, menuText(folder.title), true, false,
                                    [this, variable = folder.variable] {
                                        folderView.browseFolder(
                                            System::expandPathString((std::wstring(variable) + L"/").c_str()));
                                    },
                                    {}});
    menu.push_back(std::move(folders));
    menu.push_back(Window::MenuEntry::separator());
    createWindowMenu(menu);
    show(window, menu);
}

void ExplorerComponent::addBookmark() {
    const std::wstring path = folderView.currentPath();
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(System::expandPathString(path.c_str()), error)) {
        Dialog::showError(L"%ls", menuText(L"このフォルダはブックマークに追加できません").c_str());
        return;
    }
    std::wstring name = ExplorerBookmarks::defaultName(path);
    if (!Dialog::inputString(menuText(L"ブックマークの追加"), L"", name)) return;
    ExplorerBookmarks::add(ExplorerBookmarks::list(), name, path);
    if (eventService) eventService->bookmarkChange.notify();
}

void ExplorerComponent::removeBookmark() {
    ExplorerBookmarks::removePath(ExplorerBookmarks::list(), folderView.currentPath());
    if (eventService) eventService->bookmarkChange.notify();
}

void ExplorerComponent::showBookmarkList() {
    std::vector<Bookmark>& bookmarks = ExplorerBookmarks::list();
    if (bookmarks.empty()) {
        Window::ToolTips::showAtCursor(menuText(L"ブックマークを追加すると表示されます"), kBookmarkTipDuration);
        return;
    }
    ExplorerBookmarks::sortByName(bookmarks);
    Window::ListBox::initialize();
    const std::wstring current = folderView.currentPath();
    for (const Bookmark& bookmark : bookmarks)
        Window::ListBox::addRow(bookmark.name, [this, path = bookmark.path] { folderView.browseFolder(path); },
                                bookmark.path == current);
    Window::ListBox::show(window, clientRect.x + 3 * headerSize, clientRect.y, clientRect.width - 3 * headerSize,
                          headerSize, this);
}

}  // namespace Component
