#pragma once
// The player row along the bottom of the preview window: the time
// counter, the track bar over the scene's frames, eight buttons (play or
// pause, stop, previous and next frame, previous and next section, range
// start and end), the volume and the zoom button, and a menu of the
// playback commands. It drives the player and the cursor and follows them
// through the event lists.
// User-interface thread only.
#include "core/event/EventInstance.h"
#include "edit/service/EditInstance.h"
#include "panels/preview/PlayerRange.h"
#include "panels/preview/TimeCounterControl.h"
#include "panels/preview/ZoomButtonControl.h"
#include "window/WindowControlOwner.h"
#include "window/WindowControlRenderTarget.h"
#include "window/WindowMenuEntry.h"
#include "window/controls/IconButtonControl.h"
#include "window/controls/LayoutControl.h"
#include "window/controls/RepeatClickButtonControl.h"
#include "window/controls/TrackBarControl.h"
#include "window/controls/VolulmeButtonControl.h"

#include <functional>

namespace Media {
class XAudio2Service;
}
namespace Render {
class MoviePlayer;
}

namespace Component {

class PreviewControl;

class PlayerNavigateControl : public Window::WindowControlRenderTarget, public Edit::EditInstance,
                              public Event::EventInstance {
public:
    // height: the row's height P ("PlayerControlHeight").
    PlayerNavigateControl(Window::WindowControlOwner& owner, int height, Render::MoviePlayer& player,
                          Media::XAudio2Service* audio, PreviewControl& preview);
    ~PlayerNavigateControl() override;

    void procPaint() override;
    void procMove() override;
    void procContextMenu(int x, int y) override;

    // The track bar and the counter from the scene, then the buttons.
    void updateState();
    // The enabled flags of the frame and section buttons.
    void updateButtons();

    // The range buttons and the menu's clear item.
    void setRangeStart();
    void setRangeEnd();
    void clearRange();

    // The playback menu's entries.
    Window::MenuEntries playbackMenu();

    Render::MoviePlayer& player;
    Window::WindowControlOwner inner;
    Control::LayoutControl area;
    TimeCounterControl counter;
    Control::TrackBarControl trackBar;
    Control::LayoutControl buttonArea;
    Control::IconButtonControl playButton;
    Control::IconButtonControl stopButton;
    Control::RepeatClickButtonControl previousFrameButton;
    Control::RepeatClickButtonControl nextFrameButton;
    Control::IconButtonControl previousSectionButton;
    Control::IconButtonControl nextSectionButton;
    Control::IconButtonControl rangeStartButton;
    Control::IconButtonControl rangeEndButton;
    Control::LayoutControl rightArea;
    VolulmeButtonControl volumeButton;
    ZoomButtonControl zoomButton;

private:
    void bindActions();
    void applyRange(FrameRange range);
    void showPlaying(bool playing);
};

}  // namespace Component
