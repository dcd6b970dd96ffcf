#include "render/output/OutputShaderEffect.h"

#include "core/base/Singleton.h"
#include "effect/base/ControlState.h"
#include "effect/base/OutputView.h"
#include "media/gpu/BlendStateList.h"
#include "media/gpu/ConstantBufferCommon.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/RasterizerStateList.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/SamplerStateList.h"
#include "media/gpu/ShaderList.h"
#include "media/gpu/VertexBufferCommon.h"
#include "media/gpu/VertexList.h"
#include "platform/gl/GlBuffer.h"
#include "platform/gl/GlCommands.h"
#include "render/context/ControlStateLookup.h"
#include "render/context/ObjectContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Effect {

namespace {

using Platform::Gl::Stage;
using namespace Transform;

void bindTexture(Media::Direct3DService& service, int slot, Media::ResourceBuffer* image) {
    Platform::Gl::bindTexture(service.context(), Stage::Pixel, slot,
                              image ? &image->getShaderResourceView() : nullptr);
}

// The object's own mesh, or the shared quad sized to the picture.
Media::VertexList& meshOrQuad(Media::VertexList* mesh, Media::ResourceBuffer* image,
                              std::shared_ptr<Media::VertexListQuadPosUvCommon>& quad) {
    if (mesh) return *mesh;
    quad = Media::VertexListQuadPosUvCommon::setSize(image ? image->getWidth() : 0,
                                                     image ? image->getHeight() : 0);
    return *quad;
}

}  // namespace

OutputShaderEffect::OutputShaderEffect()
    : direct3D(System::Singleton<Media::Direct3DService>::getInstance()) {}

void OutputShaderEffect::drawObject(Render::ObjectContext& context, Media::RenderBuffer& frame,
                                    Media::ResourceBuffer* image) {
    const OutputView view = context.getOutputView();
    if (!(view.alpha > 0.0f)) return;
    ObjectDraw draw;
    draw.world = view.getWorldMatrix();
    const CameraControlState* camera = Render::getCameraControlState(view.cameraControl.get());
    if (camera && view.cameraMode != 0) {
        if (view.cameraMode == OutputView::Billboard) {
            // Turned to face the camera.
            const Matrix4 facing = Media::lookToMatrix({0, 0, 0}, camera->direction, {0, 1, 0});
            draw.world = multiply(inverse(facing), draw.world);
        }
        context.drawnDifferently = 1;
    }
    draw.view = view.getViewMatrix();
    draw.alpha = view.alpha;
    draw.blend = view.blendMode;
    draw.sampler = view.sampler;
    draw.rasterizer = view.rasterizer;
    draw.camera = camera != nullptr;
    draw.shine = context.view.shine;
    draw.mesh = context.vertexList.get();
    const OutputView& own = context.view;
    draw.lightView = [&own](const Media::LightSource& light) { return own.getLightViewMatrix(light); };
    drawPrepared(frame, image, draw);
}

void OutputShaderEffect::drawObjectFlat(Render::ObjectContext& context, Media::RenderBuffer& frame,
                                        Media::ResourceBuffer& image) {
    // The shift comes from the context's own view, where an off-screen
    // drawing left the baked position; alpha and mode from the output.
    const OutputView& own = context.view;
    const float dx = 0.5f * (static_cast<float>(image.getWidth()) - static_cast<float>(frame.getWidth())) +
                     (own.centerX - own.x);
    const float dy = 0.5f * (static_cast<float>(image.getHeight()) - static_cast<float>(frame.getHeight())) +
                     (own.centerY - own.y);
    const OutputView view = context.getOutputView();
    drawFlat(frame, image, view.alpha, view.blendMode, static_cast<int>(std::round(dx)),
             static_cast<int>(std::round(dy)));
}

void OutputShaderEffect::drawObjectToBuffer(Render::ObjectContext& context, Media::ResourceBuffer& target,
                                            Media::ResourceBuffer* image) {
    const OutputView view = context.getOutputView();
    drawIntoImage(target, image, multiply(view.getWorldMatrix(), view.getViewMatrix()), 1.0f, 0, view.sampler,
                  0, context.vertexList.get());
}

