#include "e2e/PictureProgramTest.h"

#include "core/CoreTestSupport.h"
#include "e2e/XClient.h"

#include <cairo.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace E2E {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string valueIn(const std::string& text, const std::string& section, const std::string& key) {
    const std::size_t start = text.find("[" + section + "]\r\n");
    if (start == std::string::npos) return {};
    const std::size_t end = text.find("\r\n[", start + 1);
    const std::size_t at = text.find("\r\n" + key + "=", start);
    if (at == std::string::npos || (end != std::string::npos && at > end)) return {};
    const std::size_t from = at + key.size() + 3;
    return text.substr(from, text.find("\r\n", from) - from);
}

PictureProgramTest::PictureProgramTest(const char* name) {
    std::string pattern = std::string("/tmp/movane2-") + name + "-XXXXXX";
    root = mkdtemp(pattern.data());
    project = root / "film.mvp2";
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 64);
    cairo_t* cr = cairo_create(image);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_write_to_png(image, (root / "red.png").c_str());
    cairo_surface_destroy(image);
}

PictureProgramTest::~PictureProgramTest() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

std::string PictureProgramTest::onDisplay(const std::string& command) const {
    return E2E::onDisplay(display.name(), command);
}

bool PictureProgramTest::waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 400; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

bool PictureProgramTest::screenShows(const std::function<bool(const TestSupport::Screenshot&)>& check) const {
    return waitFor([&] { return check(TestSupport::Screenshot(display.name())); });
}

std::string PictureProgramTest::saveChanged(const std::string& before) const {
    onDisplay("xdotool key ctrl+s");
    std::string now;
    waitFor([&] {
        now = CoreTest::readBytes(project.string());
        return !now.empty() && now != before;
    });
    return now;
}

}  // namespace E2E
