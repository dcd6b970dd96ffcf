#include "dialogs/settings/CacheSizeDialog.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "dialogs/template/DialogItemValue.h"
#include "plugin/input/InputService.h"
#include "render/cache/CacheService.h"
#include "render/service/RenderService.h"

namespace Dialog {

bool CacheSizeDialog::show() {
    auto* settings = System::Singleton<Setting::SettingService>::getInstance();
    auto* caches = System::Singleton<Cache::CacheService>::getInstance();
    auto* inputs = System::Singleton<Plugin::InputService>::getInstance();
    auto* render = System::Singleton<Render::RenderService>::getInstance();
    // Without a reading of the installed memory the service keeps 16384.
    const int memory = settings ? settings->physicalMemorySize : 16384;
    const int videoLimit = settings ? settings->videoMemoryLimit : 65536;

    auto& image = addItem<DialogItemInteger>(L"画像キャッシュサイズ [MB]",
                                             caches ? caches->imageCache.getCacheSize() : 768, 100, memory);
    auto& audio = addItem<DialogItemInteger>(L"音声キャッシュサイズ [MB]",
                                             caches ? caches->audioCache.getCacheSize() : 64, 10, memory);
    auto& waveform = addItem<DialogItemInteger>(L"音声波形キャッシュサイズ [MB]",
                                                caches ? caches->waveformCache.getCacheSize() : 64, 10, memory);
    auto& model = addItem<DialogItemInteger>(L"モデルデータキャッシュサイズ [MB]",
                                             caches ? caches->modelCache.getCacheSize() : 64, 10, memory);
    auto& vram = addItem<DialogItemInteger>(L"VRAMデータキャッシュサイズ [MB]",
                                            caches ? caches->vramCache.getCacheSize() : 384, 0, videoLimit);
    auto& handles = addItem<DialogItemInteger>(L"ファイルハンドルキャッシュ数", inputs ? inputs->fileHandleMax : 20, 5, 200);
    auto& buffer = addItem<DialogItemInteger>(L"プレビュー再生のバッファリング時間 [ms]",
                                              render ? render->player.bufferTime : 500, 100, 30000);
    if (!create()) return false;

    if (caches) {
        caches->imageCache.setCacheSize(image.value);
        caches->audioCache.setCacheSize(audio.value);
        caches->waveformCache.setCacheSize(waveform.value);
        caches->modelCache.setCacheSize(model.value);
        caches->vramCache.setCacheSize(vram.value);
    }
    // The input service closes the least recently used files beyond the
    // limit under its cache lock: its workers open files meanwhile.
    if (inputs) inputs->setFileHandleMax(handles.value);
    if (render) render->player.bufferTime = buffer.value;
    return true;
}

}  // namespace Dialog
