#include "window/controls/ExplorerControl.h"

#include "core/base/Log.h"
#include "core/file/SettingService.h"
#include "core/text/StringConvert.h"
#include "media/draw/TextLayout.h"
#include "platform/gtk/DragDrop.h"
#include "platform/gtk/VirtualKeys.h"
#include "platform/gtk/WindowInput.h"
#include "window/WindowMouseService.h"
#include "window/controls/IconShape.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace Control {

namespace {

constexpr int kWheelRows = 3;
constexpr int kSeparatorReach = 3;
constexpr int kMinimumColumn = 24;
constexpr int kTextInset = 4;

int defaultWidth(const std::string& key) {
    if (key == FolderListing::SizeColumn) return 90;
    if (key == FolderListing::ModifiedColumn) return 130;
    if (key == FolderListing::TypeColumn) return 100;
    return 220;
}

std::wstring cellText(const FolderListing::Entry& entry, const std::string& key) {
    if (key == FolderListing::SizeColumn) return FolderListing::sizeText(entry);
    if (key == FolderListing::ModifiedColumn) return FolderListing::modifiedText(entry);
    if (key == FolderListing::TypeColumn) return FolderListing::typeText(entry);
    return entry.name;
}

Brushes::Id kindBrush(FolderListing::Kind kind) {
    switch (kind) {
    case FolderListing::Kind::Video: return Brushes::ObjectVideo;
    case FolderListing::Kind::Audio: return Brushes::ObjectAudio;
    case FolderListing::Kind::Image: return Brushes::ObjectVideoFilter;
    case FolderListing::Kind::Project: return Brushes::ObjectControl;
    default: return Brushes::TextDisable;
    }
}

// Our desktop: the user's home folder.
std::filesystem::path homeFolder() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::filesystem::path(home) : std::filesystem::path("/");
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

std::wstring joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ",") + part;
    return System::String::toWide(text);
}

std::wstring joined(const std::vector<int>& values) {
    std::string text;
    for (int value : values) text += (text.empty() ? "" : ",") + std::to_string(value);
    return System::String::toWide(text);
}

}  // namespace

ExplorerControl::ExplorerControl(Window::WindowControlOwner& owner, std::string sectionName, int left, int top,
                                 int right, int bottom)
    : WindowControlRenderTarget(owner, left, top, right, bottom),
      section(std::move(sectionName)),
      config(section.c_str()),
      folderPathKey(config, "FolderPath", &folderPath, L""),
      viewModeKey(config, "FolderViewMode", &viewMode, 4),
      iconSizeKey(config, "FolderIconSize", &iconSize, 48),
      sortColumnKey(config, "SortColumn", &sortColumn, L""),
      sortDirectionKey(config, "SortDirection", &sortDirection, 1),
      columnNumKey(config, "ColumnNum", &columnNum, 0),
      columnListKey(config, "ColumnList", &columnList, L""),
      columnWidthKey(config, "ColumnWidth", &columnWidthList, L""),
      scope(config),
      scrollBar(*this, -Setting::ScrollBarSize, 0, Setting::ScrollBarSize, 0) {
    acceptsWheel = true;
    acceptsContextMenu = true;
    if (fontList) {
        Resource::TextLayout probe((*fontList)[Resource::TextFormatList::Control].get(), L"Ag");
        rowHeight = std::max(16, static_cast<int>(std::ceil(probe.getMetrics().height)) + 6);
    }
    scrollBar.step = 1;
    scrollBar.onScroll = [this](ScrollBarControl&, int position) {
        firstRow = position;
        updateScroll();
        procPaint();
    };
    loadSetting();
}

ExplorerControl::~ExplorerControl() {
    if (initialized) saveSetting();
}

void ExplorerControl::initialize() {
    if (initialized) return;
    initialized = true;
    browseFolder(folderPath);
}

bool ExplorerControl::openFolder(std::filesystem::path folder) {
    std::vector<FolderListing::Entry> read;
    if (!isFolder(folder)) return false;
    if (!FolderListing::readFolder(folder, read))
        System::Log::info("Control::ExplorerControl", L"cannot read the folder %ls", folder.wstring().c_str());
    entries = std::move(read);
    folderPath = folder.wstring();
    firstRow = 0;
    hoverRow = -1;
    anchorRow = -1;
    applySort();
    selected.assign(entries.size(), false);
    updateScroll();
    if (onNavigated) onNavigated(*this);
    procPaint();
    return true;
}

