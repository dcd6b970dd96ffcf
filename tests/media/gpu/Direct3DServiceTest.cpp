// The GPU service's start: its log lines, format choices and settings.
#include "media/gpu/Direct3DService.h"

#include "core/CoreTestSupport.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "media/LogCapture.h"
#include "media/gpu/ResourceBuffer.h"
#include "platform/gl/GlDisplay.h"
#include "platform/gl/GlFormat.h"
#include "platform/gl/GlOrderedAccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr const char* kTag = "Media::Direct3DService::Direct3DService";

// The driver's own answer for the storage a format is kept in, asked here
// directly.
std::string driverSays(int code) {
    const Platform::Gl::Format& format = *Platform::Gl::findFormat(code);
    GLint supported = GL_FALSE, texture2D = GL_NONE;
    glGetInternalformativ(GL_TEXTURE_2D, format.internalFormat, GL_INTERNALFORMAT_SUPPORTED, 1, &supported);
    glGetInternalformativ(GL_TEXTURE_2D, format.internalFormat, GL_TEXTURE_2D, 1, &texture2D);
    return supported == GL_TRUE && texture2D != GL_NONE ? "1" : "0";
}

// A driver that knows no 16-bit signed normalised storage.
GLint withoutSnorm16(GLenum internalFormat, GLenum pname) {
    GLint answer = GL_NONE;
    if (internalFormat != GL_RGBA16_SNORM) glGetInternalformativ(GL_TEXTURE_2D, internalFormat, pname, 1, &answer);
    return answer;
}

// The start's information lines, each format line the driver's answer:
// the running driver's own, and one that refuses a format (llvmpipe
// supports all seven, so only a refusing driver shows a 0 line).
TEST(Direct3DServiceTest, StartLogsFeatureLevelOrderedAccessAndSevenFormatsInOrder) {
    struct Case {
        const char* driver;
        Platform::Gl::FormatQuery query;
        int refused;  // DXGI code whose line must read 0; 0: none
    };
    const Case cases[] = {{"running driver", nullptr, 0}, {"refusing RGBA16_SNORM", withoutSnorm16, 13}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver);
        Platform::Gl::setFormatQuery(c.query);
        MediaTest::LogCapture log;
        std::vector<std::string> lines;
        std::vector<std::string> expected;
        bool llvmpipe = false;
        bool ordered = false;
        {
            System::Singleton<Media::Direct3DService> holder;
            for (const auto& line : log.lines)
                if (line.tag == kTag && line.type == &System::Log::INFO) lines.push_back(line.text);
            const auto answer = [&](int code) { return code == c.refused ? std::string("0") : driverSays(code); };
            const auto& capabilities = Media::Direct3DService::Get().device->capabilities();
            ordered = capabilities.orderedAccess;
            llvmpipe = capabilities.renderer.find("llvmpipe") != std::string::npos;
            expected = {
                "D3D feature level : 0x0000b100",
                std::string("D3D ROVsSupported : ") + (ordered ? "1" : "0"),
                "D3D DXGI_FORMAT_R8G8B8A8_UNORM Texture2D Supported : " + answer(28),
                "D3D DXGI_FORMAT_B8G8R8A8_UNORM Texture2D Supported : " + answer(87),
                "D3D DXGI_FORMAT_A8_UNORM Texture2D Supported : " + answer(65),
                "D3D DXGI_FORMAT_R16G16B16A16_FLOAT Texture2D Supported : " + answer(10),
                "D3D DXGI_FORMAT_G8R8_G8B8_UNORM Texture2D Supported : " + answer(69),
                "D3D DXGI_FORMAT_R16G16B16A16_UNORM Texture2D Supported : " + answer(11),
                "D3D DXGI_FORMAT_R16G16B16A16_SNORM Texture2D Supported : " + answer(13),
            };
        }
        Platform::Gl::setFormatQuery(nullptr);
        EXPECT_EQ(lines, expected);
        // llvmpipe proves its primitive order.
        if (llvmpipe) {
            EXPECT_TRUE(ordered);
        }
    }
}

// A driver whose ordered access cannot be proven: the start logs 0 and
// warns once, without an owner (no window exists yet), then goes on.
TEST(Direct3DServiceTest, WithoutOrderedAccessTheStartWarnsAndGoesOn) {
    Platform::Gl::OrderedAccessProbe::forceFailure(true);
    MediaTest::LogCapture log;
    testing::internal::CaptureStderr();
    bool started = false;
    bool interlock = false;
    {
        System::Singleton<Media::Direct3DService> holder;
        started = true;
        interlock = Media::Direct3DService::Get().device->capabilities().fragmentShaderInterlock;
    }
    const std::string shown = testing::internal::GetCapturedStderr();
    Platform::Gl::OrderedAccessProbe::forceFailure(false);
    if (interlock) GTEST_SKIP() << "the driver has interlock";
    EXPECT_TRUE(started);
    bool logged = false;
    for (const auto& line : log.lines) logged = logged || line.text == "D3D ROVsSupported : 0";
    EXPECT_TRUE(logged);
    const std::string warning = "D3D ROVs not supported.\n\n一部の機能が正しく動作しない可能性があります";
    const auto at = shown.find(warning);
    EXPECT_NE(at, std::string::npos) << shown;
    EXPECT_EQ(shown.find(warning, at + 1), std::string::npos) << "shown more than once";
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