void OutputShaderEffect::drawObjectImage(const OutputView& view, Media::ResourceBuffer& target,
                                         Media::ResourceBuffer* image, Media::VertexList* mesh) {
    const Matrix4 screen = view.getScreenMatrix(static_cast<int>(target.getWidth()),
                                                static_cast<int>(target.getHeight()));
    drawIntoImage(target, image, multiply(view.getObjectMatrix(), screen), view.alpha, view.blendMode,
                  view.sampler, view.rasterizer, mesh);
}

void OutputShaderEffect::drawTransition(const OutputView& view, Media::RenderBuffer& frame,
                                        Media::ResourceBuffer& image, bool composite) {
    const Matrix4 screen = view.getScreenMatrix(frame.getWidth(), frame.getHeight());
    drawTransitionImage(frame, image, multiply(view.getObjectMatrix(), screen), view.alpha, view.sampler,
                        composite);
}

void OutputShaderEffect::drawCameraLighting(Render::ObjectContext& context, Media::RenderBuffer& frame,
                                            const Media::Float3 corners[4]) {
    const CameraControlState* camera = Render::getCameraControlState(context.view.cameraControl.get());
    const OutputView& own = context.view;
    drawCameraLighting(frame, camera ? camera->viewProjectionMatrix : identity(),
                       [&own](const Media::LightSource& light) { return own.getLightViewMatrix(light); },
                       corners);
}

void OutputShaderEffect::bindBlend(int entry) {
    // A null factor and the full sample mask, always.
    blendStateList->get(entry)->bind(direct3D->context(), nullptr);
}

void OutputShaderEffect::bindRasterizer(int entry) {
    rasterizerStateList->get(entry)->bind(direct3D->context());
}

int OutputShaderEffect::flatVariant(const Media::Matrix4& projection, int targetWidth, int targetHeight,
                                    bool pictureQuad, int blend) {
    int variant = blend == 0 ? Resource::ShaderList::FlatBlendNone : 0;
    // The quad lies at z = 0: w is constant when x and y do not feed it.
    const Media::Matrix4& p = projection;
    if (!pictureQuad || p[3] != 0.0f || p[7] != 0.0f || !(std::abs(p[15]) > 0.0f)) return variant;
    // Pixels per position unit; the quad's texels are position units.
    const double sx = 0.5 * targetWidth / p[15], sy = 0.5 * targetHeight / p[15];
    const double a = p[0] * sx, b = p[4] * sx, c = p[1] * sy, d = p[5] * sy;
    const double det = a * d - b * c;
    if (!std::isfinite(det) || std::abs(det) < 1e-12) return variant;
    // Texels a pixel step covers per axis, as the shader estimates them
    // from its derivatives; the margin covers that estimate's rounding.
    const double footprintX = (std::abs(d) + std::abs(b)) / std::abs(det);
    const double footprintY = (std::abs(c) + std::abs(a)) / std::abs(det);
    constexpr double threshold = 1.05, margin = 0.01;
    const double largest = std::max(footprintX, footprintY);
    if (largest < threshold - margin) variant |= Resource::ShaderList::FlatSampleNear;
    else if (largest > threshold + margin) variant |= Resource::ShaderList::FlatSampleFootprint;
    return variant;
}

bool OutputShaderEffect::coversTarget(const Media::Matrix4& projection, int targetWidth, int targetHeight,
                                      UINT pictureWidth, UINT pictureHeight) {
    const Media::Matrix4& p = projection;
    if (p[3] != 0.0f || p[7] != 0.0f || !(std::abs(p[15]) > 0.0f)) return false;
    // Frame pixels from quad positions: px = a x + b y + e, py = c x + d y + f.
    const double w = p[15];
    const double sx = 0.5 * targetWidth, sy = 0.5 * targetHeight;
    const double a = p[0] / w * sx, b = p[4] / w * sx, e = (p[12] / w + 1.0) * sx;
    const double c = p[1] / w * sy, d = p[5] / w * sy, f = (p[13] / w + 1.0) * sy;
    const double det = a * d - b * c;
    if (!std::isfinite(det) || std::abs(det) < 1e-12) return false;
    // The outermost pixel centres must sample at or inside the outermost
    // texel centres: a filtered sample there takes nothing of the border
    // (the frame is symmetric under GL's flip, so either row order holds).
    constexpr double slack = 1e-5;
    const double halfWidth = 0.5 * pictureWidth - 0.5 + slack, halfHeight = 0.5 * pictureHeight - 0.5 + slack;
    if (halfWidth <= 0.0 || halfHeight <= 0.0) return false;
    for (const double px : {0.5, targetWidth - 0.5})
        for (const double py : {0.5, targetHeight - 0.5}) {
            const double x = (d * (px - e) - b * (py - f)) / det;
            const double y = (-c * (px - e) + a * (py - f)) / det;
            if (!(std::abs(x) <= halfWidth && std::abs(y) <= halfHeight)) return false;
        }
    // Nor may depth clipping cut the quad.
    for (const double x : {-0.5 * pictureWidth, 0.5 * pictureWidth})
        for (const double y : {-0.5 * pictureHeight, 0.5 * pictureHeight}) {
            const double z = x * p[2] + y * p[6] + p[14];
            if (!(std::abs(z) <= 0.999 * std::abs(w))) return false;
        }
    return true;
}