void ExplorerControl::navigate(std::filesystem::path folder) {
    const std::wstring left = folderPath;
    if (!openFolder(folder)) return;
    if (!left.empty() && left != folderPath) {
        backHistory.push_back(left);
        forwardHistory.clear();
    }
}

bool ExplorerControl::browseFolder(const std::wstring& path) {
    const std::filesystem::path wanted(path);
    if (!path.empty() && isFolder(wanted)) {
        navigate(std::filesystem::absolute(wanted).lexically_normal());
        return true;
    }
    const std::filesystem::path home = homeFolder();
    if (!isFolder(home)) return false;
    navigate(home);
    return true;
}

void ExplorerControl::back() {
    if (!initialized || backHistory.empty()) return;
    const std::wstring target = backHistory.back();
    const std::wstring left = folderPath;
    if (!openFolder(target)) return;
    backHistory.pop_back();
    forwardHistory.push_back(left);
}

void ExplorerControl::forward() {
    if (!initialized || forwardHistory.empty()) return;
    const std::wstring target = forwardHistory.back();
    const std::wstring left = folderPath;
    if (!openFolder(target)) return;
    forwardHistory.pop_back();
    backHistory.push_back(left);
}

void ExplorerControl::parentFolder() {
    if (!initialized) return;
    const std::filesystem::path current(folderPath);
    const std::filesystem::path parent = current.parent_path();
    if (!parent.empty() && parent != current) navigate(parent);
}

void ExplorerControl::loadSetting() {
    columns = FolderListing::parseColumns(columnNum, System::String::toUtf8(columnList),
                                          System::String::toUtf8(columnWidthList));
    if (columns.fallback) columnNum = static_cast<int>(columns.keys.size());
}

void ExplorerControl::applySort() {
    const std::string sort = System::String::toUtf8(sortColumn);
    if (!sort.empty() && !FolderListing::isColumnKey(sort)) return;  // stays as stored
    FolderListing::sortEntries(entries, sort.empty() ? FolderListing::NameColumn : sort, sort.empty() ? 1 : sortDirection);
}

void ExplorerControl::saveSetting() {
    if (!initialized) return;
    columnNum = static_cast<int>(columns.keys.size());
    columnList = joined(columns.keys);
    std::vector<int> widths;
    for (std::size_t i = 0; i < columns.keys.size(); ++i) widths.push_back(widthOf(static_cast<int>(i)));
    columnWidthList = joined(widths);
}

std::vector<std::wstring> ExplorerControl::selectedPaths() const {
    std::vector<std::wstring> paths;
    for (std::size_t i = 0; i < entries.size() && i < selected.size(); ++i)
        if (selected[i]) paths.push_back(entries[i].path.wstring());
    return paths;
}

int ExplorerControl::widthOf(int index) const {
    if (index < 0 || index >= static_cast<int>(columns.keys.size())) return 0;
    const int stored = columns.widths[static_cast<std::size_t>(index)];
    return stored > 0 ? stored : defaultWidth(columns.keys[static_cast<std::size_t>(index)]);
}

int ExplorerControl::columnAt(int x) const {
    int right = 0;
    for (int i = 0; i < static_cast<int>(columns.keys.size()); ++i) {
        right += widthOf(i);
        if (x < right) return i;
    }
    return -1;
}

int ExplorerControl::separatorAt(int x) const {
    int right = 0;
    for (int i = 0; i < static_cast<int>(columns.keys.size()); ++i) {
        right += widthOf(i);
        if (std::abs(x - right) <= kSeparatorReach) return i;
    }
    return -1;
}

int ExplorerControl::visibleRows() const {
    return std::max(1, (fullRect().height - headerHeight()) / rowHeight);
}

int ExplorerControl::entryAt(int x, int y) const {
    if (y < headerHeight() || x >= fullRect().width - Setting::ScrollBarSize) return -1;
    const int index = firstRow + (y - headerHeight()) / rowHeight;
    return index < static_cast<int>(entries.size()) ? index : -1;
}

