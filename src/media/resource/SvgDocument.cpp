#include "media/resource/SvgDocument.h"

#include "core/base/Exception.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "media/draw/RenderTargetDirect3D.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/resource/SvgColor.h"

#include <librsvg/rsvg.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace Media {

namespace {

constexpr const char* kPlace = "Media::SvgDocument::SvgDocument";
constexpr const char* kCreateCall = "Direct3DService::Get().d2dContext->CreateSvgDocument";
constexpr HRESULT kInvalidData = static_cast<HRESULT>(0x8007000D);

const xmlChar* xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// No document of ours may pull in anything from outside: external entities
// and DTDs resolve to nothing.
xmlParserInputPtr refuseExternal(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

void initializeParser() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternal);
    });
}

[[noreturn]] void throwInvalid(const std::string& message) {
    throw System::makeHResultException(kCreateCall, kPlace, kInvalidData, message.c_str());
}

std::string attribute(xmlNode* element, const char* name) {
    xmlChar* value = xmlGetProp(element, xml(name));
    if (!value) return {};
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

// The declarations of an inline style: (name, value) in order.
struct Declaration {
    std::string name;
    std::string value;
};

std::string trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::vector<Declaration> parseStyle(const std::string& style) {
    std::vector<Declaration> declarations;
    std::size_t start = 0;
    while (start <= style.size()) {
        std::size_t end = style.find(';', start);
        if (end == std::string::npos) end = style.size();
        const std::string piece = style.substr(start, end - start);
        const std::size_t colon = piece.find(':');
        if (colon != std::string::npos) declarations.push_back({trim(piece.substr(0, colon)), trim(piece.substr(colon + 1))});
        else if (!trim(piece).empty()) declarations.push_back({trim(piece), {}});
        start = end + 1;
    }
    return declarations;
}

std::string joinStyle(const std::vector<Declaration>& declarations) {
    std::string style;
    for (const Declaration& d : declarations) {
        if (!style.empty()) style += ';';
        style += d.value.empty() ? d.name : d.name + ':' + d.value;
    }
    return style;
}

// A paint that is a colour; "none", "currentColor", references and the
// like are not.
bool paintColor(const std::string& paint, SvgDocument::Color& color) {
    std::string value = paint;
    const std::size_t important = value.find("!important");
    if (important != std::string::npos) value = trim(value.substr(0, important));
    return Resource::parseSvgColor(value, color);
}

// Calls visit with every fill paint of the element (the attribute, then an
// inline style's); visit may return a replacement text.
template <class Visit>
bool forEachFill(xmlNode* element, Visit visit) {
    if (xmlHasProp(element, xml("fill"))) {
        std::string replacement;
        if (!visit(attribute(element, "fill"), replacement)) return false;
        if (!replacement.empty()) xmlSetProp(element, xml("fill"), xml(replacement.c_str()));
    }
    if (xmlHasProp(element, xml("style"))) {
        std::vector<Declaration> declarations = parseStyle(attribute(element, "style"));
        bool changed = false;
        for (Declaration& d : declarations) {
            if (d.name != "fill") continue;
            std::string replacement;
            if (!visit(d.value, replacement)) return false;
            if (!replacement.empty()) {
                d.value = replacement;
                changed = true;
            }
        }
        if (changed) xmlSetProp(element, xml("style"), xml(joinStyle(declarations).c_str()));
    }
    return true;
}

std::string readFile(const std::wstring& path) {
    const std::string name = System::String::toUtf8(path);
    FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) throw System::makeErrnoException("SHCreateStreamOnFileEx", kPlace, errno);
    std::string bytes;
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        bytes.append(block, got);
        if (bytes.size() > SvgDocument::maxFileSize) {
            std::fclose(file);
            throwInvalid("file too large.");
        }
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw System::makeErrnoException("SHCreateStreamOnFileEx", kPlace, EIO);
    return bytes;
}

struct HandleDeleter {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};
using Handle = std::unique_ptr<RsvgHandle, HandleDeleter>;

Handle makeHandle(const std::string& bytes) {
    GError* error = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(bytes.data()), bytes.size(), &error);
    if (!handle) {
        const std::string message = error ? error->message : "svg document invalid.";
        if (error) g_error_free(error);
        throwInvalid(message);
    }
    rsvg_handle_set_dpi(handle, 96.0);
    return Handle(handle);
}

}  // namespace

// Delegating, so the object counts as made before load runs: a load that
// throws still frees the parsed tree in the destructor.
SvgDocument::SvgDocument(const std::wstring& path) : SvgDocument() { load(readFile(path)); }

std::unique_ptr<SvgDocument> SvgDocument::fromData(const std::string& bytes) {
    std::unique_ptr<SvgDocument> document(new SvgDocument());
    if (bytes.size() > maxFileSize) throwInvalid("file too large.");
    document->load(bytes);
    return document;
}

