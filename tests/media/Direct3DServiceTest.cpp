// The GPU service's start: its log lines, format choices and settings.
#include "media/Direct3DService.h"

#include "core/Singleton.h"
#include "media/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kTag = "Media::Direct3DService::Direct3DService";

TEST(Direct3DServiceTest, StartLogsFeatureLevelOrderedAccessAndSevenFormatsInOrder) {
    MediaTest::LogCapture log;
    System::Singleton<Media::Direct3DService> holder;
    std::vector<std::string> lines;
    for (const auto& line : log.lines)
        if (line.tag == kTag && line.type == &System::Log::INFO) lines.push_back(line.text);
    // llvmpipe proves its primitive order; a packed 4:2:2 texture is not kept.
    const std::vector<std::string> expected = {
        "D3D feature level : 0x0000b100",
        "D3D ROVsSupported : 1",
        "D3D DXGI_FORMAT_R8G8B8A8_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_B8G8R8A8_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_A8_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_R16G16B16A16_FLOAT Texture2D Supported : 1",
        "D3D DXGI_FORMAT_G8R8_G8B8_UNORM Texture2D Supported : 0",
        "D3D DXGI_FORMAT_R16G16B16A16_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_R16G16B16A16_SNORM Texture2D Supported : 1",
    };
    EXPECT_EQ(lines, expected);
}

TEST(Direct3DServiceTest, FormatsAndSettingsStartFromTheirDefaults) {
    System::Singleton<Media::Direct3DService> holder;
    const Media::Direct3DService& service = Media::Direct3DService::Get();
    EXPECT_EQ(service.pixelFormat, DXGI_FORMAT_R16G16B16A16_FLOAT);
    EXPECT_EQ(service.maskFormat, DXGI_FORMAT_A8_UNORM);
    EXPECT_EQ(service.sampleDesc.Count, 1u);
    EXPECT_EQ(service.sampleDesc.Quality, 0u);
    EXPECT_GT(service.shadowBufferSize, 0);
    EXPECT_EQ(service.settings.multiSampleCount, 8);
    EXPECT_EQ(service.settings.maxAnisotropy, 16);
    EXPECT_EQ(service.settings.highDpiMode, 1);
    EXPECT_EQ(service.settings.outputYUVColorSpace, L"");
    EXPECT_EQ(service.settings.outputYUVColorRange, 0);
}

}  // namespace
