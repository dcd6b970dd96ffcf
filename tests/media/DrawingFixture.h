#pragma once
// 2D drawing tests: a program folder with the shipped configuration files
// (fonts.conf included), the setting service and the 2D drawing service,
// and pixels of Cairo images.
#include "core/CoreTestSupport.h"
#include "core/file/SettingService.h"
#include "core/base/Singleton.h"
#include "media/draw/Direct2DService.h"
#include "media/gpu/Direct3DService.h"
#include "media/resource/ResourceService.h"
#include "support/PinnedFonts.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace DrawingTest {

// 0xAARRGGBB as stored: premultiplied for ARGB32, alpha 0xFF for RGB24.
inline std::uint32_t pixel(cairo_surface_t* image, int x, int y) {
    cairo_surface_flush(image);
    const auto* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    const std::uint32_t value = reinterpret_cast<const std::uint32_t*>(row)[x];
    return cairo_image_surface_get_format(image) == CAIRO_FORMAT_RGB24 ? (value | 0xFF000000u) : value;
}

inline std::uint32_t alphaOf(std::uint32_t argb) { return argb >> 24; }

// The setting service and the 2D drawing service over a program folder,
// for fixtures of any kind.
class Services {
protected:
    // With resources, the GPU and resource services (text formats, stroke
    // styles) are made after the style too, as at start-up.
    explicit Services(bool resources = false) : resources_(resources) {}

    // Writes the data folder's style.conf (its keys win over the shipped
    // file's), then restarts the services.
    void useStyle(const std::string& text) {
        stop();
        CoreTest::writeBytes((folder_.data() / "style.conf").string(), text);
        start();
    }
    void start() {
        std::filesystem::copy_file(std::filesystem::path(MOVANE2_SOURCE_DIR) / "conf" / "fonts.conf",
                                   folder_.program() / "fonts.conf",
                                   std::filesystem::copy_options::overwrite_existing);
        settings_ = std::make_unique<System::Singleton<Setting::SettingService>>();
        direct2D_ = std::make_unique<System::Singleton<Media::Direct2DService>>();
        if (!resources_) return;
        direct3D_ = std::make_unique<System::Singleton<Media::Direct3DService>>();
        resourceHolder_ = std::make_unique<System::Singleton<Resource::ResourceService>>();
    }
    void stop() {
        resourceHolder_.reset();
        direct3D_.reset();
        direct2D_.reset();
        settings_.reset();
    }

    static Setting::SettingService& settings() { return *System::Singleton<Setting::SettingService>::getInstance(); }
    static Media::Direct2DService& direct2D() { return Media::Direct2DService::Get(); }
    const CoreTest::ProgramFolder& folder() const { return folder_; }

private:
    CoreTest::ProgramFolder folder_;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings_;
    std::unique_ptr<System::Singleton<Media::Direct2DService>> direct2D_;
    bool resources_;
    std::unique_ptr<System::Singleton<Media::Direct3DService>> direct3D_;
    std::unique_ptr<System::Singleton<Resource::ResourceService>> resourceHolder_;
};

class DrawingServices : public ::testing::Test, protected Services {
protected:
    explicit DrawingServices(bool resources = false) : Services(resources) {}
    void SetUp() override { start(); }
    void TearDown() override { stop(); }
};

}  // namespace DrawingTest