void ExplorerControl::sortBy(const std::string& column) {
    const std::string current = System::String::toUtf8(sortColumn);
    if (current == column)
        sortDirection = sortDirection < 0 ? 1 : -1;
    else
        sortDirection = 1;
    sortColumn = System::String::toWide(column);
    const std::vector<std::wstring> keep = selectedPaths();
    FolderListing::sortEntries(entries, column, sortDirection);
    for (std::size_t i = 0; i < entries.size(); ++i)
        selected[i] = std::find(keep.begin(), keep.end(), entries[i].path.wstring()) != keep.end();
    procPaint();
}

void ExplorerControl::updateScroll() {
    const int count = static_cast<int>(entries.size());
    const int visible = visibleRows();
    firstRow = std::clamp(firstRow, 0, std::max(0, count - visible));
    scrollBar.minimum = 0;
    scrollBar.maximum = std::max(0, count - 1);
    scrollBar.setViewRange(firstRow, firstRow + visible - 1);
}

void ExplorerControl::procMove() {
    if (visible && fullRect().width > 0 && fullRect().height > 0) initialize();
    updateScroll();
}

void ExplorerControl::paintHeader(Media::RenderTarget& target, Brushes& brushes, Platform::Cairo::TextFormat& format) {
    const int width = fullRect().width;
    target.fillRectangle(0, 0, width, headerHeight(), brushes[Brushes::ButtonBody]);
    const std::string sort = System::String::toUtf8(sortColumn);
    int x = 0;
    for (int i = 0; i < static_cast<int>(columns.keys.size()); ++i) {
        const int w = widthOf(i);
        const std::string& key = columns.keys[static_cast<std::size_t>(i)];
        std::wstring title = FolderListing::columnTitle(key);
        if (key == sort) title += sortDirection < 0 ? L" ▼" : L" ▲";
        target.drawText(title, format, x + kTextInset, 0, x + w - kTextInset, headerHeight(), brushes[Brushes::Text]);
        target.fillRectangle(x + w - 1, 3, x + w, headerHeight() - 3, brushes[Brushes::Border]);
        x += w;
    }
    target.fillRectangle(0, headerHeight() - 1, width, headerHeight(), brushes[Brushes::Border]);
}

void ExplorerControl::paintRow(Media::RenderTarget& target, Brushes& brushes, Platform::Cairo::TextFormat& format,
                               int index, int y) {
    const FolderListing::Entry& entry = entries[static_cast<std::size_t>(index)];
    const int width = fullRect().width - Setting::ScrollBarSize;
    if (selected[static_cast<std::size_t>(index)])
        target.fillRectangle(0, y, width, y + rowHeight, brushes[Brushes::GroupingSelect]);
    else if (index == hoverRow)
        target.fillRectangle(0, y, width, y + rowHeight, brushes[Brushes::GroupingHover]);
    const int icon = rowHeight - 6;
    int x = 0;
    for (int i = 0; i < static_cast<int>(columns.keys.size()); ++i) {
        const int w = widthOf(i);
        const std::string& key = columns.keys[static_cast<std::size_t>(i)];
        int textLeft = x + kTextInset;
        if (key == FolderListing::NameColumn) {
            const float ix = static_cast<float>(x + kTextInset), iy = static_cast<float>(y + 3);
            if (entry.kind == FolderListing::Kind::Folder)
                target.drawIcon(IconFolder, ix, iy, static_cast<float>(icon), static_cast<float>(icon),
                                brushes[Brushes::Text]);
            else
                target.fillRectangle(x + kTextInset + 2, y + 4, x + kTextInset + icon - 2, y + rowHeight - 4,
                                     brushes[kindBrush(entry.kind)]);
            textLeft += icon + kTextInset;
        }
        target.drawText(cellText(entry, key), format, textLeft, y, x + w - kTextInset, y + rowHeight,
                        brushes[Brushes::Text]);
        x += w;
    }
}

void ExplorerControl::procPaint() {
    if (!initialized) return;
    PaintScope scope(*this);
    if (scope.empty() || !fontList) return;
    Brushes& brushes = scope.brushes();
    fill(brushes[Brushes::Background]);
    Platform::Cairo::TextFormat& format = *(*fontList)[Resource::TextFormatList::Control].get();
    paintHeader(*this, brushes, format);
    const int rows = visibleRows() + 1;
    for (int n = 0; n < rows && firstRow + n < static_cast<int>(entries.size()); ++n)
        paintRow(*this, brushes, format, firstRow + n, headerHeight() + n * rowHeight);
    scrollBar.procPaint();
}

