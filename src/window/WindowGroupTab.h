#pragma once
// The tab strip of a tab group: the docked panels of one area whose group
// key is set share one place, one of them shown. The shown member (the
// head) owns this record; its strip lies directly above the head's
// rectangle, one tab of equal width per member in group order. A click on a
// hidden member's tab shows that member in the head's place; pressing the
// head's own tab starts a drag that reorders the members; the right button
// offers the placement menu of the tab's panel.
// User-interface thread only.
#include "media/draw/TextFormatList.h"
#include "window/WindowControlRenderTarget.h"
#include "window/WindowControlOwner.h"

#include <memory>
#include <vector>

namespace Window {

class WindowClient;

class WindowGroupTab {
public:
    class Control final : public WindowControlRenderTarget, public Resource::FontResource {
    public:
        Control(WindowGroupTab& group, WindowControlOwner& owner);

        // The tab under x (relative to the strip) among n equal tabs of the
        // width: clamped to the first and last.
        static int tabIndex(int n, int x, int width);

        void procMouseMove(int x, int y) override;
        void procMouseDrag(int x, int y) override;
        void procLButtonDown(int x, int y) override;
        void procMouseLeave() override;
        void procCaptureLost() override;
        void procContextMenu(int x, int y) override;
        void procPaint() override;
        void updateLayout() override;
        bool isDraggingTab() const;

        // The members in tab order, renumbered 1 ... n.
        void rebuildTabs();

        WindowGroupTab& group;
        int tabHeight = 0;
        WindowClient* hoverClient = nullptr;
        std::vector<WindowClient*> tabs;

    private:
        WindowClient* tabAt(int x) const;
        WindowClient* tabAtPointer();
        void repaint();
    };

    explicit WindowGroupTab(WindowClient& head);
    ~WindowGroupTab();
    WindowGroupTab(const WindowGroupTab&) = delete;
    WindowGroupTab& operator=(const WindowGroupTab&) = delete;

    void setTabHeight(int height);
    int tabHeight() const { return control_ ? control_->tabHeight : 0; }
    // Places the strip above the head.
    void updateLayout();
    void paint();
    // No longer drawn or hit-tested (before a deferred delete).
    void detach();
    Control* control() const { return control_.get(); }

    WindowClient& head;

private:
    // The controls' clip: the strip and the head together.
    Rect bounds_;
    WindowControlOwner owner_;
    std::unique_ptr<Control> control_;
};

}  // namespace Window
