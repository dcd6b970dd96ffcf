#pragma once
// The folder view of the explorer panels: our own file list over the file
// system in the details view (name, size, date modified, type), sorted by
// the column last clicked in natural order with folders first. It is
// created lazily, the first time it is placed visible with an area; a
// double click enters a folder, back, forward and parent walk the history,
// and files dragged out of it are offered to every window as a file list.
// Per panel it keeps the folder, the view mode and icon size, the sort
// column and direction and the visible columns with their widths in the
// panel's settings section, under the keys stored views already use.
// User-interface thread only.
#include "core/file/Config.h"
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"
#include "window/controls/ControlPaint.h"
#include "window/controls/FolderListing.h"
#include "window/controls/ScrollBarControl.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace Control {

class ExplorerControl : public Window::WindowControlRenderTarget, public Resource::FontResource {
public:
    // section: the owning panel's settings section (kept by the control).
    ExplorerControl(Window::WindowControlOwner& owner, std::string section, int left, int top, int right,
                    int bottom);
    ~ExplorerControl() override;

    // Creates the view once: browses to "FolderPath".
    void initialize();
    // Browses to a folder; an empty path, or one that is not a readable
    // folder, opens the home folder instead. False when even that fails.
    bool browseFolder(const std::wstring& path);
    void back();
    void forward();
    void parentFolder();
    // The stored columns, or the defaults when they do not parse.
    void loadSetting();
    // Orders the entries by the stored sort column; a column that does not
    // parse leaves them in folder order.
    void applySort();
    // Stores the view's columns for the settings file (at destruction).
    void saveSetting();

    // The folder shown ("FolderPath" after each navigation).
    const std::wstring& currentPath() const { return folderPath; }
    // The paths of the selected entries, in list order.
    std::vector<std::wstring> selectedPaths() const;

    void procPaint() override;
    void procMove() override;
    void procMouseMove(int x, int y) override;
    void procMouseLeave() override;
    void procLButtonDown(int x, int y) override;
    void procMouseDrag(int x, int y) override;
    void procLButtonUp(int x, int y) override;
    void procMouseWheel(int x, int y, int delta) override;
    bool procKeyDown(int virtualKey) override;
    void procContextMenu(int x, int y) override;

    // Layout of rows: the header, then one row per entry.
    int headerHeight() const { return rowHeight; }
    // The entry at a point of the control, or -1.
    int entryAt(int x, int y) const;
    // The column whose header is at x, or -1; separator: the column whose
    // right edge is within 3 px.
    int columnAt(int x) const;
    int separatorAt(int x) const;
    int widthOf(int index) const;
    // Sorts by a column as a header click does: the same column again
    // reverses the direction.
    void sortBy(const std::string& column);

    std::function<void(ExplorerControl&)> onNavigated;
    // The owning panel's menu.
    std::function<void()> onContextMenu;

    bool initialized = false;
    std::vector<FolderListing::Entry> entries;
    std::vector<bool> selected;
    std::vector<std::wstring> backHistory;
    std::vector<std::wstring> forwardHistory;
    FolderListing::Columns columns;
    int rowHeight = 20;
    int firstRow = 0;
    int hoverRow = -1;
    int anchorRow = -1;

    // Settings.
    std::string section;
    std::wstring folderPath;
    int viewMode = 4;
    int iconSize = 48;
    std::wstring sortColumn;
    int sortDirection = 1;
    int columnNum = 0;
    std::wstring columnList;
    std::wstring columnWidthList;
    System::Config config;
    System::Config::String folderPathKey;
    System::Config::Int viewModeKey;
    System::Config::Int iconSizeKey;
    System::Config::String sortColumnKey;
    System::Config::Int sortDirectionKey;
    System::Config::Int columnNumKey;
    System::Config::String columnListKey;
    System::Config::String columnWidthKey;
    System::Config::Scope scope;

    ScrollBarControl scrollBar;

private:
    enum class Press { None, Rows, Separator };
    void navigate(std::filesystem::path folder);  // a copy: it may name an entry being replaced
    bool openFolder(std::filesystem::path folder);
    void updateScroll();
    int visibleRows() const;
    void paintHeader(Media::RenderTarget& target, Brushes& brushes, Platform::Cairo::TextFormat& format);
    void paintRow(Media::RenderTarget& target, Brushes& brushes, Platform::Cairo::TextFormat& format, int index,
                  int y);
    void selectAt(int index);

    Press press = Press::None;
    int pressX = 0;
    int pressY = 0;
    int pressColumn = -1;
    int pressWidth = 0;
    bool dragStarted = false;
};

}  // namespace Control
