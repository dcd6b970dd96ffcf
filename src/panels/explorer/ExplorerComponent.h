#pragma once
// A media explorer panel: back, forward and parent buttons, an editable
// path box and a bookmark button above a folder view. Several may exist
// ("ExplorerWindowNum"), numbered from 0; all share the bookmarks, which
// the first loads from explorer.ini when built and saves when it goes.
// The path box and the title show the bookmark name of a bookmarked
// folder. An explorer cannot float.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/EditControl.h"
#include "window/controls/ExplorerControl.h"
#include "window/controls/IconButtonControl.h"

#include <memory>
#include <string>
#include <vector>

namespace Component {

class ExplorerComponent : public Window::WindowClientRenderTarget, public Event::EventInstance {
public:
    explicit ExplorerComponent(int number);
    ~ExplorerComponent() override;

    // The program's explorers, numbered from 0.
    static std::vector<std::unique_ptr<ExplorerComponent>>& instances();
    // Builds "ExplorerWindowNum" explorers (at least 1) and shows them.
    static void createAll(int count);

    void procPaint() override;
    void procMove() override;
    void procContextMenu(int x, int y) override;
    const wchar_t* getTitle() override;
    void recreateClient() override;

    // The bookmark name of the current folder, else the folder itself.
    std::wstring displayName() const;
    void addBookmark();
    void removeBookmark();
    void showBookmarkList();
    // Browses to the path box's text (Enter).
    void browseToPathBox();
    // The path box shows the display name.
    void updatePathBox();

    const int number;
    const int headerSize;
    Window::WindowControlOwner owner;
    Window::Rect pathRect;
    Window::WindowControlOwner pathOwner;
    Control::IconButtonControl backButton;
    Control::IconButtonControl forwardButton;
    Control::IconButtonControl parentButton;
    Control::IconButtonControl bookmarkButton;
    Control::EditControl pathBox;
    Control::ExplorerControl folderView;

private:
    std::wstring shownTitle_;
};

}  // namespace Component