void ExplorerControl::procMouseMove(int x, int y) {
    const int row = entryAt(x, y);
    if (row == hoverRow) return;
    hoverRow = row;
    procPaint();
}

void ExplorerControl::procMouseLeave() {
    if (hoverRow < 0) return;
    hoverRow = -1;
    procPaint();
}

void ExplorerControl::selectAt(int index) {
    const bool ctrl = Platform::getKeyState(Platform::VK::CONTROL) < 0;
    const bool shift = Platform::getKeyState(Platform::VK::SHIFT) < 0;
    if (shift && anchorRow >= 0) {
        if (!ctrl) selected.assign(entries.size(), false);
        for (int i = std::min(anchorRow, index); i <= std::max(anchorRow, index); ++i)
            selected[static_cast<std::size_t>(i)] = true;
        return;
    }
    if (ctrl) {
        selected[static_cast<std::size_t>(index)] = !selected[static_cast<std::size_t>(index)];
    } else if (!selected[static_cast<std::size_t>(index)]) {
        selected.assign(entries.size(), false);
        selected[static_cast<std::size_t>(index)] = true;
    }
    anchorRow = index;
}

void ExplorerControl::procLButtonDown(int x, int y) {
    press = Press::None;
    dragStarted = false;
    if (service) service->takeFocus(this);
    pressX = x;
    pressY = y;
    if (y < headerHeight()) {
        const int separator = separatorAt(x);
        if (separator >= 0) {
            press = Press::Separator;
            pressColumn = separator;
            pressWidth = widthOf(separator);
            if (service) service->startDrag(0, 0, nullptr);
            return;
        }
        const int column = columnAt(x);
        if (column >= 0) sortBy(columns.keys[static_cast<std::size_t>(column)]);
        return;
    }
    const int index = entryAt(x, y);
    if (index < 0) {
        selected.assign(entries.size(), false);
        procPaint();
        return;
    }
    if (service && service->doubleClick) {
        const FolderListing::Entry& entry = entries[static_cast<std::size_t>(index)];
        if (entry.kind == FolderListing::Kind::Folder) {
            navigate(entry.path);
            return;
        }
    }
    selectAt(index);
    press = Press::Rows;
    if (service) service->startDrag(0, 0, nullptr);
    procPaint();
}

void ExplorerControl::procMouseDrag(int x, int y) {
    if (press == Press::Separator) {
        const int width = std::max(kMinimumColumn, pressWidth + x - pressX);
        columns.widths[static_cast<std::size_t>(pressColumn)] = width;
        procPaint();
        return;
    }
    if (press != Press::Rows || dragStarted) return;
    if (std::abs(x - pressX) < 4 && std::abs(y - pressY) < 4) return;
    dragStarted = true;
    const std::vector<std::wstring> paths = selectedPaths();
    if (service) service->cancelDrag();
    press = Press::None;
    if (!paths.empty()) Platform::beginFileDrag(window, paths);
}

void ExplorerControl::procLButtonUp(int x, int y) {
    // A plain click on one of several selected rows keeps only that one.
    if (press == Press::Rows && !dragStarted && Platform::getKeyState(Platform::VK::CONTROL) >= 0 &&
        Platform::getKeyState(Platform::VK::SHIFT) >= 0) {
        const int index = entryAt(x, y);
        if (index >= 0) {
            selected.assign(entries.size(), false);
            selected[static_cast<std::size_t>(index)] = true;
            procPaint();
        }
    }
    press = Press::None;
}

void ExplorerControl::procMouseWheel(int, int, int delta) {
    firstRow -= delta / 120 * kWheelRows;
    updateScroll();
    procPaint();
}

bool ExplorerControl::procKeyDown(int virtualKey) {
    if (virtualKey == Platform::VK::BACK) {
        parentFolder();
        return true;
    }
    if (virtualKey == Platform::VK::RETURN) {
        const std::vector<std::wstring> paths = selectedPaths();
        if (paths.size() == 1 && isFolder(paths[0])) navigate(paths[0]);
        return true;
    }
    return false;
}

void ExplorerControl::procContextMenu(int, int) {
    if (onContextMenu) onContextMenu();
}

}  // namespace Control
