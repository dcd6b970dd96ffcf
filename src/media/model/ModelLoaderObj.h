#pragma once
// The Wavefront OBJ reader with its MTL material libraries. Positions and
// normals get their Y negated; flip also mirrors Z and V and reverses the
// triangles' vertex order.
//
// - Faces are fans of v/vt/vn tokens; vt and vn may be left out (a vertex
//   without a normal gets its triangle's flat normal). Indices count from
//   1; a negative one counts back from the end of the list read so far.
// - Every failure throws; the loader's own errors are program errors
//   (logged when built), number and material-name errors the standard
//   ones. A missing or unusable texture is only a WARN line.
// Each load has its own state, so loads may run on any thread.
#include "media/model/ModelBuffer.h"

#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Media {

class ModelLoaderObj {
public:
    static std::shared_ptr<ModelBuffer> loadFromFile(const std::wstring& path, bool flip);

    // Whether a texture file of this lower-case extension can be read as a
    // picture; the input service installs its video map at start-up.
    using ExtensionTest = bool (*)(const std::wstring& extension);
    static void setTextureExtensionTest(ExtensionTest test);

private:
    struct Index {
        int vertex;
        int texture;  // kNone: no texture coordinate
        int normal;   // kNone: the triangle's flat normal
    };
    struct Group {
        std::string material;
        std::vector<Index> indices;  // three per triangle
    };
    struct Material {
        std::string textureFile;
        float r = 0.5f, g = 0.5f, b = 0.5f, a = 1.0f;
    };
    static constexpr int kNone = INT32_MIN;

    explicit ModelLoaderObj(bool flip) : flip_(flip) {}

    void parseObjectLine(const std::string& keyword, const std::string& rest);
    void parseFace(const std::vector<std::string>& tokens);
    Index parseFaceVertex(const std::string& token) const;
    void parseMaterial(const std::string& name);
    void parseMaterialLine(const std::string& keyword, const std::string& rest);
    void parseMaterialNew(const std::vector<std::string>& tokens);
    void parseMaterialK(const std::vector<std::string>& tokens);
    void parseMaterialMapOption(std::string& rest);
    Material& getCurrentMaterial();
    std::shared_ptr<ModelBuffer> build();
    void buildPart(const Group& group, ModelBuffer::Part& part);

    std::string baseFolder_;  // with its trailing separator
    std::vector<std::array<float, 3>> positions_;
    std::vector<std::array<float, 2>> textureCoordinates_;
    std::vector<std::array<float, 3>> normals_;
    std::vector<Group> groups_;
    std::unordered_map<std::string, Material> materials_;
    int currentGroup_ = -1;  // index: the group list grows
    Material* currentMaterial_ = nullptr;
    bool flip_;
};

}  // namespace Media
