// The GPU service's start: its log lines, format choices and settings.
#include "media/gpu/Direct3DService.h"

#include "core/CoreTestSupport.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "media/LogCapture.h"
#include "media/gpu/ResourceBuffer.h"

#include <gtest/gtest.h>

#include <filesystem>
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
    // llvmpipe proves its primitive order.
    const std::vector<std::string> expected = {
        "D3D feature level : 0x0000b100",
        "D3D ROVsSupported : 1",
        "D3D DXGI_FORMAT_R8G8B8A8_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_B8G8R8A8_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_A8_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_R16G16B16A16_FLOAT Texture2D Supported : 1",
        "D3D DXGI_FORMAT_G8R8_G8B8_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_R16G16B16A16_UNORM Texture2D Supported : 1",
        "D3D DXGI_FORMAT_R16G16B16A16_SNORM Texture2D Supported : 1",
    };
    EXPECT_EQ(lines, expected);
}

// Without a setting service (tools, these tests) the shipped values hold.
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

class Direct3DServiceSettingsTest : public ::testing::Test {
protected:
    // Replaces a line of the program folder's system.conf.
    void editSystemConfig(const std::string& from, const std::string& to) {
        const std::string path = (folder_.program() / "system.conf").string();
        std::string text = CoreTest::readBytes(path);
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        CoreTest::writeBytes(path, text);
    }
    std::string failureOfStart() {
        System::Singleton<Setting::SettingService> setting;
        try {
            System::Singleton<Media::Direct3DService> service;
        } catch (const System::Exception& e) {
            return e.what();
        }
        return "";
    }

    CoreTest::ProgramFolder folder_;
};

TEST_F(Direct3DServiceSettingsTest, ReadsSystemConfAndWritesTheGroupAtShutdown) {
    {
        MediaTest::LogCapture log;
        System::Singleton<Setting::SettingService> setting;
        System::Singleton<Media::Direct3DService> service;
        EXPECT_EQ(Media::Direct3DService::Get().shadowBufferSize, 2048);
        EXPECT_EQ(Media::Direct3DService::Get().pixelFormat, DXGI_FORMAT_R16G16B16A16_FLOAT);
        // The colour tables are built as the service starts.
        EXPECT_EQ(log.count(System::Log::INFO, "Media::YUVformat::InitializeColorTable",
                            "[YUV2RGB] 0: BT.601"),
                  1);
    }
    const std::string written = CoreTest::readBytes((folder_.data() / "movane2.ini").string());
    const auto begin = written.find("[Direct3D]\r\n");
    ASSERT_NE(begin, std::string::npos) << written;
    const std::string section = written.substr(begin, written.find("\r\n[", begin) - begin) + "\r\n";
    for (const char* line : {"\nMultiSampleCount=8\r", "\nMaxAnisotropy=16\r", "\nHighDpiMode=1\r",
                             "\nOutputYUVColorSpace=\r", "\nOutputYUVColorRange=0\r"})
        EXPECT_NE(section.find(line), std::string::npos) << line << " in " << section;
}

TEST_F(Direct3DServiceSettingsTest, FormatsDefaultWhenEmptyAndTheShadowSizeIsRequired) {
    editSystemConfig("PixelFormat=10\n", "PixelFormat=\n");
    editSystemConfig("MaskFormat=65\n", "");
    {
        System::Singleton<Setting::SettingService> setting;
        System::Singleton<Media::Direct3DService> service;
        EXPECT_EQ(Media::Direct3DService::Get().pixelFormat, DXGI_FORMAT_R16G16B16A16_FLOAT);
        EXPECT_EQ(Media::Direct3DService::Get().maskFormat, DXGI_FORMAT_A8_UNORM);
    }
    editSystemConfig("ShadowBufferSize=2048\n", "");
    EXPECT_EQ(failureOfStart().rfind("ini file parameter invalid format(int) or undefined.\n", 0), 0u);
    EXPECT_EQ(System::Singleton<Media::Direct3DService>::getInstance(), nullptr);
    editSystemConfig("PixelFormat=\n", "PixelFormat=ten\n");
    EXPECT_EQ(failureOfStart().rfind("ini file parameter invalid format(int).\n", 0), 0u);
}

// Half-float RGBA stays a full target whatever the working format is: the
// 3D normal buffers are kept in it.
TEST_F(Direct3DServiceSettingsTest, HalfFloatPicturesAreTargetsWithAnotherWorkingFormat) {
    editSystemConfig("PixelFormat=10\n", "PixelFormat=28\n");
    System::Singleton<Setting::SettingService> setting;
    System::Singleton<Media::Direct3DService> service;
    ASSERT_EQ(Media::Direct3DService::Get().pixelFormat, DXGI_FORMAT_R8G8B8A8_UNORM);
    Media::ResourceBuffer working(2, 2);
    EXPECT_EQ(working.getFormat(), DXGI_FORMAT_R8G8B8A8_UNORM);
    EXPECT_NO_THROW(working.getRenderTargetView());
    Media::ResourceBuffer normals(2, 2, DXGI_FORMAT_R16G16B16A16_FLOAT);
    const float clear[4] = {0, 0, 0, -1};
    EXPECT_NO_THROW(normals.clear(clear));
    EXPECT_NO_THROW(normals.getUnorderedAccessView());
    Media::ResourceBuffer other(2, 2, DXGI_FORMAT_R16G16B16A16_UNORM);
    EXPECT_THROW(other.getRenderTargetView(), System::Exception);
}

}  // namespace
