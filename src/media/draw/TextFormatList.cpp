#include "media/draw/TextFormatList.h"

#include "media/resource/ResourceService.h"

namespace Resource {

namespace {

// The style key of each entry; the small control font has none.
constexpr const char* kKeys[TextFormatList::Count] = {"Control", nullptr,      "EditControl", "LayerObject",
                                                      "PreviewTime", "TimeGauge", "LevelMeter", "Footer",
                                                      "TextEdit", "Log"};

}  // namespace

TextFormatList::TextFormatList() {
    for (int i = 0; i < Count; ++i) {
        TextFormat::Generator generator;
        if (const char* key = kKeys[i]) {
            generator = [key](Platform::Cairo::TextFormat** out) { *out = TextFormat::createFromStyle(key).release(); };
        } else {
            generator = [this](Platform::Cairo::TextFormat** out) {
                const Platform::Cairo::TextFormat* control = (*this)[Control].get();
                *out = TextFormat::create(control->getFontFamilyName(), control->getFontSize() * 0.8f).release();
            };
        }
        formats_[i] = std::make_unique<TextFormat>(std::move(generator));
    }
}

FontResource::FontResource() {
    ResourceService* service = ResourceService::getInstance();
    fontList = service ? &service->textFormatList : nullptr;
}

}  // namespace Resource
