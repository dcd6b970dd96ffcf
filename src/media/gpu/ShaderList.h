#pragma once
// The built-in GPU programs every drawing object shares: 26 general pixel
// shaders (format and alpha conversions, copies and fills, box averaging
// and resampling, a bright pass, exponential light space, the transition
// mask and the blend-mode compositor), the screen quads of full-target
// passes, the shared 16-byte parameter block, the object-drawing set and
// three single-pixel compute kernels.
//
// - Every program is made when the list is made; the first failure ends
//   the construction (loadFromMemory's exception).
// - The parameter block, the object and light constants and the
//   persistent quad strips are the calling thread's own (one per context),
//   so render threads drawing at once never see each other's parameters or
//   vertices.
// - Constant blocks keep D3D's packing; each layout below is the block's
//   CPU image, byte for byte.
#include "media/gpu/ComputeShader.h"
#include "media/gpu/LightSource.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/ScreenQuadShader.h"
#include "media/gpu/VertexBufferCommon.h"
#include "media/gpu/VertexShader.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlContextLocal.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <type_traits>

namespace Media {
class Direct3DService;
}

namespace Resource {

class ShaderList {
public:
    // The general pixel shaders by slot.
    enum General : int {
        ColorMatrix = 0,           // Constant: Media::YUVformat::ColorMatrix (80 bytes)
        ColorMatrixSaturate = 1,   // Constant: Media::YUVformat::ColorMatrix (80 bytes)
        Copy = 2,
        Fill = 3,                  // ColorConstant
        White = 4,
        OffsetLoad = 5,            // OffsetConstant
        OffsetClamp = 6,           // OffsetConstant
        CopyTwo = 7,               // two targets
        Silhouette = 8,            // ColorConstant
        Alpha = 9,                 // AlphaConstant
        AlphaOffset = 10,          // AlphaOffsetConstant
        Sample = 11,               // sampler 0 at TEXCOORD
        Premultiply = 12,
        Unpremultiply = 13,
        Opaque = 14,
        ClampToAlpha = 15,
        Saturate = 16,
        BoxHorizontal = 17,        // BoxConstant
        BoxVertical = 18,          // BoxConstant
        Resample = 19,             // ResampleConstant, sampler 0
        BrightPass = 20,           // BrightPassConstant
        ToLightSpace = 21,         // FloatConstant: base
        FromLightSpace = 22,       // FloatConstant: 1 / base
        TransitionMask = 23,       // TransitionMaskConstant, sampler 0 at TEXCOORD
        Blend = 24,                // BlendConstant; t1 = frame copy
        BlendOffset = 25,          // BlendOffsetConstant; t1 = frame copy
    };
    static constexpr int generalCount = 26;

    // The three compute kernels, dispatched with (1, 1, 1) groups.
    enum Compute : int {
        PixelColor = 0,  // PixelColorConstant; dst at u0
        PixelCopy = 1,   // PixelCopyConstant; dst at u0
        PixelCopyFrom = 2,  // PixelCopyConstant; dst at u0, src at u1
    };
    static constexpr int computeCount = 3;

    // Object-drawing programs: vertex shaders V0 to V8, pixel shaders O0
    // to O9, paired by the vertex-list binders (V0+O0 flat textured, V1+O1
    // 3D textured, V2+O2 3D textured lit, V3+O5 flat coloured, V4+O6 3D
    // coloured, V5+O7 3D coloured lit, V7+O8 and V8+O9 shadow maps) and the
    // lighting pass (V6+O3); O4 resolves the transparent layer as a
    // full-target pass.
    static constexpr int objectVertexCount = 9;
    static constexpr int objectPixelCount = 10;
    enum ObjectPixel : int {
        FlatTextured = 0, DepthTextured = 1, LitTextured = 2, Lighting = 3, Resolve = 4,
        FlatColored = 5, DepthColored = 6, LitColored = 7, ShadowTextured = 8, ShadowColored = 9,
    };

    // Flat object pixel stages (O0, O5) without the branches a draw knows
    // the outcome of, chosen on the CPU; each made on its first use.
    enum FlatVariant : int {
        FlatBlendNone = 1,       // blend code 0
        FlatSampleNear = 2,      // textured: plain filtered samples
        FlatSampleFootprint = 4, // textured: footprint averaging everywhere
    };
    static constexpr int flatVariantCount = 8;

    // b0 of both object stages. Matrices hold one column per 16 bytes.
    struct ObjectConstant {
        float projection[16];
        float alpha;
        std::int32_t blend;
        float unused0[2];
        float normalWorld[16];
        float shine;
        float unused1[3];
    };
    // b1 of the shadow-map vertex stages.
    struct LightConstant {
        float lightProjection[16];
    };
    // b0 of the lighting pass, in a constant buffer of the caller's.
    struct LightingConstant {
        float projection[8][16];
        Media::LightSource source[8];
        std::int32_t lightNum;
        float ambient[3];
    };

