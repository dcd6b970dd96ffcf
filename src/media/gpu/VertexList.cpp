#include "media/gpu/VertexList.h"

#include "media/gpu/Direct3DService.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/ShaderResource.h"
#include "media/gpu/VertexBufferCommon.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Media {

namespace {

constexpr UINT kStream = 28;
constexpr UINT kStreamNormal = 40;

template <class T>
Float3 positionOf(const T& v) {
    return {v.x, v.y, v.z};
}

// The attribute bytes (texture coordinates and alpha, or colour) follow the
// position, and the normal where the kind has one.
template <class T>
const std::uint8_t* attributesOf(const T& v) {
    return reinterpret_cast<const std::uint8_t*>(&v) + (T::hasNormal ? 24 : 12);
}

// A vertex of the 28-byte stream: position and attributes.
template <class T>
void writeVertex(std::uint8_t* out, const T& v) {
    std::memcpy(out, &v, 12);
    std::memcpy(out + 12, attributesOf(v), 16);
}

// A vertex of the 40-byte stream: its own normal, or the given face normal.
template <class T>
void writeVertexNormal(std::uint8_t* out, const T& v, const Float3& faceNormal) {
    if constexpr (T::hasNormal) {
        std::memcpy(out, &v, 40);
    } else {
        std::memcpy(out, &v, 12);
        std::memcpy(out + 12, &faceNormal, 12);
        std::memcpy(out + 24, attributesOf(v), 16);
    }
}

// Writes the polygons' vertices in the given order into a stream and draws
// it: through the persistent strip when given, else a temporary list.
template <class T>
class StreamWriter {
public:
    StreamWriter(VertexBufferCommon& buffer, bool normals)
        : buffer_(buffer), stride_(normals ? kStreamNormal : kStream) {}
    void put(const T& v, const Float3& normal) {
        std::uint8_t* out = buffer_.data() + std::size_t{written_++} * stride_;
        if (stride_ == kStreamNormal)
            writeVertexNormal(out, v, normal);
        else
            writeVertex(out, v);
    }
    void draw() {
        buffer_.update();
        Direct3DService::Get().drawVertexBuffer(buffer_);
    }

private:
    VertexBufferCommon& buffer_;
    UINT stride_;
    UINT written_ = 0;
};

// The quad's face normal from its two half normals; `folded` when they
// point apart.
template <class T>
Float3 quadNormal(const T* q, bool& folded) {
    const Float3 a = positionOf(q[0]), b = positionOf(q[1]), c = positionOf(q[2]),
                 d = positionOf(q[3]);
    const Float3 first = cross(d - a, b - a);
    const Float3 second = cross(c - d, b - d);
    folded = dot(first, second) < 0.0f;
    return normalise(first + second);
}

template <class T>
void drawQuads(const std::vector<T>& vertices, bool normals) {
    const std::size_t quads = vertices.size() / 4;
    Resource::ShaderList& shaders = Resource::ShaderResource::sharedList();
    const bool single = vertices.size() == 4;
    VertexBufferCommon temporary(single ? 0 : static_cast<UINT>(quads * 6),
                                 normals ? kStreamNormal : kStream, VertexBufferCommon::TriangleList,
                                 Platform::Gl::Buffer::Sharing::ContextOnly);
    VertexBufferCommon& buffer =
        single ? (normals ? shaders.quadStripNormal() : shaders.quadStrip()) : temporary;
    StreamWriter<T> stream(buffer, normals);
    for (std::size_t i = 0; i < quads; ++i) {
        const T* q = &vertices[i * 4];
        bool folded = false;
        Float3 normal{};
        if (normals && !T::hasNormal) normal = quadNormal(q, folded);
        // Corners a, b, c, d: split along b-d, or along a-c when folded.
        static constexpr int strip[2][4] = {{0, 1, 3, 2}, {1, 2, 0, 3}};
        static constexpr int list[2][6] = {{0, 1, 3, 3, 1, 2}, {1, 2, 0, 0, 2, 3}};
        const int* order = single ? strip[folded] : list[folded];
        for (int k = 0; k < (single ? 4 : 6); ++k) stream.put(q[order[k]], normal);
    }
    stream.draw();
}

template <class T>
void drawTriangles(const std::vector<T>& vertices, bool normals) {
    const std::size_t triangles = vertices.size() / 3;
    VertexBufferCommon buffer(static_cast<UINT>(triangles * 3), normals ? kStreamNormal : kStream,
                              VertexBufferCommon::TriangleList,
                              Platform::Gl::Buffer::Sharing::ContextOnly);
    StreamWriter<T> stream(buffer, normals);
    for (std::size_t i = 0; i < triangles; ++i) {
        const T* t = &vertices[i * 3];
        Float3 normal{};
        if (normals && !T::hasNormal) {
            const Float3 a = positionOf(t[0]);
            normal = normalise(cross(positionOf(t[2]) - a, positionOf(t[1]) - a));
        }
        for (int corner = 0; corner < 3; ++corner) stream.put(t[corner], normal);
    }
    stream.draw();
}

}  // namespace

