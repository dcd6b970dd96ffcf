#include "media/gpu/ShaderList.h"

#include "embedded/embedded_BuiltinAlpha_frag.h"
#include "embedded/embedded_BuiltinBlendMode_glsl.h"
#include "embedded/embedded_BuiltinBlend_frag.h"
#include "embedded/embedded_BuiltinBoxAverage_frag.h"
#include "embedded/embedded_BuiltinBrightPass_frag.h"
#include "embedded/embedded_BuiltinClampToAlpha_frag.h"
#include "embedded/embedded_BuiltinColorMatrix_frag.h"
#include "embedded/embedded_BuiltinCopyTwo_frag.h"
#include "embedded/embedded_BuiltinCopy_frag.h"
#include "embedded/embedded_BuiltinFill_frag.h"
#include "embedded/embedded_BuiltinFootprint_glsl.h"
#include "embedded/embedded_BuiltinFromLightSpace_frag.h"
#include "embedded/embedded_BuiltinOffsetLoad_frag.h"
#include "embedded/embedded_BuiltinOpaque_frag.h"
#include "embedded/embedded_BuiltinPixelEdit_comp.h"
#include "embedded/embedded_BuiltinPremultiply_frag.h"
#include "embedded/embedded_BuiltinResample_frag.h"
#include "embedded/embedded_BuiltinSample_frag.h"
#include "embedded/embedded_BuiltinSaturate_frag.h"
#include "embedded/embedded_BuiltinSilhouette_frag.h"
#include "embedded/embedded_BuiltinToLightSpace_frag.h"
#include "embedded/embedded_BuiltinTransitionMask_frag.h"
#include "embedded/embedded_BuiltinUnpremultiply_frag.h"
#include "embedded/embedded_BuiltinWhite_frag.h"
#include "embedded/embedded_ObjectConstant_glsl.h"
#include "embedded/embedded_ObjectDraw_frag.h"
#include "embedded/embedded_ObjectDraw_vert.h"
#include "embedded/embedded_ObjectLighting_frag.h"
#include "embedded/embedded_ObjectLighting_vert.h"
#include "embedded/embedded_ObjectResolve_frag.h"
#include "embedded/embedded_ObjectShadow_frag.h"
#include "media/gpu/Direct3DService.h"
#include "platform/gl/GlFormat.h"

#include <string>

