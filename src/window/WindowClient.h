#pragma once
// The base of every panel: a rectangle of one program window. Docked, it
// takes fractions of the main window's docking area in one of five areas
// (the window service lays the docked panels out); floating, it fills a
// top-level window of its own (WindowFloating); it may be hidden, and the
// docked panels of an area may share one place as a tab group of which one
// member shows, with the tab strip above it.
//
// The placement lives in the panel's own section of the main settings
// file. Floating and docking rebuild the panel (recreateClient): the old
// object hands its keys over and goes, the new one reads them and is built
// in the main window or a new floating window. Every other change keeps
// the object.
//
// Panels are registered with the window service by title while they live.
// A panel rebuilt from its own window menu is detached at once and freed
// once the input event that rebuilt it has been handled.
// User-interface thread only.
#include "window/ClientPlacement.h"
#include "window/DeferredDelete.h"
#include "window/WindowClientSettings.h"
#include "window/WindowMenuEntry.h"
#include "window/WindowMouse.h"

#include <memory>
#include <string>

namespace Media {
class RenderTargetWindow;
}

namespace Window {

class WindowFloating;
class WindowGroupTab;
class WindowService;

class WindowClient : public WindowMouse {
public:
    enum Kind { CannotFloat = 0, FloatsWithCaption = 1, FloatsWithoutCaption = 2 };
    // The rectangle of a hidden panel.
    static constexpr Rect hiddenRect{65536, 65536, 0, 0};

    // Reads the placement from the section (the layout gives its defaults),
    // builds the floating window when the panel floats, and registers.
    WindowClient(const wchar_t* title, std::string section, const WindowClientLayout* layout, int kind);
    ~WindowClient() override;

    virtual void procPaint() = 0;
    // The rectangle changed.
    virtual void procMove();
    // Appends the window placement submenu.
    virtual void createWindowMenu(MenuEntries& menu);
    // The title as shown (translated while a language file is loaded).
    virtual const wchar_t* getTitle();
    virtual void setVisible(bool visible);
    // Replaces this panel with a new one built from its settings. Panels
    // that cannot float raise "not support floating window".
    virtual void recreateClient() = 0;
    // The window menu at the pointer.
    void procContextMenu(int x, int y) override;

    // For recreateClient of a panel held by slot: the old panel hands its
    // settings over and is detached at once, freed once the event being
    // handled is done (it may be the panel's own menu command); make builds
    // the new one, which is shown.
    template <class T, class Make>
    static void recreateIn(std::unique_ptr<T>& slot, Make make) {
        if (slot) slot->detach();
        deleteLater(std::move(slot));
        slot = make();
        slot->setVisible(true);
    }

    // Leaves the window service and hands the settings over; the object is
    // no longer laid out, drawn or hit-tested (called before a deferred
    // delete).
    void detach();

    void updateWindowRect(bool force);
    void setArea(int area);
    void setFloating(bool floating);
    void setGrouped(bool grouped);
    // Shows a hidden panel (making room for it), hides a shown one.
    void toggleVisible();

    // The pieces of the window menu, shared with the tab strip's menu.
    void appendAreaItems(MenuEntries& menu);
    void appendMoveSubmenu(MenuEntries& menu);
    void appendFloatItem(MenuEntries& menu);
    void appendGroupItem(MenuEntries& menu);

    // The panel's section of the main settings file.
    const std::string& settingsSection() const;
    bool isHidden() const { return placement.hide != 0; }
    bool isFloating() const { return floatingWindow != nullptr; }
    bool isGrouped() const { return placement.group != 0; }
    // The program window that hosts the panel and its drawing target.
    Platform::WindowHandle hostWindow() const;
    Media::RenderTargetWindow* hostTarget() const;
    // Height of the tab strip above the panel (0 without one).
    int groupTabHeight() const;

    WindowService* windowService;
    Rect clientRect;
    const wchar_t* title;
    std::unique_ptr<WindowFloating> floatingWindow;
    std::unique_ptr<WindowGroupTab> groupTab;
    int kind;
    ClientPlacement placement;

private:
    std::unique_ptr<WindowClientSettings> settings_;
    std::wstring shownTitle_;
    bool registered_ = false;
};

// "GroupTabHeight" of the style's layout section (default 20).
extern int GroupTabHeight;

}  // namespace Window