bool OutputShaderEffect::fillInsteadOfDraw(Media::RenderBuffer& frame, Media::ResourceBuffer* image,
                                           const ObjectDraw& draw, int blend, const Media::Matrix4& projection) {
    // Drawn, each such pixel would be colour × 1 + frame × 0: the colour.
    const float* color = image ? image->solidColor() : nullptr;
    if (!color || color[3] != 1.0f || draw.alpha != 1.0f || blend != 0 || draw.mesh || draw.rasterizer != 0 ||
        image->getFormat() != frame.getFormat())
        return false;
    const int variant = flatVariant(projection, frame.getWidth(), frame.getHeight(), true, blend);
    if (!(variant & Resource::ShaderList::FlatSampleNear) ||
        !coversTarget(projection, frame.getWidth(), frame.getHeight(), image->getWidth(), image->getHeight()))
        return false;
    return frame.fillUntouched(color);
}

void OutputShaderEffect::bindFlatVariant(Media::VertexList& mesh, bool pictureQuad,
                                         const Media::Matrix4& projection, int targetWidth,
                                         int targetHeight, int blend) {
    if (!chooseFlatVariants.load(std::memory_order_relaxed)) return;
    const int variant = flatVariant(projection, targetWidth, targetHeight, pictureQuad, blend);
    if (variant != 0)
        shaderList->objectFlatPixel(mesh.isTextured(), variant).bind(direct3D->context());
}

Resource::ShaderList::ObjectConstant OutputShaderEffect::objectConstant(
    const Resource::ShaderList::ObjectConstant& previous, const Media::Matrix4& projection, float alpha,
    int blend, const Media::Matrix4* normalWorld, float shine) {
    // Row-vector matrices stored row by row are the shader's columns: the
    // transposition the block asks for comes free. normalWorld is stored
    // the same way, which is the block's "untransposed".
    Resource::ShaderList::ObjectConstant block = previous;
    std::memcpy(block.projection, projection.data(), sizeof block.projection);
    block.alpha = alpha;
    block.blend = blend;
    if (normalWorld) {
        std::memcpy(block.normalWorld, normalWorld->data(), sizeof block.normalWorld);
        block.shine = shine;
    }
    return block;
}

void OutputShaderEffect::uploadObjectConstant(const Media::Matrix4& projection, float alpha, int blend,
                                              const Media::Matrix4* normalWorld, float shine) {
    shaderList->setObjectConstant(
        objectConstant(shaderList->getObjectConstant(), projection, alpha, blend, normalWorld, shine));
    Platform::Gl::Context& context = direct3D->context();
    Platform::Gl::bindConstantBuffer(context, Stage::Vertex, 0, shaderList->getObjectConstantBuffer());
    Platform::Gl::bindConstantBuffer(context, Stage::Pixel, 0, shaderList->getObjectConstantBuffer());
}

void OutputShaderEffect::setDrawState(Platform::Gl::SamplerState* sampler, int rasterizer, bool hasMesh) {
    direct3D->setPixelSampler(sampler ? sampler : samplerStateList->get(hasMesh ? SamplerMesh : SamplerImage));
    bindBlend(BlendOver);
    bindRasterizer(rasterizer != 0 ? 1 : 0);
}

void OutputShaderEffect::drawImage(Media::ResourceBuffer* image, Media::VertexList& mesh) {
    if (image) bindTexture(*direct3D, 0, image);
    mesh.draw();
    bindTexture(*direct3D, 0, nullptr);
    bindTexture(*direct3D, 1, nullptr);
    direct3D->unsetRenderTargets();
}

