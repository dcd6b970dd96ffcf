#pragma once
// The process's GPU: the headless GL display with its per-thread contexts,
// the format choices of every picture and the "Direct3D" settings group.
// The pipeline state lists and the built-in shader list are the resource
// service's.
//
// - Made and destroyed on the user-interface thread; reached through Get().
// - Resources may be made on any thread. Binding and drawing use the
//   calling thread's context and its binding cache (one thread drives a
//   context), so render workers and the user-interface thread never share
//   bind state.
// - Start-up failures throw the program's HRESULT exception with the place
//   Media::Direct3DService::Direct3DService.
#include "core/file/Config.h"
#include "media/gpu/ComResource.h"
#include "platform/WinTypes.h"
#include "platform/gl/DxgiFormat.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlState.h"

#include <memory>
#include <string>

namespace Media {

class RenderBuffer;
class ResourceBuffer;
class VertexBufferCommon;
struct XYZ_COL;
struct XYZ_UV;

class Direct3DService {
public:
    // The values of the "Direct3D" settings group, loaded from the main
    // settings file at construction and written back when the service goes.
    // Kept and saved; only the two output values are read by the media side.
    struct Settings {
        int multiSampleCount = 8;
        int maxAnisotropy = 16;
        int highDpiMode = 1;
        std::wstring outputYUVColorSpace;  // empty: chosen by frame height
        int outputYUVColorRange = 0;       // 0 limited, otherwise full
    };

    // The "Config" values of system.conf, read once at construction.
    struct SystemConfig {
        int pixelFormat = DXGI_FORMAT_R16G16B16A16_FLOAT;
        int maskFormat = DXGI_FORMAT_A8_UNORM;
        int shadowBufferSize = 0;
        // From the setting service's system.conf: the formats default when
        // empty, the shadow size is required. Without a setting service
        // (tools, tests) the values the program ships with.
        static SystemConfig read();
    };

    struct SampleDesc {
        UINT Count = 1;
        UINT Quality = 0;
    };

    // The feature level the layer stands for (11.1).
    static constexpr UINT featureLevel = 0xb100;

    Direct3DService();
    ~Direct3DService();
    Direct3DService(const Direct3DService&) = delete;
    Direct3DService& operator=(const Direct3DService&) = delete;

    static Direct3DService& Get();

    // The calling thread's context, made on its first use, and the record
    // of what it has bound.
    Platform::Gl::Context& context() const { return device->context(); }
    Platform::Gl::BindingCache& bindingCache() const { return context().bindings(); }

    // The buffer's render-target view (made on demand) as the only target,
    // the viewport covering it, depth 0 to 1.
    void setRenderTarget(ResourceBuffer& buffer);
    void setRenderTarget(RenderBuffer& frame);
    // The frame as target and the work buffers' unordered-access views at
    // u1 to u<count> for the draws that follow.
    void setRenderTargetAndUnorderedAccessView(RenderBuffer& frame, UINT count,
                                               ResourceBuffer* const* views);
    // Detaches every target; what was drawn is handed to later users.
    void unsetRenderTargets();
    // The buffer's unordered-access view (made on demand) for the next
    // dispatch.
    void setComputeUnorderedAccessView(UINT slot, ResourceBuffer& buffer);
    // The pixel-stage sampler of slot 0, skipped when the cache has it.
    void setPixelSampler(Platform::Gl::SamplerState* sampler);

    // Whether overlapping primitives reach a pixel in submission order.
    bool rovsSupported() const { return device->capabilities().orderedAccess; }

    // Draws the buffer's vertices with its topology into the attached
    // target (a buffer never uploaded is uploaded first). Polygon edges
    // through pixel centres follow the top-left rule.
    void drawVertexBuffer(VertexBufferCommon& buffer);
    // One triangle through a temporary buffer.
    void drawVertices(const XYZ_UV (&vertices)[3]);
    void drawVertices(const XYZ_COL (&vertices)[3]);

    Settings settings;

private:
    System::Config config_{"Direct3D"};
    System::Config::Int multiSampleCount_{config_, "MultiSampleCount", &settings.multiSampleCount, 8};
    System::Config::Int maxAnisotropy_{config_, "MaxAnisotropy", &settings.maxAnisotropy, 16};
    System::Config::Int highDpiMode_{config_, "HighDpiMode", &settings.highDpiMode, 1};
    System::Config::String outputYUVColorSpace_{config_, "OutputYUVColorSpace",
                                                &settings.outputYUVColorSpace, L""};
    System::Config::Int outputYUVColorRange_{config_, "OutputYUVColorRange",
                                             &settings.outputYUVColorRange, 0};
    System::Config::Scope scope_{config_};

public:
    std::unique_ptr<Platform::Gl::Display> device;
    int pixelFormat = DXGI_FORMAT_R16G16B16A16_FLOAT;
    int maskFormat = DXGI_FORMAT_A8_UNORM;
    SampleDesc sampleDesc;
    int shadowBufferSize = 0;

private:
    void logCapabilities();
    void drawTriangle(const void* vertices);
};

}  // namespace Media