namespace Resource {

namespace {

static_assert(sizeof(ShaderList::ColorConstant) == 16 && sizeof(ShaderList::OffsetConstant) == 16 &&
              sizeof(ShaderList::FloatConstant) == 16 && sizeof(ShaderList::AlphaConstant) == 16 &&
              sizeof(ShaderList::AlphaOffsetConstant) == 16 && sizeof(ShaderList::BoxConstant) == 16 &&
              sizeof(ShaderList::ResampleConstant) == 16 &&
              sizeof(ShaderList::BrightPassConstant) == 16 &&
              sizeof(ShaderList::TransitionMaskConstant) == 16 &&
              sizeof(ShaderList::BlendConstant) == 16 && sizeof(ShaderList::BlendOffsetConstant) == 16);
static_assert(offsetof(ShaderList::AlphaOffsetConstant, offset) == 4 &&
              offsetof(ShaderList::BlendOffsetConstant, offset) == 8 &&
              offsetof(ShaderList::TransitionMaskConstant, scale) == 8);
static_assert(sizeof(ShaderList::PixelColorConstant) == 32 &&
              offsetof(ShaderList::PixelColorConstant, pos) == 16 &&
              offsetof(ShaderList::PixelColorConstant, blend) == 24 &&
              sizeof(ShaderList::PixelCopyConstant) == 32 &&
              offsetof(ShaderList::PixelCopyConstant, srcPos) == 8 &&
              offsetof(ShaderList::PixelCopyConstant, blend) == 16);

// One program text: variant defines, shared helpers, then the program.
struct Source {
    const char* code;
    const char* defines = "";
    const char* helper = "";
};

const Source kGeneral[ShaderList::generalCount] = {
    {embedded_BuiltinColorMatrix_frag},
    {embedded_BuiltinColorMatrix_frag, "#define SATURATE_INPUT 1\n"},
    {embedded_BuiltinCopy_frag},
    {embedded_BuiltinFill_frag},
    {embedded_BuiltinWhite_frag},
    {embedded_BuiltinOffsetLoad_frag},
    {embedded_BuiltinOffsetLoad_frag, "#define CLAMP_TO_EDGE 1\n"},
    {embedded_BuiltinCopyTwo_frag},
    {embedded_BuiltinSilhouette_frag},
    {embedded_BuiltinAlpha_frag},
    {embedded_BuiltinAlpha_frag, "#define WITH_OFFSET 1\n"},
    {embedded_BuiltinSample_frag},
    {embedded_BuiltinPremultiply_frag},
    {embedded_BuiltinUnpremultiply_frag},
    {embedded_BuiltinOpaque_frag},
    {embedded_BuiltinClampToAlpha_frag},
    {embedded_BuiltinSaturate_frag},
    {embedded_BuiltinBoxAverage_frag},
    {embedded_BuiltinBoxAverage_frag, "#define VERTICAL 1\n"},
    {embedded_BuiltinResample_frag, "", embedded_BuiltinFootprint_glsl},
    {embedded_BuiltinBrightPass_frag},
    {embedded_BuiltinToLightSpace_frag},
    {embedded_BuiltinFromLightSpace_frag},
    {embedded_BuiltinTransitionMask_frag},
    {embedded_BuiltinBlend_frag, "", embedded_BuiltinBlendMode_glsl},
    {embedded_BuiltinBlend_frag, "#define WITH_OFFSET 1\n", embedded_BuiltinBlendMode_glsl},
};

const Source kCompute[ShaderList::computeCount] = {
    {embedded_BuiltinPixelEdit_comp},
    {embedded_BuiltinPixelEdit_comp, "#define COPY_PIXEL 1\n"},
    {embedded_BuiltinPixelEdit_comp, "#define COPY_PIXEL 1\n#define SEPARATE_SOURCE 1\n"},
};

static_assert(sizeof(ShaderList::ObjectConstant) == 160 &&
              offsetof(ShaderList::ObjectConstant, alpha) == 64 &&
              offsetof(ShaderList::ObjectConstant, blend) == 68 &&
              offsetof(ShaderList::ObjectConstant, normalWorld) == 80 &&
              offsetof(ShaderList::ObjectConstant, shine) == 144);
static_assert(sizeof(ShaderList::LightConstant) == 64);
static_assert(sizeof(ShaderList::LightingConstant) == 912 &&
              offsetof(ShaderList::LightingConstant, source) == 512 &&
              offsetof(ShaderList::LightingConstant, lightNum) == 896 &&
              offsetof(ShaderList::LightingConstant, ambient) == 900);

// The object vertex stages' inputs, declared per variant.
#define OBJECT_POSITION "layout(location = 0) in vec4 POSITION;\n"
#define OBJECT_TEXTURED                                                  \
    "#define TEXTURED 1\n" OBJECT_POSITION                               \
    "layout(location = 1) in vec2 TEXUV;\nlayout(location = 2) in float COLOR;\n"
#define OBJECT_TEXTURED_LIT                                              \
    "#define TEXTURED 1\n#define LIT 1\n" OBJECT_POSITION                \
    "layout(location = 1) in vec3 NORMAL;\nlayout(location = 2) in vec2 TEXUV;\n" \
    "layout(location = 3) in float COLOR;\n"
#define OBJECT_COLORED OBJECT_POSITION "layout(location = 1) in vec4 COLOR;\n"
#define OBJECT_COLORED_LIT                                               \
    "#define LIT 1\n" OBJECT_POSITION                                    \
    "layout(location = 1) in vec3 NORMAL;\nlayout(location = 2) in vec4 COLOR;\n"

// V0 to V8.
const Source kObjectVertex[ShaderList::objectVertexCount] = {
    {embedded_ObjectDraw_vert, OBJECT_TEXTURED},
    {embedded_ObjectDraw_vert, OBJECT_TEXTURED},
    {embedded_ObjectDraw_vert, OBJECT_TEXTURED_LIT},
    {embedded_ObjectDraw_vert, OBJECT_COLORED},
    {embedded_ObjectDraw_vert, OBJECT_COLORED},
    {embedded_ObjectDraw_vert, OBJECT_COLORED_LIT},
    {embedded_ObjectLighting_vert},
    {embedded_ObjectDraw_vert, OBJECT_TEXTURED "#define LIGHT_PROJECTION 1\n"},
    {embedded_ObjectDraw_vert, OBJECT_COLORED "#define LIGHT_PROJECTION 1\n"},
};

// O0 to O9.
const Source kObjectPixel[ShaderList::objectPixelCount] = {
    {embedded_ObjectDraw_frag, "#define TEXTURED 1\n"},
    {embedded_ObjectDraw_frag, "#define TEXTURED 1\n#define DEPTH 1\n"},
    {embedded_ObjectDraw_frag, "#define TEXTURED 1\n#define DEPTH 1\n#define LIT 1\n"},
    {embedded_ObjectLighting_frag},
    {embedded_ObjectResolve_frag},
    {embedded_ObjectDraw_frag},
    {embedded_ObjectDraw_frag, "#define DEPTH 1\n"},
    {embedded_ObjectDraw_frag, "#define DEPTH 1\n#define LIT 1\n"},
    {embedded_ObjectShadow_frag, "#define TEXTURED 1\n"},
    {embedded_ObjectShadow_frag},
};

std::string textOf(const Source& source, const std::string& extra = {}) {
    return extra + source.defines + source.helper + source.code;
}

}  // namespace

struct ShaderList::PerContext {
    std::unique_ptr<Platform::Gl::Buffer> constants;
    ObjectConstant objectConstant{};
    LightConstant lightConstant{};
    std::unique_ptr<Platform::Gl::Buffer> objectConstants;
    std::unique_ptr<Platform::Gl::Buffer> lightConstants;
    Media::VertexBufferCommon quadStrip{4, 28, Media::VertexBufferCommon::TriangleStrip,
                                        Platform::Gl::Buffer::Sharing::ContextOnly};
    Media::VertexBufferCommon quadStripNormal{4, 40, Media::VertexBufferCommon::TriangleStrip,
                                              Platform::Gl::Buffer::Sharing::ContextOnly};
};

Platform::Gl::Buffer* ShaderList::getConstantBuffer() { return perContext_->get().constants.get(); }
Media::VertexBufferCommon& ShaderList::quadStrip() { return perContext_->get().quadStrip; }
Media::VertexBufferCommon& ShaderList::quadStripNormal() { return perContext_->get().quadStripNormal; }
const ShaderList::ObjectConstant& ShaderList::getObjectConstant() { return perContext_->get().objectConstant; }
Platform::Gl::Buffer* ShaderList::getObjectConstantBuffer() { return perContext_->get().objectConstants.get(); }
Platform::Gl::Buffer* ShaderList::getLightConstantBuffer() { return perContext_->get().lightConstants.get(); }

ShaderList::ShaderList(Media::Direct3DService* service) : service_(service) {
    for (auto& shader : objectVertexShaders_) shader = std::make_unique<Media::VertexShader>(service);
    for (auto& shader : objectPixelShaders_) shader = std::make_unique<Media::PixelShader>(service);
    for (auto& shader : generalShaders_) shader = std::make_unique<Media::PixelShader>(service);
    for (auto& shader : computeShaders_) shader = std::make_unique<Media::ComputeShader>(service);
    Platform::Gl::Display& display = *service->device;
    perContext_ = std::make_unique<Platform::Gl::ContextLocal<PerContext>>(display, [device = &display] {
        auto objects = std::make_unique<PerContext>();
        const auto block = [device](std::size_t size, const void* data) {
            return std::make_unique<Platform::Gl::Buffer>(*device, size, data,
                                                          "Media::ConstantBufferCommon::create",
                                                          Platform::Gl::Buffer::Sharing::ContextOnly);
        };
        const std::uint8_t zero[constantSize] = {};
        objects->constants = block(constantSize, zero);
        objects->objectConstants = block(sizeof objects->objectConstant, &objects->objectConstant);
        objects->lightConstants = block(sizeof objects->lightConstant, &objects->lightConstant);
        return objects;
    });

    for (int slot = 0; slot < generalCount; ++slot) {
        const std::string text = textOf(kGeneral[slot]);
        generalShaders_[static_cast<std::size_t>(slot)]->loadFromMemory(text.data(), text.size());
    }
    {
        const std::string text = textOf({embedded_BuiltinColorMatrix_frag, "#define PACKED_422 1\n"});
        colorMatrixPacked422_ = std::make_unique<Media::PixelShader>(service);
        colorMatrixPacked422_->loadFromMemory(text.data(), text.size());
    }
    positionQuad_ = std::make_unique<Media::ScreenQuadShader>(service,
                                                              Media::ScreenQuadShader::Kind::Position);
    texcoordQuad_ = std::make_unique<Media::ScreenQuadShader>(
        service, Media::ScreenQuadShader::Kind::TextureCoordinate);
    // The kernels and the object stages write pictures of the working
    // format through image units, whose declared format must be the
    // texture's.
    const Platform::Gl::Format* pixelFormat = Platform::Gl::findFormat(service->pixelFormat);
    const std::string imageFormat = std::string("#define PIXEL_IMAGE_FORMAT ") +
                                    (pixelFormat && pixelFormat->imageQualifier
                                         ? pixelFormat->imageQualifier
                                         : "rgba16f") +
                                    "\n";
    for (int index = 0; index < computeCount; ++index) {
        const std::string text = textOf(kCompute[index], imageFormat);
        computeShaders_[static_cast<std::size_t>(index)]->loadFromMemory(text.data(), text.size());
    }

    const std::string objectHelpers = std::string(embedded_ObjectConstant_glsl) +
                                      embedded_BuiltinBlendMode_glsl + embedded_BuiltinFootprint_glsl;
    for (int index = 0; index < objectVertexCount; ++index) {
        const std::string text = textOf(kObjectVertex[index], embedded_ObjectConstant_glsl);
        objectVertexShaders_[static_cast<std::size_t>(index)]->loadFromMemory(text.data(), text.size());
    }
    objectPixelHead_ = imageFormat + objectHelpers;
    for (int index = 0; index < objectPixelCount; ++index) {
        const std::string text = textOf(kObjectPixel[index], objectPixelHead_);
        objectPixelShaders_[static_cast<std::size_t>(index)]->loadFromMemory(text.data(), text.size());
    }
}

Media::PixelShader& ShaderList::objectFlatPixel(bool textured, int variant) {
    // Sampling variants mean nothing without a picture; both together
    // would be contradictory.
    if (!textured) variant &= FlatBlendNone;
    if ((variant & FlatSampleNear) && (variant & FlatSampleFootprint)) variant &= ~FlatSampleFootprint;
    if (variant <= 0 || variant >= flatVariantCount)
        return objectPixel(textured ? FlatTextured : FlatColored);
    std::lock_guard lock(flatVariantMutex_);
    auto& shader = flatVariants_[static_cast<std::size_t>((textured ? flatVariantCount : 0) + variant)];
    if (!shader) {
        std::string defines = textured ? "#define TEXTURED 1\n" : "";
        if (variant & FlatBlendNone) defines += "#define BLEND_NONE 1\n";
        if (variant & FlatSampleNear) defines += "#define SAMPLE_NEAR 1\n";
        if (variant & FlatSampleFootprint) defines += "#define SAMPLE_FOOTPRINT 1\n";
        const std::string text = objectPixelHead_ + defines + embedded_ObjectDraw_frag;
        auto made = std::make_unique<Media::PixelShader>(service_);
        made->loadFromMemory(text.data(), text.size());
        shader = std::move(made);
    }
    return *shader;
}

void ShaderList::setObjectConstant(const ObjectConstant& block) {
    PerContext& own = perContext_->get();
    own.objectConstant = block;
    own.objectConstants->update(&own.objectConstant);
}

void ShaderList::setLightConstant(const LightConstant& block) {
    PerContext& own = perContext_->get();
    own.lightConstant = block;
    own.lightConstants->update(&own.lightConstant);
}

ShaderList::~ShaderList() = default;

}  // namespace Resource
