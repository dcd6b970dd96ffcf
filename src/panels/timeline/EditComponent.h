#pragma once
// The timeline panel: the scene button in the top-left corner, the time
// ruler along the top, the layer headers on the left, the object area
// filling the rest, the zoom gauge and the horizontal scroll bar along the
// bottom (or the top) and the vertical scroll bar on the right. It owns the
// timeline's display options (section "Edit" of the main settings file),
// keeps the view of the current scene (first layer and frame, zoom; the
// scene stores them) and its parts in step with the project's events.
//
// One panel per process, built at start-up before the other panels and
// rebuilt when it moves between docked and floating.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "core/file/Config.h"
#include "edit/model/Scene.h"
#include "edit/service/EditInstance.h"
#include "panels/timeline/EditLayerHeaderControl.h"
#include "panels/timeline/EditLayerObjectControl.h"
#include "panels/timeline/TimeGaugeControl.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowControlOwner.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/RectControl.h"
#include "window/controls/ScrollBarControl.h"
#include "window/controls/TextButtonControl.h"
#include "window/controls/ZoomGaugeControl.h"

#include <functional>
#include <memory>

namespace Component {

// The layout numbers read from the style's "Layout" section.
struct EditLayout {
    int timeGaugeHeight = 0;
    int layerHeaderWidth = 0;
    int layerHeight = 0;
    int scrollBarSize = 20;
};

class EditComponent : public Edit::EditInstance,
                      public Event::EventInstance,
                      public Window::WindowClientRenderTarget {
public:
    // The button with the current scene's name: a click lists the scenes,
    // the right button the scene's own menu, resting shows its details.
    class SceneButtonControl : public Control::TextButtonControl {
    public:
        SceneButtonControl(EditComponent& panel, Window::WindowControl& parent, int left, int top, int right,
                           int bottom);
        void procContextMenu(int x, int y) override;
        void procMouseHover(Platform::WindowHandle window, UINT message, WPARAM wParam) override;

        EditComponent& panel;
    };

    // A missing or malformed TimeGaugeHeight, LayerHeaderWidth or
    // LayerHeight fails the construction.
    EditComponent();
    ~EditComponent() override;

    // The panel of the program (null before start-up built it).
    static std::unique_ptr<EditComponent>& instance();
    static const char* singletonPlace();

    // ---- Window client
    void procPaint() override;
    void procMove() override;
    void createWindowMenu(Window::MenuEntries& menu) override;
    void recreateClient() override;

    // ---- The view of the current scene (zoom and scrolling)
    // The zoom table's level `steps` away from current, with the table
    // normaliser.
    static Edit::FrameZoom stepZoom(int current, int steps);
    // The scene and the zoom gauge take the zoom; the frame view re-clamps.
    void applyZoom(const Edit::FrameZoom& zoom);
    // A new zoom that keeps the anchor frame at the same x.
    void setZoom(const Edit::FrameZoom& zoom, int anchorFrame);
    // One zoom step in (+1) or out (-1) around the cursor frame: the View
    // menu's zoom items.
    void zoomIn();
    void zoomOut();
    // The first visible layer or frame, clamped; the range grows by itself
    // and shrinks only when forced. True when the scroll bar changed.
    bool updateLayerScroll(int firstLayer, bool force);
    bool updateFrameScroll(int firstFrame, bool force);
    // Re-clamps everything and repaints (one row when layer >= 0).
    void refreshView(int layer);
    void scrollTo(int firstLayer, int firstFrame, int cursorFrame);
    // The cursor to the frame under x of the object area; outside the area
    // the view follows.
    void setCursorFromPoint(int x);
    // With Shift held (and the range mode on) the range selection spans the
    // anchor and the frame; otherwise the anchor moves to the frame.
    void updateRangeSelect(int frame);
    void repaintView(bool layersChanged, bool framesChanged, bool cursorChanged, bool full, int layer);
    // The wheel over the object area or the ruler (area coordinates).
    void wheelView(int x, int y, int delta);

    // ---- The view as the object area reads it
    Edit::Scene& scene() const;
    int firstFrame() const;
    int firstLayer() const;
    int zoom() const;
    // Area coordinates: x from the area's left edge, y from the first
    // visible row's top.
    int frameAt(int x) const;
    int xAt(int frame) const;
    int layerAt(int y) const;
    // The object area's width (panel width less headers and bar).
    int areaWidth() const;
    // One draw scope over the whole panel, so that several parts painted
    // together show at once.
    DrawScope panelScope();

    // ---- Menus
    void showSceneMenu();
    // The tempo grid dialog; on OK the scene's tempo in one undo step.
    void showTempoDialog();
    void setTempoGrid();
    void setWaveform();
    // The scroll bar row above the ruler or below the area.
    void updateScrollBarLayout();

    // ---- Listeners
    void onSceneChange();
    void onFrameChange(int frame);
    void onPlayFrame(int frame);

    // ---- Display options (section "Edit")
    int displayLayerRange = 1;
    int tempoGrid = 0;
    int showMoveObjectTime = 1;
    int layerWheelMode = 0;
    int displayObjectNameFromHead = 0;
    int displayWaveform = 1;
    int hideObjectNameWaveform = 0;
    int displayAbsoluteWaveform = 0;
    int displayScrollBarUp = 0;
    int separateVideoAudio = 0;

    EditLayout layout;
    // Text placement from the panel font's line height: the layer names'
    // top in a header row, the object names' top in an area row.
    int layerTextTop = 0;
    int objectTextTop = 0;
    static constexpr int objectBoxTop = 6;

    // ---- Scroll state
    int visibleLayers = 0;
    int visibleFrames = 0;
    int layerRange = 0;
    int frameRange = 0;
    int lastCursorFrame = 0;

private:
    // The View menu's zoom items and switches reach the panel while it lives.
    void connectMenuCalls(bool connect);

    System::Config config_{"Edit"};
    System::Config::Int displayLayerRange_{config_, "DisplayLayerRange", &displayLayerRange, 1};
    System::Config::Int tempoGrid_{config_, "TempoGrid", &tempoGrid, 0};
    System::Config::Int showMoveObjectTime_{config_, "ShowMoveObjectTime", &showMoveObjectTime, 1};
    System::Config::Int layerWheelMode_{config_, "LayerWheelMode", &layerWheelMode, 0};
    System::Config::Int displayObjectNameFromHead_{config_, "DisplayObjectNameFromHead", &displayObjectNameFromHead,
                                                   0};
    System::Config::Int displayWaveform_{config_, "DisplayWaveform", &displayWaveform, 1};
    System::Config::Int hideObjectNameWaveform_{config_, "HideObjectNameWaveform", &hideObjectNameWaveform, 0};
    System::Config::Int displayAbsoluteWaveform_{config_, "DisplayAbsoluteWaveform", &displayAbsoluteWaveform, 0};
    System::Config::Int displayScrollBarUp_{config_, "displayScrollBarUp", &displayScrollBarUp, 0};
    System::Config::Int separateVideoAudio_{config_, "SeparateVideoAudio", &separateVideoAudio, 0};
    System::Config::Scope configScope_{config_};

public:
    // ---- Parts, in layout order
    Window::WindowControlOwner owner;
    Control::LayoutControl mainArea;
    Control::LayoutControl rulerRow;
    Control::LayoutControl body;
    Control::LayoutControl barRow;
    Control::ScrollBarControl verticalBar;
    Control::RectControl corner;
    SceneButtonControl sceneButton;
    TimeGaugeControl timeGauge;
    EditLayerHeaderControl layerHeader;
    EditLayerObjectControl objectArea;
    Control::ZoomGaugeControl zoomGauge;
    Control::ScrollBarControl horizontalBar;
};

}  // namespace Component
