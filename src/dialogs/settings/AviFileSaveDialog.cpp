#include "dialogs/settings/AviFileSaveDialog.h"

#include "dialogs/template/DialogItemValue.h"

namespace Dialog {

bool AviFileSaveDialog::show(Platform::WindowHandle owner, std::wstring& video, std::wstring& audio) {
    auto& videoRow = addItem<DialogItemListBox>(L"Video", 0);
    for (const wchar_t* name : {L"RGB24bit", L"RGBA32bit", L"YUY2"}) videoRow.addItem(name);
    videoRow.select(video.c_str());
    auto& audioRow = addItem<DialogItemListBox>(L"Audio", 0);
    for (const wchar_t* name : {L"PCM16bit", L"PCM(float)32bit"}) audioRow.addItem(name);
    audioRow.select(audio.c_str());
    if (!create(0, owner)) return false;
    video = videoRow.choices[static_cast<std::size_t>(videoRow.selected)];
    audio = audioRow.choices[static_cast<std::size_t>(audioRow.selected)];
    return true;
}

}  // namespace Dialog
