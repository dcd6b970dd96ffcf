#pragma once
// The writers' own settings dialogs, which the dialog layer fills while
// the windows exist. A writer whose slot is empty keeps the base's
// answer ("not implement."); the JPEG writer asks through the number
// question of the dialog seam. User-interface thread only.
#include <functional>
#include <string>

namespace Plugin {

struct WriterSettingCalls {
    // The AVI writer's pixel and sample forms, titled with the writer's
    // name over the save dialog (owner: its toolkit window); true with the
    // chosen names stored on OK.
    std::function<bool(const std::wstring& title, void* owner, std::wstring& video, std::wstring& audio)> aviFormat;
    // The PNG writer's pictures with or without alpha: a menu of the two
    // at the pointer; transparent changes when one is picked.
    std::function<void(int& transparent)> pngTransparency;
    // The sequence writer's PNG transparency (0 or 1) and JPEG quality
    // (1 to 100); true with both stored on OK.
    std::function<bool(const std::wstring& title, void* owner, int& transparent, int& quality)> imageSaveSetting;
};

WriterSettingCalls& writerSettingCalls();

}  // namespace Plugin
