#include "media/draw/FontDefine.h"

namespace Media {

FontDefine::FontDefine(const std::wstring& name, int order, bool visible,
                       std::shared_ptr<const Platform::Font::Font> font)
    : MenuDefineBase("Font", name, order, L"", visible), name(name), font(std::move(font)) {}

}  // namespace Media
