#include "effect/registry/MediaSources.h"

#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "effect/item/EffectItemSelect.h"
#include "effect/item/EffectItemYUV.h"
#include "media/draw/Direct2DService.h"
#include "media/image/YUVformat.h"

#include <exception>
#include <memory>

namespace Effect {

void connectMediaSources() {
    EffectItemFontSelect::setFontSource([](std::vector<std::wstring>& names, std::wstring& defaultName) {
        const auto* drawing = System::Singleton<Media::Direct2DService>::getInstance();
        if (!drawing) return;
        // The style's family may be one this machine knows only by an alias
        // (a Windows family): the default is the font the alias gives.
        std::shared_ptr<const Platform::Font::Font> fallback;
        try {
            fallback = drawing->fontManager.getFont(Setting::DefaultFamily, false, false);
        } catch (const std::exception&) {
        }
        defaultName = Setting::DefaultFamily;
        bool named = false;
        std::wstring aliased;
        for (const Media::FontDefine* font : drawing->fontManager.getFontListByName()) {
            names.push_back(font->name);
            named = named || font->name == Setting::DefaultFamily;
            if (aliased.empty() && fallback && font->font->file == fallback->file && font->font->index == fallback->index)
                aliased = font->name;
        }
        if (!named && !aliased.empty()) defaultName = aliased;
    });
    EffectItemYUV::setColorSpaceNames([] {
        std::vector<std::wstring> names;
        for (const Media::YUVformat::ColorEntry& entry : Media::YUVformat::getYUV2RGBTable().entries)
            names.push_back(entry.name);
        return names;
    });
}

}  // namespace Effect
