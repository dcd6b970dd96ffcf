#include "media/resource/ResourceService.h"
#include "media/model/ModelLoaderObj.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "media/gpu/Direct3DService.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace Media {

namespace {

constexpr const char* kLoadPlace = "Media::ModelLoaderObj::loadFromFile";

bool isImageExtension(const std::wstring& extension) {
    static const wchar_t* const known[] = {L"png", L"jpg", L"jpeg", L"bmp", L"gif",
                                           L"tif", L"tiff", L"webp", L"tga"};
    return std::any_of(std::begin(known), std::end(known),
                       [&](const wchar_t* e) { return extension == e; });
}

std::atomic<ModelLoaderObj::ExtensionTest> textureExtensionTest{&isImageExtension};

bool aboveSpace(char c) { return static_cast<unsigned char>(c) > ' '; }

// The keyword (characters above the space after leading spaces and tabs)
// and the rest after it, one space skipped.
void splitLine(const std::string& line, std::string& keyword, std::string& rest) {
    std::size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    const std::size_t start = at;
    while (at < line.size() && aboveSpace(line[at])) ++at;
    keyword = line.substr(start, at - start);
    if (at < line.size() && line[at] == ' ') ++at;
    rest = line.substr(at);
}

// Tokens split at spaces; the list ends at the first empty token, so a tab
// or any other control character ends it.
std::vector<std::string> tokensOf(const std::string& rest) {
    std::vector<std::string> tokens;
    std::size_t at = 0;
    for (;;) {
        while (at < rest.size() && rest[at] == ' ') ++at;
        const std::size_t start = at;
        while (at < rest.size() && aboveSpace(rest[at])) ++at;
        if (at == start) break;
        tokens.push_back(rest.substr(start, at - start));
    }
    return tokens;
}

// std::stof, refusing values that are no finite number.
float number(const std::string& text) {
    const float value = std::stof(text);
    if (!std::isfinite(value)) throw std::out_of_range("stof");
    return value;
}

std::string withoutTrailingControls(std::string text) {
    while (!text.empty() && !aboveSpace(text.back())) text.pop_back();
    return text;
}

// File names in the files are UTF-8, or the legacy code page when not.
std::wstring fileNameOf(const std::string& name) {
    return System::String::isValidUtf8(name) ? System::String::toWide(name)
                                             : System::String::legacyToWide(name);
}

std::filesystem::path pathOf(const std::wstring& path) {
    return std::filesystem::path(System::String::toUtf8(path));
}

// The 0-based index of a 1-based or relative (negative) one among count
// items read so far; 0 gives -1, which no list holds.
int resolve(int index, std::size_t count) {
    if (index > 0) return index - 1;
    if (index < 0) return static_cast<int>(static_cast<long long>(count) + index);
    return -1;
}

// The parse position, for the ERROR line of a parsing failure.
struct ParseError : std::runtime_error {
    ParseError(const std::string& file, int line, const char* what)
        : std::runtime_error(file + "(" + std::to_string(line) + "): " + what) {}
};

}  // namespace

void ModelLoaderObj::setTextureExtensionTest(ExtensionTest test) {
    textureExtensionTest.store(test ? test : &isImageExtension);
}

std::shared_ptr<ModelBuffer> ModelLoaderObj::loadFromFile(const std::wstring& path, bool flip) {
    std::wstring expanded = path;
    if (expanded.starts_with(L"%")) System::FileName::expandVariable(expanded);
    std::ifstream in(pathOf(expanded), std::ios::binary);
    if (!in) throw System::makeException(kLoadPlace, "obj file read failed");
    ModelLoaderObj loader(flip);
    std::wstring folder = System::FileName::getDirectory(expanded);
    if (!folder.empty() && folder.back() != L'/' && folder.back() != L'\\') folder += L'/';
    loader.baseFolder_ = System::String::toUtf8(folder);
    const std::string file = System::String::toUtf8(expanded);
    std::string line;
    int number = 0;
    try {
        while (std::getline(in, line)) {
            ++number;
            std::string keyword, rest;
            splitLine(line, keyword, rest);
            if (!keyword.empty()) loader.parseObjectLine(keyword, rest);
        }
    } catch (const std::invalid_argument& e) {
        System::Log::error(kLoadPlace, "%s(%d): invalid number (%s)", file.c_str(), number, e.what());
        throw;
    } catch (const std::out_of_range& e) {
        System::Log::error(kLoadPlace, "%s(%d): number out of range (%s)", file.c_str(), number,
                           e.what());
        throw;
    }
    return loader.build();
}

