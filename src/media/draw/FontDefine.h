#pragma once
// One font the user can choose: a menu definition in the section "Font"
// (label, order and hide kept in the main settings file) holding the font
// registered under its name.
#include "core/file/MenuDefineBase.h"
#include "platform/font/FontCollection.h"

#include <memory>
#include <string>

namespace Media {

class FontDefine final : public Menu::MenuDefineBase {
public:
    FontDefine(const std::wstring& name, int order, bool visible, std::shared_ptr<const Platform::Font::Font> font);
    ~FontDefine() = default;

    const wchar_t* getName() const override { return name.c_str(); }

    const std::wstring name;
    const std::shared_ptr<const Platform::Font::Font> font;
};

}  // namespace Media