SvgDocument::~SvgDocument() {
    if (document_) xmlFreeDoc(document_);
}

void SvgDocument::load(const std::string& bytes) {
    initializeParser();
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    if (!context) throw System::makeErrorCodeException(kPlace, 14);
    // Entities are expanded here, under the parser's amplification limits,
    // so that nothing downstream sees an entity declaration.
    document_ = xmlCtxtReadMemory(context, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                  XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    std::string message;
    if (!document_ || !context->wellFormed) {
        const xmlError* error = xmlCtxtGetLastError(context);
        message = error && error->message ? trim(error->message) : "svg document invalid.";
    }
    xmlFreeParserCtxt(context);
    if (!message.empty()) throwInvalid(message);

    xmlNode* top = xmlDocGetRootElement(document_);
    if (!top || std::strcmp(reinterpret_cast<const char*>(top->name), "svg") != 0)
        throwInvalid("root element is not svg.");
    for (xmlDtd* dtd : {document_->intSubset, document_->extSubset}) {
        if (!dtd) continue;
        xmlUnlinkNode(reinterpret_cast<xmlNode*>(dtd));
        xmlFreeDtd(dtd);
    }
    document_->intSubset = document_->extSubset = nullptr;
    // The renderer must accept the tree as well.
    makeHandle(serialize());

    Color recorded{0, 0, 0, 0};
    monochrome_ = checkMonochrome(top, recorded);
    if (recorded[3] == 0) xmlSetProp(top, xml("fill"), xml("#ffffff"));
    sized_ = xmlHasProp(top, xml("width")) || xmlHasProp(top, xml("height"));
}

xmlNode* SvgDocument::root() const { return xmlDocGetRootElement(document_); }

bool SvgDocument::checkMonochrome(xmlNode* element, Color& recorded) {
    const bool same = forEachFill(element, [&](const std::string& paint, std::string&) {
        Color color;
        if (!paintColor(paint, color)) return true;
        if (color[0] != recorded[0] || color[1] != recorded[1] || color[2] != recorded[2]) {
            if (recorded[3] > 0) return false;
            recorded = color;
        }
        return true;
    });
    if (!same) return false;
    for (xmlNode* child = element->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE && !checkMonochrome(child, recorded)) return false;
    return true;
}

void SvgDocument::setColor(xmlNode* element, const Color& color) {
    forEachFill(element, [&](const std::string& paint, std::string& replacement) {
        Color own;
        if (paintColor(paint, own)) replacement = Resource::formatSvgColor({color[0], color[1], color[2], own[3]});
        return true;
    });
    for (xmlNode* child = element->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE) setColor(child, color);
}

void SvgDocument::setSize(float width, float height) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(width));
    xmlSetProp(root(), xml("width"), xml(text));
    std::snprintf(text, sizeof text, "%g", static_cast<double>(height));
    xmlSetProp(root(), xml("height"), xml(text));
}

std::string SvgDocument::serialize() const {
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(document_, &text, &size, "UTF-8");
    if (!text) throw System::makeErrorCodeException(kPlace, 14);
    std::string bytes(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
    xmlFree(text);
    return bytes;
}

void SvgDocument::draw(cairo_t* cr, UINT width, UINT height) const {
    const Handle handle = makeHandle(serialize());
    const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
    GError* error = nullptr;
    if (!rsvg_handle_render_document(handle.get(), cr, &viewport, &error)) {
        const std::string message = error ? error->message : "svg document not drawn.";
        if (error) g_error_free(error);
        throw System::makeHResultException("context->DrawSvgDocument", "Media::SvgDocument::renderToBuffer",
                                           kInvalidData, message.c_str());
    }
}

bool SvgDocument::isSvgFile(const wchar_t* path) { return System::FileName::getExtension(path) == L"svg"; }

bool SvgDocument::canLoadFile(const std::wstring& path) {
    try {
        SvgDocument document(path);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::unique_ptr<ResourceBuffer> SvgDocument::renderToBuffer(const std::wstring& path, UINT width, UINT height,
                                                            const Color& color, int format) {
    if (format == 0) format = Direct3DService::Get().pixelFormat;
    auto buffer = std::make_unique<ResourceBuffer>(width, height, format);
    RenderTargetDirect3D target = buffer->getSurface();
    target.beginDraw();
    try {
        SvgDocument document(path);
        if (document.isMonochrome()) setColor(document.root(), color);
        if (document.isSized()) document.setSize(static_cast<float>(width), static_cast<float>(height));
        document.draw(target.context().cairo(), width, height);
    } catch (const std::exception&) {
        // Already logged when the exception was made; the lock is left by
        // the target.
        return nullptr;
    }
    target.endDraw();
    return buffer;
}

}  // namespace Media
