#pragma once
// Polygon lists of the four vertex kinds: what output effects, the model
// loader and script drawing hand to the drawing code. A list turns its
// vertices into a GPU stream without normals (draw) or with them
// (drawNormal; kinds without normals get one face normal per polygon),
// binds the object-shader pair of each drawing mode, makes an empty list
// of its own class, and appends another list of the same vertex kind
// through a matrix.
//
// Quad lists take every four vertices as one quad, given in order around
// its outline; triangle lists every three. Left-over vertices are ignored;
// a list without a whole polygon cannot be drawn (the empty GPU buffer is
// refused). Drawing runs on the thread that drives the calling context,
// after the caller bound the target, constants and textures.
#include "media/gpu/VertexListMath.h"
#include "platform/WinTypes.h"

#include <memory>
#include <vector>

namespace Media {

// The vertex kinds, all 32-bit floats. `reserved` is written 0 and read by
// no built-in vertex stage. Colours are not premultiplied.
struct XYZ_UV {
    static constexpr bool hasNormal = false;
    static constexpr bool textured = true;
    float x, y, z;
    float u, v;
    float alpha;
    float reserved;
    float& opacity() { return alpha; }
};
struct XYZ_COL {
    static constexpr bool hasNormal = false;
    static constexpr bool textured = false;
    float x, y, z;
    float r, g, b, a;
    float& opacity() { return a; }
};
struct XYZ_UV_NORM {
    static constexpr bool hasNormal = true;
    static constexpr bool textured = true;
    float x, y, z;
    float nx, ny, nz;
    float u, v;
    float alpha;
    float reserved;
    float& opacity() { return alpha; }
};
struct XYZ_COL_NORM {
    static constexpr bool hasNormal = true;
    static constexpr bool textured = false;
    float x, y, z;
    float nx, ny, nz;
    float r, g, b, a;
    float& opacity() { return a; }
};
static_assert(sizeof(XYZ_UV) == 28 && sizeof(XYZ_COL) == 28 && sizeof(XYZ_UV_NORM) == 40 &&
              sizeof(XYZ_COL_NORM) == 40);

class VertexList {
public:
    virtual ~VertexList() = default;
    // The polygons as a 28-byte stream: position and attributes.
    virtual void draw() = 0;
    // The polygons as a 40-byte stream: position, normal and attributes.
    virtual void drawNormal() = 0;
    // The object-shader pairs: flat into the frame; 3D with depth and
    // transparency; 3D also writing normals; into a shadow map.
    virtual void setFlatShader() = 0;
    virtual void setDepthShader() = 0;
    virtual void setLightShader() = 0;
    virtual void setShadowShader() = 0;
    virtual std::shared_ptr<VertexList> createEmpty() const = 0;
    virtual bool isEmpty() const = 0;
    // Whether the vertices carry texture coordinates (else colours).
    virtual bool isTextured() const = 0;
    // Appends the other list's vertices when it holds the same vertex
    // kind: positions through the matrix (divided by w), normals as the
    // moved tip minus the moved position, opacity times alpha.
    virtual void appendTransformed(const VertexList& other, const Matrix4& matrix, float alpha) = 0;
};

template <class T>
class VertexListTemplate : public VertexList {
public:
    void setFlatShader() override { bindPair(T::textured ? 0 : 3, T::textured ? 0 : 5); }
    void setDepthShader() override { bindPair(T::textured ? 1 : 4, T::textured ? 1 : 6); }
    void setLightShader() override { bindPair(T::textured ? 2 : 5, T::textured ? 2 : 7); }
    void setShadowShader() override { bindPair(T::textured ? 7 : 8, T::textured ? 8 : 9); }
    bool isEmpty() const override { return vertices.empty(); }
    bool isTextured() const override { return T::textured; }
    void appendTransformed(const VertexList& other, const Matrix4& matrix, float alpha) override;

    std::vector<T> vertices;

private:
    // Vertex shader V<vertex> and pixel shader O<pixel> of the object set,
    // each bound unless the binding cache has it.
    static void bindPair(int vertex, int pixel);
};

template <class T>
class VertexListQuadTemplate : public VertexListTemplate<T> {
public:
    // One quad goes through the shader list's persistent strip buffer, more
    // through a temporary list buffer of six vertices per quad.
    void draw() override;
    // Kinds without normals get each quad's face normal; a folded quad is
    // split along its other diagonal.
    void drawNormal() override;
};

template <class T>
class VertexListTriangleTemplate : public VertexListTemplate<T> {
public:
    void draw() override;
    void drawNormal() override;
};

class VertexListQuadPosUv : public VertexListQuadTemplate<XYZ_UV> {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
};

// The process-wide quad of one flat picture, overwritten by every setSize.
class VertexListQuadPosUvCommon : public VertexListQuadPosUv {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
    // The shared quad as the (width × height) rectangle centred on the
    // origin: corners from (-w/2, -h/2) clockwise, texture corners alike.
    static std::shared_ptr<VertexListQuadPosUvCommon> setSize(UINT width, UINT height);
};

class VertexListQuadPosColor : public VertexListQuadTemplate<XYZ_COL> {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
};
class VertexListQuadPosUvNorm : public VertexListQuadTemplate<XYZ_UV_NORM> {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
};
class VertexListQuadPosColorNorm : public VertexListQuadTemplate<XYZ_COL_NORM> {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
};
class VertexListTrianglePosUv : public VertexListTriangleTemplate<XYZ_UV> {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
};
class VertexListTrianglePosColor : public VertexListTriangleTemplate<XYZ_COL> {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
};
class VertexListTrianglePosUvNorm : public VertexListTriangleTemplate<XYZ_UV_NORM> {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
};
class VertexListTrianglePosColorNorm : public VertexListTriangleTemplate<XYZ_COL_NORM> {
public:
    std::shared_ptr<VertexList> createEmpty() const override;
};

extern template class VertexListTemplate<XYZ_UV>;
extern template class VertexListTemplate<XYZ_COL>;
extern template class VertexListTemplate<XYZ_UV_NORM>;
extern template class VertexListTemplate<XYZ_COL_NORM>;
extern template class VertexListQuadTemplate<XYZ_UV>;
extern template class VertexListQuadTemplate<XYZ_COL>;
extern template class VertexListQuadTemplate<XYZ_UV_NORM>;
extern template class VertexListQuadTemplate<XYZ_COL_NORM>;
extern template class VertexListTriangleTemplate<XYZ_UV>;
extern template class VertexListTriangleTemplate<XYZ_COL>;
extern template class VertexListTriangleTemplate<XYZ_UV_NORM>;
extern template class VertexListTriangleTemplate<XYZ_COL_NORM>;

}  // namespace Media
