#include "media/gpu/Direct3DService.h"

#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "core/event/MessageBox.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "media/gpu/RenderBuffer.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/gpu/VertexBufferCommon.h"
#include "media/gpu/VertexList.h"
#include "media/image/YUVformat.h"
#include "platform/gl/GlCommands.h"
#include "platform/gl/GlFormat.h"
#include "platform/gtk/MessageBox.h"

#include <cstring>

namespace Media {

namespace {

constexpr const char* kPlace = "Media::Direct3DService::Direct3DService";

}  // namespace

Direct3DService::SystemConfig Direct3DService::SystemConfig::read() {
    SystemConfig config;
    const auto* setting = System::Singleton<Setting::SettingService>::getInstance();
    if (!setting) {
        config.shadowBufferSize = 2048;
        return config;
    }
    config.pixelFormat = setting->config.getValue("PixelFormat").toInt(config.pixelFormat);
    config.maskFormat = setting->config.getValue("MaskFormat").toInt(config.maskFormat);
    config.shadowBufferSize = setting->config.getValue("ShadowBufferSize").toInt();
    return config;
}

Direct3DService::Direct3DService()
    : device(std::make_unique<Platform::Gl::Display>(kPlace)) {
    System::Log::info(kPlace, "D3D feature level : 0x%08x", featureLevel);
    const SystemConfig config = SystemConfig::read();
    pixelFormat = config.pixelFormat;
    maskFormat = config.maskFormat;
    shadowBufferSize = config.shadowBufferSize;
    logCapabilities();
    // The colour tables come from system.conf; tools without one have none.
    if (System::Singleton<Setting::SettingService>::getInstance()) YUVformat::InitializeColorTable();
}

Direct3DService::~Direct3DService() = default;

Direct3DService& Direct3DService::Get() {
    return *System::Singleton<Direct3DService>::getInstance();
}

void Direct3DService::logCapabilities() {
    System::Log::info(kPlace, "D3D ROVsSupported : %d", rovsSupported() ? 1 : 0);
    if (!rovsSupported()) {
        // The service starts before the main window exists: the box stands
        // alone, modal to the program.
        const std::string text = System::String::toUtf8(Translate::TranslateService::translate(
            Translate::TranslateService::Table::Message,
            L"D3D ROVs not supported.\n\n一部の機能が正しく動作しない可能性があります"));
        Platform::messageBox(nullptr, text, Dialog::productCaption,
                             Platform::MB_OK | Platform::MB_ICONWARNING | Platform::MB_TASKMODAL);
    }
    static const struct {
        const char* name;
        int code;
    } formats[] = {
        {"DXGI_FORMAT_R8G8B8A8_UNORM", DXGI_FORMAT_R8G8B8A8_UNORM},
        {"DXGI_FORMAT_B8G8R8A8_UNORM", DXGI_FORMAT_B8G8R8A8_UNORM},
        {"DXGI_FORMAT_A8_UNORM", DXGI_FORMAT_A8_UNORM},
        {"DXGI_FORMAT_R16G16B16A16_FLOAT", DXGI_FORMAT_R16G16B16A16_FLOAT},
        {"DXGI_FORMAT_G8R8_G8B8_UNORM", DXGI_FORMAT_G8R8_G8B8_UNORM},
        {"DXGI_FORMAT_R16G16B16A16_UNORM", DXGI_FORMAT_R16G16B16A16_UNORM},
        {"DXGI_FORMAT_R16G16B16A16_SNORM", DXGI_FORMAT_R16G16B16A16_SNORM},
    };
    // The driver's answer for the storage each format is kept in.
    const auto& texture2D = device->capabilities().texture2D;
    for (const auto& format : formats) {
        const auto answer = texture2D.find(format.code);
        System::Log::info(kPlace, "D3D %s Texture2D Supported : %d", format.name,
                          answer != texture2D.end() && answer->second ? 1 : 0);
    }
}

void Direct3DService::setRenderTarget(ResourceBuffer& buffer) {
    Platform::Gl::Texture* targets[] = {&buffer.getRenderTargetView()};
    Platform::Gl::setRenderTargets(context(), targets);
}

void Direct3DService::unsetRenderTargets() { Platform::Gl::setRenderTargets(context(), {}); }

void Direct3DService::setComputeUnorderedAccessView(UINT slot, ResourceBuffer& buffer) {
    Platform::Gl::bindImage(context(), static_cast<int>(slot), &buffer.getUnorderedAccessView(),
                            Platform::Gl::ImageStage::Compute);
}

void Direct3DService::setPixelSampler(Platform::Gl::SamplerState* sampler) {
    Platform::Gl::Context& current = context();
    const std::uint64_t id = sampler ? sampler->id() : 0;
    if (current.bindings().pixelSampler0 == id && id != 0) return;
    Platform::Gl::bindSampler(current, Platform::Gl::Stage::Pixel, sampler);
    current.bindings().pixelSampler0 = id;
}

void Direct3DService::setRenderTarget(RenderBuffer& frame) {
    Platform::Gl::Texture* targets[] = {&frame.getRenderTargetView()};
    Platform::Gl::setRenderTargets(context(), targets);
}

void Direct3DService::setRenderTargetAndUnorderedAccessView(RenderBuffer& frame, UINT count,
                                                            ResourceBuffer* const* views) {
    setRenderTarget(frame);
    for (UINT i = 0; i < count; ++i)
        Platform::Gl::bindImage(context(), static_cast<int>(i + 1),
                                views[i] ? &views[i]->getUnorderedAccessView() : nullptr,
                                Platform::Gl::ImageStage::Pixel);
}

void Direct3DService::drawVertexBuffer(VertexBufferCommon& buffer) {
    Platform::Gl::Context& current = context();
    if (!buffer.getBuffer()) buffer.update();
    Platform::Gl::setTopLeftEdges(current, true);
    Platform::Gl::setVertexBuffer(current, *buffer.getBuffer(),
                                  static_cast<GLsizei>(buffer.getStride()));
    Platform::Gl::draw(current,
                       buffer.getTopology() == VertexBufferCommon::TriangleStrip ? GL_TRIANGLE_STRIP
                                                                                 : GL_TRIANGLES,
                       0, static_cast<GLsizei>(buffer.getCount()));
    Platform::Gl::setTopLeftEdges(current, false);
}

void Direct3DService::drawTriangle(const void* vertices) {
    VertexBufferCommon triangle(3, 28, VertexBufferCommon::TriangleStrip,
                                Platform::Gl::Buffer::Sharing::ContextOnly);
    std::memcpy(triangle.data(), vertices, 3 * 28);
    triangle.update();
    drawVertexBuffer(triangle);
}

void Direct3DService::drawVertices(const XYZ_UV (&vertices)[3]) { drawTriangle(vertices); }
void Direct3DService::drawVertices(const XYZ_COL (&vertices)[3]) { drawTriangle(vertices); }

}  // namespace Media
