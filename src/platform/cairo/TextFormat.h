#pragma once
// How text is set: a font (family, size in pixels, weight, style, stretch),
// word wrapping and alignment. Layouts are made from it (TextLayout.h). The
// family is resolved by fontconfig when text is laid out, so aliases of
// family names apply. Plain data: any thread may hold one.
#include "platform/font/FontCollection.h"

#include <string>

typedef struct _PangoFontDescription PangoFontDescription;

namespace Platform::Cairo {

enum class WordWrapping { Wrap, NoWrap };
enum class TextAlignment { Leading, Trailing, Center };
enum class ParagraphAlignment { Near, Far, Center };

class TextFormat {
public:
    // A size that is not a positive number throws the program's HRESULT
    // exception (invalid argument) with the call and place given.
    TextFormat(const std::wstring& family, float size, int weight, Font::Style style, int stretch,
               const char* call, const char* place);
    ~TextFormat();
    TextFormat(const TextFormat&) = delete;
    TextFormat& operator=(const TextFormat&) = delete;

    const std::wstring& getFontFamilyName() const { return family_; }
    float getFontSize() const { return size_; }
    int getFontWeight() const { return weight_; }

    WordWrapping getWordWrapping() const { return wrapping_; }
    void setWordWrapping(WordWrapping wrapping) { wrapping_ = wrapping; }
    TextAlignment getTextAlignment() const { return textAlignment_; }
    void setTextAlignment(TextAlignment alignment) { textAlignment_ = alignment; }
    ParagraphAlignment getParagraphAlignment() const { return paragraphAlignment_; }
    void setParagraphAlignment(ParagraphAlignment alignment) { paragraphAlignment_ = alignment; }

    const PangoFontDescription* description() const { return description_; }

private:
    std::wstring family_;
    float size_;
    int weight_;
    PangoFontDescription* description_;
    WordWrapping wrapping_ = WordWrapping::Wrap;
    TextAlignment textAlignment_ = TextAlignment::Leading;
    ParagraphAlignment paragraphAlignment_ = ParagraphAlignment::Near;
};

// The sign a layout shows where trimming cuts its text: an ellipsis.
class TrimmingSign {
public:
    explicit TrimmingSign(const TextFormat& format) : format_(&format) {}
    const TextFormat& format() const { return *format_; }

private:
    const TextFormat* format_;
};

}  // namespace Platform::Cairo