void OutputShaderEffect::drawPrepared(Media::RenderBuffer& frame, Media::ResourceBuffer* image,
                                      const ObjectDraw& draw) {
    if (!(draw.alpha > 0.0f)) return;
    const bool lit = draw.camera && !frame.getLights().empty();
    // Script alpha modes draw as 0 here: only script drawing replaces pixels.
    const int blend = draw.blend >= 20 || draw.blend < 0 ? 0 : draw.blend;
    const Media::Matrix4 projection = multiply(draw.world, draw.view);
    if (!draw.camera && fillInsteadOfDraw(frame, image, draw, blend, projection)) return;
    Media::Matrix4 normalWorld;
    if (lit) normalWorld = inverse(draw.world);
    uploadObjectConstant(projection, draw.alpha, blend, lit ? &normalWorld : nullptr, draw.shine);
    setDrawState(draw.sampler, draw.rasterizer, draw.mesh != nullptr);

    std::unique_ptr<Media::ResourceBuffer> copy;
    if (blend != 0) {
        copy = frame.createResourceBuffer(true);
        bindTexture(*direct3D, 1, copy.get());
    }
    std::shared_ptr<Media::VertexListQuadPosUvCommon> quad;
    Media::VertexList& mesh = meshOrQuad(draw.mesh, image, quad);

    if (!lit) {
        if (draw.camera) {
            Media::ResourceBuffer* views[] = {frame.getDepthBuffer(), frame.getTransparentBuffer(),
                                              frame.getTransparentDepthBuffer()};
            direct3D->setRenderTargetAndUnorderedAccessView(frame, 3, views);
            mesh.setDepthShader();
        } else {
            direct3D->setRenderTarget(frame);
            mesh.setFlatShader();
            bindFlatVariant(mesh, draw.mesh == nullptr, projection, frame.getWidth(), frame.getHeight(), blend);
        }
        drawImage(image, mesh);
        return;
    }

    Media::ResourceBuffer* views[] = {frame.getDepthBuffer(), frame.getTransparentBuffer(),
                                      frame.getTransparentDepthBuffer(), frame.getNormalBuffer(),
                                      frame.getNormalTransparentBuffer()};
    direct3D->setRenderTargetAndUnorderedAccessView(frame, 5, views);
    mesh.setLightShader();
    if (image) bindTexture(*direct3D, 0, image);
    mesh.drawNormal();
    bindTexture(*direct3D, 0, nullptr);
    bindTexture(*direct3D, 1, nullptr);
    direct3D->unsetRenderTargets();
    // Objects drawn with a blend mode cast no shadow.
    if (draw.blend != 0 || !draw.lightView) return;
    const auto& lights = frame.getLights();
    const std::size_t count = std::min<std::size_t>(lights.size(), maxLights);
    for (std::size_t i = 0; i < count; ++i) {
        if (lights[i].type != Media::LightSource::ShadowLight) continue;
        drawShadow(lights[i], draw.world, draw.lightView(lights[i]), *frame.getShadowBuffer(i), image,
                   mesh, draw.mesh != nullptr, draw.sampler);
    }
}

void OutputShaderEffect::drawShadow(const Media::LightSource&, const Media::Matrix4& world,
                                    const Media::Matrix4& lightView, Media::ResourceBuffer& shadowMap,
                                    Media::ResourceBuffer* image, Media::VertexList& mesh, bool hasMesh,
                                    Platform::Gl::SamplerState* sampler) {
    Resource::ShaderList::LightConstant block{};
    const Media::Matrix4 projection = multiply(world, lightView);
    std::memcpy(block.lightProjection, projection.data(), sizeof block.lightProjection);
    shaderList->setLightConstant(block);
    Platform::Gl::Context& context = direct3D->context();
    Platform::Gl::bindConstantBuffer(context, Stage::Vertex, 1, shaderList->getLightConstantBuffer());
    direct3D->setPixelSampler(sampler ? sampler : samplerStateList->get(hasMesh ? SamplerMesh : SamplerImage));
    bindBlend(BlendReplace);
    bindRasterizer(0);
    mesh.setShadowShader();
    if (image) bindTexture(*direct3D, 0, image);
    // GL needs an attachment to rasterise: the map itself takes the same
    // moments the shader stores through its image, so either write wins.
    direct3D->setRenderTarget(shadowMap);
    Platform::Gl::bindImage(context, 0, &shadowMap.getUnorderedAccessView(),
                            Platform::Gl::ImageStage::Pixel);
    mesh.draw();
    bindTexture(*direct3D, 0, nullptr);
    direct3D->unsetRenderTargets();
}

