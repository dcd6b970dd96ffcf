#pragma once
// The volume button of the player row: dragging on it sets the player's
// volume (0..100 percent), applied at once to the sound being played, and
// shows it as "80%" beside the button.
#include "window/controls/SliderButtonControl.h"

namespace Media {
class XAudio2Service;
}
namespace Render {
class MoviePlayer;
}

namespace Component {

class VolulmeButtonControl : public SliderButtonControl {
public:
    // audio may be null (no sound device): the volume is then only stored.
    VolulmeButtonControl(Window::WindowControlOwner& owner, int left, int top, int right, int bottom,
                         Render::MoviePlayer& player, Media::XAudio2Service* audio);
    VolulmeButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom,
                         Render::MoviePlayer& player, Media::XAudio2Service* audio);

    int getValue() override;
    std::wstring getValueText() override;
    void changeValue(int start, int delta) override;
    // The volume menu: 0 to 100 % in steps of 10.
    void procContextMenu(int x, int y) override;
    void procCaptureLost() override;
    // Stores the volume and applies it to the sound being played.
    void setVolume(int value);

    Render::MoviePlayer& player;
    Media::XAudio2Service* audio;
};

}  // namespace Component
