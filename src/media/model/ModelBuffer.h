#pragma once
// A loaded 3D model: one part per face group of the file, each a triangle
// list with one colour, an optional texture file and a fixed scale. A
// finished model is shared read-only between threads.
#include "media/gpu/VertexList.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Platform::Gl {
class SamplerState;
}

namespace Media {

class ModelBuffer {
public:
    struct Vertex {
        float x, y, z;
        float u, v;
        float nx, ny, nz;
    };
    static_assert(sizeof(Vertex) == 32);

    struct Part {
        std::vector<Vertex> vertices;  // three per triangle
        std::wstring texturePath;      // empty: drawn in its colour
        std::array<float, 4> color{0.5f, 0.5f, 0.5f, 1.0f};
        std::array<float, 3> scale{100.0f, 100.0f, 100.0f};
        // Sampler 2 of the service's list; null without a GPU service.
        Platform::Gl::SamplerState* sampler = nullptr;
    };

    // The lower-case extension is "obj".
    static bool isSupportedFile(const std::wstring& path);
    // Empty for another extension and for any failure while loading (the
    // failure is logged).
    static std::shared_ptr<ModelBuffer> loadFromFile(const std::wstring& path, bool flip);

    // The part's GPU polygon list: textured parts {position, normal, u, v,
    // 1, 0}, others {position, normal, colour}.
    static std::shared_ptr<VertexList> createVertexList(const Part& part, bool textured);

    std::vector<Part> parts;
};

}  // namespace Media