void OutputShaderEffect::drawFlat(Media::RenderBuffer& frame, Media::ResourceBuffer& image, float alpha,
                                  int blend, int dx, int dy) {
    Platform::Gl::Texture* sources[2] = {&image.getShaderResourceView(), nullptr};
    std::unique_ptr<Media::ResourceBuffer> copy;
    Media::PixelShader* shader;
    if (blend != 0) {
        copy = frame.createResourceBuffer(true);
        sources[1] = &copy->getShaderResourceView();
        shaderList->setConstant(Resource::ShaderList::BlendOffsetConstant{blend, alpha, {dx, dy}});
        shader = &shaderList->general(Resource::ShaderList::BlendOffset);
    } else {
        shaderList->setConstant(Resource::ShaderList::AlphaOffsetConstant{alpha, {dx, dy}, 0.0f});
        shader = &shaderList->general(Resource::ShaderList::AlphaOffset);
    }
    direct3D->setRenderTarget(frame);
    shader->drawPass(sources, blend != 0 ? 2 : 1, shaderList->getConstantBuffer(),
                     blendStateList->get(BlendOver), nullptr);
}

void OutputShaderEffect::drawIntoImage(Media::ResourceBuffer& target, Media::ResourceBuffer* image,
                                       const Media::Matrix4& projection, float alpha, int blend,
                                       Platform::Gl::SamplerState* sampler, int rasterizer,
                                       Media::VertexList* mesh) {
    uploadObjectConstant(projection, alpha, blend, nullptr, 0.0f);
    setDrawState(sampler, rasterizer, mesh != nullptr);
    std::unique_ptr<Media::ResourceBuffer> copy;
    if (blend != 0) {
        copy = target.clone();
        bindTexture(*direct3D, 1, copy.get());
        if (blend >= 20) bindBlend(BlendReplace);
    }
    std::shared_ptr<Media::VertexListQuadPosUvCommon> quad;
    Media::VertexList& drawn = meshOrQuad(mesh, image, quad);
    direct3D->setRenderTarget(target);
    drawn.setFlatShader();
    bindFlatVariant(drawn, mesh == nullptr, projection, static_cast<int>(target.getWidth()),
                    static_cast<int>(target.getHeight()), blend);
    drawImage(image, drawn);
}

void OutputShaderEffect::drawTransitionImage(Media::RenderBuffer& frame, Media::ResourceBuffer& image,
                                             const Media::Matrix4& projection, float alpha,
                                             Platform::Gl::SamplerState* sampler, bool composite) {
    uploadObjectConstant(projection, alpha, 0, nullptr, 0.0f);
    setDrawState(sampler, 0, false);
    if (!composite) bindBlend(BlendReplace);
    std::shared_ptr<Media::VertexListQuadPosUvCommon> quad;
    Media::VertexList& drawn = meshOrQuad(nullptr, &image, quad);
    direct3D->setRenderTarget(frame);
    drawn.setFlatShader();
    bindFlatVariant(drawn, true, projection, frame.getWidth(), frame.getHeight(), 0);
    drawImage(&image, drawn);
}

void OutputShaderEffect::drawCameraPass(Media::RenderBuffer& frame) {
    Media::ResourceBuffer* views[] = {frame.getDepthBuffer(), frame.getTransparentBuffer(),
                                      frame.getTransparentDepthBuffer()};
    direct3D->setRenderTargetAndUnorderedAccessView(frame, 3, views);
    bindRasterizer(0);
    shaderList->objectPixel(Resource::ShaderList::Resolve)
        .drawPass(nullptr, 0, nullptr, blendStateList->get(BlendOver), nullptr);
}