    // Blocks of the shared 16-byte parameter block.
    struct ColorConstant {
        float color[4];
    };
    struct OffsetConstant {
        std::int32_t offset[2];
        std::int32_t unused[2];
    };
    struct FloatConstant {
        float value;
        float unused[3];
    };
    struct AlphaConstant {
        float alpha;
        float unused[3];
    };
    struct AlphaOffsetConstant {
        float alpha;
        std::int32_t offset[2];
        float unused;
    };
    struct BoxConstant {
        std::int32_t step;
        std::int32_t offset;
        std::int32_t unused[2];
    };
    struct ResampleConstant {
        float inverseRatio[2];
        float unused[2];
    };
    struct BrightPassConstant {
        float threshold;
        float ratio;
        float limit;
        float unused;
    };
    struct TransitionMaskConstant {
        float limitMin;
        float limitMax;
        float scale[2];
    };
    struct BlendConstant {
        std::int32_t blend;
        float alpha;
        std::int32_t unused[2];
    };
    struct BlendOffsetConstant {
        std::int32_t blend;
        float alpha;
        std::int32_t offset[2];
    };
    // The kernels' 32-byte block, in a constant buffer of the caller's.
    struct PixelColorConstant {
        float color[4];
        std::int32_t pos[2];
        std::int32_t blend;
        std::int32_t unused;
    };
    struct PixelCopyConstant {
        std::int32_t dstPos[2];
        std::int32_t srcPos[2];
        std::int32_t blend;
        std::int32_t unused[3];
    };

    explicit ShaderList(Media::Direct3DService* service);
    ~ShaderList();
    ShaderList(const ShaderList&) = delete;
    ShaderList& operator=(const ShaderList&) = delete;

    Media::PixelShader& general(int slot) { return *generalShaders_.at(static_cast<std::size_t>(slot)); }
    // The colour matrix of slot 0 reading YUY2 pictures kept packed, one
    // texel per pair of pixels.
    Media::PixelShader& colorMatrixPacked422() { return *colorMatrixPacked422_; }
    Media::ComputeShader& compute(int index) { return *computeShaders_.at(static_cast<std::size_t>(index)); }
    Media::VertexShader& objectVertex(int index) {
        return *objectVertexShaders_.at(static_cast<std::size_t>(index));
    }
    Media::PixelShader& objectPixel(int index) {
        return *objectPixelShaders_.at(static_cast<std::size_t>(index));
    }
    // O0 (textured) or O5 with the FlatVariant bits; 0 is the plain stage.
    Media::PixelShader& objectFlatPixel(bool textured, int variant);

    // Writes a block into the calling thread's parameter block and uploads
    // it; bind getConstantBuffer() as b0 of the pass.
    template <class Block>
    void setConstant(const Block& block) {
        static_assert(sizeof(Block) == constantSize && std::is_trivially_copyable_v<Block>);
        std::uint8_t data[constantSize];
        std::memcpy(data, &block, sizeof block);
        getConstantBuffer()->update(data);
    }
    // The calling thread's parameter block.
    Platform::Gl::Buffer* getConstantBuffer();
    static constexpr std::size_t constantSize = 16;

    // The calling thread's object and light constants: the CPU copy is
    // written and uploaded, then drawn with through the thread's buffers.
    void setObjectConstant(const ObjectConstant& block);
    void setLightConstant(const LightConstant& block);
    const ObjectConstant& getObjectConstant();
    Platform::Gl::Buffer* getObjectConstantBuffer();
    Platform::Gl::Buffer* getLightConstantBuffer();

    // Q0 with quad A (12-byte vertices) and Q1 with quad B (28-byte
    // vertices with texture coordinates).
    Media::ScreenQuadShader& positionQuad() { return *positionQuad_; }
    Media::ScreenQuadShader& texcoordQuad() { return *texcoordQuad_; }

    // The calling thread's four-vertex triangle strips a single quad of a
    // vertex list is drawn through, without and with normals; their GPU
    // buffers are made on the first draw and updated in place afterwards.
    Media::VertexBufferCommon& quadStrip();
    Media::VertexBufferCommon& quadStripNormal();

private:
    std::array<std::unique_ptr<Media::PixelShader>, generalCount> generalShaders_;
    std::unique_ptr<Media::PixelShader> colorMatrixPacked422_;
    std::unique_ptr<Media::ScreenQuadShader> positionQuad_;
    std::unique_ptr<Media::ScreenQuadShader> texcoordQuad_;
    struct PerContext;
    std::unique_ptr<Platform::Gl::ContextLocal<PerContext>> perContext_;
    std::array<std::unique_ptr<Media::VertexShader>, objectVertexCount> objectVertexShaders_;
    std::array<std::unique_ptr<Media::PixelShader>, objectPixelCount> objectPixelShaders_;
    std::array<std::unique_ptr<Media::ComputeShader>, computeCount> computeShaders_;
    Media::Direct3DService* service_;
    std::string objectPixelHead_;
    std::mutex flatVariantMutex_;
    std::array<std::unique_ptr<Media::PixelShader>, 2 * flatVariantCount> flatVariants_;
};

}  // namespace Resource