template <class T>
void VertexListTemplate<T>::bindPair(int vertex, int pixel) {
    Resource::ShaderList& list = Resource::ShaderResource::sharedList();
    Platform::Gl::Context& context = Direct3DService::Get().context();
    list.objectVertex(vertex).bind(context);
    list.objectPixel(pixel).bind(context);
}

template <class T>
void VertexListTemplate<T>::appendTransformed(const VertexList& other, const Matrix4& matrix,
                                              float alpha) {
    const auto* same = dynamic_cast<const VertexListTemplate<T>*>(&other);
    if (!same) return;
    // A list may append itself: only the vertices it had count.
    const std::size_t count = same->vertices.size();
    // Grown geometrically: particle lists append thousands of shapes one
    // by one, and an exact reserve would copy the list every time.
    if (vertices.capacity() < vertices.size() + count)
        vertices.reserve(std::max(vertices.size() + count, 2 * vertices.capacity()));
    for (std::size_t i = 0; i < count; ++i) {
        T v = same->vertices[i];
        const Float3 position = transformPoint(matrix, positionOf(v));
        if constexpr (T::hasNormal) {
            const Float3 tip = transformPoint(matrix, {v.x + v.nx, v.y + v.ny, v.z + v.nz});
            const Float3 normal = tip - position;
            v.nx = normal.x, v.ny = normal.y, v.nz = normal.z;
        }
        v.x = position.x, v.y = position.y, v.z = position.z;
        v.opacity() *= alpha;
        vertices.push_back(v);
    }
}

template <class T>
void VertexListQuadTemplate<T>::draw() {
    drawQuads(this->vertices, false);
}

template <class T>
void VertexListQuadTemplate<T>::drawNormal() {
    drawQuads(this->vertices, true);
}

template <class T>
void VertexListTriangleTemplate<T>::draw() {
    drawTriangles(this->vertices, false);
}

template <class T>
void VertexListTriangleTemplate<T>::drawNormal() {
    drawTriangles(this->vertices, true);
}

template class VertexListTemplate<XYZ_UV>;
template class VertexListTemplate<XYZ_COL>;
template class VertexListTemplate<XYZ_UV_NORM>;
template class VertexListTemplate<XYZ_COL_NORM>;
template class VertexListQuadTemplate<XYZ_UV>;
template class VertexListQuadTemplate<XYZ_COL>;
template class VertexListQuadTemplate<XYZ_UV_NORM>;
template class VertexListQuadTemplate<XYZ_COL_NORM>;
template class VertexListTriangleTemplate<XYZ_UV>;
template class VertexListTriangleTemplate<XYZ_COL>;
template class VertexListTriangleTemplate<XYZ_UV_NORM>;
template class VertexListTriangleTemplate<XYZ_COL_NORM>;

std::shared_ptr<VertexList> VertexListQuadPosUv::createEmpty() const {
    return std::make_shared<VertexListQuadPosUv>();
}
std::shared_ptr<VertexList> VertexListQuadPosUvCommon::createEmpty() const {
    return std::make_shared<VertexListQuadPosUvCommon>();
}
std::shared_ptr<VertexList> VertexListQuadPosColor::createEmpty() const {
    return std::make_shared<VertexListQuadPosColor>();
}
std::shared_ptr<VertexList> VertexListQuadPosUvNorm::createEmpty() const {
    return std::make_shared<VertexListQuadPosUvNorm>();
}
std::shared_ptr<VertexList> VertexListQuadPosColorNorm::createEmpty() const {
    return std::make_shared<VertexListQuadPosColorNorm>();
}
std::shared_ptr<VertexList> VertexListTrianglePosUv::createEmpty() const {
    return std::make_shared<VertexListTrianglePosUv>();
}
std::shared_ptr<VertexList> VertexListTrianglePosColor::createEmpty() const {
    return std::make_shared<VertexListTrianglePosColor>();
}
std::shared_ptr<VertexList> VertexListTrianglePosUvNorm::createEmpty() const {
    return std::make_shared<VertexListTrianglePosUvNorm>();
}
std::shared_ptr<VertexList> VertexListTrianglePosColorNorm::createEmpty() const {
    return std::make_shared<VertexListTrianglePosColorNorm>();
}

std::shared_ptr<VertexListQuadPosUvCommon> VertexListQuadPosUvCommon::setSize(UINT width,
                                                                             UINT height) {
    // Made once, four zero vertices, and kept until the program ends.
    static const std::shared_ptr<VertexListQuadPosUvCommon> shared = [] {
        auto quad = std::make_shared<VertexListQuadPosUvCommon>();
        quad->vertices.resize(4, XYZ_UV{});
        return quad;
    }();
    const float w = static_cast<float>(width) / 2.0f, h = static_cast<float>(height) / 2.0f;
    shared->vertices = {{-w, -h, 0, 0, 0, 1, 0},
                        {w, -h, 0, 1, 0, 1, 0},
                        {w, h, 0, 1, 1, 1, 0},
                        {-w, h, 0, 0, 1, 1, 0}};
    return shared;
}

}  // namespace Media