void ModelLoaderObj::parseObjectLine(const std::string& keyword, const std::string& rest) {
    if (keyword == "v" || keyword == "vn") {
        const auto tokens = tokensOf(rest);
        if (tokens.size() < 3) return;
        (keyword == "v" ? positions_ : normals_)
            .push_back({number(tokens[0]), -number(tokens[1]), number(tokens[2])});
    } else if (keyword == "vt") {
        const auto tokens = tokensOf(rest);
        if (tokens.size() < 2) return;
        textureCoordinates_.push_back({number(tokens[0]), number(tokens[1])});
    } else if (keyword == "f") {
        parseFace(tokensOf(rest));
    } else if (keyword == "g") {
        if (tokensOf(rest).empty()) return;
        if (currentGroup_ < 0 || !groups_[static_cast<std::size_t>(currentGroup_)].indices.empty()) {
            groups_.emplace_back();
            currentGroup_ = static_cast<int>(groups_.size()) - 1;
        }
    } else if (keyword == "usemtl") {
        const auto tokens = tokensOf(rest);
        if (tokens.empty()) return;
        if (currentGroup_ < 0 || !groups_[static_cast<std::size_t>(currentGroup_)].indices.empty()) {
            groups_.emplace_back();
            currentGroup_ = static_cast<int>(groups_.size()) - 1;
        }
        groups_[static_cast<std::size_t>(currentGroup_)].material = tokens[0];
    } else if (keyword == "mtllib") {
        parseMaterial(withoutTrailingControls(rest));
    }
}

void ModelLoaderObj::parseFace(const std::vector<std::string>& tokens) {
    if (currentGroup_ < 0) {
        groups_.emplace_back();
        currentGroup_ = static_cast<int>(groups_.size()) - 1;
    }
    if (tokens.size() < 3) return;
    std::vector<Index> corners;
    corners.reserve(tokens.size());
    for (const auto& token : tokens) corners.push_back(parseFaceVertex(token));
    auto& indices = groups_[static_cast<std::size_t>(currentGroup_)].indices;
    for (std::size_t i = 0; i + 2 < corners.size(); ++i) {
        indices.push_back(corners[0]);
        indices.push_back(corners[i + 1]);
        indices.push_back(corners[i + 2]);
    }
}

ModelLoaderObj::Index ModelLoaderObj::parseFaceVertex(const std::string& token) const {
    // Fields end at '/' or a control character; an empty one is absent.
    std::vector<std::string> fields(1);
    for (char c : token) {
        if (c == '/') {
            fields.emplace_back();
            if (fields.size() > 3) break;
        } else if (aboveSpace(c)) {
            fields.back() += c;
        } else {
            break;
        }
    }
    fields.resize(std::min<std::size_t>(fields.size(), 3));
    Index index{resolve(std::stoi(fields[0]), positions_.size()), kNone, kNone};
    if (fields.size() > 1 && !fields[1].empty())
        index.texture = resolve(std::stoi(fields[1]), textureCoordinates_.size());
    if (fields.size() > 2 && !fields[2].empty())
        index.normal = resolve(std::stoi(fields[2]), normals_.size());
    return index;
}

