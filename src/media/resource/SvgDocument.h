#pragma once
// An SVG file drawn as a figure. The document is read as XML (no network,
// no external entities, no DTD kept, entity expansion bounded by the
// parser's amplification check), checked for a single fill colour and
// recoloured in the tree, then drawn by the SVG renderer at any size. The
// renderer gets the tree as bytes without a base location, so it fetches
// no external resource either.
//
// A drawing whose colour fills all use one colour is monochrome: it takes
// the colour the user chose for the figure; other drawings keep theirs.
// Only "fill" counts (as an attribute or in an inline "style"); strokes,
// gradients and references are ignored.
#include "platform/WinTypes.h"

#include <array>
#include <memory>
#include <string>

typedef struct _cairo cairo_t;
typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;

namespace Media {

class ResourceBuffer;

class SvgDocument {
public:
    using Color = std::array<float, 4>;

    // Loads the file; throws "SHCreateStreamOnFileEx" when it cannot be
    // read and "Direct3DService::Get().d2dContext->CreateSvgDocument" when
    // it is no drawable SVG, both at Media::SvgDocument::SvgDocument.
    explicit SvgDocument(const std::wstring& path);
    // The same from the file's bytes.
    static std::unique_ptr<SvgDocument> fromData(const std::string& bytes);
    ~SvgDocument();
    SvgDocument(const SvgDocument&) = delete;
    SvgDocument& operator=(const SvgDocument&) = delete;

    bool isMonochrome() const { return monochrome_; }
    bool isSized() const { return sized_; }
    xmlNode* root() const;

    // False when a colour fill differs from the recorded one after an
    // opaque-enough one was recorded; records the first colour seen.
    static bool checkMonochrome(xmlNode* element, Color& recorded);
    // Every colour fill of the element and its descendants becomes the
    // colour, each keeping its own alpha.
    static void setColor(xmlNode* element, const Color& color);
    // The root's "width" and "height".
    void setSize(float width, float height);
    // Draws the document into the viewport (0, 0, width, height).
    void draw(cairo_t* cr, UINT width, UINT height) const;
    // The tree as the renderer reads it.
    std::string serialize() const;

    static bool isSvgFile(const wchar_t* path);
    static bool canLoadFile(const std::wstring& path);
    // The file drawn at width x height (recoloured when monochrome) into a
    // new buffer of the format (0: the pixel format); null when the file
    // cannot be drawn.
    static std::unique_ptr<ResourceBuffer> renderToBuffer(const std::wstring& path, UINT width, UINT height,
                                                          const Color& color, int format);

    // Files larger than this are refused unread.
    static constexpr std::size_t maxFileSize = 64u << 20;

private:
    SvgDocument() = default;
    void load(const std::string& bytes);

    xmlDoc* document_ = nullptr;
    bool monochrome_ = false;
    bool sized_ = false;
};

}  // namespace Media
