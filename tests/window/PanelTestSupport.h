#pragma once
// Panel tests: the window service with the routing and event services on
// the test process's own display, and panels that paint one solid colour.
// Input comes from xdotool (device input through XTEST) run on a thread of
// its own while the message loop runs here.
#include "media/DrawingFixture.h"
#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/file/SettingService.h"
#include "platform/cairo/Brush.h"
#include "platform/gtk/NativeWindow.h"
#include "support/Screenshot.h"
#include "support/VirtualDisplay.h"
#include "window/DeferredDelete.h"
#include "window/WindowClientRenderTarget.h"
#include "window/WindowMouseService.h"
#include "window/WindowService.h"
#include "window/WindowTestSupport.h"

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <vector>

namespace PanelTest {

using WindowTest::runUntil;
using WindowTest::service;

// A panel of one colour (0xRRGGBB) that counts the left presses it gets.
class ColourPanel final : public Window::WindowClientRenderTarget {
public:
    struct Look {
        const wchar_t* title;
        std::string section;
        const Window::WindowClientLayout* layout;
        int kind;
        std::uint32_t rgb;
    };

    ColourPanel(const Look& look, std::unique_ptr<ColourPanel>& slot)
        : WindowClientRenderTarget(look.title, look.section, look.layout, look.kind),
          look_(look),
          slot_(slot),
          brush_(Platform::Cairo::ColorF{((look.rgb >> 16) & 255) / 255.0f, ((look.rgb >> 8) & 255) / 255.0f,
                                         (look.rgb & 255) / 255.0f, 1.0f}) {
        acceptsContextMenu = true;
    }

    void procPaint() override {
        if (isHidden()) return;
        const Window::Rect& r = clientRect;
        DrawScope scope(*this, r.x, r.y, r.x + r.width, r.y + r.height, true);
        fill(brush_);
        ++paints;
    }
    void procLButtonDown(int, int) override { ++presses; }
    void procMove() override { ++moves; }

    // Like the program's panels: the old object goes once the event that
    // rebuilt it has been handled; the new one reads the keys it handed over.
    void recreateClient() override {
        const Look look = look_;
        std::unique_ptr<ColourPanel>& slot = slot_;
        recreateIn(slot, [&] { return std::make_unique<ColourPanel>(look, slot); });
    }

    int paints = 0;
    int presses = 0;
    int moves = 0;

private:
    Look look_;
    std::unique_ptr<ColourPanel>& slot_;
    Platform::Cairo::SolidColorBrush brush_;
};

// The X window id of a program window (0 for none).
unsigned long xid(Platform::WindowHandle window);
unsigned long xidOf(GtkWidget* toplevel);

inline std::string display() { return std::getenv("DISPLAY"); }

// Runs a command (xdotool, xprop) while the loop runs; its output.
inline std::string runWhileLooping(const std::string& command) {
    std::future<std::string> done = std::async(std::launch::async, [command] {
        std::string out;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[256];
            while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
            pclose(pipe);
        }
        return out;
    });
    runUntil([&] { return done.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    return done.get();
}

// Runs the loop until the screen shows what check wants (about 10 s at most).
inline bool waitForScreen(const std::function<bool(const TestSupport::Screenshot&)>& check) {
    bool seen = false;
    int turn = 0;
    runUntil(
        [&] {
            if (++turn % 10 != 0) return false;
            TestSupport::Screenshot shot(display());
            seen = !shot.empty() && check(shot);
            return seen;
        },
        10000);
    return seen;
}

// With the drawing services (the panels paint) over a program folder.
class PanelFixture : public ::testing::Test, protected DrawingTest::Services {
protected:
    PanelFixture() : Services(true) {}

    void SetUp() override {
        TestSupport::useTestDisplay();
        start();
        events = std::make_unique<System::Singleton<Event::EventService>>();
        mouse = std::make_unique<System::Singleton<Window::WindowMouseService>>();
        window = std::make_unique<System::Singleton<Window::WindowService>>();
    }
    void TearDown() override { shutDown(); }

    // Panels first, then the services in reverse order; the main settings
    // file is written on the way.
    void shutDown() {
        panels.clear();
        {
            Window::DispatchScope flush;
        }
        window.reset();
        mouse.reset();
        events.reset();
        stop();
    }

    std::unique_ptr<ColourPanel>& add(const ColourPanel::Look& look) {
        panels.push_back(std::make_unique<std::unique_ptr<ColourPanel>>());
        std::unique_ptr<ColourPanel>& slot = *panels.back();
        slot = std::make_unique<ColourPanel>(look, slot);
        return slot;
    }

    // The section's lines of the written main settings file.
    std::vector<std::string> savedSection(const std::string& section) const {
        std::ifstream in(folder().data() / "movane2.ini");
        std::vector<std::string> lines;
        std::string line;
        bool inside = false;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line.front() == '[') {
                inside = line == "[" + section + "]";
                continue;
            }
            if (inside && !line.empty()) lines.push_back(line);
        }
        return lines;
    }

    std::unique_ptr<System::Singleton<Event::EventService>> events;
    std::unique_ptr<System::Singleton<Window::WindowMouseService>> mouse;
    std::unique_ptr<System::Singleton<Window::WindowService>> window;
    // Each panel's slot (its recreateClient replaces the object in it).
    std::vector<std::unique_ptr<std::unique_ptr<ColourPanel>>> panels;
};

}  // namespace PanelTest
