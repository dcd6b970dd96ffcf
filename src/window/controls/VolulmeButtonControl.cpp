#include "window/controls/VolulmeButtonControl.h"

#include "media/audio/XAudio2Service.h"
#include "render/player/MoviePlayer.h"

#include <algorithm>

namespace Component {

VolulmeButtonControl::VolulmeButtonControl(Window::WindowControlOwner& owner, int left, int top, int right,
                                           int bottom, Render::MoviePlayer& player, Media::XAudio2Service* audio)
    : SliderButtonControl(owner, left, top, right, bottom), player(player), audio(audio) {}

VolulmeButtonControl::VolulmeButtonControl(Window::WindowControl& parent, int left, int top, int right, int bottom,
                                           Render::MoviePlayer& player, Media::XAudio2Service* audio)
    : SliderButtonControl(parent, left, top, right, bottom), player(player), audio(audio) {}

int VolulmeButtonControl::getValue() { return player.volume; }

std::wstring VolulmeButtonControl::getValueText() { return std::to_wstring(player.volume) + L"%"; }

void VolulmeButtonControl::changeValue(int start, int delta) {
    const long long wanted = static_cast<long long>(start) + delta;
    const int value = static_cast<int>(std::clamp(wanted, 0LL, 100LL));
    player.volume = value;
    if (audio) audio->setVolume(value);
}

}  // namespace Component