void ModelLoaderObj::parseMaterial(const std::string& name) {
    const std::wstring path = System::String::toWide(baseFolder_) + fileNameOf(name);
    std::ifstream in(pathOf(path), std::ios::binary);
    if (!in) throw System::makeException("Media::ModelLoaderObj::parseMaterial", "mtllib file read failed");
    currentMaterial_ = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        std::string keyword, rest;
        splitLine(line, keyword, rest);
        if (!keyword.empty()) parseMaterialLine(keyword, rest);
    }
}

void ModelLoaderObj::parseMaterialLine(const std::string& keyword, const std::string& rest) {
    // The keyword is matched first: other lines (disp, decal, Ka ...) are
    // never read as numbers.
    if (keyword == "newmtl") {
        parseMaterialNew(tokensOf(rest));
    } else if (keyword == "Kd") {
        parseMaterialK(tokensOf(rest));
    } else if (keyword == "d") {
        getCurrentMaterial().a = number(rest);
    } else if (keyword == "Tr") {
        getCurrentMaterial().a = 1.0f - number(rest);
    } else if (keyword == "map_Kd") {
        Material& material = getCurrentMaterial();
        std::string text = rest;
        parseMaterialMapOption(text);
        material.textureFile = withoutTrailingControls(text);
    }
}

void ModelLoaderObj::parseMaterialNew(const std::vector<std::string>& tokens) {
    if (tokens.empty())
        throw System::makeException("Media::ModelLoaderObj::parseMaterialNew", "invalid newmtl params");
    currentMaterial_ = &materials_[tokens[0]];
}

void ModelLoaderObj::parseMaterialK(const std::vector<std::string>& tokens) {
    if (tokens.size() < 3)
        throw System::makeException("Media::ModelLoaderObj::parseMaterialK", "invalid Kd params");
    Material& material = getCurrentMaterial();
    material.r = number(tokens[0]);
    material.g = number(tokens[1]);
    material.b = number(tokens[2]);
}

void ModelLoaderObj::parseMaterialMapOption(std::string& rest) {
    auto skipSpaces = [&](std::size_t& at) {
        while (at < rest.size() && rest[at] == ' ') ++at;
    };
    std::size_t at = 0;
    skipSpaces(at);
    while (at < rest.size() && rest[at] == '-') {
        ++at;
        skipSpaces(at);
        const std::size_t start = at;
        while (at < rest.size() && aboveSpace(rest[at])) ++at;
        const std::string option = rest.substr(start, at - start);
        if (option != "o" && option != "s" && option != "t")
            throw System::makeException("Media::ModelLoaderObj::parseMaterialMapOption",
                                        "invalid map option");
        // Up to three numbers, read and dropped.
        for (int i = 0; i < 3; ++i) {
            skipSpaces(at);
            const char* begin = rest.c_str() + at;
            char* end = nullptr;
            std::strtof(begin, &end);
            if (end == begin) break;
            at += static_cast<std::size_t>(end - begin);
        }
        skipSpaces(at);
    }
    rest.erase(0, at);
}

ModelLoaderObj::Material& ModelLoaderObj::getCurrentMaterial() {
    if (!currentMaterial_)
        throw System::makeException("Media::ModelLoaderObj::getCurrentMaterial", "invalid material");
    return *currentMaterial_;
}

std::shared_ptr<ModelBuffer> ModelLoaderObj::build() {
    if (groups_.empty()) throw System::makeException(kLoadPlace, "no model object");
    auto model = std::make_shared<ModelBuffer>();
    model->parts.resize(groups_.size());
    for (std::size_t i = 0; i < groups_.size(); ++i) buildPart(groups_[i], model->parts[i]);
    return model;
}