Resource::ShaderList::LightingConstant OutputShaderEffect::lightingConstant(
    const std::vector<Media::LightSource>& lights, const Media::Matrix4& pixelToWorld,
    const LightView& lightView) {
    // Map coordinates grow downwards where clip space grows upwards.
    const Media::Matrix4 flipY = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Resource::ShaderList::LightingConstant block{};
    const int count = static_cast<int>(std::min<std::size_t>(lights.size(), maxLights));
    block.lightNum = count;
    float residual = 1.0f;
    float ambient[3] = {0, 0, 0};
    for (int i = 0; i < count; ++i) {
        const Media::LightSource& light = lights[static_cast<std::size_t>(i)];
        block.source[i] = light;
        residual *= light.col[3];
        if (light.type == Media::LightSource::Ambient)
            for (int c = 0; c < 3; ++c) ambient[c] += light.col[c];
        if (light.type == Media::LightSource::ShadowLight && lightView) {
            const Media::Matrix4 m = multiply(multiply(pixelToWorld, lightView(light)), flipY);
            std::memcpy(block.projection[i], m.data(), sizeof block.projection[i]);
        }
    }
    for (int c = 0; c < 3; ++c) block.ambient[c] = ambient[c] + residual;
    return block;
}

void OutputShaderEffect::drawCameraLighting(Media::RenderBuffer& frame,
                                            const Media::Matrix4& cameraViewProjection,
                                            const LightView& lightView, const Media::Float3 corners[4]) {
    // The strip runs top-left, top-right, bottom-left, bottom-right.
    Media::VertexBufferCommon& strip = shaderList->quadStripNormal();
    const Media::Float3 byCorner[4] = {corners[0], corners[1], corners[3], corners[2]};
    const float positions[4][2] = {{-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
    Media::XYZ_UV_NORM vertices[4];
    for (int i = 0; i < 4; ++i)
        vertices[i] = {positions[i][0], positions[i][1], 0.0f, byCorner[i].x, byCorner[i].y, byCorner[i].z,
                       0.0f, 0.0f, 1.0f, 0.0f};
    std::memcpy(strip.data(), vertices, sizeof vertices);
    strip.update();

    // Frame pixels to device coordinates, then back through the camera.
    const float w = static_cast<float>(frame.getWidth()), h = static_cast<float>(frame.getHeight());
    const Media::Matrix4 pixelToDevice = {2.0f / w, 0, 0, 0, 0, -2.0f / h, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};

    const auto& lights = frame.getLights();
    const int count = static_cast<int>(std::min<std::size_t>(lights.size(), maxLights));
    const Resource::ShaderList::LightingConstant block =
        lightingConstant(lights, multiply(pixelToDevice, inverse(cameraViewProjection)), lightView);
    std::unique_ptr<Platform::Gl::Buffer> constants;
    Media::ConstantBufferCommon::create(constants, &block, sizeof block);

    Platform::Gl::Context& context = direct3D->context();
    Platform::Gl::bindConstantBuffer(context, Stage::Pixel, 0, constants.get());
    for (int i = 0; i < count; ++i) {
        // A shadow light whose map nothing was drawn into still reads a
        // cleared map (full visibility), not an unbound texture.
        if (lights[static_cast<std::size_t>(i)].type == Media::LightSource::ShadowLight)
            bindTexture(*direct3D, 2 + i, frame.getShadowBuffer(static_cast<std::size_t>(i)));
    }
    direct3D->setPixelSampler(samplerStateList->get(SamplerLighting));
    bindRasterizer(0);
    bindBlend(BlendLighting);
    shaderList->objectVertex(6).bind(context);
    shaderList->objectPixel(Resource::ShaderList::Lighting).bind(context);

    // The frame, then the transparent layer with its own normals and depth.
    direct3D->setRenderTarget(frame);
    bindTexture(*direct3D, 0, frame.getNormalBuffer());
    bindTexture(*direct3D, 1, frame.getDepthBuffer());
    direct3D->drawVertexBuffer(strip);
    bindTexture(*direct3D, 0, nullptr);
    bindTexture(*direct3D, 1, nullptr);
    direct3D->unsetRenderTargets();

    direct3D->setRenderTarget(*frame.getTransparentBuffer());
    bindTexture(*direct3D, 0, frame.getNormalTransparentBuffer());
    bindTexture(*direct3D, 1, frame.getTransparentDepthBuffer());
    direct3D->drawVertexBuffer(strip);
    bindTexture(*direct3D, 0, nullptr);
    bindTexture(*direct3D, 1, nullptr);
    direct3D->unsetRenderTargets();
    for (int i = 0; i < count; ++i) bindTexture(*direct3D, 2 + i, nullptr);
}

}  // namespace Effect
