#pragma once
// D3D11-style blend, rasterizer and sampler states over GL. Blend and
// rasterizer states are immutable descriptions applied to the current
// context when bound; a sampler state is a shared GL sampler object. The
// enumerators carry the D3D11 values, so descriptor tables read as D3D's.
#include "platform/gl/GlContext.h"

#include <epoxy/gl.h>

#include <array>
#include <cstdint>

namespace Platform::Gl {

class Display;

enum class Blend {
    Zero = 1, One = 2, SrcColor = 3, InvSrcColor = 4, SrcAlpha = 5, InvSrcAlpha = 6,
    DestAlpha = 7, InvDestAlpha = 8, DestColor = 9, InvDestColor = 10, SrcAlphaSat = 11,
    BlendFactor = 14, InvBlendFactor = 15, Src1Color = 16, InvSrc1Color = 17, Src1Alpha = 18,
    InvSrc1Alpha = 19,
};
enum class BlendOp { Add = 1, Subtract = 2, RevSubtract = 3, Min = 4, Max = 5 };

// Render target 0, applied to every target (no independent blending);
// the write mask is always all four channels.
struct BlendDesc {
    bool enable = false;
    Blend src = Blend::One;
    Blend dest = Blend::Zero;
    BlendOp op = BlendOp::Add;
    Blend srcAlpha = Blend::One;
    Blend destAlpha = Blend::Zero;
    BlendOp opAlpha = BlendOp::Add;
};

class BlendState {
public:
    explicit BlendState(const BlendDesc& desc) : desc_(desc) {}
    const BlendDesc& desc() const { return desc_; }
    std::uint64_t id() const { return id_; }
    // factor: the blend factor, (1, 1, 1, 1) when null.
    void bind(Context& context, const float* factor) const;

private:
    BlendDesc desc_;
    std::uint64_t id_ = nextObjectId();
};

enum class Fill { Wireframe = 2, Solid = 3 };
enum class Cull { None = 1, Front = 2, Back = 3 };

struct RasterizerDesc {
    Fill fill = Fill::Solid;
    Cull cull = Cull::Back;
    bool frontCounterClockwise = false;
    bool depthClipEnable = true;
};

class RasterizerState {
public:
    explicit RasterizerState(const RasterizerDesc& desc) : desc_(desc) {}
    const RasterizerDesc& desc() const { return desc_; }
    std::uint64_t id() const { return id_; }
    void bind(Context& context) const;

private:
    RasterizerDesc desc_;
    std::uint64_t id_ = nextObjectId();
};

enum class Filter { MinMagMipPoint = 0, MinMagMipLinear = 0x15 };
enum class Address { Wrap = 1, Mirror = 2, Clamp = 3, Border = 4 };

struct SamplerDesc {
    Filter filter = Filter::MinMagMipLinear;
    Address addressU = Address::Clamp;
    Address addressV = Address::Clamp;
    Address addressW = Address::Clamp;
    std::array<float, 4> borderColor{0.0f, 0.0f, 0.0f, 0.0f};
};

class SamplerState {
public:
    // Throws the HRESULT exception with the GL call and `place`.
    SamplerState(Display& display, const SamplerDesc& desc, const char* place);
    ~SamplerState();
    SamplerState(const SamplerState&) = delete;
    SamplerState& operator=(const SamplerState&) = delete;

    const SamplerDesc& desc() const { return desc_; }
    GLuint name() const { return name_; }
    std::uint64_t id() const { return id_; }

private:
    Display& display_;
    SamplerDesc desc_;
    GLuint name_ = 0;
    std::uint64_t id_;
};

}  // namespace Platform::Gl
