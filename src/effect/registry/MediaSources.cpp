#include "effect/registry/MediaSources.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "effect/item/EffectItemSelect.h"
#include "effect/item/EffectItemYUV.h"
#include "media/draw/Direct2DService.h"
#include "media/image/YUVformat.h"

namespace Effect {

void connectMediaSources() {
    EffectItemFontSelect::setFontSource([](std::vector<std::wstring>& names, std::wstring& defaultName) {
        const auto* drawing = System::Singleton<Media::Direct2DService>::getInstance();
        if (!drawing) return;
        for (const Media::FontDefine* font : drawing->fontManager.getFontListByName()) names.push_back(font->name);
        defaultName = Setting::DefaultFamily;
    });
    EffectItemYUV::setColorSpaceNames([] {
        std::vector<std::wstring> names;
        for (const Media::YUVformat::ColorEntry& entry : Media::YUVformat::getYUV2RGBTable().entries)
            names.push_back(entry.name);
        return names;
    });
}

}  // namespace Effect