void ModelLoaderObj::buildPart(const Group& group, ModelBuffer::Part& part) {
    if (auto* resources = Resource::ResourceService::getInstance()) part.sampler = resources->samplerStateList.get(2);
    if (!group.material.empty()) {
        const auto found = materials_.find(group.material);
        if (found == materials_.end()) throw std::out_of_range("invalid unordered_map<K, T> key");
        const Material& material = found->second;
        part.color = {material.r, material.g, material.b, material.a};
        if (!material.textureFile.empty()) {
            const std::wstring path = System::String::toWide(baseFolder_) + fileNameOf(material.textureFile);
            std::wstring extension = System::FileName::getExtension(path.c_str());
            std::transform(extension.begin(), extension.end(), extension.begin(), ::towlower);
            std::error_code error;
            if (textureExtensionTest.load()(extension) &&
                std::filesystem::is_regular_file(pathOf(path), error))
                part.texturePath = path;
            else
                System::Log::warn(kLoadPlace, "map file not available : %s",
                                  System::String::toUtf8(path).c_str());
        }
    }
    const auto& indices = group.indices;
    part.vertices.reserve(indices.size());
    const std::size_t triangles = indices.size() / 3;
    for (std::size_t t = 0; t < triangles; ++t) {
        ModelBuffer::Vertex corners[3];
        for (int k = 0; k < 3; ++k) {
            const Index& index = indices[t * 3 + static_cast<std::size_t>(k)];
            if (index.vertex < 0 || static_cast<std::size_t>(index.vertex) >= positions_.size())
                throw System::makeExceptionFormat(kLoadPlace, "invalid vertex index", L"%d", index.vertex);
            // Below the list (a written 0) the corner takes (0, 0).
            if (index.texture != kNone && index.texture >= 0 &&
                static_cast<std::size_t>(index.texture) >= textureCoordinates_.size())
                throw System::makeExceptionFormat(kLoadPlace, "invalid texture index", L"%d", index.texture);
            if (index.normal != kNone &&
                (index.normal < 0 || static_cast<std::size_t>(index.normal) >= normals_.size()))
                throw System::makeExceptionFormat(kLoadPlace, "invalid normal index", L"%d", index.normal);
            const auto& p = positions_[static_cast<std::size_t>(index.vertex)];
            ModelBuffer::Vertex& v = corners[k];
            v = {p[0], p[1], p[2], 0, 0, 0, 0, 0};
            if (index.texture != kNone && index.texture >= 0) {
                v.u = textureCoordinates_[static_cast<std::size_t>(index.texture)][0];
                v.v = textureCoordinates_[static_cast<std::size_t>(index.texture)][1];
            }
            if (index.normal != kNone) {
                const auto& n = normals_[static_cast<std::size_t>(index.normal)];
                v.nx = n[0];
                v.ny = n[1];
                v.nz = n[2];
            }
        }
        // Corners without a normal get the triangle's: (b - a) x (c - a) of
        // the file's positions (Y as written), then Y negated like a "vn".
        const bool needFlat = std::any_of(indices.begin() + static_cast<std::ptrdiff_t>(t * 3),
                                          indices.begin() + static_cast<std::ptrdiff_t>(t * 3 + 3),
                                          [](const Index& i) { return i.normal == kNone; });
        if (needFlat) {
            const auto file = [&](int k) {
                return std::array<float, 3>{corners[k].x, -corners[k].y, corners[k].z};
            };
            const auto a = file(0), b = file(1), c = file(2);
            const float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const float e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                          e1[0] * e2[1] - e1[1] * e2[0]};
            const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            if (length > 0 && std::isfinite(length))
                for (float& component : n) component /= length;
            else
                n[0] = n[1] = n[2] = 0;
            for (int k = 0; k < 3; ++k)
                if (indices[t * 3 + static_cast<std::size_t>(k)].normal == kNone) {
                    corners[k].nx = n[0];
                    corners[k].ny = -n[1];
                    corners[k].nz = n[2];
                }
        }
        for (ModelBuffer::Vertex v : corners) {
            if (flip_) {
                v.z = -v.z;
                v.v = 1.0f - v.v;
                v.nz = -v.nz;
            }
            part.vertices.push_back(v);
        }
    }
    // Flipped, the index list is taken from its end.
    if (flip_) std::reverse(part.vertices.begin(), part.vertices.end());
}

}  // namespace Media
