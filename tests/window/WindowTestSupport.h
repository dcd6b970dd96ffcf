#pragma once
// Window service tests: the service through its holder, on the test
// process's own display, with the setting service over the shipped
// configuration files (the style's sizes), and a helper that runs the loop
// for a while.
#include "core/CoreTestSupport.h"
#include "core/base/Singleton.h"
#include "core/file/SettingService.h"
#include "platform/gtk/MessageQueue.h"
#include "support/VirtualDisplay.h"
#include "window/WindowService.h"

#include <glib.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace WindowTest {

inline Window::WindowService& service() {
    return *System::Singleton<Window::WindowService>::getInstance();
}

// Runs the message loop until done() holds (checked every 10 ms), the quit
// message arrives or ms have passed. Returns done().
inline bool runUntil(const std::function<bool()>& done, unsigned ms = 10000) {
    struct State {
        const std::function<bool()>& done;
        gint64 end;
        bool quitPosted = false;
    } state{done, g_get_monotonic_time() + gint64(ms) * 1000};
    const guint id = g_timeout_add(
        10,
        [](gpointer data) -> gboolean {
            auto* s = static_cast<State*>(data);
            if (!s->done() && g_get_monotonic_time() < s->end) return G_SOURCE_CONTINUE;
            s->quitPosted = true;
            Platform::postQuitMessage(0);
            return G_SOURCE_REMOVE;
        },
        &state);
    service().processMessage();
    if (!state.quitPosted) g_source_remove(id);
    return done();
}

// Runs the message loop for ms (or until the quit message).
inline void runFor(unsigned ms) {
    runUntil([] { return false; }, ms);
}

class WindowServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::useTestDisplay();
        settings = std::make_unique<System::Singleton<Setting::SettingService>>();
        holder = std::make_unique<System::Singleton<Window::WindowService>>();
    }
    void TearDown() override {
        holder.reset();
        settings.reset();
    }

    CoreTest::ProgramFolder folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<Window::WindowService>> holder;
};

}  // namespace WindowTest
