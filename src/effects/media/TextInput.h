#pragma once
// テキスト: a block of text in a font, size, colours, decoration and
// alignment, revealed character by character at a display speed, with the
// control tags of the text layout and inline <? ?> scripts, drawn as one
// picture or as one object per character (optionally along the object's
// motion path). Text files dropped on it become its text.
#include "effect/item/EffectItemCheck.h"
#include "effect/item/EffectItemColor.h"
#include "effect/item/EffectItemNumber.h"
#include "effect/item/EffectItemSelect.h"
#include "effect/item/EffectItemText.h"
#include "effects/base/BuiltinClass.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Media {
class TextDraw;
}

namespace Effect {

class TextInput : public BuiltinClass<TextInput> {
public:
    static constexpr const wchar_t* Name = L"テキスト";
    TextInput();

    // Runs an inline script (its mes calls make the result); throws on
    // failure, and without a context (no render target to reach). Installed
    // by the script language once it is loaded; none: every block fails as
    // a run of a missing language does.
    using InlineScriptRunner = std::function<std::wstring(const std::wstring& code, Render::ObjectContext* context)>;
    static void setInlineScriptRunner(InlineScriptRunner runner);

    void inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) override;
    // The text itself, shortened and with control characters shown plainly
    // where needed; the kind's name while the text is empty.
    const wchar_t* getDisplayName() const override;
    bool effectEvent(EffectEvent& event) override;
    bool isSupportedFile(const wchar_t* path) const override;
    void updateItemVisible() override;

    // One layout of the text: the text as drawn (inline scripts replaced)
    // and the layout over it, which reads that text while it lives.
    struct Layout {
        std::wstring text;
        std::unique_ptr<Media::TextDraw> draw;
        Layout();
        ~Layout();
        Layout(const Layout&) = delete;
        Layout& operator=(const Layout&) = delete;
    };
    // The layout at the context's frame, or without one (first values,
    // elapsed time 0, inline scripts without their render target).
    void setupTextDraw(Layout& layout, Render::ObjectContext* context) const;
    // The text an inline script gives; a failure is logged and gives none.
    std::wstring expandScript(const std::wstring& script, Render::ObjectContext* context) const;
    // The text with each inline script block replaced by its result.
    std::wstring expandText(const std::wstring& text, Render::ObjectContext* context) const;
    // Fits the object's length to the time its text takes to appear.
    bool fitObjectLength(EffectEvent& event);
    // The file's text: UTF-8 when it is valid UTF-8, else the legacy code
    // page; line breaks become line feeds. False (text untouched) when the
    // file cannot be read or is valid in neither.
    static bool loadTextFile(const wchar_t* path, std::wstring& text);

    EffectItemNumber size;
    EffectItemNumber characterSpacing;
    EffectItemNumber lineSpacing;
    EffectItemNumber displaySpeed;
    EffectItemFontSelect font;
    EffectItemColor textColor;
    EffectItemColor decorationColor;
    EffectItemSelectButton decoration;
    EffectItemSelectButton alignment;
    EffectItemCheckButton bold;
    EffectItemCheckButton italic;
    EffectItemText text;
    EffectItemCheck separateCharacters;
    EffectItemCheck alongPath;
    EffectItemCheck fitLength;

private:
    // Per-character output (TextCharacters.cpp).
    void drawCharacters(Render::ObjectContext& context, Media::TextDraw& draw) const;
    void outputCharacter(Render::ObjectContext& context, std::unique_ptr<Media::ResourceBuffer> image,
                         std::int32_t index, float time, float x, float y, float z) const;
    struct PathSpan {
        float length;
        float offset;
        bool vertical;
    };
    void outputCharacterOnPath(Render::ObjectContext& context, const PathSpan& span,
                               std::unique_ptr<Media::ResourceBuffer> image, std::int32_t index, float time,
                               float x, float y, float z) const;

    mutable std::wstring label_;
    mutable std::wstring labelSource_;
};

}  // namespace Effect
