#pragma once
// The writers' own settings dialogs, which the dialog layer fills while
// the windows exist. A writer whose slot is empty keeps the base's
// answer ("not implement."). User-interface thread only.
#include <functional>
#include <string>

namespace Plugin {

struct WriterSettingCalls {
    // The AVI writer's pixel and sample forms, titled with the writer's
    // name over the save dialog (owner: its toolkit window); true with the
    // chosen names stored on OK.
    std::function<bool(const std::wstring& title, void* owner, std::wstring& video, std::wstring& audio)> aviFormat;
};

WriterSettingCalls& writerSettingCalls();

}  // namespace Plugin
