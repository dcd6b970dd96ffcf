#include "media/draw/TextLayout.h"

#include "core/base/Exception.h"

#include <algorithm>
#include <cwchar>

namespace Resource {

namespace {
constexpr float kMaxExtent = 65536.0f;
constexpr HRESULT kInvalidPointer = static_cast<HRESULT>(0x80004003);
}  // namespace

TextLayout::TextLayout(Platform::Cairo::TextFormat* format, const wchar_t* text, std::size_t length) {
    layout_.set(create(format, text, length).release());
}

std::unique_ptr<Platform::Cairo::TextLayout> TextLayout::create(Platform::Cairo::TextFormat* format,
                                                                const wchar_t* text, std::size_t length) {
    if (!format || !text)
        throw System::makeHResultException("Direct2DService::Get().writeFactory->CreateTextLayout",
                                           "Resource::TextLayout::create", kInvalidPointer);
    const std::wstring whole(text, length ? length : std::wcslen(text));
    return std::make_unique<Platform::Cairo::TextLayout>(*format, whole, kMaxExtent, kMaxExtent);
}

void TextLayout::setTrimming(float maxWidth, const Platform::Cairo::TrimmingSign* sign) {
    get()->setTrimming(sign);
    get()->setMaxWidth(std::max(maxWidth, 0.0f));
}

}  // namespace Resource
