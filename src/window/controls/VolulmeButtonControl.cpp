#include "window/controls/VolulmeButtonControl.h"

#include "media/audio/XAudio2Service.h"
#include "render/player/MoviePlayer.h"
#include "window/ToolTips.h"
#include "window/WindowMenuEntry.h"

#include <cwchar>

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
    setVolume(static_cast<int>(std::clamp(wanted, 0LL, 100LL)));
}

void VolulmeButtonControl::setVolume(int value) {
    player.volume = value;
    if (audio) audio->setVolume(value);
}

void VolulmeButtonControl::procContextMenu(int, int) {
    const Window::PopupMenuCall& show = Window::popupMenuCall();
    if (!show) return;
    Window::MenuEntries menu;
    for (int value = 0; value <= 100; value += 10) {
        wchar_t label[16];
        std::swprintf(label, 16, L"%d%%", value);
        menu.push_back({Window::MenuEntry::Kind::Radio, label, true, value == player.volume,
                        [this, value] { setVolume(value); }, {}});
    }
    show(window, menu);
}

void VolulmeButtonControl::procCaptureLost() {
    SliderButtonControl::procCaptureLost();
    Window::ToolTips::hide();
}

}  // namespace Component
