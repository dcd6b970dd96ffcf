#include "effects/camera/CameraGuides.h"

#include "effect/base/TransformMatrix.h"
#include "embedded/embedded_CameraGuide_frag.h"
#include "media/gpu/BlendStateList.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/PixelShader.h"
#include "media/gpu/RasterizerStateList.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/VertexBufferCommon.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlCommands.h"
#include "render/output/OutputShaderEffect.h"

#include <cmath>
#include <cstring>
#include <string>

namespace Effect {

namespace {

using Platform::Gl::Stage;
using Transform::Float4;

constexpr int kBlendOver = 0;
constexpr int kTexturedDepthVertex = 1;
constexpr int kColoredDepthVertex = 4;

std::string imageFormatDefine(const Media::Direct3DService& service) {
    const Platform::Gl::Format* format = Platform::Gl::findFormat(service.pixelFormat);
    return std::string("#define PIXEL_IMAGE_FORMAT ") +
           (format && format->imageQualifier ? format->imageQualifier : "rgba16f") + "\n";
}

}  // namespace

CameraGuides::CameraGuides() {
    Media::Direct3DService& service = Media::Direct3DService::Get();
    shader_ = std::make_unique<Media::PixelShader>(&service);
    const std::string text = imageFormatDefine(service) + embedded_CameraGuide_frag;
    shader_->loadFromMemory(text.data(), text.size());
}

CameraGuides::~CameraGuides() = default;

bool CameraGuides::lineStrip(const Media::Matrix4& m, Media::Float3 from, Media::Float3 to, float width,
                             float frameWidth, float frameHeight, Media::XYZ_UV strip[4]) {
    Float4 a = Transform::transform({from.x, from.y, from.z, 1.0f}, m);
    Float4 b = Transform::transform({to.x, to.y, to.z, 1.0f}, m);
    // Positive in front of the near plane, where w exceeds the clip z.
    const float sa = a.w / a.z - 1.0f;
    const float sb = b.w / b.z - 1.0f;
    if (!(sa > 0.0f) && !(sb > 0.0f)) return false;
    if (!(sa > 0.0f) || !(sb > 0.0f)) {
        const float t = sa / (sa - sb);
        const Float4 cut = {a.x - (a.x - b.x) * t, a.y - (a.y - b.y) * t, a.z - (a.z - b.z) * t,
                            a.w - (a.w - b.w) * t};
        (sa < sb ? a : b) = cut;
    }
    a = {a.x / a.w, a.y / a.w, a.z / a.w, 1.0f};
    b = {b.x / b.w, b.y / b.w, b.z / b.w, 1.0f};
    const float halfWidth = frameWidth * 0.5f, halfHeight = frameHeight * 0.5f;
    const Media::Float3 g = Media::normalise({(b.x - a.x) * halfWidth, (b.y - a.y) * halfHeight, 0.0f});
    const float kx = width * -g.y / halfWidth, ky = width * g.x / halfHeight;
    strip[0] = {a.x - kx, a.y - ky, a.z, 0.0f, 0.0f, 1.0f, 0.0f};
    strip[1] = {a.x + kx, a.y + ky, a.z, 0.0f, 1.0f, 1.0f, 0.0f};
    strip[2] = {b.x - kx, b.y - ky, b.z, 1.0f, 0.0f, 1.0f, 0.0f};
    strip[3] = {b.x + kx, b.y + ky, b.z, 1.0f, 1.0f, 1.0f, 0.0f};
    return true;
}

void CameraGuides::begin(Media::RenderBuffer& frame) {
    frame_ = &frame;
    Media::Direct3DService& service = Media::Direct3DService::Get();
    Media::ResourceBuffer* views[] = {frame.getDepthBuffer(), frame.getTransparentBuffer(),
                                      frame.getTransparentDepthBuffer()};
    service.setRenderTargetAndUnorderedAccessView(frame, 3, views);
    Platform::Gl::Context& context = service.context();
    rasterizerStateList->get(0)->bind(context);
    blendStateList->get(kBlendOver)->bind(context, nullptr);
    strip_ = std::make_unique<Media::VertexBufferCommon>(4, static_cast<UINT>(sizeof(Media::XYZ_UV)),
                                                         Media::VertexBufferCommon::TriangleStrip,
                                                         Platform::Gl::Buffer::Sharing::ContextOnly);
}

void CameraGuides::setColor(const Color& color) { color_ = color; }

void CameraGuides::drawLine(const Media::Matrix4& m, Media::Float3 from, Media::Float3 to, float width) {
    if (!frame_) return;
    Media::XYZ_UV vertices[4];
    if (!lineStrip(m, from, to, width, static_cast<float>(frame_->getWidth()),
                   static_cast<float>(frame_->getHeight()), vertices))
        return;
    Media::Direct3DService& service = Media::Direct3DService::Get();
    Platform::Gl::Context& context = service.context();
    // The strip is in device coordinates already.
    const Resource::ShaderList::ObjectConstant block = OutputShaderEffect::objectConstant(
        shaderList->getObjectConstant(), Transform::identity(), 1.0f, 0, nullptr, 0.0f);
    shaderList->setObjectConstant(block);
    Platform::Gl::bindConstantBuffer(context, Stage::Vertex, 0, shaderList->getObjectConstantBuffer());
    Platform::Gl::bindConstantBuffer(context, Stage::Pixel, 0, &constants_.set(color_.data()));
    shaderList->objectVertex(kTexturedDepthVertex).bind(context);
    shader_->bind(context);
    std::memcpy(strip_->data(), vertices, sizeof vertices);
    strip_->update();
    service.drawVertexBuffer(*strip_);
}

void CameraGuides::drawTriangle(const Media::Matrix4& m, const Media::XYZ_COL (&vertices)[3]) {
    if (!frame_) return;
    Media::Direct3DService& service = Media::Direct3DService::Get();
    Platform::Gl::Context& context = service.context();
    const Resource::ShaderList::ObjectConstant block =
        OutputShaderEffect::objectConstant(shaderList->getObjectConstant(), m, 1.0f, 0, nullptr, 0.0f);
    shaderList->setObjectConstant(block);
    Platform::Gl::bindConstantBuffer(context, Stage::Vertex, 0, shaderList->getObjectConstantBuffer());
    Platform::Gl::bindConstantBuffer(context, Stage::Pixel, 0, shaderList->getObjectConstantBuffer());
    shaderList->objectVertex(kColoredDepthVertex).bind(context);
    shaderList->objectPixel(Resource::ShaderList::DepthColored).bind(context);
    service.drawVertices(vertices);
}

void CameraGuides::end() {
    if (!frame_) return;
    Media::Direct3DService::Get().unsetRenderTargets();
    strip_.reset();
    frame_ = nullptr;
}

}  // namespace Effect
